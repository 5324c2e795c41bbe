#include "app/tray/xembed_icon_window.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstring>
#include <vector>

#include "app/tray/xembed_image.h"

namespace orvana::app {
namespace {

constexpr std::uint32_t kSystemTrayRequestDock = 0;
constexpr std::uint32_t kXEmbedMapped = 1;
constexpr std::uint32_t kSizeHintMinSize = 1 << 4;
// A larger slot gets the picture centred at this size, which keeps a
// paint's requests within a server's usual 256 KiB request limit.
constexpr int kLargestPicture = 128;
constexpr char kWmClass[] = "orvana\0Orvana";  // instance and class, each ending in a NUL
constexpr char kName[] = "Orvana";

// For requests on windows another client may have destroyed already: an
// error is expected there and must not reach Qt's error log.
void Unchecked(xcb_connection_t* connection, xcb_void_cookie_t cookie) {
  xcb_discard_reply(connection, cookie.sequence);
}

}  // namespace

TXEmbedIconWindow::TXEmbedIconWindow(xcb_connection_t* connection, const xcb_screen_t* screen,
                                     const TXEmbedWindowFormat& format, const TXEmbedAtoms& atoms)
    : connection_(connection), format_(format), trayOpcode_(atoms.trayOpcode) {
  window_ = xcb_generate_id(connection_);
  xcb_create_window_value_list_t values{};
  std::uint32_t mask = XCB_CW_BORDER_PIXEL | XCB_CW_EVENT_MASK | XCB_CW_COLORMAP;
  if (format_.alpha) {
    mask |= XCB_CW_BACK_PIXEL;
    values.background_pixel = 0;  // transparent
  } else {
    mask |= XCB_CW_BACK_PIXMAP;
    values.background_pixmap = XCB_BACK_PIXMAP_PARENT_RELATIVE;  // the tray's background
  }
  values.border_pixel = 0;
  values.event_mask = XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_BUTTON_PRESS |
                      XCB_EVENT_MASK_BUTTON_RELEASE | XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_ENTER_WINDOW |
                      XCB_EVENT_MASK_LEAVE_WINDOW;
  if (format_.visual == screen->root_visual) {
    values.colormap = screen->default_colormap;
  } else {
    colormap_ = xcb_generate_id(connection_);
    xcb_create_colormap(connection_, XCB_COLORMAP_ALLOC_NONE, colormap_, screen->root, format_.visual);
    values.colormap = colormap_;
  }
  xcb_create_window_aux(connection_, format_.depth, window_, screen->root, 0, 0, kMinimumSize, kMinimumSize, 0,
                        XCB_WINDOW_CLASS_INPUT_OUTPUT, format_.visual, mask, &values);

  xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                      sizeof kWmClass, kWmClass);
  xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      std::strlen(kName), kName);
  xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, atoms.netWmName, atoms.utf8String, 8,
                      std::strlen(kName), kName);
  const std::uint32_t xembedInfo[] = {0, kXEmbedMapped};  // version, flags
  xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, atoms.xembedInfo, atoms.xembedInfo, 32, 2,
                      xembedInfo);
  std::uint32_t sizeHints[18] = {};  // flags, x, y, w, h, min w, min h, ...
  sizeHints[0] = kSizeHintMinSize;
  sizeHints[5] = sizeHints[6] = kMinimumSize;
  xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NORMAL_HINTS,
                      XCB_ATOM_WM_SIZE_HINTS, 32, 18, sizeHints);
}

TXEmbedIconWindow::~TXEmbedIconWindow() {
  if (window_ != XCB_NONE) Unchecked(connection_, xcb_destroy_window_checked(connection_, window_));
  if (colormap_ != XCB_NONE) xcb_free_colormap(connection_, colormap_);
}

void TXEmbedIconWindow::RequestDock(xcb_window_t trayOwner) const {
  if (window_ == XCB_NONE || trayOwner == XCB_NONE) return;
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = trayOwner;
  message.type = trayOpcode_;
  message.data.data32[0] = XCB_CURRENT_TIME;
  message.data.data32[1] = kSystemTrayRequestDock;
  message.data.data32[2] = window_;
  // The tray may be going away at this moment.
  Unchecked(connection_, xcb_send_event_checked(connection_, 0, trayOwner, XCB_EVENT_MASK_NO_EVENT,
                                                reinterpret_cast<const char*>(&message)));
}

void TXEmbedIconWindow::Paint(const QIcon& icon, bool clearFirst) const {
  if (window_ == XCB_NONE || size_.isEmpty()) return;
  const int side = std::min({size_.width(), size_.height(), kLargestPicture});
  QImage picture(side, side, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  {
    QPainter painter(&picture);
    icon.paint(&painter, picture.rect());
  }
  const std::vector<std::uint8_t> pixels = XEmbedPackPixels(picture, format_.layout);
  if (pixels.empty()) return;
  const std::size_t requestLimit = std::size_t(xcb_get_maximum_request_length(connection_)) * 4;
  if (pixels.size() + 24 > requestLimit) return;  // a request too long would end the connection
  const int x = (size_.width() - side) / 2;
  const int y = (size_.height() - side) / 2;

  const xcb_gcontext_t gc = xcb_generate_id(connection_);
  xcb_create_gc(connection_, gc, window_, 0, nullptr);
  if (!format_.alpha) {
    // Without alpha only the opaque pixels are drawn; the rest keeps the
    // tray's background.
    if (clearFirst) xcb_clear_area(connection_, 0, window_, 0, 0, 0, 0);
    std::vector<xcb_rectangle_t> clip;
    for (const QRect& run : XEmbedOpaqueRuns(picture))
      clip.push_back({static_cast<std::int16_t>(run.x()), static_cast<std::int16_t>(run.y()),
                      static_cast<std::uint16_t>(run.width()), static_cast<std::uint16_t>(run.height())});
    if (clip.empty() || clip.size() * sizeof(xcb_rectangle_t) + 12 > requestLimit) {
      xcb_free_gc(connection_, gc);
      return;
    }
    xcb_set_clip_rectangles(connection_, XCB_CLIP_ORDERING_YX_BANDED, gc, static_cast<std::int16_t>(x),
                            static_cast<std::int16_t>(y), static_cast<std::uint32_t>(clip.size()), clip.data());
  }
  xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc, static_cast<std::uint16_t>(side),
                static_cast<std::uint16_t>(side), static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0,
                format_.depth, static_cast<std::uint32_t>(pixels.size()), pixels.data());
  xcb_free_gc(connection_, gc);
}

}  // namespace orvana::app
