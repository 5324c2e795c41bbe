// TSoundOut playing on the null device, which keeps real time: 8 kHz mono
// 8-bit gives 4000-byte buffers of half a second each.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/wave_out.h"
#include "player/sound_out.h"
#include "player/wave_out_error.h"
#include "recording_target.h"

namespace orvana::player {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kBuffer = 4000;

class TSoundOutNullDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    out_.SetDeviceID(platform::kNullWaveDevice);
    out_.SetFrequency(8000);
    out_.SetChannels(1);
    out_.SetBitsPerSample(8);
  }

  // Writes `bytes` bytes of silence; they must all be taken.
  void WriteSilence(int bytes) {
    std::vector<uint8_t> silence(static_cast<size_t>(bytes), 0x80);
    ASSERT_EQ(out_.Write(silence.data(), bytes), bytes);
  }

  TSoundOut out_;
};

TEST_F(TSoundOutNullDevice, BuffersPlayInRealTimeAndAllComeBack) {
  out_.Open();
  ASSERT_EQ(out_.BufferSize(), kBuffer);
  EXPECT_EQ(out_.FreePercent(), 100);
  const auto start = Clock::now();
  WriteSilence(kBuffer * 2);
  EXPECT_EQ(out_.QueuedBuffers(), 2);
  EXPECT_EQ(out_.FreePercent(), 50);
  out_.WaitAllDone();
  const auto took = Clock::now() - start;
  EXPECT_GE(took, milliseconds(1000 * 8 / 10));
  EXPECT_LE(took, milliseconds(1000 * 16 / 10 + 500));
  EXPECT_EQ(out_.QueuedBuffers(), 0);
  EXPECT_EQ(out_.GetDoneBytes(), kBuffer * 2);
  EXPECT_EQ(out_.GetDoneBytes(), 0) << "counted since the previous call";
  out_.Close();
}

// Where one song ends and the next begins: reached once what was written
// before it has been heard, never for sound a reset dropped.
TEST_F(TSoundOutNullDevice, AMarkIsReachedOnceWhatCameBeforeItHasPlayed) {
  std::atomic<int> marks{0};
  out_.SetOnMark([&marks](TSoundOut&) { ++marks; });
  out_.Open();
  const auto start = Clock::now();
  WriteSilence(kBuffer + kBuffer / 2);
  EXPECT_EQ(out_.WrittenBytes(), kBuffer + kBuffer / 2);
  out_.SetMark();
  EXPECT_EQ(out_.QueuedBuffers(), 2) << "the partly filled buffer goes with the mark";
  WriteSilence(kBuffer);
  const auto reached = [&marks](int count) {
    const auto deadline = Clock::now() + milliseconds(5000);
    while (marks.load() < count && Clock::now() < deadline) std::this_thread::sleep_for(milliseconds(5));
    return marks.load() == count;
  };
  ASSERT_TRUE(reached(1));
  EXPECT_GE(Clock::now() - start, milliseconds(750 * 8 / 10));
  out_.Reset();
  EXPECT_EQ(out_.WrittenBytes(), 0);
  out_.SetMark();
  EXPECT_TRUE(reached(2)) << "nothing queued: reached at once";
  WriteSilence(kBuffer);
  out_.SetMark();
  out_.Reset();
  out_.WaitAllDone();
  EXPECT_EQ(marks.load(), 2);
  out_.Close();
}

TEST_F(TSoundOutNullDevice, WithNothingQueuedAMomentsSoundGoesAtOnce) {
  out_.Open();
  WriteSilence(kBuffer / 8);  // 62 ms
  EXPECT_EQ(out_.QueuedBuffers(), 1);
  WriteSilence(kBuffer / 8);
  EXPECT_EQ(out_.QueuedBuffers(), 1) << "later buffers fill up first";
  out_.Reset();
  out_.Close();
}

TEST_F(TSoundOutNullDevice, TakesFourBuffersAndNoMore) {
  out_.Open();
  std::vector<uint8_t> bytes(kBuffer * 5, 0x80);
  EXPECT_EQ(out_.Write(bytes.data(), static_cast<int>(bytes.size())), kBuffer * 4);
  EXPECT_FALSE(out_.CanWrite());
  EXPECT_EQ(out_.FreePercent(), 0);
  EXPECT_EQ(out_.Write(bytes.data(), 10), 0);
  out_.Reset();
  out_.Close();
}

TEST_F(TSoundOutNullDevice, FreePercentCountsThePartlyFilledBuffer) {
  out_.Open();
  WriteSilence(kBuffer + kBuffer / 2);
  // ((4 - 1) * 4000 - 2000) * 100 / 16000
  EXPECT_EQ(out_.FreePercent(), 62);
  out_.Reset();
  out_.Close();
}

TEST_F(TSoundOutNullDevice, TheWaiterIsWokenOnceWhenABufferIsFree) {
  out_.Open();
  WriteSilence(kBuffer * 4);
  TMPSimpleEvent waiter;
  out_.SetWaiter(&waiter);
  EXPECT_EQ(waiter.WaitFor(100), WAIT_TIMEOUT) << "nothing is free yet";
  ASSERT_EQ(waiter.WaitFor(5000), WAIT_OBJECT_0) << "the first returned buffer wakes it";
  EXPECT_TRUE(out_.CanWrite());
  waiter.ResetEvent();
  // The second returned buffer must not wake it again.
  EXPECT_EQ(waiter.WaitFor(900), WAIT_TIMEOUT);
  out_.Reset();
  out_.Close();
}

TEST_F(TSoundOutNullDevice, AWaiterSetWhileABufferIsFreeIsWokenAtOnce) {
  out_.Open();
  TMPSimpleEvent waiter;
  out_.SetWaiter(&waiter);
  EXPECT_EQ(waiter.WaitFor(0), WAIT_OBJECT_0);
  out_.Close();
}

TEST_F(TSoundOutNullDevice, PositionCallbacksComeWhilePlayingAndStopWhenDry) {
  std::atomic<int> calls{0};
  std::atomic<TSoundOut*> sender{nullptr};
  out_.SetPositionInterval(100);
  out_.SetOnPosition([&](TSoundOut& from) {
    sender = &from;
    ++calls;
  });
  out_.Open();
  WriteSilence(kBuffer * 2);
  out_.WaitAllDone();
  const int whilePlaying = calls.load();
  // About one every 100 ms over one second; never more often than the interval.
  EXPECT_GE(whilePlaying, 3);
  EXPECT_LE(whilePlaying, 11);
  EXPECT_EQ(sender.load(), &out_);
  std::this_thread::sleep_for(milliseconds(400));
  EXPECT_LE(calls.load(), whilePlaying + 1) << "the device ran dry";
  out_.Close();
}

TEST_F(TSoundOutNullDevice, PauseHoldsThePosition) {
  out_.Open();
  WriteSilence(kBuffer * 2);
  std::this_thread::sleep_for(milliseconds(200));
  out_.Pause();
  int64_t played = out_.GetDoneBytes();
  EXPECT_GT(played, 0);
  EXPECT_LT(played, kBuffer * 2);
  std::this_thread::sleep_for(milliseconds(300));
  EXPECT_EQ(out_.GetDoneBytes(), 0);
  EXPECT_EQ(out_.QueuedBuffers(), 2);
  out_.Unpause();
  out_.WaitAllDone();
  played += out_.GetDoneBytes();
  EXPECT_EQ(played, kBuffer * 2);
  out_.Close();
}

TEST_F(TSoundOutNullDevice, PositionCallbacksRestWhilePausedAndComeBackAfter) {
  std::atomic<int> calls{0};
  out_.SetPositionInterval(50);
  out_.SetOnPosition([&](TSoundOut&) { ++calls; });
  out_.Open();
  WriteSilence(kBuffer * 3);
  std::this_thread::sleep_for(milliseconds(700));  // a buffer has come back too
  out_.Pause();
  const int beforePause = calls.load();
  EXPECT_GE(beforePause, 4) << "they come from the first write on";
  // The position does not move: telling it would wake the host for nothing.
  std::this_thread::sleep_for(milliseconds(600));
  EXPECT_LE(calls.load(), beforePause + 1) << "a wait begun before the pause may still end";
  const int paused = calls.load();
  out_.Unpause();
  std::this_thread::sleep_for(milliseconds(300));
  EXPECT_GE(calls.load(), paused + 2) << "they start again with the sound";
  out_.WaitAllDone();
  out_.Close();
}

TEST_F(TSoundOutNullDevice, ResetReturnsEverythingAtOnce) {
  out_.Open();
  WriteSilence(kBuffer * 3 + 100);
  const auto start = Clock::now();
  out_.Reset();
  out_.WaitAllDone();
  EXPECT_LT(Clock::now() - start, milliseconds(1000)) << "1.5 s of sound were queued";
  EXPECT_EQ(out_.QueuedBuffers(), 0);
  EXPECT_EQ(out_.FreePercent(), 100) << "the partial buffer is dropped too";
  EXPECT_EQ(out_.GetDoneBytes(), 0);
  // Playing on after a reset.
  WriteSilence(kBuffer);
  out_.WaitAllDone();
  EXPECT_EQ(out_.GetDoneBytes(), kBuffer);
  out_.Close();
}

TEST_F(TSoundOutNullDevice, CloseRightAfterAShortWritePlaysItFirst) {
  out_.Open();
  const auto start = Clock::now();
  WriteSilence(800);  // 100 ms
  out_.Close();
  EXPECT_GE(Clock::now() - start, milliseconds(90));
  EXPECT_FALSE(out_.IsOpen());
  EXPECT_EQ(out_.QueuedBuffers(), 0);
}

TEST_F(TSoundOutNullDevice, CloseWhilePausedDoesNotWaitForever) {
  out_.Open();
  WriteSilence(kBuffer * 4);
  out_.Pause();
  const auto start = Clock::now();
  out_.Close();
  EXPECT_LT(Clock::now() - start, milliseconds(1500));
  EXPECT_FALSE(out_.IsOpen());
}

TEST_F(TSoundOutNullDevice, ReopensWithANewFormat) {
  out_.Open();
  WriteSilence(kBuffer / 4);
  out_.Close();
  out_.SetFrequency(16000);
  out_.Open();
  EXPECT_EQ(out_.BufferSize(), kBuffer * 2);
  EXPECT_EQ(out_.FreePercent(), 100);
  EXPECT_EQ(out_.GetDoneBytes(), 0);
  out_.Close();
}

TEST_F(TSoundOutNullDevice, AnExceptionInThePositionCallbackReachesOnException) {
  testing::DisplayCapture display;
  std::atomic<int> forwarded{0};
  out_.SetPositionInterval(50);
  out_.SetOnPosition([](TSoundOut&) { throw std::runtime_error("position handler failed"); });
  out_.SetOnException([&](TSoundOut&, const std::exception& error, bool& handled) {
    if (std::string(error.what()) == "position handler failed") ++forwarded;
    handled = true;
  });
  out_.Open();
  WriteSilence(kBuffer / 2);
  out_.WaitAllDone();
  out_.Close();
  EXPECT_GE(forwarded.load(), 1);
  EXPECT_TRUE(display.Shown().empty());
}

TEST(TSoundOutDevice, AMissingDeviceFailsTheOpenWithItsOperationName) {
  TSoundOut out;
  out.SetDeviceID(platform::WaveOutDeviceCount() + 5);
  try {
    out.Open();
    FAIL() << "opened a device that does not exist";
  } catch (const EWaveOutError& error) {
    EXPECT_EQ(error.Code(), platform::MMSYSERR_BADDEVICEID);
    const std::string text = error.what();
    EXPECT_EQ(text.substr(text.size() - std::string("(TSoundOut.Open:WaveOutOpen)").size()),
              "(TSoundOut.Open:WaveOutOpen)");
  }
  EXPECT_FALSE(out.IsOpen());
  out.Close();
}

}  // namespace
}  // namespace orvana::player
