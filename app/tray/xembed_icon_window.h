#pragma once
// One icon's own X window: named and classed as the program, with the
// XEmbed info and a minimum size a tray honours, docked into a tray by
// request, and painted with the icon's picture on demand.
#include <xcb/xcb.h>

#include <QIcon>
#include <QSize>

#include "app/tray/xembed_atoms.h"
#include "app/tray/xembed_window_format.h"

namespace orvana::app {

class TXEmbedIconWindow {
 public:
  static constexpr int kMinimumSize = 22;

  // An unmapped top-level window; the tray maps it once it embeds it.
  TXEmbedIconWindow(xcb_connection_t* connection, const xcb_screen_t* screen, const TXEmbedWindowFormat& format,
                    const TXEmbedAtoms& atoms);
  // Destroys the window unless Forget() said it is gone already.
  ~TXEmbedIconWindow();
  TXEmbedIconWindow(const TXEmbedIconWindow&) = delete;
  TXEmbedIconWindow& operator=(const TXEmbedIconWindow&) = delete;

  xcb_window_t Id() const { return window_; }
  void RequestDock(xcb_window_t trayOwner) const;
  void Resized(QSize size) { size_ = size; }
  // Draws `icon` centred; `clearFirst` when the window already shows an
  // older picture (an Expose has cleared it already).
  void Paint(const QIcon& icon, bool clearFirst) const;
  // The server destroyed the window (its tray took it down).
  void Forget() { window_ = XCB_NONE; }
  // The connection itself is gone: nothing is left to free on the server.
  void Abandon() { window_ = XCB_NONE; colormap_ = XCB_NONE; }

 private:
  xcb_connection_t* connection_;
  TXEmbedWindowFormat format_;
  xcb_atom_t trayOpcode_;
  xcb_window_t window_ = XCB_NONE;
  xcb_colormap_t colormap_ = XCB_NONE;  // ours, for a visual that is not the screen's
  QSize size_{kMinimumSize, kMinimumSize};
};

}  // namespace orvana::app
