#include "app/tray/wheel_notches.h"

namespace orvana::app {

int TWheelNotches::Add(int delta) {
  if (delta == 0) return 0;
  if (delta != 1 && delta != -1) inUnits_ = true;
  if (!inUnits_) return delta;
  if ((remainder_ < 0) != (delta < 0)) remainder_ = 0;
  // In 64 bits: a host may send any 32-bit value.
  const long long total = remainder_ + delta;
  remainder_ = total % kUnitsPerNotch;
  return static_cast<int>(total / kUnitsPerNotch);
}

}  // namespace orvana::app
