#include "app/dialogs/gain_slider.h"

#include <QLabel>
#include <QSignalBlocker>
#include <algorithm>
#include <cstdlib>

namespace orvana::app {
namespace {

int NearestStep(int tenths, int stepTenths) {
  const int steps = tenths / stepTenths;
  const int rest = tenths % stepTenths;
  if (2 * std::abs(rest) < stepTenths) return steps;
  return rest > 0 ? steps + 1 : steps - 1;
}

}  // namespace

QString GainText(int tenths) {
  const QString sign = tenths > 0 ? QStringLiteral("+") : tenths < 0 ? QStringLiteral("-") : QString();
  const int magnitude = std::abs(tenths);
  return QStringLiteral("%1%2.%3 dB").arg(sign).arg(magnitude / 10).arg(magnitude % 10);
}

TGainSlider::TGainSlider(Qt::Orientation orientation, int limitTenths, int stepTenths, QWidget* parent)
    : QSlider(orientation, parent), stepTenths_(stepTenths), valueLabel_(new QLabel(parent)) {
  const int limit = limitTenths / stepTenths;
  setRange(-limit, limit);
  setSingleStep(1);
  setPageStep(NearestStep(10, stepTenths));  // 1 dB
  setTickPosition(orientation == Qt::Vertical ? QSlider::TicksBothSides : QSlider::TicksBelow);
  setTickInterval(limit);
  // Wide enough for the widest value, so that the layout never jumps.
  valueLabel_->setAlignment(Qt::AlignCenter);
  int widest = 0;
  for (const int end : {-limitTenths, limitTenths}) {
    valueLabel_->setText(GainText(end));
    widest = std::max(widest, valueLabel_->sizeHint().width());
  }
  valueLabel_->setMinimumWidth(widest);
  connect(this, &QSlider::valueChanged, this, [this] {
    ShowValue();
    emit tenthsChanged(Tenths());
  });
  ShowValue();
}

void TGainSlider::ShowTenths(int tenths) {
  const QSignalBlocker quiet(this);
  setValue(NearestStep(tenths, stepTenths_));
  ShowValue();
}

void TGainSlider::ShowValue() {
  const QString text = GainText(Tenths());
  valueLabel_->setText(text);
  setToolTip(text);
}

}  // namespace orvana::app
