#pragma once
// TResponseCurveView: the gain the player applies across 20 Hz to 20 kHz on
// a logarithmic axis, preamp included, over a 0 dB line; drawn pale while
// the equalizer is off.
#include <QWidget>

#include "app/equalizer/equalizer_response.h"

namespace orvana::app {

class TResponseCurveView : public QWidget {
  Q_OBJECT

 public:
  explicit TResponseCurveView(QWidget* parent = nullptr);

  void ShowCurve(const TEqualizerCurve& curve, bool enabled);
  // The frequency at pixel column `x` of the drawing's width.
  static double FrequencyAt(int x, int width);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The dB the height spans either side of 0 dB: ±12, or more for a curve
  // that goes beyond.
  double Span() const;

  TEqualizerResponse response_;
  TEqualizerCurve curve_;
  bool enabled_ = false;
};

}  // namespace orvana::app
