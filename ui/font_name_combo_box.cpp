#include "ui/font_name_combo_box.h"

#include <QAbstractItemView>
#include <QFontInfo>
#include <QListView>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QStylePainter>
#include <algorithm>

#include "ui/system_fonts.h"

namespace orvana::ui {

TFontNameComboBox::TFontNameComboBox(QWidget* parent) : TFontNameComboBox(SystemFontList(), parent) {}

TFontNameComboBox::TFontNameComboBox(const TFontList& fonts, QWidget* parent) : QComboBox(parent), fonts_(fonts) {
  filter_.collect = TFontNameFilters::All().Exclude(fnfLyingFont);
  setItemDelegate(new TFontItemDelegate([this] { return ItemLook(); }, this));
  // Every item is ItemHeight tall; measuring one is enough.
  if (auto* list = qobject_cast<QListView*>(view())) list->setUniformItemSizes(true);
  // A widget starts 30 pixels tall, which would take ItemHeight to 24.
  resize(width(), itemHeight_ + kBoxExtraHeight);
  connect(this, &QComboBox::activated, this, [this] {
    ApplyChange();
    emit clicked();
  });
  RebuildItems();
}

QString TFontNameComboBox::Value() const { return currentIndex() < 0 ? QString() : itemText(currentIndex()); }

void TFontNameComboBox::SetValue(const QString& name) {
  if (loading_) {
    pendingValue_ = name;
    return;
  }
  SelectValue(name, Value());
}

void TFontNameComboBox::SelectValue(const QString& name, const QString& previous) {
  int index = findText(name, Qt::MatchFixedString);
  if (index < 0 && count() > 0) index = 0;
  setCurrentIndex(index);
  if (Value() != previous) ApplyChange();
}

void TFontNameComboBox::ApplyChange() {
  const QString value = Value();
  // With nothing listed there is no family to hand on, and an empty one would
  // leave the widget in some fallback font.
  if (changeControl_ && !value.isEmpty()) {
    QFont font = changeControl_->font();
    font.setFamily(value);
    changeControl_->setFont(font);
  }
  emit changed();
}

void TFontNameComboBox::RebuildItems() {
  if (!loading_) FillItems(Value());
}

void TFontNameComboBox::FillItems(const QString& value) {
  const QString previous = Value();
  {
    // Clearing and refilling is no change of the value by itself.
    const QSignalBlocker blocker(this);
    clear();
    for (const TFontEntry& font : ListedFonts(fonts_, filter_))
      addItem(font.name, QVariant::fromValue(static_cast<uint>(font.attributes)));
  }
  SelectValue(value, previous);
}

void TFontNameComboBox::SetCollectFilters(TFontNameFilters filters) {
  if (filters == filter_.collect) return;
  filter_.collect = filters;
  RebuildItems();
  RepaintItems();  // icons follow the collected kinds
}

void TFontNameComboBox::SetExclusiveFilters(TFontNameFilters filters) {
  filters = NarrowExclusiveKinds(filter_.exclusive, filters);
  if (filters == filter_.exclusive) return;
  filter_.exclusive = filters;
  RebuildItems();
}

void TFontNameComboBox::SetVisibleFontNames(const QStringList& names) {
  if (names == filter_.visibleNames) return;
  filter_.visibleNames = names;
  filter_.invisibleNames = WithoutNames(filter_.invisibleNames, names);
  RebuildItems();
}

void TFontNameComboBox::SetInvisibleFontNames(const QStringList& names) {
  if (names == filter_.invisibleNames) return;
  filter_.invisibleNames = names;
  filter_.visibleNames = WithoutNames(filter_.visibleNames, names);
  RebuildItems();
}

void TFontNameComboBox::SetIconVisible(bool visible) {
  if (visible == iconVisible_) return;
  iconVisible_ = visible;
  RepaintItems();
}

void TFontNameComboBox::SetIconPriority(TFontIconPriority priority) {
  if (priority == iconPriority_) return;
  iconPriority_ = priority;
  RepaintItems();
}

void TFontNameComboBox::SetTextFontFace(bool own) {
  if (own == textFontFace_) return;
  textFontFace_ = own;
  RepaintItems();
}

void TFontNameComboBox::SetChangeControl(QWidget* control) {
  changeControl_ = control;
  if (control) SetValue(control->font().family());
}

void TFontNameComboBox::SetItemHeight(int height) {
  if (height == itemHeight_) return;
  itemHeight_ = height;
  if (itemHeight_ < QFontInfo(font()).pixelSize()) {
    QFont smaller = font();
    smaller.setPixelSize(std::max(itemHeight_, kMinimumFontPixels));
    setFont(smaller);  // may raise ItemHeight again, see changeEvent
  }
  // The list measures its items once; make it measure them again.
  view()->doItemsLayout();
  updateGeometry();
  RepaintItems();
}

void TFontNameComboBox::BeginLoad() { loading_ = true; }

void TFontNameComboBox::Loaded() {
  if (!loading_) return;
  loading_ = false;
  const QString value = pendingValue_.value_or(Value());
  pendingValue_.reset();
  FillItems(value);
}

std::uint32_t TFontNameComboBox::ItemAttributes(int index) const { return itemData(index, Qt::UserRole).toUInt(); }

TFontItemLook TFontNameComboBox::ItemLook() const {
  return {iconVisible_, iconPriority_, filter_.collect, textFontFace_, font(), itemHeight_};
}

QSize TFontNameComboBox::WithItemHeight(QSize size) const {
  // The base size has no room for the icon column.
  size.rwidth() += FontItemTextLeft(iconVisible_);
  size.setHeight(std::max(size.height(), itemHeight_ + kBoxExtraHeight));
  return size;
}

QSize TFontNameComboBox::sizeHint() const { return WithItemHeight(QComboBox::sizeHint()); }

QSize TFontNameComboBox::minimumSizeHint() const { return WithItemHeight(QComboBox::minimumSizeHint()); }

void TFontNameComboBox::showPopup() {
  emit dropDown();
  QComboBox::showPopup();
}

void TFontNameComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  option.currentIcon = QIcon();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  if (currentIndex() < 0) return;
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  const QColor text =
      isEnabled() ? palette().color(QPalette::ButtonText) : palette().color(QPalette::Disabled, QPalette::Text);
  const TFontEntry font{Value(), ItemAttributes(currentIndex())};
  PaintFontItem(painter, field, font, ItemLook(), Qt::NoBrush, text);
}

void TFontNameComboBox::resizeEvent(QResizeEvent* event) {
  QComboBox::resizeEvent(event);
  if (event->size().height() > kBoxExtraHeight) SetItemHeight(event->size().height() - kBoxExtraHeight);
}

void TFontNameComboBox::changeEvent(QEvent* event) {
  QComboBox::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    const int fontPixels = QFontInfo(font()).pixelSize();
    if (itemHeight_ < fontPixels) SetItemHeight(fontPixels);
    RepaintItems();
  } else if (event->type() == QEvent::EnabledChange) {
    update();
  }
}

void TFontNameComboBox::RepaintItems() {
  update();
  view()->viewport()->update();
}

}  // namespace orvana::ui
