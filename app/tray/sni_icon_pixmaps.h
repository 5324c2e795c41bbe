#pragma once
// An icon as the pictures a StatusNotifierItem host picks from: every size a
// panel commonly draws, so none has to scale a picture it was not given.
#include <QIcon>
#include <QImage>

#include "app/tray/sni_dbus_types.h"

namespace orvana::app {

inline constexpr int kSniIconSizes[] = {16, 22, 24, 32, 48};

// One picture of `image` exactly size × size: scaled to fit, kept in
// proportion and centred on a transparent square.
TSniPixmap SniPixmapFromImage(const QImage& image, int size);

// All of kSniIconSizes; empty for a null icon.
TSniPixmapList SniIconPixmaps(const QIcon& icon);

}  // namespace orvana::app
