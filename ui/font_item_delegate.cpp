#include "ui/font_item_delegate.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/font_classification.h"
#include "ui/font_type_icons.h"

namespace orvana::ui {
namespace {

constexpr int kIconLeft = 2;
constexpr int kTextLeftWithIcon = 20;
constexpr int kTextLeftWithoutIcon = 2;

QFont NameFont(const TFontEntry& font, const TFontItemLook& look) {
  if (!look.textFontFace) return look.font;
  QFont face = look.font;
  face.setFamilies({font.name});
  return face;
}

const QImage* IconOf(TFontIcon icon) {
  switch (icon) {
    case TFontIcon::kTrueType:
      return &TrueTypeFontIcon();
    case TFontIcon::kPrinter:
      return &PrinterFontIcon();
    case TFontIcon::kNone:
      break;
  }
  return nullptr;
}

}  // namespace

int FontItemTextLeft(bool iconVisible) { return iconVisible ? kTextLeftWithIcon : kTextLeftWithoutIcon; }

void PaintFontItem(QPainter& painter, const QRect& rect, const TFontEntry& font, const TFontItemLook& look,
                   const QBrush& fill, const QColor& textColour) {
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  if (fill.style() != Qt::NoBrush) painter.fillRect(rect, fill);
  if (look.iconVisible) {
    // Drawn over the fill as it is: XOR-ing it in, as with a bitmap of old,
    // turns its colours inside out on a light background and a selection.
    if (const QImage* icon = IconOf(ChooseFontIcon(font.attributes, look.iconPriority, look.collectFilters)))
      painter.drawImage(QPoint(rect.left() + kIconLeft, rect.top() + (rect.height() - icon->height()) / 2), *icon);
  }
  const int textLeft = FontItemTextLeft(look.iconVisible);
  painter.setFont(NameFont(font, look));
  painter.setPen(textColour);
  painter.setBrush(Qt::NoBrush);
  painter.drawText(rect.adjusted(textLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, font.name);
  painter.restore();
}

TFontEntry FontOfItem(const QModelIndex& index) {
  return {index.data(Qt::DisplayRole).toString(), index.data(Qt::UserRole).toUInt()};
}

TFontItemDelegate::TFontItemDelegate(TLookSource look, QObject* parent)
    : QStyledItemDelegate(parent), look_(std::move(look)) {}

void TFontItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const bool enabled = option.state & QStyle::State_Enabled;
  const QPalette& palette = option.palette;
  const QColor text = !enabled   ? palette.color(QPalette::Disabled, QPalette::Text)
                      : selected ? palette.color(QPalette::HighlightedText)
                                 : palette.color(QPalette::Text);
  const QBrush fill = palette.brush(selected ? QPalette::Highlight : QPalette::Base);
  PaintFontItem(*painter, option.rect, FontOfItem(index), look_(), fill, text);
}

QSize TFontItemDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const {
  const TFontItemLook look = look_();
  const TFontEntry font = FontOfItem(index);
  const int textWidth = QFontMetrics(NameFont(font, look)).horizontalAdvance(font.name);
  return QSize(FontItemTextLeft(look.iconVisible) + textWidth + kTextLeftWithoutIcon, look.itemHeight);
}

}  // namespace orvana::ui
