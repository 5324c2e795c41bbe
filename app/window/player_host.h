#pragma once
// The desktop program as the player's host: the player's main-thread queue
// is pumped from the Qt event loop as soon as a worker posts (nothing polls),
// its exceptions are shown in a message box over the window, and a player
// that waits for its messages keeps the event loop running.
#include <QObject>
#include <functional>
#include <QSocketNotifier>

#include "player/mp3_player.h"

namespace orvana::app {

class TPlayerHost : public QObject {
  Q_OBJECT

 public:
  using Display = std::function<void(const QString& text)>;

  // `display` shows the player's errors on this object's thread.
  TPlayerHost(player::TMP3Player& player, Display display, QObject* parent);
  ~TPlayerHost() override;

 private:
  player::TMP3Player& player_;
  Display display_;
  QSocketNotifier notifier_;
};

// The program's error display: a message box titled "Orvana" over `window`.
void ShowErrorMessage(QWidget* window, const QString& text);

}  // namespace orvana::app
