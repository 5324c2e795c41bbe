#include "app/tray/xembed_window_format.h"

#include <cstdlib>

namespace orvana::app {
namespace {

struct TFoundVisual {
  const xcb_visualtype_t* type = nullptr;
  std::uint8_t depth = 0;
};

TFoundVisual FindVisual(const xcb_screen_t* screen, xcb_visualid_t id) {
  for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem; xcb_depth_next(&depths))
    for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem; xcb_visualtype_next(&visuals))
      if (visuals.data->visual_id == id) return {visuals.data, depths.data->depth};
  return {};
}

}  // namespace

xcb_visualid_t XEmbedTrayVisual(xcb_connection_t* connection, xcb_window_t owner, xcb_atom_t trayVisualAtom) {
  if (owner == XCB_NONE || trayVisualAtom == XCB_NONE) return 0;
  const auto cookie = xcb_get_property(connection, 0, owner, trayVisualAtom, XCB_ATOM_VISUALID, 0, 1);
  xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
  xcb_visualid_t visual = 0;
  if (reply != nullptr && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
    visual = *static_cast<const xcb_visualid_t*>(xcb_get_property_value(reply));
  std::free(reply);
  return visual;
}

TXEmbedWindowFormat XEmbedWindowFormat(const xcb_setup_t* setup, const xcb_screen_t* screen, xcb_visualid_t trayVisual) {
  TFoundVisual found = FindVisual(screen, trayVisual);
  const bool alpha = found.type != nullptr && found.depth == 32 && found.type->_class == XCB_VISUAL_CLASS_TRUE_COLOR;
  if (!alpha) found = FindVisual(screen, screen->root_visual);
  TXEmbedWindowFormat format;
  if (found.type == nullptr) return format;
  format.visual = found.type->visual_id;
  format.depth = found.depth;
  format.alpha = alpha;
  format.layout.redMask = found.type->red_mask;
  format.layout.greenMask = found.type->green_mask;
  format.layout.blueMask = found.type->blue_mask;
  format.layout.alphaMask = alpha ? ~(found.type->red_mask | found.type->green_mask | found.type->blue_mask) : 0;
  format.layout.msbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
  format.layout.bitsPerPixel = 0;  // unknown until the server's formats say
  for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem; xcb_format_next(&formats)) {
    if (formats.data->depth != format.depth) continue;
    format.layout.bitsPerPixel = formats.data->bits_per_pixel;
    format.layout.scanlinePad = formats.data->scanline_pad;
  }
  return format;
}

}  // namespace orvana::app
