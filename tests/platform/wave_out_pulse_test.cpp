// The PulseAudio back end against a private pulseaudio with a null sink (one
// daemon for the whole test program: the tests share it, and those that kill
// it start it again). What is heard is recorded from the sink's monitor with
// parecord; the sink inputs are looked at with pactl. Times are checked with
// wide margins, as the machine may be busy (and slowed by a sanitizer); the
// benchmark bench/pulse_output_bench measures them.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/message_queue.h"
#include "platform/wave_out.h"
#include "player/sound/monitor_recording.h"
#include "player/sound/pulse_null_sink.h"

namespace orvana::platform {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using player::testing::PulseNullSink;
using std::chrono::milliseconds;

constexpr int kRate = 44100;
constexpr int kFrameBytes = 4;
constexpr int kAmplitude = 12000;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

uint64_t BytesOf(double seconds) { return static_cast<uint64_t>(seconds * kRate) * kFrameBytes; }

// Stereo 16-bit sines: 440 Hz on the left and 660 Hz on the right at the
// amplitudes given (0: silent).
std::vector<uint8_t> Tone(double seconds, int left = kAmplitude, int right = 0) {
  const int frames = static_cast<int>(seconds * kRate);
  std::vector<uint8_t> pcm(static_cast<size_t>(frames) * kFrameBytes);
  for (int i = 0; i < frames; ++i) {
    const auto l = static_cast<int16_t>(left * std::sin(2 * M_PI * 440 * i / kRate));
    const auto r = static_cast<int16_t>(right * std::sin(2 * M_PI * 660 * i / kRate));
    std::memcpy(&pcm[static_cast<size_t>(i) * 4], &l, 2);
    std::memcpy(&pcm[static_cast<size_t>(i) * 4 + 2], &r, 2);
  }
  return pcm;
}

// A shell command's standard output.
std::string Output(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return out;
  char buffer[4096];
  while (const size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, got);
  ::pclose(pipe);
  return out;
}

// Polls `done` every 20 ms for up to `limitMs`.
template <typename Done>
bool Eventually(Done done, int limitMs = 3000) {
  const auto deadline = Clock::now() + milliseconds(limitMs);
  while (!done()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(milliseconds(20));
  }
  return true;
}

// The sink's monitor from construction to Stop, as 16-bit samples.
class MonitorRecording {
 public:
  MonitorRecording() : recording_(std::getenv("PULSE_SERVER"), PulseNullSink::kMonitorName, kRate) {}

  // Ends the recording, once what was played until now is in it; the
  // samples, left and right interleaved.
  const std::vector<int16_t>& Stop() {
    if (!stopped_) {
      stopped_ = true;
      recording_.WaitForMore(kRate / 10, 3000);
      const std::string raw = recording_.Stop();
      samples_.resize(raw.size() / 2);
      std::memcpy(samples_.data(), raw.data(), samples_.size() * 2);
    }
    return samples_;
  }

 private:
  orvana::testing::TMonitorRecording recording_;
  bool stopped_ = false;
  std::vector<int16_t> samples_;
};

// Looks at one channel of a recording in windows of 2 ms.
class Channel {
 public:
  Channel(const std::vector<int16_t>& samples, int channel) {
    for (size_t i = static_cast<size_t>(channel); i < samples.size(); i += 2) values_.push_back(samples[i]);
  }
  int64_t Frames() const { return static_cast<int64_t>(values_.size()); }
  int Peak(int64_t from, int64_t count) const {
    int peak = 0;
    for (int64_t i = std::max<int64_t>(from, 0); i < std::min(from + count, Frames()); ++i)
      peak = std::max(peak, std::abs(static_cast<int>(values_[static_cast<size_t>(i)])));
    return peak;
  }
  // The first frame from `from` on where the peak over 2 ms is above (or,
  // with `below`, under) `level`; -1 if none.
  int64_t Find(int64_t from, int level, bool below = false) const {
    for (int64_t i = std::max<int64_t>(from, 0); i + kWindow <= Frames(); ++i)
      if ((Peak(i, kWindow) < level) == below) return i;
    return -1;
  }
  static constexpr int64_t kWindow = kRate / 500;

 private:
  std::vector<int16_t> values_;
};

// Frames of the thread named `name` in this process: its context switches.
long SwitchesOf(const std::string& name) {
  long total = 0;
  for (const auto& task : fs::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string taskName;
    std::getline(comm, taskName);
    if (taskName != name) continue;
    std::ifstream status(task.path() / "status");
    for (std::string line; std::getline(status, line);)
      if (line.find("ctxt_switches:") != std::string::npos) total += std::stol(line.substr(line.find(':') + 1));
  }
  return total;
}

class PulseWaveOut : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { daemon_ = new PulseNullSink(); }
  static void TearDownTestSuite() {
    delete daemon_;
    daemon_ = nullptr;
  }

  void SetUp() override { ASSERT_TRUE(daemon_->Running() || daemon_->Restart()) << daemon_->Failure(); }
  void TearDown() override {
    if (stream_) {
      stream_->Reset();
      EXPECT_EQ(stream_->Close(), MMSYSERR_NOERROR);
      stream_.reset();
    }
  }

  void Open(const WaveFormat& format = MakePcmFormat(kRate, 2, 16), int device = kPulseWaveDevice) {
    ASSERT_EQ(OpenWaveOut(device, format, &notices_, stream_), MMSYSERR_NOERROR);
  }

  // Makes `count` blocks of `pcm` each, prepared on the stream.
  void MakeBlocks(size_t count, const std::vector<uint8_t>& pcm) {
    pcm_ = pcm;
    headers_ = std::vector<WaveHeader>(count);
    for (WaveHeader& header : headers_) {
      header.data = pcm_.data();
      header.bufferLength = static_cast<uint32_t>(pcm_.size());
      ASSERT_EQ(stream_->Prepare(header), MMSYSERR_NOERROR);
    }
  }

  void WriteAll() {
    for (WaveHeader& header : headers_) ASSERT_EQ(stream_->Write(header), MMSYSERR_NOERROR);
  }

  // The header of the next buffer-done notice, or null after `timeoutMs`.
  WaveHeader* NextDone(int timeoutMs = 5000) {
    auto notice = notices_.Get(timeoutMs);
    if (!notice) return nullptr;
    EXPECT_EQ(notice->number, MM_WOM_DONE);
    EXPECT_EQ(notice->wParam, reinterpret_cast<uintptr_t>(stream_.get()));
    return reinterpret_cast<WaveHeader*>(notice->lParam);
  }

  uint64_t Position() {
    uint64_t bytes = 0;
    EXPECT_EQ(stream_->GetPositionBytes(bytes), MMSYSERR_NOERROR);
    return bytes;
  }

  // Waits until `seconds` of sound have been played.
  void PlayUntil(double seconds) {
    ASSERT_TRUE(Eventually([&] { return Position() >= BytesOf(seconds); }, 5000)) << "stuck at " << Position();
  }

  static std::string SinkInputs() { return Output("pactl list sink-inputs 2>&1"); }

  static PulseNullSink* daemon_;
  MessageQueue notices_;
  std::unique_ptr<WaveOutStream> stream_;
  std::vector<uint8_t> pcm_;
  std::vector<WaveHeader> headers_;
};

PulseNullSink* PulseWaveOut::daemon_ = nullptr;

TEST(PulseDeviceNames, PulseAndAlsaAreDevicesBesidesDefaultNullAndNumbers) {
  EXPECT_EQ(ParseWaveDeviceName("pulse"), kPulseWaveDevice);
  EXPECT_EQ(ParseWaveDeviceName("alsa"), kAlsaDefaultWaveDevice);
  EXPECT_EQ(ParseWaveDeviceName("default"), kDefaultWaveDevice);
  EXPECT_EQ(ParseWaveDeviceName("null"), kNullWaveDevice);
  EXPECT_EQ(ParseWaveDeviceName("2"), 2);
  EXPECT_EQ(ParseWaveDeviceName("Pulse"), std::nullopt);
  EXPECT_EQ(ParseWaveDeviceName("-3"), std::nullopt);
}

TEST(PulseDeviceNames, ServerFailuresHaveOneLineTexts) {
  EXPECT_EQ(WaveOutErrorText(kPulseErrorBase + 11),
            "PulseAudio: Connection terminated");                                      // PA_ERR_CONNECTIONTERMINATED
  EXPECT_EQ(WaveOutErrorText(kPulseErrorBase + 6), "PulseAudio: Connection refused");  // PA_ERR_CONNECTIONREFUSED
  EXPECT_EQ(WaveOutErrorText(kPulseErrorBase + 8), "PulseAudio: Timeout");             // PA_ERR_TIMEOUT
  EXPECT_EQ(WaveOutErrorText(kAlsaErrorBase + 5), "ALSA: Input/output error");
}

TEST_F(PulseWaveOut, BlocksPlayInOrderAndComeBackOnceTheyHaveBeenPlayed) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(4, Tone(0.25)));
  const auto start = Clock::now();
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  for (size_t i = 0; i < headers_.size(); ++i) {
    EXPECT_EQ(NextDone(), &headers_[i]);
    EXPECT_GE(MsSince(start), 250.0 * static_cast<double>(i + 1) * 0.9) << "block " << i << " came back early";
    EXPECT_TRUE(headers_[i].flags.load() & WHDR_DONE);
    EXPECT_FALSE(headers_[i].flags.load() & WHDR_INQUEUE);
  }
  EXPECT_LE(MsSince(start), 1000 * 1.5);
  EXPECT_EQ(Position(), 4 * pcm_.size()) << "every byte played, none more";
}

TEST_F(PulseWaveOut, TheLastBlockComesBackOnTimeAndNoneIsKeptLong) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(8, Tone(0.1)));
  const auto start = Clock::now();
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  for (size_t i = 0; i < headers_.size(); ++i) {
    ASSERT_EQ(NextDone(), &headers_[i]);
    const double end = 100.0 * static_cast<double>(i + 1);
    EXPECT_GE(MsSince(start), end * 0.9) << "block " << i;
    EXPECT_LE(MsSince(start), end + 650) << "block " << i << " kept too long";
    if (i + 1 == headers_.size()) {
      EXPECT_LE(MsSince(start), end + 120) << "the end of a song is reported on time";
    }
  }
}

TEST_F(PulseWaveOut, AToneWrittenIsHeardInTheSinksMonitor) {
  MonitorRecording recording;
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(2, Tone(0.5)));
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  ASSERT_TRUE(NextDone());
  ASSERT_TRUE(NextDone());
  const Channel left(recording.Stop(), 0);
  const Channel right(recording.Stop(), 1);
  const int64_t onset = left.Find(0, kAmplitude / 2);
  ASSERT_GE(onset, 0) << "nothing heard";
  const int64_t end = left.Find(onset, 100, true);
  ASSERT_GT(end, onset);
  EXPECT_NEAR(static_cast<double>(end - onset) / kRate, 1.0, 0.05) << "the whole second, once";
  EXPECT_NEAR(left.Peak(onset, end - onset), kAmplitude, kAmplitude * 0.02) << "at full volume, unscaled";
  EXPECT_LT(right.Peak(0, right.Frames()), 100) << "the left channel stays on the left";
  // 440 Hz: count the rising zero crossings over the middle half second.
  int crossings = 0;
  std::vector<int16_t> mid;
  const auto& samples = recording.Stop();
  for (int64_t i = onset + kRate / 4; i < onset + 3 * kRate / 4; ++i)
    mid.push_back(samples[static_cast<size_t>(i) * 2]);
  for (size_t i = 1; i < mid.size(); ++i) crossings += mid[i - 1] < 0 && mid[i] >= 0;
  EXPECT_NEAR(crossings, 220, 3);
}

TEST_F(PulseWaveOut, APauseIsHeardAtOnceHoldsThePositionAndRestartPlaysTheRest) {
  MonitorRecording recording;
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(4, Tone(0.5)));
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  ASSERT_NO_FATAL_FAILURE(PlayUntil(0.4));
  ASSERT_EQ(stream_->Pause(), MMSYSERR_NOERROR);
  const uint64_t held = Position();
  EXPECT_GT(held, BytesOf(0.25));
  EXPECT_LT(held, BytesOf(0.6));
  EXPECT_FALSE(notices_.Get(600)) << "nothing is played while paused";
  EXPECT_EQ(Position(), held);
  ASSERT_EQ(stream_->Restart(), MMSYSERR_NOERROR);
  for (WaveHeader& header : headers_) EXPECT_EQ(NextDone(), &header);
  EXPECT_EQ(Position(), 4 * pcm_.size()) << "nothing lost or played twice across the pause";

  const Channel left(recording.Stop(), 0);
  const int64_t onset = left.Find(0, kAmplitude / 2);
  ASSERT_GE(onset, 0);
  const int64_t silence = left.Find(onset, 100, true);
  ASSERT_GT(silence, onset);
  const double afterPauseMs = (double(silence - onset) - double(held / kFrameBytes)) * 1000 / kRate;
  EXPECT_GT(afterPauseMs, -20);
  EXPECT_LT(afterPauseMs, 150) << "sound heard after Pause returned";
  const int64_t resumed = left.Find(silence, kAmplitude / 2);
  ASSERT_GT(resumed, silence);
  EXPECT_GT(double(resumed - silence) / kRate, 0.5) << "silent while paused";
  const int64_t end = left.Find(resumed, 100, true);
  ASSERT_GT(end, resumed);
  EXPECT_NEAR(double((silence - onset) + (end - resumed)) / kRate, 2.0, 0.06) << "two seconds in all";
}

TEST_F(PulseWaveOut, ResetHandsEveryBlockBackAtOnceAndStartsThePositionAgain) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(4, Tone(0.5)));
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  ASSERT_NO_FATAL_FAILURE(PlayUntil(0.3));
  const auto start = Clock::now();
  ASSERT_EQ(stream_->Reset(), MMSYSERR_NOERROR);
  for (WaveHeader& header : headers_) EXPECT_EQ(NextDone(200), &header);
  EXPECT_LT(MsSince(start), 200) << "1.7 s of sound were still queued";
  EXPECT_EQ(Position(), 0u);

  // What is written next plays at once, from position 0.
  const auto again = Clock::now();
  ASSERT_EQ(stream_->Write(headers_[0]), MMSYSERR_NOERROR);
  EXPECT_EQ(NextDone(), &headers_[0]);
  EXPECT_GE(MsSince(again), 450);
  EXPECT_LE(MsSince(again), 900);
  EXPECT_EQ(Position(), pcm_.size());
}

TEST_F(PulseWaveOut, ResetWhilePausedPlaysWhatComesNext) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(2, Tone(0.25)));
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  ASSERT_NO_FATAL_FAILURE(PlayUntil(0.1));
  ASSERT_EQ(stream_->Pause(), MMSYSERR_NOERROR);
  ASSERT_EQ(stream_->Reset(), MMSYSERR_NOERROR);
  EXPECT_EQ(NextDone(200), &headers_[0]);
  EXPECT_EQ(NextDone(200), &headers_[1]);
  ASSERT_EQ(stream_->Write(headers_[0]), MMSYSERR_NOERROR);
  EXPECT_EQ(NextDone(1500), &headers_[0]) << "Reset un-pauses";
  EXPECT_EQ(Position(), pcm_.size());
}

TEST_F(PulseWaveOut, ThePositionFollowsTheClockNeverBackNorBeyondWhatWasWritten) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(2, Tone(0.75)));
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  uint64_t last = 0;
  std::optional<std::pair<Clock::time_point, uint64_t>> first;
  while (Position() < 2 * pcm_.size()) {
    const uint64_t now = Position();
    ASSERT_GE(now, last);
    ASSERT_LE(now, 2 * pcm_.size());
    if (now > BytesOf(0.1) && !first) first = {Clock::now(), now};
    if (first && now < BytesOf(1.4)) {
      const double clockMs = MsSince(first->first);
      const double playedMs = double(now - first->second) / kFrameBytes * 1000 / kRate;
      EXPECT_NEAR(playedMs, clockMs, 25) << "the position moves with the clock";
    }
    last = now;
    std::this_thread::sleep_for(milliseconds(10));
  }
  EXPECT_EQ(NextDone(), &headers_[0]);
  EXPECT_EQ(NextDone(), &headers_[1]);
}

TEST_F(PulseWaveOut, AVolumeChangeIsHeardSoonAlthoughSecondsWaitOnTheServer) {
  MonitorRecording recording;
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(4, Tone(0.5, kAmplitude, kAmplitude)));
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  ASSERT_NO_FATAL_FAILURE(PlayUntil(0.5));
  const uint64_t at = Position();
  ASSERT_EQ(stream_->SetVolume(0x2000 | (0x0000u << 16)), MMSYSERR_NOERROR);  // left an eighth, right off
  uint32_t volume = 0;
  EXPECT_EQ(stream_->GetVolume(volume), MMSYSERR_NOERROR);
  EXPECT_EQ(volume, 0x2000u);
  ASSERT_NO_FATAL_FAILURE(PlayUntil(double(at) / BytesOf(1.0) + 0.4));
  ASSERT_EQ(stream_->Reset(), MMSYSERR_NOERROR);
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(NextDone());

  const auto& samples = recording.Stop();
  const Channel left(samples, 0), right(samples, 1);
  const int64_t onset = left.Find(0, kAmplitude / 2);
  ASSERT_GE(onset, 0);
  const int64_t lowered = left.Find(onset, kAmplitude / 2, true);
  ASSERT_GT(lowered, onset);
  const double lateMs = (double(lowered - onset) - double(at / kFrameBytes)) * 1000 / kRate;
  EXPECT_GT(lateMs, -20);
  EXPECT_LT(lateMs, 150) << "the change waited behind what was queued";
  const int64_t settled = lowered + kRate / 20;
  EXPECT_NEAR(left.Peak(settled, kRate / 5), kAmplitude / 8, kAmplitude / 8 * 0.1) << "an eighth of the amplitude";
  EXPECT_LT(right.Peak(settled, kRate / 5), 100) << "right off";
  EXPECT_NEAR(right.Peak(onset + kRate / 10, kRate / 5), kAmplitude, kAmplitude * 0.02) << "full before";
  EXPECT_NE(SinkInputs().find("Volume: front-left:"), std::string::npos);
}

TEST_F(PulseWaveOut, TheSinkInputCarriesTheProgramAndTheTitle) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(1, Tone(0.2)));
  stream_->SetTitle("Song タイトル - Artist");
  std::string inputs;
  EXPECT_TRUE(Eventually([&] {
    inputs = SinkInputs();
    return inputs.find("media.title = \"Song タイトル - Artist\"") != std::string::npos;
  })) << inputs;
  EXPECT_NE(inputs.find("media.name = \"Song タイトル - Artist\""), std::string::npos) << inputs;
  EXPECT_NE(inputs.find("application.name = \"Orvana\""), std::string::npos) << inputs;
  EXPECT_NE(inputs.find("application.icon_name = \"orvana\""), std::string::npos) << inputs;
  EXPECT_NE(inputs.find("media.role = \"music\""), std::string::npos) << inputs;
  // Bytes that are not UTF-8 do not lose the title.
  stream_->SetTitle("Bad \xff title");
  EXPECT_TRUE(Eventually([&] { return SinkInputs().find("media.title = \"Bad _ title\"") != std::string::npos; }))
      << SinkInputs();
}

TEST_F(PulseWaveOut, TheDefaultDeviceIsTheServerWhenOneAnswers) {
  ASSERT_NO_FATAL_FAILURE(Open(MakePcmFormat(kRate, 2, 16), kDefaultWaveDevice));
  const std::string inputs = SinkInputs();
  EXPECT_NE(inputs.find("media.name = \"Orvana\""), std::string::npos) << inputs;
  EXPECT_EQ(inputs.find("ALSA plug-in"), std::string::npos) << "not through ALSA: " << inputs;
}

TEST_F(PulseWaveOut, ItPrefersBlocksOfTwoSecondsWhereOtherDevicesLeaveItToTheCaller) {
  ASSERT_NO_FATAL_FAILURE(Open());
  EXPECT_EQ(stream_->PreferredBlockMs(), 2000u);
  std::unique_ptr<WaveOutStream> null;
  ASSERT_EQ(OpenWaveOut(kNullWaveDevice, MakePcmFormat(kRate, 2, 16), &notices_, null), MMSYSERR_NOERROR);
  EXPECT_EQ(null->PreferredBlockMs(), 0u);
  null->SetTitle("ignored");
  EXPECT_EQ(null->Close(), MMSYSERR_NOERROR);
}

TEST_F(PulseWaveOut, EightBitMonoPlaysInRealTime) {
  ASSERT_NO_FATAL_FAILURE(Open(MakePcmFormat(8000, 1, 8)));
  pcm_.assign(2000, 0x80);  // 250 ms of silence
  WaveHeader header;
  header.data = pcm_.data();
  header.bufferLength = static_cast<uint32_t>(pcm_.size());
  ASSERT_EQ(stream_->Prepare(header), MMSYSERR_NOERROR);
  const auto start = Clock::now();
  ASSERT_EQ(stream_->Write(header), MMSYSERR_NOERROR);
  EXPECT_EQ(NextDone(), &header);
  EXPECT_GE(MsSince(start), 220);
  EXPECT_LE(MsSince(start), 600);
  EXPECT_EQ(Position(), 2000u);
}

TEST_F(PulseWaveOut, AShortSongStartsAndAnEmptyBlockComesBackToo) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(1, Tone(0.05)));
  const auto start = Clock::now();
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  EXPECT_EQ(NextDone(), &headers_[0]);
  EXPECT_LE(MsSince(start), 350) << "a block shorter than the server's buffer is played";
  WaveHeader empty;
  ASSERT_EQ(stream_->Prepare(empty), MMSYSERR_NOERROR);
  ASSERT_EQ(stream_->Write(empty), MMSYSERR_NOERROR);
  EXPECT_EQ(NextDone(500), &empty);
}

TEST_F(PulseWaveOut, CloseRefusesWhileBlocksAreQueued) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(2, Tone(0.5)));
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  EXPECT_EQ(stream_->Unprepare(headers_[0]), WAVERR_STILLPLAYING);
  EXPECT_EQ(stream_->Close(), WAVERR_STILLPLAYING);
  ASSERT_EQ(stream_->Reset(), MMSYSERR_NOERROR);
  EXPECT_EQ(stream_->Close(), MMSYSERR_NOERROR);
  EXPECT_TRUE(Eventually([&] { return SinkInputs().find("Orvana") == std::string::npos; }, 1000))
      << "the server's stream is gone";
  stream_.reset();
}

TEST_F(PulseWaveOut, OneConnectionServesStreamAfterStreamAndSleepsWhenIdle) {
  for (int i = 0; i < 2; ++i) {
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_NO_FATAL_FAILURE(MakeBlocks(1, Tone(0.1)));
    ASSERT_NO_FATAL_FAILURE(WriteAll());
    EXPECT_TRUE(NextDone());
    EXPECT_EQ(stream_->Close(), MMSYSERR_NOERROR);
    stream_.reset();
  }
  ASSERT_NO_FATAL_FAILURE(Open());
  const std::string clients = Output("pactl list clients 2>&1");
  size_t count = 0;
  for (size_t at = clients.find("application.name = \"Orvana\""); at != std::string::npos;
       at = clients.find("application.name = \"Orvana\"", at + 1))
    ++count;
  EXPECT_EQ(count, 1u) << clients;
  EXPECT_EQ(stream_->Close(), MMSYSERR_NOERROR);
  stream_.reset();

  // The server's last answers to the stream's end come in first.
  long last = SwitchesOf("orvana-pulse");
  Eventually([&] {
    std::this_thread::sleep_for(milliseconds(250));
    const long now = SwitchesOf("orvana-pulse");
    return std::exchange(last, now) == now;
  });
  const long before = SwitchesOf("orvana-pulse");
  std::this_thread::sleep_for(milliseconds(2000));
  EXPECT_EQ(SwitchesOf("orvana-pulse") - before, 0) << "the connection's thread is woken while nothing plays";
}

TEST_F(PulseWaveOut, WhilePlayingTheConnectionsThreadWakesRarely) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(4, Tone(0.5)));
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  ASSERT_NO_FATAL_FAILURE(PlayUntil(0.2));
  const long before = SwitchesOf("orvana-pulse");
  const auto start = Clock::now();
  // Keeps four blocks queued for three seconds, as the player does.
  for (int i = 0; i < 6; ++i) {
    WaveHeader* done = NextDone();
    ASSERT_TRUE(done);
    ASSERT_EQ(stream_->Write(*done), MMSYSERR_NOERROR);
  }
  const double perSecond = double(SwitchesOf("orvana-pulse") - before) * 1000 / MsSince(start);
  // About ten: each half-second block goes back once, the server releases
  // each 64 KiB of shared memory once; polling every 10 ms would be 100.
  EXPECT_LT(perSecond, 25);
}

TEST_F(PulseWaveOut, AServerThatGoesAwayHandsEveryBlockBackRefusesWritesAndIsFoundAgain) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(4, Tone(0.5)));
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  ASSERT_NO_FATAL_FAILURE(PlayUntil(0.3));
  const uint64_t before = Position();
  auto start = Clock::now();
  daemon_->Kill();
  for (WaveHeader& header : headers_) EXPECT_EQ(NextDone(1000), &header);
  EXPECT_LT(MsSince(start), 1000) << "the blocks came back at once";

  const MmResult refused = stream_->Write(headers_[0]);
  EXPECT_EQ(WaveOutErrorText(refused), "PulseAudio: Connection terminated");
  EXPECT_GE(Position(), before);
  const uint64_t held = Position();
  EXPECT_EQ(stream_->Pause(), MMSYSERR_NOERROR);
  EXPECT_EQ(stream_->Restart(), MMSYSERR_NOERROR);
  EXPECT_EQ(stream_->SetVolume(0x8000), MMSYSERR_NOERROR);
  stream_->SetTitle("gone");
  EXPECT_EQ(stream_->Reset(), MMSYSERR_NOERROR);
  EXPECT_EQ(stream_->Write(headers_[0]), refused) << "refused again, with the same reason";
  EXPECT_LE(Position(), held);
  EXPECT_EQ(stream_->Close(), MMSYSERR_NOERROR);
  stream_.reset();

  // No server: a clear error at once.
  start = Clock::now();
  std::unique_ptr<WaveOutStream> none;
  const MmResult missing = OpenWaveOut(kPulseWaveDevice, MakePcmFormat(kRate, 2, 16), &notices_, none);
  EXPECT_LT(MsSince(start), 500);
  EXPECT_EQ(WaveOutErrorText(missing), "PulseAudio: Connection refused");
  EXPECT_FALSE(none);

  // Back again: the next open connects anew and plays.
  ASSERT_TRUE(daemon_->Restart()) << daemon_->Failure();
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(1, Tone(0.2)));
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  EXPECT_EQ(NextDone(), &headers_[0]);
}

TEST_F(PulseWaveOut, AStreamTheServerDropsFailsWithTheReason) {
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(MakeBlocks(2, Tone(0.5)));
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  // The sink goes, and with no other sink to move to, its streams are killed.
  std::string module = Output("pactl list short modules | grep module-null-sink | cut -f1");
  module.erase(std::remove_if(module.begin(), module.end(), [](char c) { return !std::isdigit(c); }), module.end());
  ASSERT_FALSE(module.empty());
  Output("pactl unload-module " + module);
  EXPECT_EQ(NextDone(1000), &headers_[0]);
  EXPECT_EQ(NextDone(1000), &headers_[1]);
  EXPECT_EQ(WaveOutErrorText(stream_->Write(headers_[0])), "PulseAudio: Entity killed");
  Output(std::string("pactl load-module module-null-sink norewinds=1 sink_name=") + PulseNullSink::kSinkName);
  EXPECT_EQ(stream_->Close(), MMSYSERR_NOERROR);
  stream_.reset();
  ASSERT_NO_FATAL_FAILURE(Open());
  ASSERT_NO_FATAL_FAILURE(WriteAll());
  EXPECT_EQ(NextDone(), &headers_[0]) << "the same connection plays on the new sink";
  EXPECT_EQ(NextDone(), &headers_[1]);
}

TEST_F(PulseWaveOut, WithNoServerThePulseDeviceFailsAtOnceAndTheDefaultIsAlsa) {
  // The connection to the test's daemon is dropped with it.
  daemon_->Kill();
  const std::string saved = daemon_->Server();
  ::setenv("PULSE_SERVER", "unix:/nonexistent/orvana-test/native", 1);
  auto start = Clock::now();
  const MmResult missing = OpenWaveOut(kPulseWaveDevice, MakePcmFormat(kRate, 2, 16), &notices_, stream_);
  EXPECT_LT(MsSince(start), 500);
  EXPECT_EQ(WaveOutErrorText(missing), "PulseAudio: Connection refused");
  EXPECT_FALSE(stream_);
  // The default device goes on to ALSA's default, which here reaches for
  // the same (dead) server through ALSA's pulse plugin and fails as ALSA.
  start = Clock::now();
  const MmResult fallback = OpenWaveOut(kDefaultWaveDevice, MakePcmFormat(kRate, 2, 16), &notices_, stream_);
  EXPECT_LT(MsSince(start), 2000);
  if (fallback != MMSYSERR_NOERROR) {
    EXPECT_EQ(WaveOutErrorText(fallback)->rfind("ALSA: ", 0), 0u) << *WaveOutErrorText(fallback);
  }
  if (stream_) {
    EXPECT_EQ(stream_->Close(), MMSYSERR_NOERROR);
    stream_.reset();
  }
  ::setenv("PULSE_SERVER", saved.c_str(), 1);
  ASSERT_TRUE(daemon_->Restart()) << daemon_->Failure();
}

TEST_F(PulseWaveOut, AServerThatNeverAnswersIsGivenUpInBoundedTime) {
  daemon_->Kill();
  const std::string socketPath = "/tmp/orvana-pulse-mute-" + std::to_string(::getpid());
  std::remove(socketPath.c_str());
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 4), 0);  // accepted by the kernel, never answered
  const std::string saved = daemon_->Server();
  ::setenv("PULSE_SERVER", ("unix:" + socketPath).c_str(), 1);
  const auto start = Clock::now();
  const MmResult result = OpenWaveOut(kPulseWaveDevice, MakePcmFormat(kRate, 2, 16), &notices_, stream_);
  const double took = MsSince(start);
  ::setenv("PULSE_SERVER", saved.c_str(), 1);
  ::close(listener);
  std::remove(socketPath.c_str());
  EXPECT_EQ(WaveOutErrorText(result), "PulseAudio: Timeout");
  EXPECT_GE(took, 1000);
  EXPECT_LE(took, 3000);
  ASSERT_TRUE(daemon_->Restart()) << daemon_->Failure();
}

}  // namespace
}  // namespace orvana::platform
