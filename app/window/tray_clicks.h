#pragma once
// Counts the clicks on the tray icon: single, double and triple clicks of
// the left and the right button each run one of the click functions. The
// wait starts at the first counted release; when it ends the clicks are
// answered with a beep per click (modulo 4, 80 ms apart) and the function
// of the button and count runs.
#include <QObject>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>

#include "app/settings/program_settings.h"

namespace orvana::app {

class TTrayClicks : public QObject {
  Q_OBJECT

 public:
  using TFunctions = std::array<std::uint8_t, kClickFunctionSlots>;
  using TBeep = std::function<void()>;
  using TRunFunction = std::function<void(int function)>;

  // `timClick`'s interval is the click wait; `functions` are read when the
  // wait ends, so a change made meanwhile counts.
  TTrayClicks(QTimer& timClick, const TFunctions& functions, TBeep beep, TRunFunction run, QObject* parent = nullptr);

  void MouseDown(Qt::MouseButton button);
  void MouseUp(Qt::MouseButton button);
  // timClick fired.
  void WaitEnded();

  int ClickCount() const { return clickCount_; }

 private:
  void BeepTimes(int times);

  QTimer& timClick_;
  const TFunctions& functions_;
  TBeep beep_;
  TRunFunction run_;
  bool leftDown_ = false;
  bool rightDown_ = false;
  std::uint8_t clickCount_ = 0;
};

}  // namespace orvana::app
