// The null device plays queued blocks in real time by the monotonic clock,
// so these tests use 8 kHz mono 8-bit: 8 bytes per millisecond.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/message_queue.h"
#include "platform/wave_out.h"

namespace orvana::platform {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr uint32_t kBytesPerMs = 8;

class NullWaveOut : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(OpenWaveOut(kNullWaveDevice, MakePcmFormat(8000, 1, 8), &notices_, stream_), MMSYSERR_NOERROR);
    for (size_t i = 0; i < headers_.size(); ++i) {
      data_[i].assign(100 * kBytesPerMs, static_cast<uint8_t>(i));
      headers_[i].data = data_[i].data();
      headers_[i].bufferLength = static_cast<uint32_t>(data_[i].size());
      ASSERT_EQ(stream_->Prepare(headers_[i]), MMSYSERR_NOERROR);
    }
  }
  void TearDown() override {
    stream_->Reset();
    EXPECT_EQ(stream_->Close(), MMSYSERR_NOERROR);
  }

  // The header of the next buffer-done notice, or null after `timeoutMs`.
  WaveHeader* NextDone(int timeoutMs = 3000) {
    auto notice = notices_.Get(timeoutMs);
    if (!notice) return nullptr;
    EXPECT_EQ(notice->number, MM_WOM_DONE);
    return reinterpret_cast<WaveHeader*>(notice->lParam);
  }

  uint64_t Position() {
    uint64_t bytes = 0;
    EXPECT_EQ(stream_->GetPositionBytes(bytes), MMSYSERR_NOERROR);
    return bytes;
  }

  MessageQueue notices_;
  std::unique_ptr<WaveOutStream> stream_;
  std::array<WaveHeader, 3> headers_;
  std::array<std::vector<uint8_t>, 3> data_;
};

TEST_F(NullWaveOut, PlaysBlocksInOrderInRealTime) {
  const auto start = Clock::now();
  for (auto& header : headers_) ASSERT_EQ(stream_->Write(header), MMSYSERR_NOERROR);
  std::vector<Clock::duration> doneAt;
  for (auto& header : headers_) {
    EXPECT_EQ(NextDone(), &header);
    doneAt.push_back(Clock::now() - start);
    EXPECT_TRUE(header.flags.load() & WHDR_DONE);
    EXPECT_FALSE(header.flags.load() & WHDR_INQUEUE);
  }
  // Each block is 100 ms; a block never comes back before it has been played.
  for (size_t i = 0; i < doneAt.size(); ++i) EXPECT_GE(doneAt[i], milliseconds(100 * (i + 1) - 2));
  EXPECT_LT(doneAt.back(), milliseconds(300 * 16 / 10 + 200));
  EXPECT_EQ(Position(), 3u * 100 * kBytesPerMs);
}

TEST_F(NullWaveOut, ThePositionStopsWhenTheDeviceRunsDryAndGoesOnWithTheNextBlock) {
  ASSERT_EQ(stream_->Write(headers_[0]), MMSYSERR_NOERROR);
  ASSERT_TRUE(NextDone());
  std::this_thread::sleep_for(milliseconds(100));
  EXPECT_EQ(Position(), 100u * kBytesPerMs) << "silence while nothing is queued is not counted";
  ASSERT_EQ(stream_->Write(headers_[1]), MMSYSERR_NOERROR);
  ASSERT_TRUE(NextDone());
  EXPECT_EQ(Position(), 200u * kBytesPerMs);
}

TEST_F(NullWaveOut, PauseHoldsThePositionAndRestartGoesOn) {
  std::vector<uint8_t> second(1000 * kBytesPerMs, 0x80);  // long enough to pause inside it
  WaveHeader header;
  header.data = second.data();
  header.bufferLength = static_cast<uint32_t>(second.size());
  ASSERT_EQ(stream_->Prepare(header), MMSYSERR_NOERROR);
  ASSERT_EQ(stream_->Write(header), MMSYSERR_NOERROR);
  std::this_thread::sleep_for(milliseconds(50));
  ASSERT_EQ(stream_->Pause(), MMSYSERR_NOERROR);
  const uint64_t held = Position();
  EXPECT_GT(held, 0u);
  EXPECT_LT(held, second.size());
  EXPECT_EQ(NextDone(150), nullptr) << "nothing comes back while paused";
  EXPECT_EQ(Position(), held);
  ASSERT_EQ(stream_->Restart(), MMSYSERR_NOERROR);
  EXPECT_EQ(NextDone(), &header);
  EXPECT_EQ(Position(), second.size());
}

TEST_F(NullWaveOut, ResetReturnsEveryBlockAtOnceAndStartsCountingAgain) {
  for (auto& header : headers_) ASSERT_EQ(stream_->Write(header), MMSYSERR_NOERROR);
  ASSERT_EQ(stream_->Pause(), MMSYSERR_NOERROR);
  const auto start = Clock::now();
  ASSERT_EQ(stream_->Reset(), MMSYSERR_NOERROR);
  for (auto& header : headers_) EXPECT_EQ(NextDone(), &header);
  EXPECT_LT(Clock::now() - start, milliseconds(1000)) << "paused: only the reset can have returned them";
  EXPECT_EQ(Position(), 0u);
  // Reset also ends the pause.
  ASSERT_EQ(stream_->Write(headers_[0]), MMSYSERR_NOERROR);
  EXPECT_EQ(NextDone(), &headers_[0]);
  EXPECT_EQ(Position(), 100u * kBytesPerMs);
}

TEST_F(NullWaveOut, QueuedBlocksCannotBeUnpreparedRewrittenOrClosedOver) {
  ASSERT_EQ(stream_->Write(headers_[0]), MMSYSERR_NOERROR);
  EXPECT_EQ(stream_->Write(headers_[0]), WAVERR_STILLPLAYING);
  EXPECT_EQ(stream_->Unprepare(headers_[0]), WAVERR_STILLPLAYING);
  EXPECT_EQ(stream_->Close(), WAVERR_STILLPLAYING);
  ASSERT_TRUE(NextDone());
  EXPECT_EQ(stream_->Unprepare(headers_[0]), MMSYSERR_NOERROR);
  EXPECT_EQ(stream_->Write(headers_[0]), WAVERR_UNPREPARED);
}

TEST_F(NullWaveOut, EmptyBlocksAndTrailingPartialFramesComeBackToo) {
  WaveHeader empty;
  std::vector<uint8_t> odd(5, 0);
  WaveHeader partial;
  partial.data = odd.data();
  partial.bufferLength = 5;
  ASSERT_EQ(stream_->Prepare(empty), MMSYSERR_NOERROR);
  ASSERT_EQ(stream_->Prepare(partial), MMSYSERR_NOERROR);
  ASSERT_EQ(stream_->Write(empty), MMSYSERR_NOERROR);
  ASSERT_EQ(stream_->Write(partial), MMSYSERR_NOERROR);
  EXPECT_EQ(NextDone(), &empty);
  EXPECT_EQ(NextDone(), &partial);
}

TEST(WaveOutOpen, RefusesFormatsItCannotPlay) {
  std::unique_ptr<WaveOutStream> stream;
  EXPECT_EQ(OpenWaveOut(kNullWaveDevice, MakePcmFormat(0, 2, 16), nullptr, stream), WAVERR_BADFORMAT);
  EXPECT_EQ(OpenWaveOut(kNullWaveDevice, MakePcmFormat(44100, 0, 16), nullptr, stream), WAVERR_BADFORMAT);
  EXPECT_EQ(OpenWaveOut(kNullWaveDevice, MakePcmFormat(44100, 2, 24), nullptr, stream), WAVERR_BADFORMAT);
  WaveFormat inconsistent = MakePcmFormat(44100, 2, 16);
  inconsistent.blockAlign = 3;
  EXPECT_EQ(OpenWaveOut(kNullWaveDevice, inconsistent, nullptr, stream), WAVERR_BADFORMAT);
  EXPECT_EQ(stream, nullptr);
}

TEST(WaveOutOpen, ADeviceNumberBeyondTheLastDeviceIsRefused) {
  std::unique_ptr<WaveOutStream> stream;
  EXPECT_EQ(OpenWaveOut(WaveOutDeviceCount(), MakePcmFormat(44100, 2, 16), nullptr, stream), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(OpenWaveOut(-7, MakePcmFormat(44100, 2, 16), nullptr, stream), MMSYSERR_BADDEVICEID);
}

TEST(WaveOutDevices, NamesMapToDeviceNumbers) {
  EXPECT_EQ(ParseWaveDeviceName("null"), kNullWaveDevice);
  EXPECT_EQ(ParseWaveDeviceName("default"), kDefaultWaveDevice);
  EXPECT_EQ(ParseWaveDeviceName("0"), 0);
  EXPECT_EQ(ParseWaveDeviceName("12"), 12);
  EXPECT_EQ(ParseWaveDeviceName(""), std::nullopt);
  EXPECT_EQ(ParseWaveDeviceName("-1"), std::nullopt);
  EXPECT_EQ(ParseWaveDeviceName("3x"), std::nullopt);
  EXPECT_EQ(ParseWaveDeviceName("Null"), std::nullopt);
  EXPECT_EQ(ParseWaveDeviceName("99999999999999"), std::nullopt);
}

TEST(WaveOutErrors, KnownCodesHaveTextsAlsaCodesCarryAlsasText) {
  EXPECT_TRUE(WaveOutErrorText(MMSYSERR_BADDEVICEID).has_value());
  EXPECT_TRUE(WaveOutErrorText(WAVERR_STILLPLAYING).has_value());
  const auto alsa = WaveOutErrorText(kAlsaErrorBase + EBUSY);
  ASSERT_TRUE(alsa.has_value());
  EXPECT_NE(alsa->find("ALSA"), std::string::npos);
  EXPECT_NE(alsa->find("busy"), std::string::npos) << *alsa;
  EXPECT_FALSE(WaveOutErrorText(999).has_value());
}

}  // namespace
}  // namespace orvana::platform
