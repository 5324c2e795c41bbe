// TSoundOut writing a RIFF/WAVE file instead of playing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "player/sound_out.h"
#include "player/wave_file.h"
#include "recording_target.h"

namespace orvana::player {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t{b[at + 3]} << 24);
}

uint16_t Le16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

class TSoundOutFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = fs::temp_directory_path() / ("orvana-sound-out-" + std::to_string(::getpid()) + "-" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".wav");
  }
  void TearDown() override { fs::remove(path_); }

  fs::path path_;
};

uint32_t Le32(const uint8_t* at) { return at[0] | at[1] << 8 | at[2] << 16 | uint32_t{at[3]} << 24; }

TEST(WaveHeader, SizesFollowTheDataAndStopAtTheLargestAHeaderHolds) {
  auto header = MakeWaveHeader(platform::MakePcmFormat(44100, 2, 16));
  EXPECT_EQ(Le32(&header[4]), 0u) << "0 until the file is finished";
  EXPECT_EQ(Le32(&header[40]), 0u);
  EXPECT_EQ(Le32(&header[28]), 176400u);
  PutWaveSizes(header.data(), 10);
  EXPECT_EQ(Le32(&header[4]), 46u);
  EXPECT_EQ(Le32(&header[40]), 10u);
  PutWaveSizes(header.data(), uint64_t{5} << 30);  // 5 GiB
  EXPECT_EQ(Le32(&header[4]), 0xFFFFFFFFu);
  EXPECT_EQ(Le32(&header[40]), 0xFFFFFFFFu - 36);
}

TEST_F(TSoundOutFile, TenBytesMakeAFortySixByteRiffWithTenDataBytes) {
  TSoundOut out;
  out.SetFrequency(22050);
  out.SetChannels(1);
  out.SetWaveFileName(path_.string());
  out.Open();
  const uint8_t samples[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  EXPECT_EQ(out.Write(samples, 10), 10);
  out.Close();

  const auto file = ReadAll(path_);
  ASSERT_EQ(file.size(), 54u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
  EXPECT_EQ(Le32(file, 4), 46u);
  EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(Le32(file, 16), 16u);
  EXPECT_EQ(Le16(file, 20), 1u);
  EXPECT_EQ(Le16(file, 22), 1u);
  EXPECT_EQ(Le32(file, 24), 22050u);
  EXPECT_EQ(Le32(file, 28), 44100u);
  EXPECT_EQ(Le16(file, 32), 2u);
  EXPECT_EQ(Le16(file, 34), 16u);
  EXPECT_EQ(std::string(file.begin() + 36, file.begin() + 40), "data");
  EXPECT_EQ(Le32(file, 40), 10u);
  EXPECT_EQ(std::vector<uint8_t>(file.begin() + 44, file.end()), std::vector<uint8_t>(samples, samples + 10));
}

TEST_F(TSoundOutFile, EveryByteReachesTheFileInOrderIncludingThePartialBuffer) {
  TSoundOut out;
  out.SetFrequency(8000);
  out.SetChannels(1);
  out.SetBitsPerSample(8);
  out.SetWaveFileName(path_.string());
  out.Open();
  ASSERT_EQ(out.BufferSize(), 4000);
  std::vector<uint8_t> samples(4000 * 6 + 123);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint8_t>(i * 7);
  size_t written = 0;
  int64_t done = 0;
  while (written < samples.size()) {
    const int taken = out.Write(samples.data() + written, static_cast<int>(samples.size() - written));
    written += static_cast<size_t>(taken);
    if (taken == 0) out.WaitAllDone();  // all four buffers queued: let the writer catch up
    done += out.GetDoneBytes();
  }
  out.Close();
  const auto file = ReadAll(path_);
  ASSERT_EQ(file.size(), 44 + samples.size());
  EXPECT_EQ(Le32(file, 40), samples.size());
  EXPECT_TRUE(std::equal(samples.begin(), samples.end(), file.begin() + 44));
  EXPECT_LE(done, static_cast<int64_t>(samples.size()));
}

TEST_F(TSoundOutFile, TheFileNameCannotChangeWhileOpen) {
  TSoundOut out;
  out.SetWaveFileName(path_.string());
  out.Open();
  out.SetWaveFileName("/nonexistent/elsewhere.wav");
  EXPECT_EQ(out.WaveFileName(), path_.string());
  out.Close();
  out.SetWaveFileName("");
  EXPECT_EQ(out.WaveFileName(), "");
  EXPECT_EQ(ReadAll(path_).size(), 44u);
}

TEST_F(TSoundOutFile, AFileThatCannotBeCreatedFailsTheOpenAndLeavesItClosed) {
  TSoundOut out;
  out.SetWaveFileName("/nonexistent-folder/out.wav");
  EXPECT_THROW(out.Open(), std::runtime_error);
  EXPECT_FALSE(out.IsOpen());
  EXPECT_EQ(out.BufferSize(), 0);
}

TEST_F(TSoundOutFile, AWriteFailureGoesToOnExceptionAndCloseStillFinishes) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "needs /dev/full";
  testing::DisplayCapture display;
  TSoundOut out;
  out.SetFrequency(8000);
  out.SetChannels(1);
  out.SetBitsPerSample(8);
  std::vector<std::string> errors;
  TSoundOut* sender = nullptr;
  out.SetOnException([&](TSoundOut& from, const std::exception& error, bool& handled) {
    sender = &from;
    errors.emplace_back(error.what());
    handled = true;
  });
  out.SetWaveFileName("/dev/full");
  out.Open();
  std::vector<uint8_t> samples(out.BufferSize() * 2, 0x80);
  EXPECT_EQ(out.Write(samples.data(), static_cast<int>(samples.size())), static_cast<int>(samples.size()));
  out.WaitAllDone();
  EXPECT_EQ(out.QueuedBuffers(), 0) << "a failed buffer still counts as returned";
  EXPECT_THROW(out.Close(), std::runtime_error);  // the header cannot be patched either
  EXPECT_FALSE(out.IsOpen());
  EXPECT_EQ(sender, &out);
  ASSERT_FALSE(errors.empty());
  EXPECT_NE(errors[0].find("/dev/full"), std::string::npos);
  EXPECT_TRUE(display.Shown().empty());
}

}  // namespace
}  // namespace orvana::player
