#pragma once
// Raw X button presses and releases on a tray icon as the shell's icon
// messages: down, up, and a double click in place of the second down when the
// same button comes again soon and near. The third press of a quick triple is
// a plain down again, and the middle button never double-clicks. The wheel's
// buttons are never clicks.
#include <QPoint>
#include <cstdint>
#include <optional>

#include "app/tray/tray_icon_host.h"

namespace orvana::app {

// The X buttons of the vertical wheel as notches: 4 is one up (+1), 5 one
// down (-1); any other button is none (0).
int WheelNotches(int button);

class TXEmbedButtonTranslator {
 public:
  // `intervalMs`: the double-click time; `distance`: how far (each axis) the
  // second press may be from the first.
  TXEmbedButtonTranslator(std::uint32_t intervalMs, int distance) : intervalMs_(intervalMs), distance_(distance) {}

  // `button` is the X button number (1 left, 2 middle, 3 right; the wheel's
  // 4 to 7 and others give nothing); `timeMs` the event's server time, which
  // wraps around.
  std::optional<TTrayMessage> Press(int button, std::uint32_t timeMs, QPoint screenPos);
  std::optional<TTrayMessage> Release(int button) const;
  // Forgets the last press: the next one is a down whatever its time.
  void Reset() { hasLast_ = false; }

 private:
  std::uint32_t intervalMs_;
  int distance_;
  bool hasLast_ = false;
  int lastButton_ = 0;
  std::uint32_t lastTimeMs_ = 0;
  QPoint lastPos_;
};

}  // namespace orvana::app
