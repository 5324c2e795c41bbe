#pragma once
// Images the program knows to be PNGs, read as such. Left to guess, Qt asks
// every installed image plugin (JPEG, GIF, SVG, ICO...) whether it can read
// the file first, loading them all and the libraries behind them.
#include <QIcon>
#include <QString>

namespace orvana::app {

// Null when the file is missing or no PNG.
QPixmap PngPixmap(const QString& path);

// One icon of every file that reads; the icon picks the size it is drawn at.
QIcon PngIcon(std::initializer_list<QString> paths);

}  // namespace orvana::app
