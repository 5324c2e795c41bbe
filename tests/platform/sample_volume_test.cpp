#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/sample_volume.h"

namespace orvana::platform {
namespace {

std::vector<uint8_t> Pcm16(std::initializer_list<int16_t> samples) {
  std::vector<uint8_t> bytes;
  for (int16_t s : samples) {
    bytes.push_back(static_cast<uint8_t>(s & 0xFF));
    bytes.push_back(static_cast<uint8_t>((static_cast<uint16_t>(s) >> 8) & 0xFF));
  }
  return bytes;
}

std::vector<int16_t> Samples16(const std::vector<uint8_t>& bytes) {
  std::vector<int16_t> samples;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) samples.push_back(static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8)));
  return samples;
}

std::vector<uint8_t> Apply(const std::vector<uint8_t>& in, const WaveFormat& format, uint32_t volume) {
  std::vector<uint8_t> out(in.size(), 0xAA);
  ApplyVolume(in.data(), out.data(), in.size(), format, volume);
  return out;
}

TEST(ApplyVolume, FullVolumeLeavesSamplesUntouched) {
  const auto in = Pcm16({32767, -32768, 1, -1});
  EXPECT_EQ(Apply(in, MakePcmFormat(44100, 2, 16), 0xFFFFFFFF), in);
}

TEST(ApplyVolume, ScalesEachStereoChannelByItsOwnHalf) {
  const auto in = Pcm16({32767, 32767, -32768, -32768});
  const auto out = Samples16(Apply(in, MakePcmFormat(44100, 2, 16), 0x0000'8000));  // left half, right silent
  EXPECT_EQ(out, (std::vector<int16_t>{16383, 0, -16384, 0}));
}

TEST(ApplyVolume, MonoFollowsTheLeftVolume) {
  const auto in = Pcm16({20000, -20000});
  EXPECT_EQ(Samples16(Apply(in, MakePcmFormat(22050, 1, 16), 0xFFFF'0000)), (std::vector<int16_t>{0, 0}));
  EXPECT_EQ(Apply(in, MakePcmFormat(22050, 1, 16), 0x0000'FFFF), in);
}

TEST(ApplyVolume, EightBitSamplesScaleAroundTheirMidpoint) {
  const std::vector<uint8_t> in{255, 0, 128, 128};
  const auto out = Apply(in, MakePcmFormat(8000, 2, 8), 0x0000'0000);
  EXPECT_EQ(out, (std::vector<uint8_t>{128, 128, 128, 128}));
  const auto half = Apply(in, MakePcmFormat(8000, 1, 8), 0x0000'8000);
  EXPECT_EQ(half, (std::vector<uint8_t>{191, 64, 128, 128}));
}

}  // namespace
}  // namespace orvana::platform
