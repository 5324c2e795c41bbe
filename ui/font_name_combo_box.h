#pragma once
// TFontNameComboBox: a drop-down list of font families to choose from. It
// lists the fonts of a font list (the desktop's unless given another) that
// pass its filters, draws each name after an icon of its kind and, if asked,
// in its own face, and can set the chosen family as another widget's font.
//
// The box is ItemHeight + 6 pixels tall: giving it a height above 6 sets
// ItemHeight, and a font taller than ItemHeight raises ItemHeight to it.
#include <QComboBox>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <optional>

#include "ui/font_classification.h"
#include "ui/font_item_delegate.h"
#include "ui/font_list.h"
#include "ui/font_name_filters.h"

namespace orvana::ui {

class TFontNameComboBox : public QComboBox {
  Q_OBJECT

 public:
  static constexpr int kDefaultItemHeight = 16;
  // Frame around an item in the closed box.
  static constexpr int kBoxExtraHeight = 6;
  // What a too tall font shrinks to at the least.
  static constexpr int kMinimumFontPixels = 12;

  explicit TFontNameComboBox(QWidget* parent = nullptr);
  // Lists `fonts` instead of the desktop's; they must outlive the box.
  explicit TFontNameComboBox(const TFontList& fonts, QWidget* parent = nullptr);

  // The selected item's text; empty with no selection.
  QString Value() const;
  // Selects the item of that name in any case, else the first item. A changed
  // selection goes to ChangeControl and raises changed(). While loading the
  // name is only kept for Loaded().
  void SetValue(const QString& name);

  // Each filter or name-list change lists the fonts anew, keeping the value
  // when it is still listed.
  TFontNameFilters CollectFilters() const { return filter_.collect; }
  void SetCollectFilters(TFontNameFilters filters);
  TFontNameFilters ExclusiveFilters() const { return filter_.exclusive; }
  // At most one kind stays: see NarrowExclusiveKinds.
  void SetExclusiveFilters(TFontNameFilters filters);
  // A name is in at most one of the two lists: setting one takes its names
  // out of the other.
  const QStringList& VisibleFontNames() const { return filter_.visibleNames; }
  void SetVisibleFontNames(const QStringList& names);
  const QStringList& InvisibleFontNames() const { return filter_.invisibleNames; }
  void SetInvisibleFontNames(const QStringList& names);

  bool IconVisible() const { return iconVisible_; }
  void SetIconVisible(bool visible);
  TFontIconPriority IconPriority() const { return iconPriority_; }
  void SetIconPriority(TFontIconPriority priority);
  // Whether each name is drawn in the font it names.
  bool TextFontFace() const { return textFontFace_; }
  void SetTextFontFace(bool own);

  // Takes the chosen family as its font. Setting it selects its current
  // family; a deleted widget leaves it null.
  QWidget* ChangeControl() const { return changeControl_; }
  void SetChangeControl(QWidget* control);

  int ItemHeight() const { return itemHeight_; }
  // A font taller than the items shrinks to max(height, kMinimumFontPixels).
  void SetItemHeight(int height);

  // Between the two, changes are only kept: Loaded() lists the fonts once and
  // selects the value set meanwhile.
  void BeginLoad();
  void Loaded();
  bool Loading() const { return loading_; }

  // The attribute word of an item (see TFontList); 0 for no item.
  std::uint32_t ItemAttributes(int index) const;
  TFontItemLook ItemLook() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  void showPopup() override;

 signals:
  // The value changed, by the user or by a setter.
  void changed();
  // The user picked an item (mouse, keys or wheel), after changed().
  void clicked();
  // The list is about to drop down.
  void dropDown();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void RebuildItems();
  void FillItems(const QString& value);
  void SelectValue(const QString& name, const QString& previous);
  void ApplyChange();
  void RepaintItems();
  QSize WithItemHeight(QSize size) const;

  const TFontList& fonts_;
  TFontListFilter filter_;
  bool iconVisible_ = true;
  TFontIconPriority iconPriority_ = fipTrueType;
  bool textFontFace_ = false;
  QPointer<QWidget> changeControl_;
  int itemHeight_ = kDefaultItemHeight;
  bool loading_ = false;
  std::optional<QString> pendingValue_;
};

}  // namespace orvana::ui
