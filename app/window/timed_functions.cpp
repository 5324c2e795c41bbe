#include "app/window/timed_functions.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QTimer>
#include <algorithm>

#include "app/dialogs/wakeup_dialog.h"

namespace orvana::app {
namespace {

constexpr const char* kSleepCaption = QT_TRANSLATE_NOOP("Actions", "おやすみモード");
constexpr const char* kSleepArmedCaption = QT_TRANSLATE_NOOP("Actions", "おやすみモード解除");
constexpr const char* kWakeupCaption = QT_TRANSLATE_NOOP("Actions", "おはようタイマー");
constexpr const char* kWakeupArmedCaption = QT_TRANSLATE_NOOP("Actions", "おはようタイマーの解除");

}  // namespace

TTimedFunctions::TTimedFunctions(TActionList& actions, TMainWindowState& state, QTimer& timSleep, QTimer& Timer1,
                                 QWidget& dialogOwner, const ui::TDialogRunner& run, QObject* parent)
    : QObject(parent),
      actions_(actions),
      state_(state),
      timSleep_(timSleep),
      Timer1_(Timer1),
      dialogOwner_(dialogOwner),
      run_(run),
      clock_([] { return QTime::currentTime(); }) {
  for (QTimer* timer : {&timSleep_, &Timer1_}) timer->setInterval(kTickMs);
  connect(&timSleep_, &QTimer::timeout, this, &TTimedFunctions::SleepTick);
  connect(&Timer1_, &QTimer::timeout, this, &TTimedFunctions::WakeupTick);
}

void TTimedFunctions::Arm(TActionId id, QTimer& timer, const char* caption) {
  timer.start();  // the first tick a whole minute from now
  actions_[id].SetCaption(QCoreApplication::translate("Actions", caption));
  actions_[id].SetChecked(true);
}

void TTimedFunctions::Disarm(TActionId id, QTimer& timer, const char* caption) {
  actions_[id].SetCaption(QCoreApplication::translate("Actions", caption));
  actions_[id].SetChecked(false);
  timer.stop();
}

void TTimedFunctions::Sleep() {
  if (actions_[aiSleep].Checked()) {
    Disarm(aiSleep, timSleep_, kSleepCaption);
    return;
  }
  TdlgWakeup dialog(&dialogOwner_);
  dialog.SetMode(TWakeupDialogMode::Sleep);
  // Every time from half an hour, whatever ran last.
  dialog.cmbHour->setCurrentText(QStringLiteral("0"));
  dialog.cmbMin->setCurrentText(QStringLiteral("30"));
  dialog.chkExit->setChecked(state_.exitWhenSleep);
  if (run_(dialog) != QDialog::Accepted) return;
  state_.sleepMinutesLeft = dialog.Hours() * 60 + dialog.Minutes();
  state_.exitWhenSleep = dialog.chkExit->isChecked();
  Arm(aiSleep, timSleep_, kSleepArmedCaption);
}

void TTimedFunctions::SleepTick() {
  if (--state_.sleepMinutesLeft > 0) return;
  actions_[aiStop].Execute();
  if (state_.exitWhenSleep) {
    Disarm(aiSleep, timSleep_, kSleepCaption);
    actions_[aiExit].Execute();
  } else {
    actions_[aiSleep].Execute();
  }
}

void TTimedFunctions::Wakeup() {
  if (actions_[aiWakeup].Checked()) {
    Disarm(aiWakeup, Timer1_, kWakeupCaption);
    return;
  }
  TdlgWakeup dialog(&dialogOwner_);
  dialog.SetMode(TWakeupDialogMode::Wakeup);
  // An hour beyond the list (a hand-edited file) shows as 0 rather than as
  // nothing, so OK never arms a time that cannot come.
  dialog.cmbHour->setCurrentIndex(state_.wakeupHour < dialog.cmbHour->count() ? state_.wakeupHour : 0);
  // A stored minute off the five-minute steps selects nothing.
  dialog.cmbMin->setCurrentIndex(dialog.cmbMin->findText(QString::number(state_.wakeupMin)));
  if (run_(dialog) != QDialog::Accepted) return;
  state_.wakeupHour = std::uint8_t(std::max(dialog.cmbHour->currentIndex(), 0));
  state_.wakeupMin = std::uint8_t(dialog.Minutes());
  Arm(aiWakeup, Timer1_, kWakeupArmedCaption);
}

void TTimedFunctions::WakeupTick() {
  const QTime now = clock_();
  if (now.hour() != state_.wakeupHour || now.minute() != state_.wakeupMin) return;
  actions_[aiPlay].Execute();
  actions_[aiWakeup].Execute();
}

}  // namespace orvana::app
