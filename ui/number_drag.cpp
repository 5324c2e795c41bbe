#include "ui/number_drag.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "ui/number_text.h"

namespace orvana::ui {
namespace {

// Integers rounded from floats stay well inside 64 bits.
constexpr double kIntegerBound = 1e18;
// Keeps exponent arithmetic far from int overflow; 10^this is infinite anyway.
constexpr qint64 kExponentBound = 1 << 30;
// An exponent form's mantissa is written with this many significant digits.
constexpr int kMantissaPrecision = 8;

qint64 RoundToInteger(double value) { return std::llround(std::clamp(value, -kIntegerBound, kIntegerBound)); }

template <typename T, typename Limit>
std::optional<T> LimitPart(const std::optional<Limit>& limit, T Limit::*part) {
  if (!limit) return std::nullopt;
  return (*limit).*part;
}

template <typename T>
T ClampToLimits(T value, std::optional<T> min, std::optional<T> max) {
  if (max && value > *max) return *max;
  if (min && value < *min) return *min;
  return value;
}

// Steps × increment × 1000 may pass 64 bits before the limits bring it back.
using TWideInteger = __int128;

qint64 Saturated(TWideInteger value) {
  constexpr qint64 lowest = std::numeric_limits<qint64>::min();
  constexpr qint64 highest = std::numeric_limits<qint64>::max();
  return value < lowest ? lowest : value > highest ? highest : qint64(value);
}

}  // namespace

void TNumberDrag::SetFloatDigits(int digits) { floatDigits_ = std::clamp(digits, 0, kMaxFloatDigits); }

void TNumberDrag::SetFloatPrecision(int precision) { floatPrecision_ = std::clamp(precision, 1, kMaxFloatPrecision); }

// A step of 0 pixels would divide by zero.
void TNumberDrag::SetIncStep(int pixels) { incStep_ = std::max(1, pixels); }

QString TNumberDrag::NumberText(double value) const {
  if (valueType_ == TValueType::Int) return QString::number(RoundToInteger(value));
  return FormatFloat(value, floatFormat_, floatPrecision_, floatDigits_, currencySymbol_);
}

QString TNumberDrag::IncrementText() const {
  if (valueType_ == TValueType::Int) return QString::number(IntIncrement());
  return NumberText(increment_);
}

bool TNumberDrag::SetIncrementText(const QString& text) {
  const std::optional<double> value = ParseFloat(text);
  if (!value) return false;
  increment_ = *value;
  return true;
}

qint64 TNumberDrag::IntIncrement() const { return std::max<qint64>(1, RoundToInteger(increment_)); }

QString TNumberDrag::LimitText(const std::optional<TLimit>& limit) const {
  return limit ? NumberText(limit->value) : QString();
}

bool TNumberDrag::SetLimitText(const QString& text, std::optional<TLimit>& limit) {
  if (text.trimmed().isEmpty()) {
    limit.reset();
    return true;
  }
  const std::optional<double> value = ParseFloat(text);
  if (!value) return false;
  limit = TLimit{*value, RoundToInteger(*value)};
  return true;
}

QString TNumberDrag::MinText() const { return LimitText(min_); }
QString TNumberDrag::MaxText() const { return LimitText(max_); }

bool TNumberDrag::SetMinText(const QString& text) {
  if (!SetLimitText(text, min_)) return false;
  ClampStartToLimits();
  return true;
}

bool TNumberDrag::SetMaxText(const QString& text) {
  if (!SetLimitText(text, max_)) return false;
  ClampStartToLimits();
  return true;
}

void TNumberDrag::ClampStartToLimits() {
  startInt_ = ClampToLimits(startInt_, LimitPart(min_, &TLimit::integer), LimitPart(max_, &TLimit::integer));
  // The exponent stays; the mantissa moves so that the value meets the limit.
  const double scale = std::pow(10.0, startExponent_);
  if (!std::isfinite(scale) || scale == 0) return;
  const double start = startMantissa_ * scale;
  const double clamped = ClampToLimits(start, LimitPart(min_, &TLimit::value), LimitPart(max_, &TLimit::value));
  if (clamped != start) startMantissa_ = clamped / scale;
}

void TNumberDrag::Start(const QString& text) {
  startInt_ = 0;
  startMantissa_ = 0;
  startExponent_ = 0;
  if (valueType_ == TValueType::Int) {
    startInt_ = ParseInteger(text).value_or(0);
  } else if (floatFormat_ == TFloatFormat::Fixed) {
    startMantissa_ = ParseFloat(text).value_or(0);
  } else if (floatFormat_ == TFloatFormat::Exponent) {
    qsizetype e = text.indexOf(QLatin1Char('E'));
    if (e < 0) e = text.indexOf(QLatin1Char('e'));
    startMantissa_ = ParseFloat(e < 0 ? text : text.left(e)).value_or(0);
    if (e >= 0)
      startExponent_ = int(std::clamp(ParseInteger(text.mid(e + 1)).value_or(0), -kExponentBound, kExponentBound));
  }
}

std::optional<QString> TNumberDrag::TextAfter(int distance, Qt::KeyboardModifiers modifiers) const {
  const qint64 steps = distance / incStep_;
  const int coarse = modifiers & Qt::ShiftModifier ? 10 : 1;
  const bool alt = modifiers & Qt::AltModifier;
  const int factor = alt ? coarse * 100 : coarse;
  if (valueType_ == TValueType::Int) return IntTextAfter(steps, factor);
  if (floatFormat_ == TFloatFormat::Fixed) return FixedTextAfter(steps, factor);
  if (floatFormat_ == TFloatFormat::Exponent) return ExponentTextAfter(steps, coarse, alt);
  return std::nullopt;
}

std::optional<QString> TNumberDrag::IntTextAfter(qint64 steps, int factor) const {
  qint64 value = Saturated(TWideInteger(steps) * IntIncrement() * factor + startInt_);
  if (rangeLimited_) value = ClampToLimits(value, LimitPart(min_, &TLimit::integer), LimitPart(max_, &TLimit::integer));
  return QString::number(value);
}

std::optional<QString> TNumberDrag::FixedTextAfter(qint64 steps, int factor) const {
  double value = double(steps) * increment_ * factor + startMantissa_;
  if (!std::isfinite(value)) return std::nullopt;
  if (rangeLimited_) value = ClampToLimits(value, LimitPart(min_, &TLimit::value), LimitPart(max_, &TLimit::value));
  return FormatFloat(value, TFloatFormat::Fixed, floatPrecision_, floatDigits_);
}

std::optional<QString> TNumberDrag::ExponentTextAfter(qint64 steps, int coarse, bool alt) const {
  double mantissa = startMantissa_;
  qint64 exponent = startExponent_;
  if (alt)
    exponent = std::clamp(exponent + steps, -kExponentBound, kExponentBound);
  else
    mantissa += double(steps) * increment_ * coarse;
  if (!std::isfinite(mantissa)) return std::nullopt;
  if (rangeLimited_ && OutOfRange(mantissa == 0 ? 0 : mantissa * std::pow(10.0, double(exponent)))) return std::nullopt;
  const QString exponentSign = exponent >= 0 ? QStringLiteral("E+") : QStringLiteral("E");
  return FormatPlainFixed(mantissa, kMantissaPrecision, floatDigits_) + exponentSign + QString::number(exponent);
}

bool TNumberDrag::OutOfRange(double value) const {
  return (min_ && value < min_->value) || (max_ && value > max_->value);
}

}  // namespace orvana::ui
