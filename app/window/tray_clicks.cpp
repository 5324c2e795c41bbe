#include "app/window/tray_clicks.h"

namespace orvana::app {

namespace {

constexpr int kBeepGapMs = 80;
constexpr int kClicksPerButton = 3;

}  // namespace

TTrayClicks::TTrayClicks(QTimer& timClick, const TFunctions& functions, TBeep beep, TRunFunction run,
                         QObject* parent)
    : QObject(parent), timClick_(timClick), functions_(functions), beep_(std::move(beep)), run_(std::move(run)) {
  timClick_.setSingleShot(false);
  connect(&timClick_, &QTimer::timeout, this, &TTrayClicks::WaitEnded);
}

void TTrayClicks::MouseDown(Qt::MouseButton button) {
  leftDown_ = button == Qt::LeftButton;
  rightDown_ = button == Qt::RightButton;
}

void TTrayClicks::MouseUp(Qt::MouseButton button) {
  if ((leftDown_ && button == Qt::LeftButton) || (rightDown_ && button == Qt::RightButton)) {
    ++clickCount_;
    // A running wait goes on: it counts from the first release.
    if (!timClick_.isActive()) timClick_.start();
  }
}

void TTrayClicks::WaitEnded() {
  if (leftDown_ || rightDown_) BeepTimes(clickCount_ % 4);
  timClick_.stop();
  const int count = clickCount_;
  const bool right = rightDown_;
  clickCount_ = 0;
  leftDown_ = false;
  rightDown_ = false;
  // Four clicks or more within one wait run nothing.
  if (count >= 1 && count <= kClicksPerButton) run_(functions_[std::size_t(kClicksPerButton * (right ? 1 : 0) + count - 1)]);
}

// The first beep at once, the others from timers: the function need not
// wait for them.
void TTrayClicks::BeepTimes(int times) {
  if (times <= 0) return;
  beep_();
  for (int beep = 1; beep < times; ++beep) QTimer::singleShot(beep * kBeepGapMs, this, [this] { beep_(); });
}

}  // namespace orvana::app
