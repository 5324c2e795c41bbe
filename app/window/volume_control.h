#pragma once
// The program's volume is the player's: the tool bar's slider shows it, and
// the slider, the tray icon's wheel and the media controls change it. A
// change reaches the player at once and is announced once, whoever made it;
// the slider follows without answering with a change of its own.
#include <QObject>

#include "player/mp3_player.h"

class QSlider;

namespace orvana::app {

class TVolumeControl : public QObject {
  Q_OBJECT

 public:
  TVolumeControl(player::TMP3Player& player, QSlider& slider, QObject* parent = nullptr);

  int Volume() const { return player_.Volume(); }
  // Held within 0..100.
  void Set(int volume);
  // `notches` of the wheel, up louder.
  void Wheel(int notches);

 signals:
  void changed(int volume);

 private:
  void Show(int volume);

  player::TMP3Player& player_;
  QSlider& slider_;
};

}  // namespace orvana::app
