// The sound path as a listener hears it. The desktop program runs on a
// private X server (hidden behind its tray icon) and session bus, driven as
// the desktop's media controls drive it (MPRIS), and plays into a private
// sound server's null sink, recorded from the sink's monitor:
//   - the silence at each join of songs that follow each other (a tone cut
//     in two; a song of another rate between), and the largest step of the
//     wave at a join of one tone, as a share of its peak;
//   - Play to first sound, Pause to silence, Play again to sound, a seek to
//     sound, Stop to silence, in milliseconds of the recording;
//   - CPU and wake-ups while a long song plays with the window hidden.
// On PulseAudio, then on PipeWire with its PulseAudio server where it runs
// here; Audacious's join and CPU beside, where it is installed.
//   app_sound_path_bench [--seconds N]   (N: the CPU phase, default 60)
#include <dirent.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "desktop_session.h"
#include "monitor_recording.h"
#include "private_session_bus.h"
#include "pulse_null_sink.h"
#include "support/pipewire_null_sink.h"
#include "tone_analysis.h"

namespace {

using namespace orvana::testing;
using Clock = std::chrono::steady_clock;

constexpr int kRate = 44100;
constexpr double kTonePeak = 16384;
constexpr int kStartLimitMs = 20000;
// Targets.
constexpr double kJoinSilenceMs = 0.5;
constexpr double kJoinStep = 0.05;  // of the tone's peak
constexpr double kReopenSilenceMs = 100;
constexpr double kPlayMs = 150;
constexpr double kPauseMs = 60;
constexpr double kSeekMs = 150;
constexpr double kCpuPercent = 0.2;
constexpr double kWakeUps = 5;

std::string Data(const std::string& name) { return std::string(ORVANA_TEST_DATA_DIR) + "/player/" + name; }

void Copy(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  std::ofstream(to, std::ios::binary) << in.rdbuf();
}

void Report(const char* what, double value, const char* unit, std::optional<double> target) {
  if (value < 0)
    std::printf("  %-44s %9s %-7s %s\n", what, "-", unit, target ? "NOT HEARD" : "");
  else if (target)
    std::printf("  %-44s %9.2f %-7s [< %g] %s\n", what, value, unit, *target, value < *target ? "met" : "MISSED");
  else
    std::printf("  %-44s %9.2f %s\n", what, value, unit);
}

double MsOf(std::size_t samples) { return samples * 1000.0 / kRate; }

// A sound server for the run: its address and the monitor to record.
struct TServer {
  const char* name;
  std::string address;
  std::string monitor;
};

// CPU and wake-ups of a whole process, and the wake-ups of each of its threads.
struct TProcessSample {
  double cpuSeconds = 0;
  long switches = 0;
  std::map<std::string, long> threads;  // "name tid"
};

long StatusField(const std::string& status, const char* name) {
  const std::size_t at = status.find(std::string("\n") + name + ":");
  return at == std::string::npos ? 0 : std::atol(status.c_str() + at + std::strlen(name) + 2);
}

std::string ReadText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

TProcessSample SampleProcess(pid_t pid) {
  TProcessSample sample;
  const std::string stat = ReadText("/proc/" + std::to_string(pid) + "/stat");
  const std::size_t fields = stat.rfind(')');
  if (fields != std::string::npos) {
    std::istringstream rest(stat.substr(fields + 2));
    std::string field;
    long long ticks = 0;
    for (int n = 3; rest >> field && n <= 15; ++n)
      if (n == 14 || n == 15) ticks += std::atoll(field.c_str());  // user and system time
    sample.cpuSeconds = double(ticks) / double(::sysconf(_SC_CLK_TCK));
  }
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  if (DIR* folder = ::opendir(tasks.c_str())) {
    while (const dirent* entry = ::readdir(folder)) {
      if (entry->d_name[0] == '.') continue;
      const std::string task = tasks + "/" + entry->d_name;
      const std::string status = ReadText(task + "/status");
      // A wake-up is a thread that slept and was woken: a voluntary switch.
      // Being preempted while running (or yielding) wakes nothing.
      const long switches = StatusField(status, "voluntary_ctxt_switches");
      std::string name = ReadText(task + "/comm");
      if (!name.empty() && name.back() == '\n') name.pop_back();
      sample.threads[name + " " + entry->d_name] = switches;
      sample.switches += switches;
    }
    ::closedir(folder);
  }
  return sample;
}

// CPU (% of one core) and wake-ups a second of `pid` over `seconds`, with
// each thread's wake-ups a second when `perThread`.
std::pair<double, double> MeasureLoad(pid_t pid, int seconds, bool perThread = false) {
  const TProcessSample before = SampleProcess(pid);
  const auto begun = Clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(seconds));
  const TProcessSample after = SampleProcess(pid);
  const double wall = std::chrono::duration<double>(Clock::now() - begun).count();
  if (perThread)
    for (const auto& [thread, switches] : after.threads) {
      const auto earlier = before.threads.find(thread);
      const long since = switches - (earlier == before.threads.end() ? 0 : earlier->second);
      std::printf("      %-28s %7.2f wake-ups/s\n", thread.c_str(), double(since) / wall);
    }
  return {100 * (after.cpuSeconds - before.cpuSeconds) / wall, double(after.switches - before.switches) / wall};
}

// The joins heard in a recording of songs that follow each other.
struct TJoins {
  std::vector<double> silencesMs;  // every silence inside the sound
  double stepShare = 0;            // the wave's largest step, of the peak
  double soundMs = 0;
};

// `toneJoin`: where (in samples from the first sound) one tone is cut in
// two, to measure its step; 0 for none.
TJoins Joins(const std::string& raw, std::size_t toneJoin) {
  const std::vector<double> heard = LeftChannelOf(raw);
  const TStretch sound = SoundingPart(heard);
  TJoins joins;
  joins.soundMs = MsOf(sound.Length());
  for (const TStretch& silence : SilencesIn(heard, sound.begin, sound.end, kRate / 2000))
    joins.silencesMs.push_back(MsOf(silence.Length()));
  if (toneJoin > 0) {
    const std::size_t at = sound.begin + toneJoin;
    const std::size_t around = kRate / 50;  // a join may have moved by its silence
    joins.stepShare = LargestPredictionError(heard, 440, kRate, at - around, at + around) / kTonePeak;
  }
  return joins;
}

void ReportJoins(const char* player, const char* what, const TJoins& joins, std::optional<double> silenceTarget,
                 bool step) {
  double longest = 0;
  for (double ms : joins.silencesMs) longest = std::max(longest, ms);
  char line[160];
  std::snprintf(line, sizeof line, "%s, %s: longest silence", player, what);
  Report(line, longest, "ms", silenceTarget);
  if (step) {
    std::snprintf(line, sizeof line, "%s, %s: step at the join", player, what);
    Report(line, joins.stepShare, "of peak", silenceTarget ? std::optional<double>(kJoinStep) : std::nullopt);
  }
  std::snprintf(line, sizeof line, "%s, %s: sound heard", player, what);
  Report(line, joins.soundMs, "ms", std::nullopt);
}

// The program on a desktop of its own, with the server's address passed on.
class TProgram {
 public:
  TProgram(const TServer& server, const std::vector<std::string>& songs) {
    ::setenv("PULSE_SERVER", server.address.c_str(), 1);
    session_.UseSessionBus(bus_.Address());
    ready_ = session_.Ready() && bus_.Ready() && session_.StartTray(10000);
    if (!ready_) return;
    std::string list;
    for (const std::string& song : songs) {
      const std::string name = song.substr(song.rfind('/') + 1);
      // The caption, then eight columns: artist, album, track, time, genre, year, comment, file.
      list += name + "\r\n8\r\n\r\n\r\n\r\n--:--\r\n\r\n\r\n\r\n" + song + "\r\n";
    }
    session_.WriteFile(session_.ProgramFolder() + "/orvana.lst", list);
    session_.WriteFile(session_.ProgramFolder() + "/orvana.ini", "[ini]\r\nFirst=0\r\nIndex=0\r\nForm.Visible=0\r\n");
    program_ = session_.StartProgram({});
    bus_connection_.emplace(QDBusConnection::connectToBus(QString::fromStdString(bus_.Address()), "bench"));
    ready_ = WaitUntil([&] { return bus_connection_->interface()->isServiceRegistered(kService).value(); },
                       kStartLimitMs);
  }
  ~TProgram() {
    if (ready_) Call("org.mpris.MediaPlayer2", "Quit");
    if (program_ && !program_->WaitForExit(10000)) program_->Kill();
    bus_connection_.reset();
    QDBusConnection::disconnectFromBus("bench");
  }

  bool Ready() const { return ready_; }
  pid_t Pid() const { return program_ ? program_->Pid() : -1; }
  const TDesktopSession& Session() const { return session_; }

  void Player(const char* method, const QVariantList& arguments = {}) {
    Call("org.mpris.MediaPlayer2.Player", method, arguments);
  }
  QString Status() {
    QDBusInterface properties(kService, kPath, "org.freedesktop.DBus.Properties", *bus_connection_);
    const QDBusReply<QDBusVariant> reply =
        properties.call("Get", QStringLiteral("org.mpris.MediaPlayer2.Player"), QStringLiteral("PlaybackStatus"));
    return reply.isValid() ? reply.value().variant().toString() : QString();
  }

  static bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
      if (Clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
  }

 private:
  static constexpr const char* kService = "org.mpris.MediaPlayer2.orvana";
  static constexpr const char* kPath = "/org/mpris/MediaPlayer2";

  void Call(const char* interface, const char* method, const QVariantList& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, interface, method);
    message.setArguments(arguments);
    bus_connection_->call(message, QDBus::Block, 5000);
  }

  TPrivateSessionBus bus_;
  TDesktopSession session_;
  std::unique_ptr<TChildProcess> program_;
  std::optional<QDBusConnection> bus_connection_;
  bool ready_ = false;
};

// Plays the list from its start to its end, heard from the monitor.
std::string RecordList(TProgram& program, const TServer& server) {
  TMonitorRecording recording(server.address, server.monitor, kRate);
  if (!recording.Started()) return {};
  program.Player("Play");
  TProgram::WaitUntil([&] { return program.Status() == "Playing"; }, 5000);
  TProgram::WaitUntil([&] { return program.Status() == "Stopped"; }, 30000);
  recording.WaitForMore(kRate / 5, 2000);
  return recording.Stop();
}

// From a command to the moment the first sound (or lasting silence) comes
// out of the monitor, in ms: what a listener waits, the monitor's own
// delivery (a 10 ms fragment) included.
double Latency(TMonitorRecording& recording, bool toSound, const std::function<void()>& command) {
  const std::size_t hold = kRate / 50;  // silence that lasts, not a zero crossing
  std::int64_t from = recording.Frames();
  std::size_t quiet = 0;
  const auto sent = Clock::now();
  command();
  while (Clock::now() - sent < std::chrono::seconds(3)) {
    const std::vector<double> heard = LeftChannelOf(recording.SamplesSoFar(from));
    from += std::int64_t(heard.size());
    for (const double sample : heard) {
      const bool silent = std::abs(sample) < kSilenceLevel;
      quiet = silent ? quiet + 1 : 0;
      if ((toSound && !silent) || (!toSound && quiet >= hold))
        return std::chrono::duration<double, std::milli>(Clock::now() - sent).count();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return -1;
}

bool MeasureOrvana(const TServer& server, const std::string& folder, int cpuSeconds) {
  std::printf("Orvana on %s\n", server.name);
  const std::string part1 = folder + "/part1.mp3", part2 = folder + "/part2.mp3", other = folder + "/48k.mp3";
  {
    TProgram program(server, {part1, part2});
    if (!program.Ready()) return false;
    ReportJoins("Orvana", "a tone cut in two", Joins(RecordList(program, server), 39690), kJoinSilenceMs, true);
  }
  {
    TProgram program(server, {part1, other, part2});
    if (!program.Ready()) return false;
    ReportJoins("Orvana", "another rate between", Joins(RecordList(program, server), 0), kReopenSilenceMs, false);
  }
  {
    // 3 s of tone, 4 s of silence, 3 s of tone.
    TProgram program(server, {folder + "/latency.mp3"});
    if (!program.Ready()) return false;
    TMonitorRecording recording(server.address, server.monitor, kRate);
    if (!recording.Started()) return false;
    Report("Play to sound", Latency(recording, true, [&] { program.Player("Play"); }), "ms", kPlayMs);
    recording.WaitForMore(kRate / 2, 3000);
    Report("Pause to silence", Latency(recording, false, [&] { program.Player("Pause"); }), "ms", kPauseMs);
    recording.WaitForMore(kRate / 2, 3000);
    Report("Play again to sound", Latency(recording, true, [&] { program.Player("Play"); }), "ms", kPauseMs);
    recording.WaitForMore(kRate / 2, 3000);
    // From about 1.5 s into the first tone into the silence, then into the second tone.
    program.Player("Seek", {QVariant::fromValue(qlonglong(3'000'000))});
    recording.WaitForMore(kRate / 2, 3000);
    Report("seek to sound", Latency(recording, true, [&] { program.Player("Seek", {qlonglong(4'000'000)}); }), "ms",
           kSeekMs);
    recording.WaitForMore(kRate / 2, 3000);
    Report("Stop to silence", Latency(recording, false, [&] { program.Player("Stop"); }), "ms", kPauseMs);
    recording.Stop();
  }
  {
    TProgram program(server, {folder + "/long.mp3"});
    if (!program.Ready()) return false;
    program.Player("Play");
    std::this_thread::sleep_for(std::chrono::seconds(3));  // settled into steady play
    const auto [cpu, wakeUps] = MeasureLoad(program.Pid(), cpuSeconds, true);
    Report("CPU, playing, window hidden", cpu, "% core", kCpuPercent);
    Report("wake-ups, playing, window hidden", wakeUps, "/s", kWakeUps);
  }
  return true;
}

void MeasureAudacious(const TServer& server, const std::string& folder, int cpuSeconds) {
  const auto run = [&](const std::vector<std::string>& files, const std::function<void(TChildProcess&)>& measure) {
    TPrivateSessionBus bus;
    TDesktopSession session;
    session.UseSessionBus(bus.Address());
    std::vector<std::string> argv{"audacious", "-H"};
    argv.insert(argv.end(), files.begin(), files.end());
    std::vector<std::string> environment = session.Environment();
    environment.push_back("PULSE_SERVER=" + server.address);
    TChildProcess audacious(argv, environment, session.Folder() + "/audacious.log");
    measure(audacious);
    audacious.Kill();
  };
  std::printf("Audacious on %s\n", server.name);
  run({folder + "/part1.mp3", folder + "/part2.mp3"}, [&](TChildProcess&) {
    TMonitorRecording recording(server.address, server.monitor, kRate);
    // It plays what it is given at once; the two parts last 2 s.
    recording.WaitForMore(kRate * 5, 10000);
    ReportJoins("Audacious", "a tone cut in two", Joins(recording.Stop(), 39690), std::nullopt, true);
  });
  run({folder + "/long.mp3"}, [&](TChildProcess& audacious) {
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const auto [cpu, wakeUps] = MeasureLoad(audacious.Pid(), cpuSeconds);
    Report("Audacious: CPU, playing", cpu, "% core", std::nullopt);
    Report("Audacious: wake-ups, playing", wakeUps, "/s", std::nullopt);
  });
}

bool MakeSongs(const std::string& folder) {
  Copy(Data("tone-440-first-half.mp3"), folder + "/part1.mp3");
  Copy(Data("tone-440-second-half.mp3"), folder + "/part2.mp3");
  Copy(Data("tone-48000-stereo-cbr.mp3"), folder + "/48k.mp3");
  {
    // Ten minutes of a CBR tone without tags: its frames simply follow on.
    const std::string tone = ReadText(Data("tone-44100-stereo-cbr.mp3"));
    std::ofstream out(folder + "/long.mp3", std::ios::binary);
    for (int i = 0; i < 500; ++i) out << tone;
  }
  const std::string make = "cd '" + folder +
                           "' && sox -n -r 44100 -c 2 -b 16 a.wav synth 3 sine 440 vol 0.5"
                           " && sox -n -r 44100 -c 2 -b 16 b.wav trim 0 4"
                           " && sox a.wav b.wav a.wav latency.wav && lame --quiet -b 192 latency.wav latency.mp3";
  return std::system(make.c_str()) == 0;
}

int Argument(int argc, char** argv, const char* name, int otherwise) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], name) == 0) return std::max(1, std::atoi(argv[i + 1]));
  return otherwise;
}

bool Installed(const char* program) {
  return std::system((std::string("command -v ") + program + " > /dev/null 2>&1").c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int cpuSeconds = Argument(argc, argv, "--seconds", 60);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  QCoreApplication application(argc, argv);
  std::string folder = std::filesystem::temp_directory_path().string() + "/orvana-sound-bench-XXXXXX";
  if (::mkdtemp(folder.data()) == nullptr || !MakeSongs(folder)) {
    std::fprintf(stderr, "cannot make the songs (sox and lame: scripts/install-deps.sh bench)\n");
    return 1;
  }
  bool measured = false;
  {
    orvana::player::testing::PulseNullSink pulse;
    if (pulse.Running()) {
      const TServer server{"PulseAudio", pulse.Server(), orvana::player::testing::PulseNullSink::kMonitorName};
      measured = MeasureOrvana(server, folder, cpuSeconds);
      if (Installed("audacious")) MeasureAudacious(server, folder, cpuSeconds);
    } else {
      std::printf("PulseAudio: no private server (%s)\n", pulse.Failure().c_str());
    }
  }
  if (Installed("pipewire") && Installed("wireplumber") && Installed("pipewire-pulse")) {
    TPipeWireNullSink pipewire;
    if (pipewire.Running()) {
      const TServer server{"PipeWire", pipewire.Server(), TPipeWireNullSink::kMonitorName};
      MeasureOrvana(server, folder, cpuSeconds);
      if (Installed("audacious")) MeasureAudacious(server, folder, cpuSeconds);
    } else {
      std::printf("PipeWire: cannot run here (%s)\n", pipewire.Failure().c_str());
    }
  }
  std::filesystem::remove_all(folder);
  return measured ? 0 : 1;
}
