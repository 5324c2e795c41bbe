#pragma once
// Sleep mode and the wake-up timer: actSleep and actWakeup arm and disarm
// them through TdlgWakeup; their minute timers (timSleep, Timer1) tick from
// the moment they are armed. Stopping, playing and exiting go through the
// actions, as any other command would.
#include <QObject>
#include <QTime>
#include <functional>

#include "app/actions/action_list.h"
#include "app/window/main_window_state.h"
#include "ui/dialog_runner.h"

class QTimer;
class QWidget;

namespace orvana::app {

class TTimedFunctions : public QObject {
  Q_OBJECT

 public:
  using Clock = std::function<QTime()>;

  static constexpr int kTickMs = 60000;

  // `run` is read at each use, so the owner may replace its runner later.
  TTimedFunctions(TActionList& actions, TMainWindowState& state, QTimer& timSleep, QTimer& Timer1,
                  QWidget& dialogOwner, const ui::TDialogRunner& run, QObject* parent);

  // The local time of day; tests set their own.
  void SetClock(Clock clock) { clock_ = std::move(clock); }

  void Sleep();      // actSleep
  void SleepTick();  // timSleep
  void Wakeup();     // actWakeup
  void WakeupTick(); // Timer1

 private:
  void Arm(TActionId id, QTimer& timer, const char* caption);
  void Disarm(TActionId id, QTimer& timer, const char* caption);

  TActionList& actions_;
  TMainWindowState& state_;
  QTimer& timSleep_;
  QTimer& Timer1_;
  QWidget& dialogOwner_;
  const ui::TDialogRunner& run_;
  Clock clock_;
};

}  // namespace orvana::app
