#pragma once
// The arithmetic behind dragging a numeric edit's button: the increment, the
// limits and the value read when the drag started, and the text the edit
// shows after the mouse has travelled some distance from there.
#include <QString>  // Qt::KeyboardModifiers too
#include <QtGlobal>
#include <optional>

#include "ui/drag_edit_types.h"

namespace orvana::ui {

class TNumberDrag {
 public:
  TValueType ValueType() const { return valueType_; }
  void SetValueType(TValueType type) { valueType_ = type; }
  TFloatFormat FloatFormat() const { return floatFormat_; }
  void SetFloatFormat(TFloatFormat format) { floatFormat_ = format; }
  // Decimals (0..18).
  int FloatDigits() const { return floatDigits_; }
  void SetFloatDigits(int digits);
  // Significant digits (1..17).
  int FloatPrecision() const { return floatPrecision_; }
  void SetFloatPrecision(int precision);
  // Pixels of mouse travel per step, at least 1.
  int IncStep() const { return incStep_; }
  void SetIncStep(int pixels);
  bool RangeLimited() const { return rangeLimited_; }
  void SetRangeLimited(bool limited) { rangeLimited_ = limited; }
  // Written before the digits in the Currency format.
  void SetCurrencySymbol(const QString& symbol) { currencySymbol_ = symbol; }

  // The increment and the limits read as text: an Int's rounded integer, a
  // Float in FloatFormat. An unset limit reads empty and does not limit.
  // Setting a text that is not a number changes nothing and gives false;
  // an empty limit unsets it.
  QString IncrementText() const;
  bool SetIncrementText(const QString& text);
  QString MinText() const;
  bool SetMinText(const QString& text);
  QString MaxText() const;
  bool SetMaxText(const QString& text);
  // An Int's increment: the float rounded, at least 1.
  qint64 IntIncrement() const;

  // Reads the value the drag starts from; a text that is not a number of the
  // value type starts from 0.
  void Start(const QString& text);
  qint64 StartInt() const { return startInt_; }
  double StartMantissa() const { return startMantissa_; }
  int StartExponent() const { return startExponent_; }

  // The text after `distance` pixels of travel from the start (negative is
  // leftwards); Shift makes steps 10 times, Alt 100 times coarser (an
  // exponent form's Alt steps the exponent instead). Nothing when the text is
  // to stay as it is: an out-of-range exponent form, a value that overflows,
  // or a float format that is not dragged.
  std::optional<QString> TextAfter(int distance, Qt::KeyboardModifiers modifiers) const;

 private:
  struct TLimit {
    double value = 0;
    qint64 integer = 0;
  };

  QString NumberText(double value) const;
  QString LimitText(const std::optional<TLimit>& limit) const;
  bool SetLimitText(const QString& text, std::optional<TLimit>& limit);
  void ClampStartToLimits();
  std::optional<QString> IntTextAfter(qint64 steps, int factor) const;
  std::optional<QString> FixedTextAfter(qint64 steps, int factor) const;
  std::optional<QString> ExponentTextAfter(qint64 steps, int coarse, bool alt) const;
  bool OutOfRange(double value) const;

  TValueType valueType_ = TValueType::Int;
  TFloatFormat floatFormat_ = TFloatFormat::Fixed;
  int floatDigits_ = 2;
  int floatPrecision_ = 8;
  int incStep_ = 2;
  bool rangeLimited_ = false;
  QString currencySymbol_;
  double increment_ = 1;
  std::optional<TLimit> min_;
  std::optional<TLimit> max_;

  qint64 startInt_ = 0;
  double startMantissa_ = 0;
  int startExponent_ = 0;
};

}  // namespace orvana::ui
