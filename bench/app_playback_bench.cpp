// The weight of the desktop program while it plays a five-minute song into a
// PulseAudio null sink: CPU with the window hidden and shown, peak resident
// memory, and how often its threads wake up when paused and when stopped;
// then a 128 kbit/s station of a private Icecast, hidden, beside the file.
//   app_playback_bench [--seconds N] [--idle-seconds N] [--no-station]
// The window runs in this process on a private X server, with the real
// default sound device, and is driven through its actions.
// N defaults to 60 for each playing phase and 30 for each idle one.
#include <dirent.h>
#include <malloc.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "app/window/japanese_fonts.h"
#include "app/window/main_window.h"
#include "desktop_session.h"
#include "icecast_server.h"
#include "icecast_source.h"
#include "pulse_null_sink.h"

namespace {

using orvana::app::TForm1;
using Clock = std::chrono::steady_clock;

constexpr int kCopies = 250;  // of a 1.2 s tone: five minutes
constexpr int kSettleMs = 2000;
constexpr double kHiddenCpuTarget = 0.3;  // % of one core
constexpr double kShownCpuTarget = 1.0;
constexpr double kPeakMemoryTarget = 40;  // MiB
constexpr double kWakeUpTarget = 2;       // per second, all threads

// Sleeps in the event loop, so the window and the player's host run as in
// the program and the bench itself costs nothing meanwhile.
void RunEventLoop(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

long StatusField(const std::string& status, const char* name) {
  const std::size_t at = status.find(std::string("\n") + name + ":");
  return at == std::string::npos ? 0 : std::atol(status.c_str() + at + std::strlen(name) + 2);
}

struct TThreadSample {
  std::string name;
  long switches = 0;  // voluntary and nonvoluntary
  long long cpuNs = 0;
};

// Every thread now, by thread id.
std::map<int, TThreadSample> SampleThreads() {
  std::map<int, TThreadSample> threads;
  DIR* tasks = ::opendir("/proc/self/task");
  if (tasks == nullptr) return threads;
  while (const dirent* entry = ::readdir(tasks)) {
    if (entry->d_name[0] == '.') continue;
    const std::string folder = std::string("/proc/self/task/") + entry->d_name;
    const std::string status = ReadText(folder + "/status");
    std::string name = ReadText(folder + "/comm");
    if (!name.empty() && name.back() == '\n') name.pop_back();
    threads[std::atoi(entry->d_name)] = {
        name, StatusField(status, "voluntary_ctxt_switches") + StatusField(status, "nonvoluntary_ctxt_switches"),
        std::atoll(ReadText(folder + "/schedstat").c_str())};
  }
  ::closedir(tasks);
  return threads;
}

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// What the whole process did while its event loop ran, and each thread's
// share, to tell where a missed target comes from.
struct TPhase {
  double cpuPercent = 0;  // of one core
  double wakeUps = 0;     // per second, all threads
  std::vector<std::string> threads;
};

// Threads of the bench's own (a station's source) are not the program's.
TPhase RunPhase(int seconds, const std::string& notCounted = {}) {
  const auto before = SampleThreads();
  const double cpuBefore = CpuSeconds();
  const auto begun = Clock::now();
  RunEventLoop(seconds * 1000);
  const double wall = Seconds(Clock::now() - begun);
  TPhase phase;
  phase.cpuPercent = 100 * (CpuSeconds() - cpuBefore) / wall;
  long total = 0;
  for (const auto& [tid, thread] : SampleThreads()) {
    const auto earlier = before.find(tid);
    const TThreadSample start = earlier == before.end() ? TThreadSample{} : earlier->second;
    const long switches = thread.switches - start.switches;
    if (thread.name == notCounted) {
      phase.cpuPercent -= double(thread.cpuNs - start.cpuNs) / 1e7 / wall;
      continue;
    }
    total += switches;
    char line[128];
    std::snprintf(line, sizeof line, "      %-16s %7d  %6.3f %% core  %7.2f wake-ups/s", thread.name.c_str(), tid,
                  double(thread.cpuNs - start.cpuNs) / 1e7 / wall, switches / wall);
    phase.threads.push_back(line);
  }
  phase.wakeUps = total / wall;
  return phase;
}

bool Report(const char* what, double value, const char* unit, double target) {
  const bool met = value < target;
  std::printf("  %-34s %8.3f %-7s [< %g]  %s\n", what, value, unit, target, met ? "met" : "MISSED");
  return met;
}

bool ReportPhase(const char* what, const TPhase& phase, bool cpu, double target) {
  const bool met = cpu ? Report(what, phase.cpuPercent, "% core", target) : Report(what, phase.wakeUps, "/s", target);
  if (!met)
    for (const std::string& line : phase.threads) std::printf("%s\n", line.c_str());
  return met;
}

bool Flag(int argc, char** argv, const char* name) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return true;
  return false;
}

// The station phase: what a station costs, hidden, beside the file's figures.
bool MeasureStation(TForm1& form, int seconds, const TPhase& file) {
  orvana::testing::TIcecastServer icecast;
  if (!icecast.Running()) {
    std::printf("  no private Icecast: %s\n", icecast.Failure().c_str());
    return false;
  }
  const std::string audio = ReadText(std::string(ORVANA_TEST_DATA_DIR) + "/l3-44100-stereo-cbr128-crc.mp3");
  orvana::testing::TIcecastSource source(icecast.Port(), audio, {});
  if (!source.WaitConnected(1, 10000)) {
    std::printf("  the source did not reach Icecast\n");
    return false;
  }
  orvana::player::TMP3Player& player = form.MP3Player1();
  form.OpenAddress(icecast.Url("/live.mp3"));
  RunEventLoop(kSettleMs + 3000);  // connected, a few seconds held, playing
  if (player.Status() != orvana::player::msPlaying || !player.NetworkStream()) {
    std::printf("  the station does not play\n");
    return false;
  }
  const TPhase station = RunPhase(seconds, orvana::testing::TIcecastSource::kThreadName);
  std::printf("  a 128 kbit/s station, window hidden, beside the file:\n");
  // No more than the file: a little over it for the network's own thread.
  // The source's own CPU is the bench's: taken out of the process's figure.
  bool met = ReportPhase("CPU, station, window hidden", station, true, file.cpuPercent * 1.25 + 0.02);
  // One network thread more reading once a second, and the decoder woken for what it read.
  met &= ReportPhase("wake-ups, station, window hidden", station, false, file.wakeUps + 4);
  std::printf("      (file: %.3f %% core, %.2f wake-ups/s)\n", file.cpuPercent, file.wakeUps);
  form.Actions()[orvana::app::aiStop].Execute();
  RunEventLoop(500);
  return met;
}

int Argument(int argc, char** argv, const char* name, int otherwise) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return std::max(1, std::atoi(argv[i + 1]));
  return otherwise;
}

}  // namespace

int main(int argc, char** argv) {
  const int playSeconds = Argument(argc, argv, "--seconds", 60);
  const int idleSeconds = Argument(argc, argv, "--idle-seconds", 30);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each figure as soon as it is known

  // A private X server and fresh home, configuration and runtime folders;
  // no session bus.
  orvana::testing::TDesktopSession session;
  if (!session.Ready()) {
    std::fprintf(stderr, "no private X server could be started (is Xvfb installed?)\n");
    return 1;
  }
  ::setenv("DISPLAY", session.Display().c_str(), 1);
  ::setenv("HOME", (session.Folder() + "/home").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (session.Folder() + "/config").c_str(), 1);
  ::setenv("XDG_RUNTIME_DIR", (session.Folder() + "/runtime").c_str(), 1);
  ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
  ::setenv("QT_QPA_PLATFORM", "xcb", 1);
  // Points ALSA's default device at the sink; the session's own ~/.asoundrc
  // is not read then.
  orvana::player::testing::PulseNullSink sink;
  if (!sink.Running()) {
    std::fprintf(stderr, "no PulseAudio null sink: %s\n", sink.Failure().c_str());
    return 1;
  }

  // Five minutes of a CBR tone without tags: its frames simply follow on.
  const std::string song = session.Folder() + "/five-minutes.mp3";
  {
    const std::string tone = ReadText(std::string(ORVANA_TEST_DATA_DIR) + "/player/tone-44100-stereo-cbr.mp3");
    std::ofstream out(song, std::ios::binary);
    for (int i = 0; i < kCopies; ++i) out << tone;
  }

  // Set up as the program's entry sets up its application.
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  orvana::app::InstallJapaneseFontSubstitutes();
  QApplication::setFont(orvana::app::WindowFont());

  QStringList errors;
  // Not a first start: the first-run window would wait for a click.
  std::ofstream(session.Folder() + "/orvana.ini") << "[ini]\r\nFirst=0\r\n";
  TForm1 form({session.Folder() + "/orvana.ini", session.Folder() + "/orvana.lst"});
  form.SetErrorDisplay([&errors](const QString& text) { errors << text; });
  form.FormCreate({song});  // adds the song and plays it, as a start with it does
  form.hide();
  RunEventLoop(kSettleMs);
  ::malloc_trim(0);  // as the program does once started
  orvana::player::TMP3Player& player = form.MP3Player1();
  if (player.Status() != orvana::player::msPlaying || !errors.isEmpty()) {
    std::fprintf(stderr, "the song does not play: %s\n", errors.join("; ").toLocal8Bit().constData());
    return 1;
  }

  std::printf("desktop program playing a %d s MP3 into a PulseAudio null sink\n", kCopies * 6 / 5);
  bool met = true;
  const std::int64_t playedBefore = player.Position();
  const auto playBegun = Clock::now();
  const TPhase hidden = RunPhase(playSeconds);
  met &= ReportPhase("CPU, playing, window hidden", hidden, true, kHiddenCpuTarget);
  std::printf("      (%.2f wake-ups/s)\n", hidden.wakeUps);

  form.show();
  RunEventLoop(kSettleMs);  // mapped and first painted
  met &= ReportPhase("CPU, playing, window shown", RunPhase(playSeconds), true, kShownCpuTarget);
  // The sink takes sound at its real rate: what played shows the song ran.
  const double played = double(player.Position() - playedBefore) / 1000;
  const double elapsed = Seconds(Clock::now() - playBegun);

  form.Actions()[orvana::app::aiPause].Execute();
  RunEventLoop(kSettleMs);
  const bool paused = player.Status() == orvana::player::msPaused;
  met &= ReportPhase("wake-ups, paused", RunPhase(idleSeconds), false, kWakeUpTarget);

  form.Actions()[orvana::app::aiStop].Execute();
  RunEventLoop(kSettleMs);
  const bool stopped = player.Status() == orvana::player::msStopped;
  met &= ReportPhase("wake-ups, stopped", RunPhase(idleSeconds), false, kWakeUpTarget);

  const std::string status = ReadText("/proc/self/status");
  met &= Report("peak resident memory (VmHWM)", double(StatusField(status, "VmHWM")) / 1024, "MiB",
                kPeakMemoryTarget);
  // Where it lies: the program's own heap, or mapped libraries and fonts.
  std::printf("      resident now: %.1f MiB anonymous, %.1f MiB files, %.1f MiB shared memory\n",
              double(StatusField(status, "RssAnon")) / 1024, double(StatusField(status, "RssFile")) / 1024,
              double(StatusField(status, "RssShmem")) / 1024);
  std::printf("  played %.1f s of sound in %.1f s%s%s\n", played, elapsed, paused ? "" : "; NOT PAUSED",
              stopped ? "" : "; NOT STOPPED");
  for (const QString& error : errors) std::printf("  error shown: %s\n", error.toLocal8Bit().constData());

  if (!Flag(argc, argv, "--no-station")) met &= MeasureStation(form, playSeconds, hidden);

  form.FormClose();
  return met && paused && stopped && errors.isEmpty() ? 0 : 2;
}
