// The real sound path: ALSA's "default" device into a PulseAudio null sink
// that each test starts for itself. Times are checked with wide margins, as
// the machine may be busy.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/message_queue.h"
#include "platform/wave_out.h"
#include "player/sound_out.h"
#include "pulse_null_sink.h"

namespace orvana::player {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::duration;
using std::chrono::milliseconds;

constexpr int kRate = 44100;
constexpr int kBytesPerSecond = kRate * 4;

// Stereo 16-bit sine, 440 Hz on the left and 660 Hz on the right.
std::vector<uint8_t> Sine(double seconds) {
  const int frames = static_cast<int>(seconds * kRate);
  std::vector<uint8_t> pcm;
  pcm.reserve(static_cast<size_t>(frames) * 4);
  for (int i = 0; i < frames; ++i) {
    for (double hz : {440.0, 660.0}) {
      const auto s = static_cast<int16_t>(12000 * std::sin(2 * M_PI * hz * i / kRate));
      pcm.push_back(static_cast<uint8_t>(s & 0xFF));
      pcm.push_back(static_cast<uint8_t>((static_cast<uint16_t>(s) >> 8) & 0xFF));
    }
  }
  return pcm;
}

double SecondsSince(Clock::time_point start) { return duration<double>(Clock::now() - start).count(); }

std::string FirstLine(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::string line;
  std::getline(file, line);
  return line;
}

// Each thread of this process named `name`, with the times it went to sleep.
std::map<std::string, long> VoluntarySwitches(const std::string& name) {
  std::map<std::string, long> threads;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    if (FirstLine(task.path() / "comm") != name) continue;
    std::ifstream status(task.path() / "status");
    for (std::string line; std::getline(status, line);)
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0)
        threads[task.path().filename().string()] = std::stol(line.substr(24));
  }
  return threads;
}

class AlsaPulsePlayback : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(daemon_.Running()) << daemon_.Failure(); }

  testing::PulseNullSink daemon_;
};

TEST_F(AlsaPulsePlayback, TSoundOutPlaysASineInRealTimeAndCountsEveryByte) {
  TSoundOut out;
  EXPECT_EQ(out.Volume(), 100);
  std::atomic<int> positions{0};
  out.SetPositionInterval(100);
  out.SetOnPosition([&](TSoundOut&) { ++positions; });
  out.Open();
  out.SetVolume(80);
  out.SetBalance(-20);

  const std::vector<uint8_t> sine = Sine(3.0);
  TMPSimpleEvent bufferFree;
  const auto start = Clock::now();
  size_t written = 0;
  int64_t done = 0;
  while (written < sine.size()) {
    written += static_cast<size_t>(out.Write(sine.data() + written, static_cast<int>(sine.size() - written)));
    if (written < sine.size()) {
      // As the decode thread does: sleep until the output thread frees a buffer.
      bufferFree.ResetEvent();
      out.SetWaiter(&bufferFree);
      ASSERT_EQ(bufferFree.WaitFor(10000), WAIT_OBJECT_0) << "no buffer came back";
    }
    done += out.GetDoneBytes();
  }
  out.Flush();
  out.WaitAllDone();
  const double took = SecondsSince(start);
  done += out.GetDoneBytes();

  EXPECT_GE(took, 3.0 * 0.8);
  EXPECT_LE(took, 3.0 * 1.6);
  EXPECT_EQ(out.QueuedBuffers(), 0);
  EXPECT_EQ(done, static_cast<int64_t>(sine.size()));
  EXPECT_GE(positions.load(), 10);
  out.Close();
}

TEST_F(AlsaPulsePlayback, TheStreamSleepsUntilTheDeviceNeedsItNotPollingIt) {
  // The stream's worker is named as this process, the sound server's client
  // thread otherwise: the worker is the new one of this name.
  const std::string name = FirstLine("/proc/self/comm");
  const auto before = VoluntarySwitches(name);
  platform::MessageQueue notices;
  std::unique_ptr<platform::WaveOutStream> stream;
  ASSERT_EQ(platform::OpenWaveOut(platform::kAlsaDefaultWaveDevice, platform::MakePcmFormat(kRate, 2, 16), &notices,
                                  stream),
            platform::MMSYSERR_NOERROR);
  std::string worker;
  for (const auto& [tid, switches] : VoluntarySwitches(name))
    if (before.count(tid) == 0) worker = tid;
  ASSERT_FALSE(worker.empty());

  std::vector<uint8_t> pcm = Sine(0.5);
  std::array<platform::WaveHeader, 4> headers;
  for (auto& header : headers) {
    header.data = pcm.data();
    header.bufferLength = static_cast<uint32_t>(pcm.size());
    ASSERT_EQ(stream->Prepare(header), platform::MMSYSERR_NOERROR);
  }
  const long asleepBefore = VoluntarySwitches(name)[worker];
  const auto start = Clock::now();
  for (auto& header : headers) ASSERT_EQ(stream->Write(header), platform::MMSYSERR_NOERROR);
  for (size_t i = 0; i < headers.size(); ++i) ASSERT_TRUE(notices.Get(5000)) << "block " << i << " never came back";
  const double took = SecondsSince(start);
  const double wakeUps = double(VoluntarySwitches(name)[worker] - asleepBefore) / took;
  // Once a period and once a block, about 10 a second; polling every 10 ms
  // made it 100.
  EXPECT_LT(wakeUps, 30) << "over " << took << " s of sound";
  EXPECT_EQ(stream->Close(), platform::MMSYSERR_NOERROR);
}

class AlsaStream : public AlsaPulsePlayback {
 protected:
  void SetUp() override {
    AlsaPulsePlayback::SetUp();
    ASSERT_EQ(platform::OpenWaveOut(platform::kAlsaDefaultWaveDevice, platform::MakePcmFormat(kRate, 2, 16), &notices_,
                                    stream_),
              platform::MMSYSERR_NOERROR);
    blockPcm_ = Sine(0.25);
    for (auto& header : headers_) {
      header.data = blockPcm_.data();
      header.bufferLength = static_cast<uint32_t>(blockPcm_.size());
      ASSERT_EQ(stream_->Prepare(header), platform::MMSYSERR_NOERROR);
    }
  }
  void TearDown() override {
    if (stream_) {
      stream_->Reset();
      EXPECT_EQ(stream_->Close(), platform::MMSYSERR_NOERROR);
    }
  }

  platform::WaveHeader* NextDone(int timeoutMs = 5000) {
    auto notice = notices_.Get(timeoutMs);
    if (!notice) return nullptr;
    EXPECT_EQ(notice->number, platform::MM_WOM_DONE);
    return reinterpret_cast<platform::WaveHeader*>(notice->lParam);
  }

  uint64_t Position() {
    uint64_t bytes = 0;
    EXPECT_EQ(stream_->GetPositionBytes(bytes), platform::MMSYSERR_NOERROR);
    return bytes;
  }

  platform::MessageQueue notices_;
  std::unique_ptr<platform::WaveOutStream> stream_;
  std::vector<uint8_t> blockPcm_;
  std::array<platform::WaveHeader, 4> headers_;
};

TEST_F(AlsaStream, BlocksComeBackInOrderOnceTheyHaveBeenPlayed) {
  const auto start = Clock::now();
  for (auto& header : headers_) ASSERT_EQ(stream_->Write(header), platform::MMSYSERR_NOERROR);
  for (size_t i = 0; i < headers_.size(); ++i) {
    EXPECT_EQ(NextDone(), &headers_[i]);
    EXPECT_GE(SecondsSince(start), 0.25 * static_cast<double>(i + 1) * 0.8) << "block " << i << " came back early";
  }
  EXPECT_LE(SecondsSince(start), 1.0 * 1.6);
  EXPECT_EQ(Position(), headers_.size() * blockPcm_.size());
}

TEST_F(AlsaStream, PauseHoldsThePositionAndRestartPlaysTheRest) {
  for (auto& header : headers_) ASSERT_EQ(stream_->Write(header), platform::MMSYSERR_NOERROR);
  std::this_thread::sleep_for(milliseconds(300));
  ASSERT_EQ(stream_->Pause(), platform::MMSYSERR_NOERROR);
  const uint64_t held = Position();
  EXPECT_GT(held, 0u);
  EXPECT_LT(held, headers_.size() * blockPcm_.size());
  std::this_thread::sleep_for(milliseconds(400));
  EXPECT_EQ(Position(), held);
  ASSERT_EQ(stream_->Restart(), platform::MMSYSERR_NOERROR);
  for (auto& header : headers_) EXPECT_EQ(NextDone(), &header);
  EXPECT_EQ(Position(), headers_.size() * blockPcm_.size()) << "nothing lost or played twice across the pause";
}

TEST_F(AlsaStream, ResetReturnsEveryBlockAtOnce) {
  for (auto& header : headers_) ASSERT_EQ(stream_->Write(header), platform::MMSYSERR_NOERROR);
  std::this_thread::sleep_for(milliseconds(100));
  const auto start = Clock::now();
  ASSERT_EQ(stream_->Reset(), platform::MMSYSERR_NOERROR);
  for (auto& header : headers_) EXPECT_EQ(NextDone(), &header);
  EXPECT_LT(SecondsSince(start), 0.9) << "1 s of sound was queued";
  EXPECT_EQ(Position(), 0u);
}

}  // namespace
}  // namespace orvana::player
