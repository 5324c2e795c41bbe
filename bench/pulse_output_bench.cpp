// The PulseAudio back end against ALSA's default device (which reaches the
// same server through ALSA's pulse plugin), on a private PulseAudio daemon
// with a null sink, or on the server PULSE_SERVER names (--external: a
// private PipeWire, say). Prints:
//  - wake-ups a second of every thread and the CPU share while a player-like
//    pair of threads keeps four blocks queued (one hands blocks back, the
//    other refills them), for several block lengths;
//  - latencies heard in the sink's monitor (recorded with parecord): open to
//    first sound, pause to silence, restart to sound, a volume change, reset
//    to silence and to the next sound, close to silence;
//  - `orvana-cli play --device pulse|alsa FILE`: its threads' wake-ups, CPU
//    share and start to first sound.
//   pulse_output_bench [--seconds N] [--repeat N] [--file F.mp3] [--external]
//                      [--monitor NAME] [--only stream|latency|handback|cli]
// The recording asks for 5 ms of latency: the sink then renders only that far
// ahead of what is heard, which makes the recording's clock good to a few
// milliseconds (it also keeps the sink from rendering as far ahead as the
// streams measured would let it).
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/message_queue.h"
#include "platform/waitable.h"
#include "platform/wave_out.h"
#include "pulse_null_sink.h"

namespace {

namespace fs = std::filesystem;
using namespace orvana::platform;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kRate = 44100;
constexpr int kFrameBytes = 4;

struct Options {
  int seconds = 30;
  int repeat = 5;
  std::string file;
  bool external = false;
  std::string monitor = orvana::player::testing::PulseNullSink::kMonitorName;
  std::string only;
};

double Since(Clock::time_point start, Clock::time_point end = Clock::now()) {
  return std::chrono::duration<double, std::milli>(end - start).count();
}

// --- threads' counters from /proc

struct ThreadCounters {
  std::string name;
  long switches = 0;  // voluntary + involuntary
  long voluntary = 0;
  double cpuSeconds = 0;
};

std::string FirstLine(const fs::path& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

std::map<std::string, ThreadCounters> Snapshot(pid_t pid) {
  std::map<std::string, ThreadCounters> threads;
  std::error_code error;
  for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
    ThreadCounters counters;
    counters.name = FirstLine(task.path() / "comm");
    std::ifstream status(task.path() / "status");
    for (std::string line; std::getline(status, line);) {
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0) counters.voluntary = std::stol(line.substr(24));
      if (line.rfind("nonvoluntary_ctxt_switches:", 0) == 0) counters.switches += std::stol(line.substr(27));
    }
    counters.switches += counters.voluntary;
    std::ifstream sched(task.path() / "schedstat");
    double runNs = 0;
    sched >> runNs;
    counters.cpuSeconds = runNs / 1e9;
    threads[task.path().filename().string()] = counters;
  }
  return threads;
}

// Prints each thread's wake-ups a second and CPU share between two snapshots.
void PrintUsage(const std::string& title, pid_t pid, const std::map<std::string, ThreadCounters>& before,
                const std::map<std::string, ThreadCounters>& after, double seconds, const std::string& skipTid = "") {
  double total = 0, cpu = 0;
  std::string detail;
  for (const auto& [tid, end] : after) {
    if (tid == skipTid) continue;
    const auto start = before.find(tid);
    const ThreadCounters zero{end.name};
    const ThreadCounters& from = start != before.end() ? start->second : zero;
    const double rate = double(end.switches - from.switches) / seconds;
    const double share = 100 * (end.cpuSeconds - from.cpuSeconds) / seconds;
    total += rate;
    cpu += share;
    char line[160];
    const std::string name = tid == std::to_string(pid) ? end.name + " (main)" : end.name;
    std::snprintf(line, sizeof line, "    %-23s %6.2f/s (%5.2f voluntary) %7.3f %% CPU\n", name.c_str(), rate,
                  double(end.voluntary - from.voluntary) / seconds, share);
    detail += line;
  }
  std::printf("  %s: %.2f wake-ups/s in all, %.3f %% of a core, over %.0f s\n%s", title.c_str(), total, cpu, seconds,
              detail.c_str());
}

// --- a player-like client of WaveOutStream

// Stereo 16-bit tone: 440 Hz on the left, 660 Hz on the right, or either alone.
std::vector<uint8_t> Tone(double seconds, bool left, bool right, int amplitude = 12000) {
  const int frames = static_cast<int>(seconds * kRate);
  std::vector<uint8_t> pcm(static_cast<size_t>(frames) * kFrameBytes);
  for (int i = 0; i < frames; ++i) {
    const auto l = static_cast<int16_t>(left ? amplitude * std::sin(2 * M_PI * 440 * i / kRate) : 0);
    const auto r = static_cast<int16_t>(right ? amplitude * std::sin(2 * M_PI * 660 * i / kRate) : 0);
    std::memcpy(&pcm[static_cast<size_t>(i) * 4], &l, 2);
    std::memcpy(&pcm[static_cast<size_t>(i) * 4 + 2], &r, 2);
  }
  return pcm;
}

// Four blocks kept queued as the player does: one thread takes the
// buffer-done notices and wakes the other, which refills every free block.
class Feeder {
 public:
  Feeder(int device, int blockMs, std::vector<uint8_t> tone) : tone_(std::move(tone)) {
    opened_ = OpenWaveOut(device, MakePcmFormat(kRate, 2, 16), &notices_, stream_);
    if (opened_ != MMSYSERR_NOERROR) return;
    const size_t bytes = static_cast<size_t>(blockMs) * kRate / 1000 * kFrameBytes;
    for (size_t i = 0; i < 4; ++i) {
      buffers_[i].resize(bytes);
      headers_[i].data = buffers_[i].data();
      headers_[i].bufferLength = static_cast<uint32_t>(bytes);
      stream_->Prepare(headers_[i]);
      free_.push_back(i);
    }
  }
  ~Feeder() { Stop(); }

  MmResult Opened() const { return opened_; }
  WaveOutStream& Stream() { return *stream_; }

  void Start() {
    output_ = std::thread([this] { RunOutput(); });
    decoder_ = std::thread([this] { RunDecoder(); });
  }

  // Replaces what is played from the next block written on.
  void SetTone(std::vector<uint8_t> tone) {
    std::lock_guard lock(mutex_);
    tone_ = std::move(tone);
    toneAt_ = 0;
  }

  void Stop() {
    if (!stream_) return;
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    if (decoder_.joinable()) decoder_.join();
    stream_->Reset();
    notices_.Post(0);  // ends the output thread
    if (output_.joinable()) output_.join();
    stream_->Close();
    stream_.reset();
  }

 private:
  void RunOutput() {
    for (;;) {
      const auto notice = notices_.Get(kWaitInfinite);
      if (!notice || notice->number != MM_WOM_DONE) return;
      auto* header = reinterpret_cast<WaveHeader*>(notice->lParam);
      {
        std::lock_guard lock(mutex_);
        free_.push_back(static_cast<size_t>(header - headers_.data()));
      }
      changed_.notify_all();
    }
  }

  void RunDecoder() {
    std::unique_lock lock(mutex_);
    for (;;) {
      changed_.wait(lock, [this] { return stopping_ || !free_.empty(); });
      if (stopping_) return;
      while (!free_.empty()) {
        const size_t index = free_.front();
        free_.pop_front();
        std::vector<uint8_t>& buffer = buffers_[index];
        for (size_t done = 0; done < buffer.size();) {
          const size_t n = std::min(buffer.size() - done, tone_.size() - toneAt_);
          std::memcpy(buffer.data() + done, tone_.data() + toneAt_, n);
          done += n;
          toneAt_ = (toneAt_ + n) % tone_.size();
        }
        stream_->Write(headers_[index]);
      }
    }
  }

  std::vector<uint8_t> tone_;
  size_t toneAt_ = 0;
  MessageQueue notices_;
  std::unique_ptr<WaveOutStream> stream_;
  MmResult opened_ = MMSYSERR_ERROR;
  std::array<WaveHeader, 4> headers_;
  std::array<std::vector<uint8_t>, 4> buffers_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<size_t> free_;
  bool stopping_ = false;
  std::thread output_, decoder_;
};

const char* DeviceName(int device) { return device == kPulseWaveDevice ? "pulse" : "alsa"; }

void BenchStream(const Options& options) {
  std::printf("\nA player-like client keeping four blocks queued (wake-ups of this process's threads):\n");
  for (const int device : {kPulseWaveDevice, kAlsaDefaultWaveDevice}) {
    for (const int blockMs : {500, 1000, 2000}) {
      if (device == kAlsaDefaultWaveDevice && blockMs != 500) continue;
      Feeder feeder(device, blockMs, Tone(1.0, true, true));
      if (feeder.Opened() != MMSYSERR_NOERROR) {
        std::printf("  %s: cannot open: %s\n", DeviceName(device),
                    WaveOutErrorText(feeder.Opened()).value_or("?").c_str());
        continue;
      }
      feeder.Start();
      std::this_thread::sleep_for(milliseconds(3000));
      const auto before = Snapshot(::getpid());
      const auto start = Clock::now();
      std::this_thread::sleep_for(std::chrono::seconds(options.seconds));
      const auto after = Snapshot(::getpid());
      const double seconds = Since(start) / 1000;
      PrintUsage(std::string("--device ") + DeviceName(device) + ", blocks of " + std::to_string(blockMs) + " ms",
                 ::getpid(), before, after, seconds, std::to_string(::getpid()));
      feeder.Stop();
    }
  }
}

// --- the monitor, recorded with parecord

class MonitorRecorder {
 public:
  explicit MonitorRecorder(const std::string& monitor) {
    int fds[2];
    if (::pipe(fds) != 0) return;
    const std::string device = "--device=" + monitor;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);
      ::dup2(fds[1], STDOUT_FILENO);
      ::close(fds[0]);
      ::close(fds[1]);
      ::execlp("parecord", "parecord", device.c_str(), "--latency-msec=5", "--raw", "--format=s16le", "--rate=44100",
               "--channels=2", static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(fds[1]);
    fd_ = fds[0];
    reader_ = std::thread([this] { Read(); });
  }

  ~MonitorRecorder() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    if (reader_.joinable()) reader_.join();
    if (fd_ >= 0) ::close(fd_);
  }

  // Records alone for a while, then keeps the clock of frame 0 from then on.
  void Settle() {
    std::this_thread::sleep_for(milliseconds(800));
    std::lock_guard lock(mutex_);
    settled_ = true;
  }

  // Writes the recording as raw stereo 16-bit, and the time of its first frame.
  void Dump(const std::string& path, Clock::time_point reference) {
    std::lock_guard lock(mutex_);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(samples_.data()), static_cast<std::streamsize>(samples_.size() * 2));
    std::printf("dumped %zu frames to %s, origin at %.1f ms from the reference\n", samples_.size() / 2, path.c_str(),
                origin_ ? Since(reference, *origin_) : NAN);
  }

  // Waits until the recording has covered `when` plus `after`.
  void WaitPast(Clock::time_point when, milliseconds after = milliseconds(300)) {
    std::this_thread::sleep_until(when + after + milliseconds(100));
  }

  // The time of the first frame from which on `match` holds over a window of
  // `windowMs`, after a stretch where it does not, looking from a little
  // before `from` (the recording's clock is good to a few milliseconds);
  // nothing if there is none.
  template <typename Match>
  std::optional<Clock::time_point> Find(Clock::time_point from, Match match, double windowMs = 2.0) {
    std::lock_guard lock(mutex_);
    if (!origin_) return std::nullopt;
    const int64_t window = static_cast<int64_t>(windowMs * kRate / 1000);
    const int64_t frames = static_cast<int64_t>(samples_.size() / 2);
    int64_t i = std::max<int64_t>(0, FrameAt(from - milliseconds(30)));
    while (i + window <= frames && match(&samples_[static_cast<size_t>(i) * 2], window)) ++i;
    for (; i + window <= frames; ++i)
      if (match(&samples_[static_cast<size_t>(i) * 2], window)) return TimeOf(i);
    return std::nullopt;
  }

 private:
  void Read() {
    std::vector<int16_t> chunk(4096);
    for (;;) {
      const ssize_t n = ::read(fd_, chunk.data(), chunk.size() * 2);
      if (n <= 0) return;
      const auto arrived = Clock::now();
      std::lock_guard lock(mutex_);
      const size_t count = static_cast<size_t>(n) / 2;
      samples_.insert(samples_.end(), chunk.begin(), chunk.begin() + static_cast<long>(count));
      // Frames arrive after they were rendered: the earliest arrival for its
      // index gives the clock of frame 0. Only while nothing else plays: a
      // sink renders ahead by the shortest latency its streams ask for (the
      // recording's own few milliseconds while it plays alone).
      if (settled_) continue;
      const int64_t end = static_cast<int64_t>(samples_.size() / 2);
      const Clock::time_point origin = arrived - std::chrono::microseconds(end * 1'000'000 / kRate);
      if (!origin_ || origin < *origin_) origin_ = origin;
    }
  }

  int64_t FrameAt(Clock::time_point when) const {
    return std::chrono::duration_cast<std::chrono::microseconds>(when - *origin_).count() * kRate / 1'000'000;
  }
  Clock::time_point TimeOf(int64_t frame) const {
    return *origin_ + std::chrono::microseconds(frame * 1'000'000 / kRate);
  }

  pid_t pid_ = -1;
  int fd_ = -1;
  std::thread reader_;
  std::mutex mutex_;
  std::vector<int16_t> samples_;
  std::optional<Clock::time_point> origin_;
  bool settled_ = false;
};

bool Loud(const int16_t* frames, int64_t count, int channel) {
  for (int64_t i = 0; i < count; ++i)
    if (std::abs(frames[i * 2 + channel]) > 2000) return true;
  return false;
}

bool Quiet(const int16_t* frames, int64_t count, int channel, int limit = 100) {
  for (int64_t i = 0; i < count; ++i)
    if (std::abs(frames[i * 2 + channel]) > limit) return false;
  return true;
}

int Peak(const int16_t* frames, int64_t count, int channel) {
  int peak = 0;
  for (int64_t i = 0; i < count; ++i) peak = std::max(peak, std::abs(static_cast<int>(frames[i * 2 + channel])));
  return peak;
}

struct Figures {
  std::map<std::string, std::vector<double>> values;
  void Add(const std::string& name, std::optional<Clock::time_point> heard, Clock::time_point asked) {
    values[name].push_back(heard ? Since(asked, *heard) : NAN);
  }
  void Print() const {
    for (const auto& [name, list] : values) {
      std::vector<double> sorted = list;
      std::sort(sorted.begin(), sorted.end());
      std::string all;
      for (double v : list) {
        char one[16] = " -";
        if (!std::isnan(v)) std::snprintf(one, sizeof one, " %.0f", v);
        all += one;
      }
      std::printf("    %-26s median %6.1f ms, worst %6.1f ms  (each:%s)\n", name.c_str(), sorted[sorted.size() / 2],
                  sorted.back(), all.c_str());
    }
  }
};

void BenchLatency(const Options& options) {
  std::printf("\nLatencies heard in the monitor (%s), from the call to the change:\n", options.monitor.c_str());
  for (const int device : {kPulseWaveDevice, kAlsaDefaultWaveDevice}) {
    Figures figures;
    for (int round = 0; round < options.repeat; ++round) {
      MonitorRecorder recorder(options.monitor);
      recorder.Settle();
      const auto left = [](const int16_t* f, int64_t n) { return Loud(f, n, 0); };
      const auto leftQuiet = [](const int16_t* f, int64_t n) { return Quiet(f, n, 0); };
      const auto right = [](const int16_t* f, int64_t n) { return Loud(f, n, 1); };

      const auto opening = Clock::now();
      Feeder feeder(device, 500, Tone(1.0, true, false));
      if (feeder.Opened() != MMSYSERR_NOERROR) {
        std::printf("  %s: cannot open: %s\n", DeviceName(device),
                    WaveOutErrorText(feeder.Opened()).value_or("?").c_str());
        return;
      }
      feeder.Start();
      std::this_thread::sleep_for(milliseconds(1500));
      const auto pausing = Clock::now();
      feeder.Stream().Pause();
      std::this_thread::sleep_for(milliseconds(700));
      const auto restarting = Clock::now();
      feeder.Stream().Restart();
      std::this_thread::sleep_for(milliseconds(1000));
      const auto lowering = Clock::now();
      feeder.Stream().SetVolume(0x20002000);  // an eighth
      std::this_thread::sleep_for(milliseconds(700));
      feeder.Stream().SetVolume(0xFFFFFFFF);
      std::this_thread::sleep_for(milliseconds(700));
      // A seek: what is queued goes, the new sound is on the right.
      feeder.SetTone(Tone(1.0, false, true));
      const auto resetting = Clock::now();
      feeder.Stream().Reset();
      std::this_thread::sleep_for(milliseconds(1000));
      const auto closing = Clock::now();
      feeder.Stop();
      recorder.WaitPast(closing);

      if (std::getenv("ORVANA_BENCH_DUMP")) {
        recorder.Dump(std::getenv("ORVANA_BENCH_DUMP"), opening);
        std::printf("events (ms from open): pause %.1f restart %.1f volume %.1f reset %.1f close %.1f\n",
                    Since(opening, pausing), Since(opening, restarting), Since(opening, lowering),
                    Since(opening, resetting), Since(opening, closing));
      }
      figures.Add("open to sound", recorder.Find(opening, left), opening);
      figures.Add("pause to silence",
                  recorder.Find(
                      pausing, [](const int16_t* f, int64_t n) { return Quiet(f, n, 0); }, 5),
                  pausing);
      figures.Add("restart to sound", recorder.Find(restarting, left), restarting);
      const auto lowered = recorder.Find(
          lowering, [](const int16_t* f, int64_t n) { return Peak(f, n, 0) > 200 && Peak(f, n, 0) < 3000; }, 5);
      figures.Add("volume to an eighth", lowered, lowering);
      figures.Add("reset to silence", recorder.Find(resetting, leftQuiet, 5), resetting);
      figures.Add("reset to new sound", recorder.Find(resetting, right), resetting);
      figures.Add("close to silence",
                  recorder.Find(
                      closing, [](const int16_t* f, int64_t n) { return Quiet(f, n, 0) && Quiet(f, n, 1); }, 5),
                  closing);
    }
    std::printf("  --device %s (blocks of 500 ms, %d rounds):\n", DeviceName(device), options.repeat);
    figures.Print();
  }
}

// How late blocks come back after they were heard: four blocks of 500 ms
// written at once, then one of 100 ms after the last came back (the end of a
// song), timed against the monitor.
void BenchHandBack(const Options& options) {
  std::printf("\nBlocks handed back after they were heard (4 x 500 ms at once, the last one late by):\n");
  for (const int device : {kPulseWaveDevice, kAlsaDefaultWaveDevice}) {
    std::vector<double> lastLate, worstLate;
    for (int round = 0; round < options.repeat; ++round) {
      MonitorRecorder recorder(options.monitor);
      recorder.Settle();
      MessageQueue notices;
      std::unique_ptr<WaveOutStream> stream;
      const auto opening = Clock::now();
      if (OpenWaveOut(device, MakePcmFormat(kRate, 2, 16), &notices, stream) != MMSYSERR_NOERROR) return;
      std::vector<uint8_t> pcm = Tone(0.5, true, false);
      std::array<WaveHeader, 4> headers;
      for (auto& header : headers) {
        header.data = pcm.data();
        header.bufferLength = static_cast<uint32_t>(pcm.size());
        stream->Prepare(header);
        stream->Write(header);
      }
      std::vector<Clock::time_point> done;
      for (size_t i = 0; i < headers.size(); ++i)
        if (notices.Get(5000)) done.push_back(Clock::now());
      stream->Close();
      recorder.WaitPast(done.back());
      const auto onset = recorder.Find(opening, [](const int16_t* f, int64_t n) { return Loud(f, n, 0); });
      if (!onset || done.size() != headers.size()) continue;
      double worst = -1e9;
      for (size_t i = 0; i < done.size(); ++i) {
        const double late = Since(*onset + milliseconds(500 * (i + 1)), done[i]);
        worst = std::max(worst, late);
        if (i + 1 == done.size()) lastLate.push_back(late);
      }
      worstLate.push_back(worst);
    }
    std::sort(lastLate.begin(), lastLate.end());
    std::sort(worstLate.begin(), worstLate.end());
    if (lastLate.empty()) continue;
    std::printf(
        "  --device %s: the last block %.1f ms (median, worst %.1f), the latest of the four %.1f ms (worst %.1f)\n",
        DeviceName(device), lastLate[lastLate.size() / 2], lastLate.back(), worstLate[worstLate.size() / 2],
        worstLate.back());
  }
}

// --- orvana-cli play

pid_t Spawn(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  return pid;
}

std::string LongFile(const Options& options) {
  if (!options.file.empty()) return options.file;
  const std::string dir = (fs::temp_directory_path() / "orvana-pulse-bench").string();
  const std::string mp3 = dir + "/sine-120s.mp3";
  if (fs::exists(mp3)) return mp3;
  fs::create_directories(dir);
  const std::string make = "sox -q -n -r 44100 -c 2 '" + dir +
                           "/sine.wav' synth 120 sine 440 gain -3 && lame --quiet -b 128 '" + dir + "/sine.wav' '" +
                           mp3 + "' && rm -f '" + dir + "/sine.wav'";
  if (std::system(make.c_str()) != 0) return "";
  return mp3;
}

void BenchCli(const Options& options) {
  const std::string file = LongFile(options);
  if (file.empty()) {
    std::printf("\norvana-cli: sox and lame are needed to make a long file (or give --file)\n");
    return;
  }
  std::printf("\norvana-cli play --device D %s (wake-ups of its threads while it plays):\n", file.c_str());
  for (const char* device : {"pulse", "alsa"}) {
    MonitorRecorder recorder(options.monitor);
    recorder.Settle();
    const auto started = Clock::now();
    const pid_t cli = Spawn({ORVANA_CLI_PATH, "play", "--device", device, file});
    std::this_thread::sleep_for(milliseconds(3000));
    const auto sound = recorder.Find(started, [](const int16_t* f, int64_t n) { return Loud(f, n, 0); });
    const auto before = Snapshot(cli);
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(options.seconds));
    const auto after = Snapshot(cli);
    const double seconds = Since(start) / 1000;
    ::kill(cli, SIGINT);
    ::waitpid(cli, nullptr, 0);
    PrintUsage(std::string("--device ") + device, cli, before, after, seconds);
    if (sound)
      std::printf("    start of the process to first sound: %.0f ms\n", Since(started, *sound));
    else
      std::printf("    no sound heard\n");
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
    if (arg == "--seconds")
      options.seconds = std::atoi(next().c_str());
    else if (arg == "--repeat")
      options.repeat = std::atoi(next().c_str());
    else if (arg == "--file")
      options.file = next();
    else if (arg == "--external")
      options.external = true;
    else if (arg == "--monitor")
      options.monitor = next();
    else if (arg == "--only")
      options.only = next();
    else {
      std::fprintf(stderr,
                   "usage: pulse_output_bench [--seconds N] [--repeat N] [--file F.mp3] [--external] [--monitor NAME] "
                   "[--only stream|latency|handback|cli]\n");
      return 2;
    }
  }
  std::unique_ptr<orvana::player::testing::PulseNullSink> daemon;
  if (!options.external) {
    daemon = std::make_unique<orvana::player::testing::PulseNullSink>();
    if (!daemon->Running()) {
      std::fprintf(stderr, "pulse_output_bench: %s\n", daemon->Failure().c_str());
      return 1;
    }
    std::printf("private PulseAudio at %s\n", daemon->Server().c_str());
  } else {
    const char* server = std::getenv("PULSE_SERVER");
    std::printf("server: %s\n", server ? server : "(the session's)");
    // ALSA's default reaches the same server.
    const std::string conf = (fs::temp_directory_path() / "orvana-pulse-bench-asound.conf").string();
    std::ofstream(conf) << "pcm.!default { type pulse }\nctl.!default { type pulse }\n";
    ::setenv("ALSA_CONFIG_PATH", conf.c_str(), 1);
  }
  if (options.only.empty() || options.only == "stream") BenchStream(options);
  if (options.only.empty() || options.only == "latency") BenchLatency(options);
  if (options.only.empty() || options.only == "handback") BenchHandBack(options);
  if (options.only.empty() || options.only == "cli") BenchCli(options);
  return 0;
}
