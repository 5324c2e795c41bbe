#pragma once
// Texts as the find box compares them: compatibility forms composed (NFKC:
// full-width Latin to half-width, half-width kana to full-width with their
// voiced marks joined), case folded, and hiragana read as katakana, so that
// "ｵﾙｶﾞﾝ", "オルガン" and "おるがん" are one text.
#include <QString>
#include <QStringList>

namespace orvana::app {

QString FoldForSearch(const QString& text);

// The folded words of a typed query; blanks of either width separate them.
QStringList FoldedWords(const QString& query);

}  // namespace orvana::app
