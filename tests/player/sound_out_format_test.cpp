// TSoundOut's arithmetic and property rules, which need no playing device.
#include <gtest/gtest.h>

#include "platform/wave_out.h"
#include "player/sound_out.h"
#include "player/wave_out_error.h"

namespace orvana::player {
namespace {

TEST(TSoundOutBuffers, HoldHalfASecondRoundedUpToFourBytes) {
  EXPECT_EQ(TSoundOut::BufferSizeFor(44100, 2, 16), 88200);
  EXPECT_EQ(TSoundOut::BufferSizeFor(22050, 1, 16), 22052);
  EXPECT_EQ(TSoundOut::BufferSizeFor(8000, 1, 8), 4000);
  EXPECT_EQ(TSoundOut::BufferSizeFor(11025, 1, 8), 5512) << "half of 11025 truncated, already a multiple of 4";
  EXPECT_EQ(TSoundOut::BufferSizeFor(11025, 2, 8), 11028);
  EXPECT_EQ(TSoundOut::BufferSizeFor(48000, 2, 16), 96000);
}

TEST(TSoundOutVolume, MapsVolumeAndBalanceToLeftAndRight) {
  auto left = [](uint32_t v) { return v & 0xFFFF; };
  auto right = [](uint32_t v) { return v >> 16; };
  const uint32_t half = TSoundOut::WaveVolumeFor(50, -50);
  EXPECT_EQ(left(half), 32768u);
  EXPECT_EQ(right(half), 16384u);
  EXPECT_EQ(TSoundOut::WaveVolumeFor(100, 0), 0xFFFFFFFFu);
  EXPECT_EQ(left(TSoundOut::WaveVolumeFor(100, 100)), 0u);
  EXPECT_EQ(right(TSoundOut::WaveVolumeFor(100, 100)), 65535u);
  EXPECT_EQ(right(TSoundOut::WaveVolumeFor(100, -100)), 0u);
  EXPECT_EQ(left(TSoundOut::WaveVolumeFor(100, -100)), 65535u);
  EXPECT_EQ(TSoundOut::WaveVolumeFor(0, 30), 0u);
  EXPECT_EQ(left(TSoundOut::WaveVolumeFor(1, 0)), 655u);
}

TEST(TSoundOutProperties, IgnoreValuesOutOfRange) {
  TSoundOut out;
  EXPECT_EQ(out.Frequency(), 44100);
  EXPECT_EQ(out.Channels(), 2);
  EXPECT_EQ(out.BitsPerSample(), 16);
  EXPECT_EQ(out.DeviceID(), -1);
  EXPECT_EQ(out.PositionInterval(), -1);
  EXPECT_EQ(out.Volume(), 100) << "a fresh stream plays at full volume";
  out.SetFrequency(0);
  out.SetFrequency(-8000);
  out.SetChannels(3);
  out.SetBitsPerSample(24);
  out.SetVolume(101);
  out.SetVolume(-1);
  out.SetBalance(-101);
  EXPECT_EQ(out.Frequency(), 44100);
  EXPECT_EQ(out.Channels(), 2);
  EXPECT_EQ(out.BitsPerSample(), 16);
  EXPECT_EQ(out.Volume(), 100);
  EXPECT_EQ(out.Balance(), 0);
  out.SetFrequency(22050);
  out.SetChannels(1);
  out.SetBitsPerSample(8);
  out.SetVolume(0);
  out.SetBalance(-100);
  EXPECT_EQ(out.Frequency(), 22050);
  EXPECT_EQ(out.Channels(), 1);
  EXPECT_EQ(out.BitsPerSample(), 8);
  EXPECT_EQ(out.Volume(), 0);
  EXPECT_EQ(out.Balance(), -100);
}

TEST(TSoundOutClosed, TakesNothingAndReportsNothing) {
  TSoundOut out;
  const uint8_t bytes[16] = {};
  EXPECT_FALSE(out.IsOpen());
  EXPECT_EQ(out.BufferSize(), 0);
  EXPECT_EQ(out.FreePercent(), 0);
  EXPECT_FALSE(out.CanWrite());
  EXPECT_EQ(out.Write(bytes, sizeof bytes), 0);
  EXPECT_EQ(out.GetDoneBytes(), 0);
  out.Flush();
  out.Reset();
  out.Pause();
  out.Unpause();
  out.Close();
  out.WaitAllDone();
}

TEST(WaveOutErrorMessage, CarriesTheDeviceTextAndTheOperation) {
  const std::string busy = WaveOutErrorMessage(platform::kAlsaErrorBase + EBUSY, "TSoundOut.Open:WaveOutOpen");
  EXPECT_EQ(busy, *platform::WaveOutErrorText(platform::kAlsaErrorBase + EBUSY) + "(TSoundOut.Open:WaveOutOpen)");
  EXPECT_EQ(WaveOutErrorMessage(12345, "TSoundOut.Pause"), "unknown wave out API error.(TSoundOut.Pause)");
  try {
    RaiseWaveOutError(platform::MMSYSERR_BADDEVICEID, "TSoundOut.GetDoneBytes");
    FAIL();
  } catch (const EWaveOutError& error) {
    EXPECT_EQ(error.Code(), platform::MMSYSERR_BADDEVICEID);
    EXPECT_NE(std::string(error.what()).find("(TSoundOut.GetDoneBytes)"), std::string::npos);
  }
}

}  // namespace
}  // namespace orvana::player
