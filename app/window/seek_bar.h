#pragma once
// ProgressBar1: the song's position, and a seek bar: a press anywhere on it
// asks for the position under the cursor.
#include <QProgressBar>
#include <cstdint>

namespace orvana::app {

// The position under pixel `x` of a bar `width` pixels wide that runs from 0
// to `maximum`; the product is taken in 64 bits.
std::int64_t PositionAt(int x, int width, std::int64_t maximum);

class TSeekBar : public QProgressBar {
  Q_OBJECT

 public:
  explicit TSeekBar(QWidget* parent = nullptr);

  // The range 0..length in milliseconds. A bar without a length would show
  // Qt's busy animation, which wakes the program many times a second.
  void SetLength(std::int64_t lengthMs);
  // Clamped to the range: Qt ignores values outside it.
  void SetPosition(std::int64_t positionMs);

 signals:
  void pressedAt(int x);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace orvana::app
