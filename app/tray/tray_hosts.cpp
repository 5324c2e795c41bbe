#include "app/tray/notify_window.h"
#include "app/tray/sni_tray_host.h"
#include "app/tray/xembed_tray_host.h"

namespace orvana::app {

// A StatusNotifierItem host is asked first: it is how today's panels show
// icons, and the only way on Wayland.
TTrayHosts DesktopTrayHosts() {
  TTrayHosts hosts;
  hosts.push_back(std::make_unique<TSniTrayHost>());
  hosts.push_back(std::make_unique<TXEmbedTrayHost>());
  return hosts;
}

}  // namespace orvana::app
