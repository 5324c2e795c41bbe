#pragma once
// The desktop program as the player's host: the player's main-thread queue
// is pumped from the Qt event loop as soon as a worker posts (nothing polls),
// its exceptions are shown in a message box over the window, and a player
// that waits for its messages keeps the event loop running.
#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QWidget>

#include "player/mp3_player.h"

namespace orvana::app {

class TPlayerHost : public QObject {
  Q_OBJECT

 public:
  TPlayerHost(player::TMP3Player& player, QWidget* window);
  ~TPlayerHost() override;

 private:
  player::TMP3Player& player_;
  QPointer<QWidget> window_;
  QSocketNotifier notifier_;
};

// The program's error display: a message box titled "Orvana" over `window`.
void ShowErrorMessage(QWidget* window, const QString& text);

}  // namespace orvana::app
