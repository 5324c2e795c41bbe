#pragma once
// Numbers to text and back for the numeric edits. Always '.' as the decimal
// point and ',' between thousands, whatever the locale, so that a text the
// edit writes reads back to the same number.
#include <QString>
#include <QtGlobal>
#include <optional>

#include "ui/drag_edit_types.h"

namespace orvana::ui {

// Significant digits beyond this are noise in a double.
constexpr int kMaxFloatPrecision = 17;
constexpr int kMaxFloatDigits = 18;

// `precision` is the number of significant digits (1..17). `digits` is the
// number of decimals for Fixed, Number and Currency (0..18) and the least
// number of exponent digits for General and Exponent (0..4). Fixed, Number and
// Currency fall back to General when the integer part has more digits than
// `precision`. Infinities and NaN come out as "INF", "-INF" and "NAN".
QString FormatFloat(double value, TFloatFormat format, int precision, int digits,
                    const QString& currencySymbol = QString());

// Rounded to `precision` significant digits, then written with exactly
// `digits` decimals and never in scientific form, however large.
QString FormatPlainFixed(double value, int precision, int digits);

// Surrounding blanks are allowed; anything else that is not a whole decimal
// number, or is out of range or not finite, gives nothing.
std::optional<qint64> ParseInteger(const QString& text);
std::optional<double> ParseFloat(const QString& text);

}  // namespace orvana::ui
