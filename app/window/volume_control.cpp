#include "app/window/volume_control.h"

#include <QSignalBlocker>
#include <QSlider>

#include "app/window/volume_level.h"

namespace orvana::app {

TVolumeControl::TVolumeControl(player::TMP3Player& player, QSlider& slider, QObject* parent)
    : QObject(parent), player_(player), slider_(slider) {
  Show(player_.Volume());
  connect(&slider_, &QSlider::valueChanged, this, &TVolumeControl::Set);
}

void TVolumeControl::Set(int volume) {
  volume = ClampVolume(volume);
  const bool differs = volume != player_.Volume();
  player_.SetVolume(volume);
  Show(volume);
  if (differs) emit changed(volume);
}

void TVolumeControl::Wheel(int notches) { Set(VolumeAfterNotches(Volume(), notches)); }

void TVolumeControl::Show(int volume) {
  const QSignalBlocker quiet(slider_);
  slider_.setValue(volume);
  slider_.setToolTip(QString::fromStdString(VolumeText(volume)));
}

}  // namespace orvana::app
