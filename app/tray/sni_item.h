#pragma once
// One icon as a StatusNotifierItem: a bus connection of its own carrying the
// item object at /StatusNotifierItem under a well-known name, so that each
// icon is a separate item to hosts. Dropping the item takes it off the bus.
#include <QDBusConnection>
#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>

#include "app/tray/sni_dbus_types.h"

namespace orvana::app {

class TSniItemAdaptor;

class TSniItem : public QObject {
  Q_OBJECT

 public:
  // Connects to the bus at `busAddress` (empty: the session bus) as
  // `connectionName`, exports the item and takes `serviceName`; Exported()
  // tells whether all of that worked.
  TSniItem(const QString& busAddress, const QString& connectionName, const QString& serviceName,
           QObject* parent = nullptr);
  ~TSniItem() override;
  TSniItem(const TSniItem&) = delete;
  TSniItem& operator=(const TSniItem&) = delete;

  bool Exported() const { return exported_; }
  const QString& ServiceName() const { return serviceName_; }
  const TSniPixmapList& Pixmaps() const { return pixmaps_; }
  const QString& Tip() const { return tip_; }

  // Takes a new picture and tip; tells hosts about what changed.
  void Update(const QIcon& icon, const QString& tip);
  // Announces the item to the watcher; its answer is not awaited.
  void RegisterWithWatcher();

 signals:
  void activated(QPoint screenPos);
  void contextMenuRequested(QPoint screenPos);
  void secondaryActivated(QPoint screenPos);
  // The vertical wheel as the host measures it (up positive).
  void scrolled(int delta);

 private:
  QString connectionName_;
  QString serviceName_;
  QDBusConnection bus_;
  TSniItemAdaptor* adaptor_;
  bool exported_ = false;
  TSniPixmapList pixmaps_;
  QString tip_;
};

}  // namespace orvana::app
