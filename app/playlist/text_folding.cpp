#include "app/playlist/text_folding.h"

namespace orvana::app {
namespace {

constexpr char16_t kFirstHiragana = u'\u3041';    // ぁ
constexpr char16_t kLastHiragana = u'\u3096';     // ゖ
constexpr char16_t kHiraganaRepeat = u'\u309D';   // ゝ
constexpr char16_t kHiraganaRepeatVoiced = u'\u309E';  // ゞ
constexpr char16_t kKatakanaOffset = u'\u30A1' - u'\u3041';

}  // namespace

QString FoldForSearch(const QString& text) {
  QString folded = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
  for (QChar& c : folded) {
    const char16_t unit = c.unicode();
    if ((unit >= kFirstHiragana && unit <= kLastHiragana) || unit == kHiraganaRepeat || unit == kHiraganaRepeatVoiced)
      c = QChar(char16_t(unit + kKatakanaOffset));
  }
  return folded;
}

QStringList FoldedWords(const QString& query) {
  // Any blank separates, the full-width one and tabs too.
  QStringList words;
  const QString folded = FoldForSearch(query);
  qsizetype start = 0;
  for (qsizetype at = 0; at <= folded.size(); ++at) {
    if (at < folded.size() && !folded.at(at).isSpace()) continue;
    if (at > start) words.append(folded.mid(start, at - start));
    start = at + 1;
  }
  return words;
}

}  // namespace orvana::app
