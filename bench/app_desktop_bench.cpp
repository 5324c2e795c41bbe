// The desktop program as a person starts it, with a 10,000-item playlist kept
// from the last run: the time from launch until its window is mapped, its
// resident memory (VmRSS) once idle and where it lies, and the time a second
// start takes to hand a file over; then how its resident memory grows while
// 500 short songs play one after another into a PulseAudio null sink. Each
// figure is the median of several runs on a private X server; the program
// runs from a portable copy in a fresh folder.
//   app_desktop_bench [runs] [song-runs]   (song-runs 0 leaves the songs out)
#include <signal.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "desktop_session.h"
#include "engine/frame_header.h"
#include "private_session_bus.h"
#include "pulse_null_sink.h"

namespace {

using orvana::testing::TChildProcess;
using orvana::testing::TDesktopSession;
using Clock = std::chrono::steady_clock;

constexpr int kItems = 10000;
constexpr int kMapTimeoutMs = 20000;
constexpr int kIdleMs = 2000;
constexpr int kSongs = 500;
constexpr int kSongFrames = 8;  // about a fifth of a second each
constexpr int kSongsTimeoutMs = 600000;
constexpr double kStartTargetMs = 100;
constexpr double kResidentTargetMiB = 39;
constexpr double kGrowthTargetMiB = 2;

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
      const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t*>(event)->window;
      const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY && IsProgramWindow(window);
      std::free(event);
      if (mapped) window_ = window;
      if (mapped) {
        mappedAt = now;
        return true;
      }
    }
    return false;
  }

  // The mapped window's name now.
  std::string WindowName() { return Name(window_); }

 private:
  bool IsProgramWindow(xcb_window_t window) { return Name(window).rfind("Orvana - ", 0) == 0; }

  std::string Name(xcb_window_t window) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 64),
        nullptr);
    if (reply == nullptr) return {};
    std::string name(static_cast<const char*>(xcb_get_property_value(reply)),
                     std::size_t(xcb_get_property_value_length(reply)));
    std::free(reply);
    return name;
  }

  xcb_connection_t* connection_;
  xcb_window_t window_ = XCB_WINDOW_NONE;
};

long ResidentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

// Resident KiB by what is mapped: each file by its name, every anonymous
// mapping (the heap, thread stacks) together.
std::map<std::string, long> ResidentByMapping(pid_t pid) {
  std::ifstream smaps("/proc/" + std::to_string(pid) + "/smaps");
  std::map<std::string, long> resident;
  std::string mapping;
  for (std::string line; std::getline(smaps, line);) {
    if (line.rfind("Rss:", 0) == 0) {
      resident[mapping] += std::stol(line.substr(4));
    } else if (!line.empty() && std::isxdigit(static_cast<unsigned char>(line[0])) && line.find('-') < line.find(' ')) {
      std::istringstream fields(line);
      std::string range, perms, offset, device, inode, path;
      fields >> range >> perms >> offset >> device >> inode >> path;
      mapping = path.empty() || path == "[heap]" || path.rfind("[stack", 0) == 0 ? "(anonymous and heap)"
                                                                                 : path.substr(path.rfind('/') + 1);
    }
  }
  return resident;
}

struct TFigures {
  double startMs = 0;
  double residentMiB = 0;
  double handOverMs = 0;
  std::map<std::string, long> residentKiB;  // of the last run
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
    figures.residentKiB = ResidentByMapping(program->Pid());
    for (int i = 0; i < 3; ++i) {
      const auto begun = Clock::now();
      if (session.RunProgram({song}, 5000).status != 0) return false;
      handOverMs.push_back(Milliseconds(Clock::now() - begun));
    }
    program->Signal(SIGTERM);
    program->WaitForExit(10000);
  }
  figures.startMs = Median(startMs);
  figures.residentMiB = Median(residentMiB);
  figures.handOverMs = Median(handOverMs);
  return true;
}

const char* Verdict(double value, double target) { return value < target ? "met" : "MISSED"; }

void Print(const char* title, const TFigures& figures) {
  std::printf("  %s\n", title);
  std::printf("    start-up to window mapped  %8.1f ms   [< %g] %s\n", figures.startMs, kStartTargetMs,
              Verdict(figures.startMs, kStartTargetMs));
  std::printf("    resident memory when idle  %8.1f MiB  [< %g] %s\n", figures.residentMiB, kResidentTargetMiB,
              Verdict(figures.residentMiB, kResidentTargetMiB));
  std::printf("    second start hands over    %8.1f ms\n", figures.handOverMs);
  std::vector<std::pair<long, std::string>> largest;
  for (const auto& [mapping, kib] : figures.residentKiB) largest.emplace_back(kib, mapping);
  std::sort(largest.rbegin(), largest.rend());
  std::printf("    where it lies (last run, the largest):\n");
  for (std::size_t i = 0; i < largest.size() && i < 12; ++i)
    std::printf("      %7.2f MiB  %s\n", largest[i].first / 1024.0, largest[i].second.c_str());
}

// The first frames of the test tone, which has no tags: a short song.
std::string ShortSong(const TDesktopSession& session) {
  const std::string tone = session.ReadFile(std::string(ORVANA_TEST_DATA_DIR) + "/player/tone-44100-stereo-cbr.mp3");
  std::size_t end = 0;
  for (int frame = 0; frame < kSongFrames && end + 4 <= tone.size(); ++frame) {
    orvana::engine::FrameHeader header;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(tone.data() + end);
    const int length = orvana::engine::ParseFrameHeader(bytes, int(tone.size() - end), header);
    if (length <= 0) break;
    end += std::size_t(length + header.paddingBit * orvana::engine::PaddingSlotBytes(header.layerCode));
  }
  return tone.substr(0, std::min(end, tone.size()));
}

// The number in "short-N" of the window's name (the song heard), -1 for none.
int SongHeard(const std::string& windowName) {
  const std::size_t at = windowName.find("short-");
  return at == std::string::npos ? -1 : std::atoi(windowName.c_str() + at + 6);
}

struct TSongFigures {
  double firstMiB = 0;  // when the first song is heard
  double lastMiB = 0;   // when the last is
  double seconds = 0;
};

// kSongs + 1 short songs in the list, played from the first through the
// media controls (the session must have a bus); each follows the one before. Resident memory when the
// first is heard and when the last is: the growth over kSongs songs.
bool MeasureSongs(TDesktopSession& session, TSongFigures& figures) {
  const std::string song = ShortSong(session);
  std::string list;
  for (int i = 0; i <= kSongs; ++i) {
    const std::string name = "short-" + std::to_string(i);
    const std::string path = session.Folder() + "/" + name + ".mp3";
    session.WriteFile(path, song);
    list += name + "\r\n8\r\n\r\n\r\n\r\n--:--\r\n\r\n\r\n\r\n" + path + "\r\n";
  }
  session.WriteFile(session.ProgramFolder() + "/orvana.lst", list);
  session.WriteFile(session.ProgramFolder() + "/orvana.ini", "[ini]\r\nFirst=0\r\nIndex=0\r\n");
  TMapWatcher watcher(session.Display());
  auto program = session.StartProgram({});
  Clock::time_point mapped;
  if (!watcher.WaitForMap(Clock::now() + std::chrono::milliseconds(kMapTimeoutMs), mapped)) return false;
  ::usleep(kIdleMs * 1000);
  const auto begun = Clock::now();
  const std::vector<std::string> play{"gdbus", "call", "--session", "--dest", "org.mpris.MediaPlayer2.orvana",
                                      "--object-path", "/org/mpris/MediaPlayer2", "--method",
                                      "org.mpris.MediaPlayer2.Player.Play"};
  if (orvana::testing::RunCommand(play, session.Environment(), 5000).status != 0) return false;
  const auto deadline = begun + std::chrono::milliseconds(kSongsTimeoutMs);
  int heard = -1;
  while (heard < kSongs && Clock::now() < deadline && program->Running()) {
    const int now = SongHeard(watcher.WindowName());
    if (now != heard && (now == 0 || now == kSongs)) {
      const double mib = ResidentKiB(program->Pid()) / 1024.0;
      (now == 0 ? figures.firstMiB : figures.lastMiB) = mib;
    }
    heard = std::max(heard, now);
    ::usleep(10000);
  }
  figures.seconds = std::chrono::duration<double>(Clock::now() - begun).count();
  program->Signal(SIGTERM);
  program->WaitForExit(10000);
  if (heard < kSongs) std::fprintf(stderr, "only %d songs were heard:\n%s\n", heard + 1, session.Log().c_str());
  return heard == kSongs && figures.firstMiB > 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const int songRuns = argc > 2 ? std::max(0, std::atoi(argv[2])) : 3;
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  TDesktopSession session;
  if (!session.Ready()) {
    std::fprintf(stderr, "no private X server could be started (is Xvfb installed?)\n");
    return 1;
  }
  // The interface in English (any locale but Japanese) draws fewer CJK glyphs:
  // the figures are taken in Japanese, and once in English beside them.
  TFigures english, alone, onBus;
  if (!Measure(session, runs, english)) return 1;
  session.UseLocale("ja_JP.UTF-8");
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
  Print("Japanese interface, without a session bus", alone);
  Print("Japanese interface, on a session bus (media controls)", onBus);
  Print("English interface, without a session bus", english);
  if (songRuns == 0) return 0;

  // The program's environment passes the sink on to it.
  orvana::player::testing::PulseNullSink sink;
  if (!sink.Running()) {
    std::fprintf(stderr, "no PulseAudio null sink: %s\n", sink.Failure().c_str());
    return 1;
  }
  std::vector<double> growth, first, last, seconds;
  for (int run = 0; run < songRuns; ++run) {
    TSongFigures figures;
    if (!MeasureSongs(session, figures)) return 1;
    first.push_back(figures.firstMiB);
    last.push_back(figures.lastMiB);
    growth.push_back(figures.lastMiB - figures.firstMiB);
    seconds.push_back(figures.seconds);
  }
  std::printf("%d songs of %d frames one after another into a PulseAudio null sink, median of %d runs\n", kSongs,
              kSongFrames, songRuns);
  std::printf("    resident at the first song %8.1f MiB\n", Median(first));
  std::printf("    resident at the last song  %8.1f MiB\n", Median(last));
  std::printf("    growth over %d songs      %8.2f MiB  [< %g] %s\n", kSongs, Median(growth), kGrowthTargetMiB,
              Verdict(Median(growth), kGrowthTargetMiB));
  std::printf("    played in                  %8.1f s\n", Median(seconds));
  return 0;
}
