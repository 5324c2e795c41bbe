#include "ui/number_text.h"

#include <algorithm>
#include <cmath>

namespace orvana::ui {
namespace {

constexpr int kMaxExponentDigits = 4;

// |value| = 0.d1d2d3... × 10^point, without trailing zeros in `digits`; no
// digits means zero.
struct TDecimal {
  bool negative = false;
  QString digits;
  int point = 0;
};

void DropTrailingZeros(TDecimal& decimal) {
  qsizetype size = decimal.digits.size();
  while (size > 0 && decimal.digits[size - 1] == QLatin1Char('0')) --size;
  decimal.digits.truncate(size);
  if (decimal.digits.isEmpty()) decimal = TDecimal();
}

TDecimal ToDecimal(double value, int significant) {
  TDecimal decimal;
  if (value == 0) return decimal;
  // "d.ddde+XX" is correctly rounded by Qt; the rest is moving the point.
  const QString scientific = QString::number(std::fabs(value), 'e', significant - 1);
  const qsizetype e = scientific.indexOf(QLatin1Char('e'));
  decimal.negative = value < 0;
  decimal.digits = scientific.left(e).remove(QLatin1Char('.'));
  decimal.point = scientific.mid(e + 1).toInt() + 1;
  DropTrailingZeros(decimal);
  return decimal;
}

// Half away from zero, on the decimal digits themselves.
TDecimal RoundToDecimals(TDecimal decimal, int decimals) {
  const qsizetype keep = qsizetype(decimal.point) + decimals;
  if (keep >= decimal.digits.size()) return decimal;
  if (keep < 0) return TDecimal();
  const bool up = decimal.digits[keep] >= QLatin1Char('5');
  decimal.digits.truncate(keep);
  if (up) {
    qsizetype i = keep - 1;
    for (; i >= 0 && decimal.digits[i] == QLatin1Char('9'); --i) decimal.digits[i] = QLatin1Char('0');
    if (i < 0) {
      decimal.digits.prepend(QLatin1Char('1'));
      ++decimal.point;
    } else {
      decimal.digits[i] = QChar(decimal.digits[i].unicode() + 1);
    }
  }
  DropTrailingZeros(decimal);
  return decimal;
}

QString Sign(const TDecimal& decimal) { return decimal.negative ? QStringLiteral("-") : QString(); }

QString IntegerPart(const TDecimal& decimal) {
  if (decimal.point <= 0) return QStringLiteral("0");
  QString part = decimal.digits.left(decimal.point);
  return part + QString(decimal.point - part.size(), QLatin1Char('0'));
}

QString FractionPart(const TDecimal& decimal, int decimals) {
  QString part;
  for (int i = 0; i < decimals; ++i) {
    const qsizetype at = qsizetype(decimal.point) + i;
    part += at >= 0 && at < decimal.digits.size() ? decimal.digits[at] : QLatin1Char('0');
  }
  return part;
}

QString WithThousands(QString integer) {
  for (qsizetype at = integer.size() - 3; at > 0; at -= 3) integer.insert(at, QLatin1Char(','));
  return integer;
}

QString PointAndFraction(const TDecimal& decimal, int decimals) {
  return decimals > 0 ? QLatin1Char('.') + FractionPart(decimal, decimals) : QString();
}

QString ExponentText(int exponent, bool plusSign, int minDigits) {
  const QString sign = exponent < 0 ? QStringLiteral("-") : plusSign ? QStringLiteral("+") : QString();
  return QLatin1Char('E') + sign + QString::number(std::abs(exponent)).rightJustified(minDigits, QLatin1Char('0'));
}

// d.ddd with `decimals` digits after the point, the exponent after it.
QString ScientificText(const TDecimal& decimal, int decimals, bool plusSign, int minDigits) {
  const QString first = decimal.digits.isEmpty() ? QStringLiteral("0") : decimal.digits.left(1);
  TDecimal rest = decimal;
  rest.point = 1;
  const int exponent = decimal.digits.isEmpty() ? 0 : decimal.point - 1;
  return Sign(decimal) + first + PointAndFraction(rest, decimals) + ExponentText(exponent, plusSign, minDigits);
}

QString GeneralText(const TDecimal& decimal, int precision, int exponentDigits) {
  if (decimal.digits.isEmpty()) return QStringLiteral("0");
  const int significant = int(decimal.digits.size());
  if (decimal.point > precision || decimal.point < -3)
    return ScientificText(decimal, significant - 1, false, exponentDigits);
  return Sign(decimal) + IntegerPart(decimal) + PointAndFraction(decimal, std::max(0, significant - decimal.point));
}

QString NonFiniteText(double value) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

}  // namespace

QString FormatFloat(double value, TFloatFormat format, int precision, int digits, const QString& currencySymbol) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  precision = std::clamp(precision, 1, kMaxFloatPrecision);
  const int exponentDigits = std::clamp(digits, 0, kMaxExponentDigits);
  const TDecimal decimal = ToDecimal(value, precision);
  if (format == TFloatFormat::Exponent) return ScientificText(decimal, precision - 1, true, exponentDigits);
  if (format == TFloatFormat::General) return GeneralText(decimal, precision, exponentDigits);
  // Too long for fixed form; `digits` counts decimals here, not exponent digits.
  if (decimal.point > precision) return GeneralText(decimal, precision, 0);

  const int decimals = std::clamp(digits, 0, kMaxFloatDigits);
  const TDecimal rounded = RoundToDecimals(decimal, decimals);
  const QString fraction = PointAndFraction(rounded, decimals);
  switch (format) {
    case TFloatFormat::Number:
      return Sign(rounded) + WithThousands(IntegerPart(rounded)) + fraction;
    case TFloatFormat::Currency:
      return Sign(rounded) + currencySymbol + WithThousands(IntegerPart(rounded)) + fraction;
    default:
      return Sign(rounded) + IntegerPart(rounded) + fraction;
  }
}

QString FormatPlainFixed(double value, int precision, int digits) {
  if (!std::isfinite(value)) return NonFiniteText(value);
  const int decimals = std::clamp(digits, 0, kMaxFloatDigits);
  const TDecimal rounded = RoundToDecimals(ToDecimal(value, std::clamp(precision, 1, kMaxFloatPrecision)), decimals);
  return Sign(rounded) + IntegerPart(rounded) + PointAndFraction(rounded, decimals);
}

std::optional<qint64> ParseInteger(const QString& text) {
  bool ok = false;
  const qint64 value = text.trimmed().toLongLong(&ok, 10);
  if (!ok) return std::nullopt;
  return value;
}

std::optional<double> ParseFloat(const QString& text) {
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace orvana::ui
