// The desktop program as a person starts it, with a 10,000-item playlist kept
// from the last run: the time from launch until its window is mapped, its
// resident memory (VmRSS) once idle, and the time a second start takes to
// hand a file over. Each figure is the median of several runs on a private
// X server; the program runs from a portable copy in a fresh folder.
//   app_desktop_bench [runs]
#include <signal.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "desktop_session.h"
#include "private_session_bus.h"

namespace {

using orvana::testing::TChildProcess;
using orvana::testing::TDesktopSession;
using Clock = std::chrono::steady_clock;

constexpr int kItems = 10000;
constexpr int kMapTimeoutMs = 20000;
constexpr int kIdleMs = 2000;

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

std::string ListFileText() {
  std::string text;
  for (int i = 0; i < kItems; ++i) {
    const std::string n = std::to_string(i);
    text += "Song " + n + "\r\n8\r\nArtist " + std::to_string(i % 97) + "\r\nAlbum " + std::to_string(i % 13) +
            "\r\n" + std::to_string(i % 20 + 1) + "\r\n0" + std::to_string(i % 10) + ":" + std::to_string(10 + i % 50) +
            "\r\nロック\r\n1999\r\n\r\n/home/user/Music/Artist " + std::to_string(i % 97) + "/song-" + n + ".mp3\r\n";
  }
  return text;
}

// Watches the X server for the program's window being mapped.
class TMapWatcher {
 public:
  explicit TMapWatcher(const std::string& display) : connection_(xcb_connect(display.c_str(), nullptr)) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
  }
  ~TMapWatcher() { xcb_disconnect(connection_); }

  // The moment a top-level window named "Orvana - ..." was mapped.
  bool WaitForMap(Clock::time_point deadline, Clock::time_point& mappedAt) {
    while (Clock::now() < deadline) {
      xcb_generic_event_t* event = xcb_poll_for_event(connection_);
      if (event == nullptr) {
        if (xcb_connection_has_error(connection_)) return false;
        ::usleep(200);
        continue;
      }
      const auto now = Clock::now();
      const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY &&
                          IsProgramWindow(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
      std::free(event);
      if (mapped) {
        mappedAt = now;
        return true;
      }
    }
    return false;
  }

 private:
  bool IsProgramWindow(xcb_window_t window) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 64),
        nullptr);
    if (reply == nullptr) return false;
    const std::string name(static_cast<const char*>(xcb_get_property_value(reply)),
                           std::size_t(xcb_get_property_value_length(reply)));
    std::free(reply);
    return name.rfind("Orvana - ", 0) == 0;
  }

  xcb_connection_t* connection_;
};

long ResidentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

struct TFigures {
  double startMs = 0;
  double residentMiB = 0;
  double handOverMs = 0;
};

// Start-up, idle memory and hand-over over `runs` starts; false when the
// window never came.
bool Measure(TDesktopSession& session, int runs, TFigures& figures) {
  const std::string song = session.MakeSong("handed.mp3");
  std::vector<double> startMs, residentMiB, handOverMs;
  for (int run = 0; run < runs; ++run) {
    session.WriteFile(session.ProgramFolder() + "/orvana.lst", ListFileText());
    session.WriteFile(session.ProgramFolder() + "/orvana.ini", "[ini]\r\nFirst=0\r\nIndex=5000\r\n");
    TMapWatcher watcher(session.Display());
    const auto launched = Clock::now();
    auto program = session.StartProgram({});
    Clock::time_point mapped;
    if (!watcher.WaitForMap(launched + std::chrono::milliseconds(kMapTimeoutMs), mapped)) {
      std::fprintf(stderr, "the window was not mapped:\n%s\n", session.Log().c_str());
      return false;
    }
    startMs.push_back(Milliseconds(mapped - launched));
    ::usleep(kIdleMs * 1000);
    residentMiB.push_back(ResidentKiB(program->Pid()) / 1024.0);
    for (int i = 0; i < 3; ++i) {
      const auto begun = Clock::now();
      if (session.RunProgram({song}, 5000).status != 0) return false;
      handOverMs.push_back(Milliseconds(Clock::now() - begun));
    }
    program->Signal(SIGTERM);
    program->WaitForExit(10000);
  }
  figures = {Median(startMs), Median(residentMiB), Median(handOverMs)};
  return true;
}

void Print(const char* title, const TFigures& figures) {
  std::printf("  %s\n", title);
  std::printf("    start-up to window mapped  %8.1f ms\n", figures.startMs);
  std::printf("    resident memory when idle  %8.1f MiB\n", figures.residentMiB);
  std::printf("    second start hands over    %8.1f ms\n", figures.handOverMs);
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  TDesktopSession session;
  if (!session.Ready()) {
    std::fprintf(stderr, "no private X server could be started (is Xvfb installed?)\n");
    return 1;
  }
  TFigures alone, onBus;
  if (!Measure(session, runs, alone)) return 1;
  // On a session bus the program also puts its player there (MPRIS) and
  // looks for a StatusNotifierItem host.
  orvana::testing::TPrivateSessionBus bus;
  if (!bus.Ready()) {
    std::fprintf(stderr, "no private session bus could be started (is dbus-daemon installed?)\n");
    return 1;
  }
  session.UseSessionBus(bus.Address());
  if (!Measure(session, runs, onBus)) return 1;
  std::printf("desktop program, %d-item playlist, median of %d runs\n", kItems, runs);
  Print("without a session bus", alone);
  Print("on a session bus (media controls)", onBus);
  return 0;
}
