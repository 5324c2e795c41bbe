#pragma once
// TDragEdit: a one-line edit for a number with a small button at its right
// end. Pressing the button and dragging sideways changes the number (right
// up, left down), by coarser steps while Shift or Alt is held and within
// MinValue..MaxValue when RangeLimited. Typing is limited to characters that
// can belong to a number of the ValueType; a refused character beeps.
//
// The text never runs under the button: the right text margin is the
// button's width + 2. The button sits against the inside of the frame on the
// right, as tall as the space inside the frame.
#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QString>
#include <functional>

#include "ui/drag_button.h"
#include "ui/drag_edit_types.h"
#include "ui/number_drag.h"

namespace orvana::ui {

class TDragEdit : public QLineEdit {
  Q_OBJECT

 public:
  using TBeepEvent = std::function<void()>;

  explicit TDragEdit(QWidget* parent = nullptr);

  TValueType ValueType() const;
  void SetValueType(TValueType type);
  // Used for Float; only Exponent and Fixed take part in dragging.
  TFloatFormat FloatFormat() const;
  void SetFloatFormat(TFloatFormat format);
  // Digits after the point (0..18).
  int FloatDigits() const;
  void SetFloatDigits(int digits);
  // Significant digits (1..17).
  int FloatPrecision() const;
  void SetFloatPrecision(int precision);
  // The step per drag step; an Int's is rounded, at least 1. Read back as an
  // integer for Int, in FloatFormat for Float. A text that is not a number
  // is refused, the old value stays.
  QString Increment() const;
  void SetIncrement(const QString& increment);
  // Pixels of mouse travel per step, at least 1.
  int IncStep() const;
  void SetIncStep(int pixels);
  // Read like Increment. Empty (the default) means no limit on that side.
  // Either limit set during a drag moves the drag's start value inside.
  QString MinValue() const;
  void SetMinValue(const QString& value);
  QString MaxValue() const;
  void SetMaxValue(const QString& value);
  // Keeps dragged values within the limits.
  bool RangeLimited() const;
  void SetRangeLimited(bool limited);
  // The text as an integer, 0 when it is not one.
  int Position() const;
  void SetPosition(int position);
  // The button's caption and its colour while dragging (active) and otherwise.
  QString ActiveMark() const { return activeMark_; }
  void SetActiveMark(const QString& mark);
  QString InactiveMark() const { return inactiveMark_; }
  void SetInactiveMark(const QString& mark);
  QColor ActiveColor() const { return activeColor_; }
  void SetActiveColor(const QColor& color);
  QColor InactiveColor() const { return inactiveColor_; }
  void SetInactiveColor(const QColor& color);
  QColor ButtonColor() const;
  void SetButtonColor(const QColor& color);
  // The edit's preferred height - 3 at creation; the button's right edge
  // stays in place when it changes.
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int width);
  // Select the whole text on entering the edit (not while the left mouse
  // button is down, which places the caret); on by default.
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool autoSelect);
  // Replaces the system beep for refused characters.
  void SetOnBeep(TBeepEvent handler);

  TDragButton& Button() { return *button_; }
  bool Dragging() const { return dragging_; }

  // Whether a typed character may go into the text at the caret.
  virtual bool IsValidChar(QChar c) const;
  // Called by the button: press, release and move of the left mouse button.
  // Only differences of x matter. Nothing starts or moves while the edit is
  // disabled or read-only.
  virtual void DragStart(int x, int y);
  virtual void DragEnd();
  virtual void DragMove(Qt::KeyboardModifiers shift, int x, int y);

 public slots:
  // QLineEdit's own, refused while disabled or read-only.
  void cut();
  void paste();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  bool Editable() const;
  void Beep();
  void LayOutButton();
  int FrameWidth() const;
  void ShowDragState();

  TNumberDrag drag_;
  TDragButton* button_;
  QString activeMark_ = QStringLiteral("◆");
  QString inactiveMark_ = QStringLiteral("◇");
  QColor activeColor_ = Qt::red;
  QColor inactiveColor_ = Qt::black;
  int buttonWidth_ = 0;
  bool autoSelect_ = true;
  TBeepEvent onBeep_;
  bool dragging_ = false;
  int dragStartX_ = 0;
  // What the text colour goes back to after a drag; resolves nothing when
  // the edit had no palette of its own.
  QPalette paletteBeforeDrag_;
};

}  // namespace orvana::ui
