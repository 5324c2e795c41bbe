#include "app/tray/notify_window.h"

namespace orvana::app {

TTrayHosts DesktopTrayHosts() { return {}; }

}  // namespace orvana::app
