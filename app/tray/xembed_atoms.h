#pragma once
// The X atoms the XEmbed tray speaks, interned once per host.
#include <xcb/xcb.h>

namespace orvana::app {

struct TXEmbedAtoms {
  xcb_atom_t trayOpcode = XCB_NONE;    // _NET_SYSTEM_TRAY_OPCODE
  xcb_atom_t traySelection = XCB_NONE; // _NET_SYSTEM_TRAY_S<screen>
  xcb_atom_t trayVisual = XCB_NONE;    // _NET_SYSTEM_TRAY_VISUAL
  xcb_atom_t manager = XCB_NONE;       // MANAGER
  xcb_atom_t xembedInfo = XCB_NONE;    // _XEMBED_INFO
  xcb_atom_t netWmName = XCB_NONE;     // _NET_WM_NAME
  xcb_atom_t utf8String = XCB_NONE;    // UTF8_STRING

  // False when the server answered none of them (a broken connection).
  bool Intern(xcb_connection_t* connection, int screenNumber);
};

}  // namespace orvana::app
