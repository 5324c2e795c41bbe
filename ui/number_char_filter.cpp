#include "ui/number_char_filter.h"

#include <algorithm>

namespace orvana::ui {
namespace {

bool IsExponentLetter(QChar c) { return c == QLatin1Char('E') || c == QLatin1Char('e'); }

bool IsSign(QChar c) { return c == QLatin1Char('+') || c == QLatin1Char('-'); }

bool IsControlChar(QChar c, bool enabled) {
  if (c == QLatin1Char('\r')) return false;
  return enabled || c != QLatin1Char('\b');
}

bool FloatPunctuationFits(QChar c, TFloatFormat format, const QString& kept, int caret) {
  const bool exponentForm = format == TFloatFormat::Exponent;
  if (exponentForm || format == TFloatFormat::Fixed) {
    if (c == QLatin1Char('.')) return !kept.contains(QLatin1Char('.'));
  }
  if (!exponentForm) return false;
  if (IsExponentLetter(c)) return !kept.contains(QLatin1Char('E'), Qt::CaseInsensitive);
  return IsSign(c) && caret > 0 && IsExponentLetter(kept[caret - 1]);
}

}  // namespace

bool IsNumberChar(QChar c, const TNumberInput& input) {
  if (c.category() == QChar::Other_Control) return IsControlChar(c, input.enabled);
  if (!input.enabled) return false;
  if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) return true;

  const int size = int(input.text.size());
  const int caret = std::clamp(input.selectionStart, 0, size);
  const int replaced = std::clamp(input.selectionLength, 0, size - caret);
  const QString kept = QString(input.text).remove(caret, replaced);
  if (IsSign(c) && caret == 0) return true;
  return input.valueType == TValueType::Float && FloatPunctuationFits(c, input.floatFormat, kept, caret);
}

}  // namespace orvana::ui
