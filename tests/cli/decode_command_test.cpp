// orvana-cli decode, run as a program on real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "engine/cpu_features.h"
#include "tests/cli/cli_process.h"
#include "tests/engine/test_streams.h"

namespace orvana::cli {
namespace {

namespace fs = std::filesystem;
using engine::testing::ComparePcm;
using engine::testing::DecodeWholeStream;
using engine::testing::PcmFromBytes;
using engine::testing::ReadTestFile;
using engine::testing::ReadTestPcm;
using engine::testing::TestDataPath;
using testing::Quoted;

std::vector<uint8_t> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t Le16(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }

class DecodeCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("orvana-decode-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  // Runs orvana-cli decode with `arguments`; stdout goes to `stdoutFile` when given.
  int Run(const std::string& arguments, const fs::path& stdoutFile = {}) {
    const fs::path errors = dir / "stderr.txt";
    std::string command = Quoted(ORVANA_CLI_PATH) + " decode " + arguments;
    command += " > " + Quoted(stdoutFile.empty() ? dir / "stdout.txt" : stdoutFile);
    command += " 2> " + Quoted(errors);
    const int status = std::system(command.c_str());
    const std::vector<uint8_t> text = ReadFile(errors);
    stderrText.assign(text.begin(), text.end());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::vector<int16_t> DecodeToRaw(const std::string& input, bool fullBand = false) {
    const fs::path out = dir / "out.raw";
    EXPECT_EQ(Run(std::string(fullBand ? "--full-band " : "") + Quoted(input) + " " + Quoted(out)), 0)
        << stderrText;
    return PcmFromBytes(ReadFile(out));
  }

  fs::path dir;
  std::string stderrText;
};

TEST_F(DecodeCommand, WavFileHasTheRiffHeader) {
  const fs::path out = dir / "song.WAV";
  ASSERT_EQ(Run(Quoted(TestDataPath("l3-44100-stereo-cbr128-crc.mp3")) + " " + Quoted(out)), 0)
      << stderrText;
  const std::vector<uint8_t> wav = ReadFile(out);
  ASSERT_GT(wav.size(), 44u);
  const uint32_t dataBytes = static_cast<uint32_t>(wav.size() - 44);
  EXPECT_EQ(std::string(wav.begin(), wav.begin() + 4), "RIFF");
  EXPECT_EQ(Le32(wav, 4), 36 + dataBytes);
  EXPECT_EQ(std::string(wav.begin() + 8, wav.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(Le32(wav, 16), 16u);
  EXPECT_EQ(Le16(wav, 20), 1u);
  EXPECT_EQ(Le16(wav, 22), 2u);
  EXPECT_EQ(Le32(wav, 24), 44100u);
  EXPECT_EQ(Le32(wav, 28), 44100u * 4);
  EXPECT_EQ(Le16(wav, 32), 4u);
  EXPECT_EQ(Le16(wav, 34), 16u);
  EXPECT_EQ(std::string(wav.begin() + 36, wav.begin() + 40), "data");
  EXPECT_EQ(Le32(wav, 40), dataBytes);
  EXPECT_EQ(dataBytes, 231u * 4608);
}

TEST_F(DecodeCommand, RawOutputIsTheEnginesOutput) {
  const std::string input = TestDataPath("lsf-l3-22050-stereo-cbr64.mp3");
  const auto engine = DecodeWholeStream(ReadTestFile("lsf-l3-22050-stereo-cbr64.mp3"),
                                        engine::kPlayerMaxFrequency, engine::DetectCpu());
  EXPECT_EQ(DecodeToRaw(input), engine.pcm);
  // A stream with sound in its last band tells the two bandwidths apart.
  const auto player = DecodeWholeStream(ReadTestFile("M2L3_compl24.bit"),
                                        engine::kPlayerMaxFrequency, engine::DetectCpu());
  const auto fullBand = DecodeWholeStream(ReadTestFile("M2L3_compl24.bit"),
                                          engine::kFullBandMaxFrequency, engine::DetectCpu());
  EXPECT_EQ(DecodeToRaw(TestDataPath("M2L3_compl24.bit"), true), fullBand.pcm);
  EXPECT_EQ(DecodeToRaw(TestDataPath("M2L3_compl24.bit")), player.pcm);
  EXPECT_NE(player.pcm, fullBand.pcm);

  const fs::path piped = dir / "piped.raw";
  ASSERT_EQ(Run(Quoted(input) + " -", piped), 0) << stderrText;
  EXPECT_EQ(PcmFromBytes(ReadFile(piped)), engine.pcm) << "stdout takes raw PCM";
}

TEST_F(DecodeCommand, RefusesWhatIsNotMpegAudio) {
  const fs::path text = dir / "notes.mp3";
  const std::string words = "Shopping list: milk, eggs, bread.\n";
  WriteFile(text, std::vector<uint8_t>(words.begin(), words.end()));
  EXPECT_NE(Run(Quoted(text) + " " + Quoted(dir / "out.wav")), 0);
  EXPECT_NE(stderrText.find("unknown MPEG Audio format."), std::string::npos) << stderrText;
  EXPECT_FALSE(fs::exists(dir / "out.wav"));

  WriteFile(dir / "empty.mp3", {});
  EXPECT_NE(Run(Quoted(dir / "empty.mp3") + " -"), 0);
  EXPECT_NE(stderrText.find("unknown MPEG Audio format."), std::string::npos);
}

TEST_F(DecodeCommand, SystemErrorsForFilesItCannotUse) {
  EXPECT_NE(Run(Quoted(dir / "missing.mp3") + " " + Quoted(dir / "out.wav")), 0);
  EXPECT_NE(stderrText.find(std::strerror(ENOENT)), std::string::npos) << stderrText;

  EXPECT_NE(Run(Quoted(dir) + " " + Quoted(dir / "out.wav")), 0) << "a directory";
  EXPECT_NE(stderrText.find(std::strerror(EISDIR)), std::string::npos) << stderrText;

  EXPECT_NE(Run(Quoted(TestDataPath("m25-l3-11025-mono-cbr16.mp3")) + " " +
                Quoted(dir / "no" / "such" / "dir.wav")),
            0);
  EXPECT_NE(stderrText.find(std::strerror(ENOENT)), std::string::npos) << stderrText;
}

TEST_F(DecodeCommand, LayersIAndIIDecodeLikeLayerIII) {
  for (const char* name : {"l1-fl1", "l2-48000-joint-cbr192"}) {
    const std::string input = TestDataPath(name + std::string(name[1] == '1' ? ".bit" : ".mp2"));
    const std::vector<int16_t> reference = ReadTestPcm(std::string(name) + ".pcm");
    const std::vector<int16_t> fullBand = DecodeToRaw(input, true);
    // The Layer I reference runs on past the last frame.
    ASSERT_GT(fullBand.size(), reference.size() / 2) << name;
    ASSERT_LE(fullBand.size(), reference.size()) << name;
    const auto difference = ComparePcm(fullBand, reference);
    EXPECT_LE(difference.maxAbs, 1) << name;
    EXPECT_LE(difference.rms, 0.1) << name;
    const auto player = DecodeWholeStream(ReadFile(input), engine::kPlayerMaxFrequency,
                                          engine::DetectCpu());
    EXPECT_EQ(DecodeToRaw(input), player.pcm) << name;
  }
}

TEST_F(DecodeCommand, UsageErrors) {
  EXPECT_EQ(Run(""), 2);
  EXPECT_EQ(Run("--full-band only-one-name"), 2);
  EXPECT_EQ(Run("--gapless only-one-name"), 2);
}

TEST_F(DecodeCommand, TagsAndGarbageAroundAndBetweenFrames) {
  const std::vector<int16_t> plain = DecodeToRaw(TestDataPath("m25-l3-11025-mono-cbr16.mp3"));
  ASSERT_FALSE(plain.empty());
  EXPECT_EQ(DecodeToRaw(TestDataPath("m25-l3-11025-mono-id3v2.mp3")), plain) << "ID3v2 tag";

  std::vector<uint8_t> data = ReadTestFile("m25-l3-11025-mono-cbr16.mp3");
  std::mt19937 random(11);
  std::vector<uint8_t> junk(3000);
  for (uint8_t& byte : junk) byte = static_cast<uint8_t>(random() % 0xFF);  // never 0xFF
  // Junk between two frames (104-byte frames at 16 kbit/s, 11.025 kHz) and at the end,
  // followed by an ID3v1 tag.
  const size_t between = 10 * 209;
  ASSERT_EQ(data[between], 0xFF);
  data.insert(data.begin() + between, junk.begin(), junk.begin() + 700);
  data.insert(data.end(), junk.begin(), junk.end());
  const std::string id3v1 = "TAG" + std::string(125, 'x');
  data.insert(data.end(), id3v1.begin(), id3v1.end());
  const fs::path dirty = dir / "dirty.mp3";
  WriteFile(dirty, data);
  EXPECT_EQ(DecodeToRaw(dirty.string()), plain);
}

TEST_F(DecodeCommand, XingFrameSkippedAndFreeFormatDecoded) {
  for (const char* name : {"l3-44100-vbr-xing", "l3-he_free"}) {
    const std::string suffix = std::string(name) == "l3-he_free" ? ".bit" : ".mp3";
    const std::vector<int16_t> reference = ReadTestPcm(std::string(name) + ".pcm");
    const std::vector<int16_t> decoded = DecodeToRaw(TestDataPath(name + suffix), true);
    ASSERT_GE(decoded.size(), reference.size()) << name;
    EXPECT_LE(decoded.size(), reference.size() + 2304) << name;
    const auto difference = ComparePcm(decoded, reference);
    EXPECT_LE(difference.maxAbs, 1) << name;
    EXPECT_LE(difference.rms, 0.1) << name;
  }
}

TEST_F(DecodeCommand, GaplessWritesTheEncodersInputOnly) {
  // LAME's CBR tone: 1.2 s of music, with its Info frame and delays.
  const std::string info = TestDataPath("player/tone-44100-stereo-info.mp3");
  const std::vector<int16_t> everything = DecodeToRaw(info);
  const fs::path out = dir / "gapless.raw";
  ASSERT_EQ(Run("--gapless " + Quoted(info) + " " + Quoted(out)), 0) << stderrText;
  const std::vector<int16_t> music = PcmFromBytes(ReadFile(out));
  ASSERT_EQ(music.size(), 52920u * 2);
  // Past the Info frame (one frame of silence), the delays and the decoder's own 529 samples.
  constexpr std::size_t kSkipped = (1152 + 576 + 529) * 2;
  ASSERT_GT(everything.size(), kSkipped + music.size());
  EXPECT_TRUE(std::equal(music.begin(), music.end(), everything.begin() + kSkipped));

  // Streams without the encoder's delays decode as without the option.
  const std::string plain = TestDataPath("lsf-l3-22050-stereo-cbr64.mp3");
  const fs::path plainOut = dir / "plain.raw";
  ASSERT_EQ(Run("--gapless " + Quoted(plain) + " " + Quoted(plainOut)), 0) << stderrText;
  EXPECT_EQ(PcmFromBytes(ReadFile(plainOut)), DecodeToRaw(plain));
}

}  // namespace
}  // namespace orvana::cli
