#include "app/tray/xembed_tray_host.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QStyleHints>
#include <QToolTip>
#include <cstdlib>

namespace orvana::app {
namespace {

constexpr int kTipDelayMs = 500;
// A tray that keeps dropping our windows is not fed new ones for ever.
constexpr int kMaxRedocks = 3;

int DefaultScreenNumber() {
  char* host = nullptr;
  int display = 0;
  int screen = 0;
  if (xcb_parse_display(nullptr, &host, &display, &screen) == 0) screen = 0;
  std::free(host);
  return screen;
}

const xcb_screen_t* NthScreen(xcb_connection_t* connection, int number) {
  const xcb_screen_t* first = nullptr;
  int index = 0;
  for (auto roots = xcb_setup_roots_iterator(xcb_get_setup(connection)); roots.rem; xcb_screen_next(&roots), ++index) {
    if (index == number) return roots.data;
    if (first == nullptr) first = roots.data;
  }
  return first;
}

}  // namespace

TXEmbedTrayHost::TXEmbedTrayHost(QObject* parent) : TTrayIconHost(parent) {
  auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
  if (connection == nullptr || xcb_connection_has_error(connection) != 0) return;
  const int screenNumber = DefaultScreenNumber();
  screen_ = NthScreen(connection, screenNumber);
  if (screen_ == nullptr || !atoms_.Intern(connection, screenNumber)) return;
  connection_ = connection;

  tipTimer_.setSingleShot(true);
  tipTimer_.setInterval(kTipDelayMs);
  connect(&tipTimer_, &QTimer::timeout, this, &TXEmbedTrayHost::ShowTip);
  QCoreApplication::instance()->installNativeEventFilter(this);

  // A tray that starts later announces itself to the root window's
  // structure listeners; Qt listens there too, so its mask is kept.
  const auto attributesCookie = xcb_get_window_attributes(connection_, screen_->root);
  xcb_get_window_attributes_reply_t* attributes =
      xcb_get_window_attributes_reply(connection_, attributesCookie, nullptr);
  const std::uint32_t rootMask =
      (attributes != nullptr ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  std::free(attributes);
  xcb_change_window_attributes(connection_, screen_->root, XCB_CW_EVENT_MASK, &rootMask);
  FollowOwner();
  xcb_flush(connection_);
}

TXEmbedTrayHost::~TXEmbedTrayHost() {
  if (connection_ == nullptr) return;
  tipTimer_.stop();
  if (QCoreApplication::instance() == nullptr) {
    for (auto& [id, icon] : icons_)
      if (icon.window) icon.window->Abandon();
    return;
  }
  QCoreApplication::instance()->removeNativeEventFilter(this);
  HideTip();
  icons_.clear();
  xcb_flush(connection_);
}

bool TXEmbedTrayHost::SetIcon(int id, const QIcon& icon, const QString& tip) {
  if (connection_ == nullptr || id < 1) return false;
  auto found = icons_.find(id);
  if (found == icons_.end()) {
    if (!Available()) return false;
    TIcon& added = icons_[id];
    added.icon = icon;
    added.tip = tip;
    const QStyleHints* hints = QGuiApplication::styleHints();
    added.clicks = std::make_unique<TXEmbedButtonTranslator>(hints->mouseDoubleClickInterval(),
                                                             hints->mouseDoubleClickDistance());
    Dock(added);
    xcb_flush(connection_);
    return true;
  }
  TIcon& kept = found->second;
  kept.icon = icon;
  kept.tip = tip;
  if (kept.window)
    kept.window->Paint(icon, true);
  else
    Dock(kept);  // the tray dropped it more often than we re-dock on our own
  if (tipShown_ && tipIcon_ == id) {
    if (tip.isEmpty())
      HideTip();
    else
      QToolTip::showText(tipPos_, tip);
  }
  xcb_flush(connection_);
  return Available();
}

void TXEmbedTrayHost::RemoveIcon(int id) {
  if (icons_.erase(id) == 0) return;
  if (tipIcon_ == id) {
    HideTip();
    tipIcon_ = 0;
  }
  xcb_flush(connection_);
}

void TXEmbedTrayHost::FollowOwner() {
  xcb_window_t found = XCB_NONE;
  for (int attempt = 0; attempt < 3 && found == XCB_NONE; ++attempt) {
    const auto cookie = xcb_get_selection_owner(connection_, atoms_.traySelection);
    xcb_get_selection_owner_reply_t* reply = xcb_get_selection_owner_reply(connection_, cookie, nullptr);
    const xcb_window_t owner = reply != nullptr ? reply->owner : XCB_NONE;
    std::free(reply);
    if (owner == XCB_NONE) break;
    if (owner == owner_) {
      found = owner;
      break;
    }
    // Watched before it is trusted: an owner already gone fails here instead
    // of never sending its DestroyNotify.
    const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_generic_error_t* error =
        xcb_request_check(connection_, xcb_change_window_attributes_checked(connection_, owner, XCB_CW_EVENT_MASK, &mask));
    if (error == nullptr) found = owner;
    std::free(error);
  }
  if (found == owner_) return;

  const bool wasAvailable = Available();
  owner_ = found;
  if (owner_ != XCB_NONE)
    format_ = XEmbedWindowFormat(xcb_get_setup(connection_), screen_,
                                 XEmbedTrayVisual(connection_, owner_, atoms_.trayVisual));
  HideTip();
  tipIcon_ = 0;
  // Fresh windows for the new tray; none while there is no tray.
  for (auto& [id, icon] : icons_) {
    icon.redocks = 0;
    icon.window.reset();
    if (owner_ != XCB_NONE) Dock(icon);
  }
  xcb_flush(connection_);
  if (wasAvailable != Available()) emit availabilityChanged(Available());
}

void TXEmbedTrayHost::Dock(TIcon& icon) {
  if (owner_ == XCB_NONE || format_.visual == 0) return;
  icon.window = std::make_unique<TXEmbedIconWindow>(connection_, screen_, format_, atoms_);
  icon.window->RequestDock(owner_);
}

void TXEmbedTrayHost::WindowLost(int id, bool destroyed) {
  TIcon& icon = icons_.at(id);
  if (destroyed) icon.window->Forget();
  icon.window.reset();
  if (tipIcon_ == id) {
    HideTip();
    tipIcon_ = 0;
  }
  if (owner_ != XCB_NONE && icon.redocks < kMaxRedocks) {
    ++icon.redocks;
    Dock(icon);
  }
  xcb_flush(connection_);
}

int TXEmbedTrayHost::IconOf(xcb_window_t window) const {
  if (window == XCB_NONE) return 0;
  for (const auto& [id, icon] : icons_)
    if (icon.window && icon.window->Id() == window) return id;
  return 0;
}

QPoint TXEmbedTrayHost::ScreenPoint(int x, int y) const {
  // X gives device pixels; Qt's screen coordinates are scaled ones.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const qreal ratio = screen != nullptr ? screen->devicePixelRatio() : 1.0;
  return (QPointF(x, y) / ratio).toPoint();
}

void TXEmbedTrayHost::PointerAt(int id, QPoint screenPos) {
  if (id != tipIcon_) HideTip();
  tipIcon_ = id;
  tipPos_ = screenPos;
  const auto found = icons_.find(id);
  // The tip waits for the pointer to rest.
  if (!tipShown_ && found != icons_.end() && !found->second.tip.isEmpty()) tipTimer_.start();
}

void TXEmbedTrayHost::HideTip() {
  tipTimer_.stop();
  if (tipShown_) QToolTip::hideText();
  tipShown_ = false;
}

void TXEmbedTrayHost::ShowTip() {
  const auto found = icons_.find(tipIcon_);
  // Tips are widgets: a bare QGuiApplication shows none.
  if (found == icons_.end() || found->second.tip.isEmpty() || qobject_cast<QApplication*>(qApp) == nullptr) return;
  QToolTip::showText(tipPos_, found->second.tip);
  tipShown_ = true;
}

bool TXEmbedTrayHost::nativeEventFilter(const QByteArray& eventType, void* data, qintptr*) {
  if (connection_ == nullptr || eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(data);
  switch (event->response_type & 0x7F) {
    case XCB_EXPOSE: {
      const auto* expose = reinterpret_cast<const xcb_expose_event_t*>(event);
      const int id = IconOf(expose->window);
      if (id != 0 && expose->count == 0) {
        const TIcon& icon = icons_.at(id);
        icon.window->Paint(icon.icon, false);
        xcb_flush(connection_);
      }
      break;
    }
    case XCB_CONFIGURE_NOTIFY: {
      const auto* configure = reinterpret_cast<const xcb_configure_notify_event_t*>(event);
      const int id = configure->event == configure->window ? IconOf(configure->window) : 0;
      if (id != 0) icons_.at(id).window->Resized(QSize(configure->width, configure->height));
      break;
    }
    case XCB_BUTTON_PRESS:
    case XCB_BUTTON_RELEASE: {
      const auto* button = reinterpret_cast<const xcb_button_press_event_t*>(event);
      const int id = IconOf(button->event);
      if (id == 0) break;
      HideTip();
      const bool press = (event->response_type & 0x7F) == XCB_BUTTON_PRESS;
      // The wheel's notches come as presses (and releases) of buttons 4 and 5.
      if (const int notches = WheelNotches(button->detail); notches != 0) {
        if (press) emit wheel(id, notches);
        break;
      }
      const QPoint screenPos = ScreenPoint(button->root_x, button->root_y);
      TXEmbedButtonTranslator& clicks = *icons_.at(id).clicks;
      const auto translated =
          press ? clicks.Press(button->detail, button->time, screenPos) : clicks.Release(button->detail);
      if (translated) emit message(id, *translated, screenPos);
      break;
    }
    case XCB_MOTION_NOTIFY: {
      const auto* motion = reinterpret_cast<const xcb_motion_notify_event_t*>(event);
      const int id = IconOf(motion->event);
      if (id == 0) break;
      const QPoint screenPos = ScreenPoint(motion->root_x, motion->root_y);
      PointerAt(id, screenPos);
      emit message(id, TTrayMessage::kMouseMove, screenPos);
      break;
    }
    case XCB_ENTER_NOTIFY: {
      const auto* enter = reinterpret_cast<const xcb_enter_notify_event_t*>(event);
      const int id = IconOf(enter->event);
      if (id != 0) PointerAt(id, ScreenPoint(enter->root_x, enter->root_y));
      break;
    }
    case XCB_LEAVE_NOTIFY: {
      const auto* leave = reinterpret_cast<const xcb_leave_notify_event_t*>(event);
      const int id = IconOf(leave->event);
      if (id != 0 && id == tipIcon_) {
        HideTip();
        tipIcon_ = 0;
      }
      break;
    }
    case XCB_DESTROY_NOTIFY: {
      const auto* destroy = reinterpret_cast<const xcb_destroy_notify_event_t*>(event);
      if (destroy->event != destroy->window) break;  // the same news seen from a parent
      if (destroy->window == owner_) {
        FollowOwner();
      } else if (const int id = IconOf(destroy->window); id != 0) {
        WindowLost(id, true);
      }
      break;
    }
    case XCB_REPARENT_NOTIFY: {
      const auto* reparent = reinterpret_cast<const xcb_reparent_notify_event_t*>(event);
      if (reparent->event != reparent->window || reparent->parent != screen_->root) break;
      if (const int id = IconOf(reparent->window); id != 0) WindowLost(id, false);
      break;
    }
    case XCB_CLIENT_MESSAGE: {
      const auto* client = reinterpret_cast<const xcb_client_message_event_t*>(event);
      if (client->window == screen_->root && client->type == atoms_.manager && client->format == 32 &&
          client->data.data32[1] == atoms_.traySelection)
        FollowOwner();
      break;
    }
    default:
      break;
  }
  return false;
}

}  // namespace orvana::app
