#include "app/tray/sni_item_adaptor.h"

#include "app/tray/sni_item.h"

namespace orvana::app {

TSniItemAdaptor::TSniItemAdaptor(TSniItem* item) : QDBusAbstractAdaptor(item), item_(item) {}

TSniPixmapList TSniItemAdaptor::IconPixmap() const { return item_->Pixmaps(); }

TSniToolTip TSniItemAdaptor::ToolTip() const { return TSniToolTip{{}, {}, item_->Tip(), {}}; }

void TSniItemAdaptor::Activate(int x, int y) { emit item_->activated(QPoint(x, y)); }

void TSniItemAdaptor::ContextMenu(int x, int y) { emit item_->contextMenuRequested(QPoint(x, y)); }

void TSniItemAdaptor::SecondaryActivate(int x, int y) { emit item_->secondaryActivated(QPoint(x, y)); }

// A tilted wheel (horizontal) means nothing on this icon.
void TSniItemAdaptor::Scroll(int delta, const QString& orientation) {
  if (orientation.compare(QLatin1String("vertical"), Qt::CaseInsensitive) == 0) emit item_->scrolled(delta);
}

}  // namespace orvana::app
