#include "app/window/tool_icons.h"

#include "app/window/png_image.h"

// The images are linked from a static library: their resource must be
// registered by hand, and outside any namespace.
static void RegisterToolImages() { Q_INIT_RESOURCE(app); }

namespace orvana::app {
namespace {

struct TToolImage {
  TActionId action;
  const char* themeName;  // freedesktop icon naming
  const char* ownImage;
};

constexpr TToolImage kToolImages[] = {
    {aiAddFolder, "folder-open", ":/tool/add-folder.png"},
    {aiOptions, "preferences-system", ":/tool/options.png"},
    {aiPrevious, "media-skip-backward", ":/tool/previous.png"},
    {aiStop, "media-playback-stop", ":/tool/stop.png"},
    {aiPause, "media-playback-pause", ":/tool/pause.png"},
    {aiPlay, "media-playback-start", ":/tool/play.png"},
    {aiNext, "media-skip-forward", ":/tool/next.png"},
    {aiRepeat, "media-playlist-repeat", ":/tool/repeat.png"},
    {aiShuffle, "media-playlist-shuffle", ":/tool/shuffle.png"},
    {aiWakeup, "alarm-symbolic", ":/tool/wakeup.png"},
    {aiSleep, "weather-clear-night", ":/tool/sleep.png"},
};

// hicolor, the theme looked in when the desktop names none, holds programs'
// own icons, not the named actions: looking the tool images up there only
// costs time at start-up (several milliseconds for the tool bar).
bool DesktopNamesIconTheme() {
  const QString theme = QIcon::themeName();
  return !theme.isEmpty() && theme != QLatin1String("hicolor");
}

}  // namespace

QIcon ToolIcon(TActionId action) {
  static const bool registered = (RegisterToolImages(), true);
  (void)registered;
  for (const TToolImage& image : kToolImages) {
    if (image.action != action) continue;
    const QIcon own = PngIcon({QString::fromLatin1(image.ownImage)});
    return DesktopNamesIconTheme() ? QIcon::fromTheme(QString::fromLatin1(image.themeName), own) : own;
  }
  return {};
}

}  // namespace orvana::app
