#include "ui/drag_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <limits>

#include "ui/number_char_filter.h"
#include "ui/number_text.h"

namespace orvana::ui {
namespace {

// Room between the text and the button.
constexpr int kTextGap = 2;

// Return and Enter go on to QLineEdit and from there to the dialog's default
// button; keys with Ctrl or Meta are commands, not typing.
bool IsTyping(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return false;
  if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
  return !event.text().isEmpty();
}

}  // namespace

TDragEdit::TDragEdit(QWidget* parent) : QLineEdit(parent), button_(new TDragButton(this)) {
  drag_.SetCurrencySymbol(QLocale::system().currencySymbol());
  buttonWidth_ = std::max(0, sizeHint().height() - 3);
  connect(button_, &TDragButton::leftPressed, this,
          [this](Qt::KeyboardModifiers, QPoint at) { DragStart(at.x(), at.y()); });
  connect(button_, &TDragButton::leftMoved, this,
          [this](Qt::KeyboardModifiers modifiers, QPoint at) { DragMove(modifiers, at.x(), at.y()); });
  connect(button_, &TDragButton::leftReleased, this, [this] { DragEnd(); });
  ShowDragState();
  LayOutButton();
}

TValueType TDragEdit::ValueType() const { return drag_.ValueType(); }
void TDragEdit::SetValueType(TValueType type) { drag_.SetValueType(type); }
TFloatFormat TDragEdit::FloatFormat() const { return drag_.FloatFormat(); }
void TDragEdit::SetFloatFormat(TFloatFormat format) { drag_.SetFloatFormat(format); }
int TDragEdit::FloatDigits() const { return drag_.FloatDigits(); }
void TDragEdit::SetFloatDigits(int digits) { drag_.SetFloatDigits(digits); }
int TDragEdit::FloatPrecision() const { return drag_.FloatPrecision(); }
void TDragEdit::SetFloatPrecision(int precision) { drag_.SetFloatPrecision(precision); }
QString TDragEdit::Increment() const { return drag_.IncrementText(); }
void TDragEdit::SetIncrement(const QString& increment) { drag_.SetIncrementText(increment); }
int TDragEdit::IncStep() const { return drag_.IncStep(); }
void TDragEdit::SetIncStep(int pixels) { drag_.SetIncStep(pixels); }
QString TDragEdit::MinValue() const { return drag_.MinText(); }
void TDragEdit::SetMinValue(const QString& value) { drag_.SetMinText(value); }
QString TDragEdit::MaxValue() const { return drag_.MaxText(); }
void TDragEdit::SetMaxValue(const QString& value) { drag_.SetMaxText(value); }
bool TDragEdit::RangeLimited() const { return drag_.RangeLimited(); }
void TDragEdit::SetRangeLimited(bool limited) { drag_.SetRangeLimited(limited); }

int TDragEdit::Position() const {
  const std::optional<qint64> value = ParseInteger(text());
  const bool fits = value && *value >= std::numeric_limits<int>::min() && *value <= std::numeric_limits<int>::max();
  return fits ? int(*value) : 0;
}

void TDragEdit::SetPosition(int position) { setText(QString::number(position)); }

void TDragEdit::SetActiveMark(const QString& mark) {
  activeMark_ = mark;
  ShowDragState();
}

void TDragEdit::SetInactiveMark(const QString& mark) {
  inactiveMark_ = mark;
  ShowDragState();
}

void TDragEdit::SetActiveColor(const QColor& color) {
  activeColor_ = color;
  ShowDragState();
}

void TDragEdit::SetInactiveColor(const QColor& color) {
  inactiveColor_ = color;
  ShowDragState();
}

QColor TDragEdit::ButtonColor() const { return button_->Color(); }
void TDragEdit::SetButtonColor(const QColor& color) { button_->SetColor(color); }

void TDragEdit::SetButtonWidth(int width) {
  buttonWidth_ = std::max(0, width);
  LayOutButton();
}

void TDragEdit::SetAutoSelect(bool autoSelect) { autoSelect_ = autoSelect; }
void TDragEdit::SetOnBeep(TBeepEvent handler) { onBeep_ = std::move(handler); }

bool TDragEdit::IsValidChar(QChar c) const {
  TNumberInput input;
  input.valueType = drag_.ValueType();
  input.floatFormat = drag_.FloatFormat();
  input.text = text();
  input.selectionStart = hasSelectedText() ? selectionStart() : cursorPosition();
  input.selectionLength = selectionLength();
  input.enabled = isEnabled();
  return IsNumberChar(c, input);
}

void TDragEdit::DragStart(int x, int) {
  if (!Editable()) return;
  dragStartX_ = x;
  if (text().isEmpty()) setText(QStringLiteral("0"));
  drag_.Start(text());
  // A second press keeps the palette saved by the first, not the drag's own.
  if (!dragging_) {
    // Back to the edit's own palette, or to following its parent's, afterwards.
    paletteBeforeDrag_ = testAttribute(Qt::WA_SetPalette) ? palette() : QPalette();
    QPalette dragPalette = palette();
    dragPalette.setColor(QPalette::Text, Qt::black);
    setPalette(dragPalette);
  }
  dragging_ = true;
  ShowDragState();
}

void TDragEdit::DragEnd() {
  if (dragging_) setPalette(paletteBeforeDrag_);
  dragging_ = false;
  ShowDragState();
}

void TDragEdit::DragMove(Qt::KeyboardModifiers shift, int x, int) {
  if (!dragging_ || !Editable()) return;
  const std::optional<QString> next = drag_.TextAfter(x - dragStartX_, shift);
  if (next && *next != text()) setText(*next);
}

void TDragEdit::cut() {
  if (Editable()) QLineEdit::cut();
}

void TDragEdit::paste() {
  if (Editable()) QLineEdit::paste();
}

void TDragEdit::keyPressEvent(QKeyEvent* event) {
  if (IsTyping(*event)) {
    const QString typed = event->text();
    if (!std::all_of(typed.begin(), typed.end(), [this](QChar c) { return IsValidChar(c); })) {
      event->accept();
      Beep();
      return;
    }
  }
  QLineEdit::keyPressEvent(event);
}

void TDragEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (!autoSelect_)
    deselect();  // QLineEdit itself selects everything on Tab
  else if (!(QApplication::mouseButtons() & Qt::LeftButton))
    selectAll();
}

void TDragEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  LayOutButton();
}

void TDragEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::StyleChange) LayOutButton();
}

bool TDragEdit::Editable() const { return isEnabled() && !isReadOnly(); }

void TDragEdit::Beep() {
  if (onBeep_)
    onBeep_();
  else
    QApplication::beep();
}

void TDragEdit::LayOutButton() {
  setTextMargins(0, 0, buttonWidth_ + kTextGap, 0);
  button_->setGeometry(DragButtonGeometry(size(), buttonWidth_, FrameWidth()));
}

int TDragEdit::FrameWidth() const {
  if (!hasFrame()) return 0;
  QStyleOptionFrame option;
  initStyleOption(&option);
  return style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, this);
}

void TDragEdit::ShowDragState() {
  button_->SetMark(dragging_ ? activeMark_ : inactiveMark_);
  button_->SetMarkColor(dragging_ ? activeColor_ : inactiveColor_);
  button_->SetLowered(dragging_);
}

}  // namespace orvana::ui
