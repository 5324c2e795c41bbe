#pragma once
// The XEmbed system tray (freedesktop system tray protocol) on X11: each
// icon is a small window of its own that the tray embeds, and the raw
// presses, releases and moves on it become the icon messages, and the
// wheel's buttons its notches. Follows the
// tray's owner: a tray that starts later gets every kept icon docked, a tray
// that goes away makes the host unavailable until the next one.
//
// Lives on the GUI thread and must go before the QGuiApplication does.
// Without an X11 connection (Wayland, offscreen) it is unavailable for good.
// Nothing runs between X events but the tip's one-shot timer.
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QTimer>
#include <map>
#include <memory>

#include "app/tray/tray_icon_host.h"
#include "app/tray/xembed_atoms.h"
#include "app/tray/xembed_button_translator.h"
#include "app/tray/xembed_icon_window.h"
#include "app/tray/xembed_window_format.h"

namespace orvana::app {

class TXEmbedTrayHost : public TTrayIconHost, private QAbstractNativeEventFilter {
  Q_OBJECT

 public:
  explicit TXEmbedTrayHost(QObject* parent = nullptr);
  ~TXEmbedTrayHost() override;
  TXEmbedTrayHost(const TXEmbedTrayHost&) = delete;
  TXEmbedTrayHost& operator=(const TXEmbedTrayHost&) = delete;

  bool Available() const override { return owner_ != XCB_NONE; }
  // Without a tray a new icon is refused and not kept; an icon kept from
  // an earlier tray takes the new picture and tip (false all the same).
  bool SetIcon(int id, const QIcon& icon, const QString& tip) override;
  void RemoveIcon(int id) override;

 private:
  struct TIcon {
    QIcon icon;
    QString tip;
    std::unique_ptr<TXEmbedIconWindow> window;
    std::unique_ptr<TXEmbedButtonTranslator> clicks;
    int redocks = 0;  // windows the tray dropped while it stayed
  };

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
  // Who owns the tray selection now; docks every icon anew when that changed.
  void FollowOwner();
  void Dock(TIcon& icon);
  // The tray destroyed the window or put it back on the root window.
  void WindowLost(int id, bool destroyed);
  int IconOf(xcb_window_t window) const;
  QPoint ScreenPoint(int x, int y) const;
  void PointerAt(int id, QPoint screenPos);
  void HideTip();
  void ShowTip();

  xcb_connection_t* connection_ = nullptr;
  const xcb_screen_t* screen_ = nullptr;
  TXEmbedAtoms atoms_;
  xcb_window_t owner_ = XCB_NONE;
  TXEmbedWindowFormat format_;
  std::map<int, TIcon> icons_;
  QTimer tipTimer_;
  int tipIcon_ = 0;  // the icon under the pointer
  QPoint tipPos_;
  bool tipShown_ = false;
};

}  // namespace orvana::app
