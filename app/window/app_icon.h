#pragma once
// The program's icon: a black disc, painted for each size it is shown at so
// that it stays sharp from 16 to 256 pixels.
#include <QIcon>
#include <QPixmap>

namespace orvana::app {

QPixmap BlackDisc(int size);
QIcon ApplicationIcon();

}  // namespace orvana::app
