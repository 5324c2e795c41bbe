#include "app/tray/xembed_atoms.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace orvana::app {

bool TXEmbedAtoms::Intern(xcb_connection_t* connection, int screenNumber) {
  const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(screenNumber);
  struct TName {
    const char* name;
    xcb_atom_t* atom;
  };
  const TName names[] = {{"_NET_SYSTEM_TRAY_OPCODE", &trayOpcode}, {selection.c_str(), &traySelection},
                         {"_NET_SYSTEM_TRAY_VISUAL", &trayVisual},  {"MANAGER", &manager},
                         {"_XEMBED_INFO", &xembedInfo},             {"_NET_WM_NAME", &netWmName},
                         {"UTF8_STRING", &utf8String}};
  // All requests first, then the answers: one round trip instead of seven.
  xcb_intern_atom_cookie_t cookies[std::size(names)];
  for (std::size_t i = 0; i < std::size(names); ++i)
    cookies[i] = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(names[i].name)), names[i].name);
  bool all = true;
  for (std::size_t i = 0; i < std::size(names); ++i) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[i], nullptr);
    *names[i].atom = reply != nullptr ? reply->atom : XCB_NONE;
    all = all && reply != nullptr;
    std::free(reply);
  }
  return all;
}

}  // namespace orvana::app
