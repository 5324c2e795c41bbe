#include "app/window/volume_level.h"

#include <QCoreApplication>
#include <algorithm>

namespace orvana::app {

int ClampVolume(long long volume) { return int(std::clamp<long long>(volume, kSilentVolume, kFullVolume)); }

int VolumeAfterNotches(int volume, int notches) {
  // In 64 bits: any number of notches, however large, stops at an end.
  return ClampVolume(static_cast<long long>(volume) + static_cast<long long>(notches) * kVolumePerNotch);
}

std::string VolumeText(int volume) {
  return QCoreApplication::translate("Window", "音量: %1").arg(volume).toStdString();
}

}  // namespace orvana::app
