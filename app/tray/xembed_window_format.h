#pragma once
// The visual, depth and pixel layout of the icon windows for one tray: the
// tray's own visual when it asks for one with alpha (a compositing tray),
// otherwise the screen's, over the tray's background.
#include <xcb/xcb.h>

#include "app/tray/xembed_image.h"

namespace orvana::app {

struct TXEmbedWindowFormat {
  xcb_visualid_t visual = 0;
  std::uint8_t depth = 0;
  bool alpha = false;
  TXEmbedPixelLayout layout;
};

// The _NET_SYSTEM_TRAY_VISUAL of the tray's owner window; 0 when it has none.
xcb_visualid_t XEmbedTrayVisual(xcb_connection_t* connection, xcb_window_t owner, xcb_atom_t trayVisualAtom);
TXEmbedWindowFormat XEmbedWindowFormat(const xcb_setup_t* setup, const xcb_screen_t* screen, xcb_visualid_t trayVisual);

}  // namespace orvana::app
