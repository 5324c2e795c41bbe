#pragma once
// TGainSlider: a slider over a gain in tenths of a dB, some tenths a step,
// with its value in its tip and in a label of its own for the window to
// place. Up is louder.
#include <QSlider>
#include <QString>

class QLabel;

namespace orvana::app {

// "+1.2 dB", "0.0 dB", "-12.0 dB".
QString GainText(int tenths);

class TGainSlider : public QSlider {
  Q_OBJECT

 public:
  TGainSlider(Qt::Orientation orientation, int limitTenths, int stepTenths, QWidget* parent);

  int Tenths() const { return value() * stepTenths_; }
  // Shows `tenths` at the nearest step, halves away from zero, without
  // announcing it.
  void ShowTenths(int tenths);
  QLabel* ValueLabel() const { return valueLabel_; }

 signals:
  // The user moved the slider (each step while it is dragged).
  void tenthsChanged(int tenths);

 private:
  void ShowValue();

  int stepTenths_;
  QLabel* valueLabel_;
};

}  // namespace orvana::app
