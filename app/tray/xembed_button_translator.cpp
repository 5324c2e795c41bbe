#include "app/tray/xembed_button_translator.h"

#include <cstdlib>

namespace orvana::app {

int WheelNotches(int button) { return button == 4 ? 1 : button == 5 ? -1 : 0; }

std::optional<TTrayMessage> TXEmbedButtonTranslator::Press(int button, std::uint32_t timeMs, QPoint screenPos) {
  TTrayMessage down;
  TTrayMessage doubleClick;
  switch (button) {
    case 1:
      down = TTrayMessage::kLeftDown;
      doubleClick = TTrayMessage::kLeftDoubleClick;
      break;
    case 3:
      down = TTrayMessage::kRightDown;
      doubleClick = TTrayMessage::kRightDoubleClick;
      break;
    case 2:
      down = doubleClick = TTrayMessage::kMiddleDown;
      break;
    default:
      return std::nullopt;
  }
  // Unsigned difference: right across the server clock's wrap-around.
  const bool isDouble = hasLast_ && button == lastButton_ && button != 2 && timeMs - lastTimeMs_ <= intervalMs_ &&
                        std::abs(screenPos.x() - lastPos_.x()) <= distance_ &&
                        std::abs(screenPos.y() - lastPos_.y()) <= distance_;
  if (isDouble) {
    hasLast_ = false;  // a third press starts a new click
    return doubleClick;
  }
  hasLast_ = true;
  lastButton_ = button;
  lastTimeMs_ = timeMs;
  lastPos_ = screenPos;
  return down;
}

std::optional<TTrayMessage> TXEmbedButtonTranslator::Release(int button) const {
  switch (button) {
    case 1:
      return TTrayMessage::kLeftUp;
    case 3:
      return TTrayMessage::kRightUp;
    case 2:
      return TTrayMessage::kMiddleUp;
    default:
      return std::nullopt;
  }
}

}  // namespace orvana::app
