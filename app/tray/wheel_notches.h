#pragma once
// Wheel turns on a tray icon as whole notches, up positive. Hosts of
// StatusNotifierItems report them in one of two units: Qt's angle delta
// (120 a notch, high-resolution wheels and touchpads sending parts of one)
// or ±1 a notch. ±1 is taken for a notch until a delta of another size shows
// the host counts in 120ths; from then on every delta is.
namespace orvana::app {

class TWheelNotches {
 public:
  static constexpr int kUnitsPerNotch = 120;

  // The whole notches `delta` completes with what earlier deltas left over;
  // the rest is kept for the next. A turn the other way drops what was left,
  // so that its first notch counts in full.
  int Add(int delta);

 private:
  bool inUnits_ = false;
  long long remainder_ = 0;
};

}  // namespace orvana::app
