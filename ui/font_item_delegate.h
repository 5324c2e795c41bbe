#pragma once
// How one font name is drawn: an optional kind icon, then the name, in the
// list's font or in the font it names.
#include <QBrush>
#include <QColor>
#include <QFont>
#include <QStyledItemDelegate>
#include <functional>

#include "ui/font_list.h"
#include "ui/font_name_filters.h"

class QPainter;

namespace orvana::ui {

struct TFontItemLook {
  bool iconVisible = true;
  TFontIconPriority iconPriority = fipTrueType;
  // An icon stands for a kind only while that kind is collected.
  TFontNameFilters collectFilters;
  bool textFontFace = false;
  QFont font;
  int itemHeight = 16;
};

// Where the name starts: right of the icon column, or near the left edge.
int FontItemTextLeft(bool iconVisible);

// Fills `rect` with `fill` (Qt::NoBrush leaves it), draws the icon centred
// vertically 2 pixels in, and the name on one line in `textColour`.
void PaintFontItem(QPainter& painter, const QRect& rect, const TFontEntry& font, const TFontItemLook& look,
                   const QBrush& fill, const QColor& textColour);

// Draws the drop-down list's items, whose text is the font's name and whose
// Qt::UserRole is its attribute word; each item is ItemHeight pixels tall.
class TFontItemDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using TLookSource = std::function<TFontItemLook()>;

  explicit TFontItemDelegate(TLookSource look, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  TLookSource look_;
};

TFontEntry FontOfItem(const QModelIndex& index);

}  // namespace orvana::ui
