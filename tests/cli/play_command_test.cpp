// orvana-cli play end to end: WAV output against orvana-cli decode, the
// event lines on the null device, pipes, refusals, device failures (a sound
// server that is not there), usage errors and Ctrl+C.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tests/cli/cli_process.h"

namespace orvana::cli {
namespace {

const std::string kData = std::string(ORVANA_TEST_DATA_DIR) + "/";
const std::string kTone = kData + "player/tone-44100-stereo-cbr.mp3";

using testing::CliRun;
using testing::Lines;
using testing::Quoted;
using testing::ReadText;
using testing::Shell;
using testing::TempPath;

CliRun Play(const std::string& arguments) { return Shell(Quoted(ORVANA_CLI_PATH) + " play " + arguments); }

std::string Samples(const std::string& wavPath) {
  const std::string bytes = ReadText(wavPath);
  return bytes.size() > 44 ? bytes.substr(44) : std::string();
}

// The player trims what the encoder's delays mark, as decode --gapless does.
std::string Decoded(const std::string& file) {
  const std::string out = TempPath(".wav");
  const CliRun run = Shell(Quoted(ORVANA_CLI_PATH) + " decode --gapless " + Quoted(file) + " " + Quoted(out));
  EXPECT_EQ(run.status, 0) << run.err;
  std::string samples = Samples(out);
  std::remove(out.c_str());
  return samples;
}

int CountLines(const std::vector<std::string>& lines, const std::string& prefix) {
  int count = 0;
  for (const std::string& line : lines)
    if (line.rfind(prefix, 0) == 0) ++count;
  return count;
}

TEST(PlayCommand, WaveOutHoldsWhatDecodeMakesByteForByte) {
  for (const char* name : {"player/tone-44100-stereo-xing.mp3", "l3-44100-stereo-cbr128-crc.mp3",
                           "m25-l3-8000-stereo-cbr24.mp3"}) {
    const std::string wav = TempPath(".wav");
    const auto started = std::chrono::steady_clock::now();
    const CliRun run = Play("--wave-out " + Quoted(wav) + " " + Quoted(kData + name));
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_LT(took, std::chrono::seconds(3)) << "written as fast as it decodes, not in real time";
    const std::string samples = Samples(wav);
    EXPECT_FALSE(samples.empty()) << name;
    EXPECT_TRUE(samples == Decoded(kData + name)) << name;
    EXPECT_NE(run.err.find("wrote " + wav), std::string::npos) << run.err;
    std::remove(wav.c_str());
  }
}

TEST(PlayCommand, EventsOnTheNullDeviceOneLineEach) {
  const CliRun run = Play("--device null --events " + Quoted(kTone));
  EXPECT_EQ(run.status, 0) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_GE(lines.size(), 4u) << run.out;
  EXPECT_EQ(lines.front(), "status playing");
  EXPECT_GE(CountLines(lines, "position "), 2);
  EXPECT_EQ(CountLines(lines, "endplay "), 1);
  EXPECT_NE(std::find(lines.begin(), lines.end(), "endplay EndOfStream"), lines.end()) << run.out;
  EXPECT_NE(std::find(lines.begin(), lines.end(), "status stopped"), lines.end());
}

TEST(PlayCommand, SeekStartsEachFileAtTheTime) {
  const auto started = std::chrono::steady_clock::now();
  const CliRun run = Play("--device null --events --seek 1000 " + Quoted(kTone));
  const auto took = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_LT(took, std::chrono::milliseconds(1000)) << "only the last 0.2 s is played";
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_GE(lines.size(), 2u) << run.out;
  ASSERT_EQ(lines[1].rfind("position ", 0), 0u) << run.out;
  const int first = std::stoi(lines[1].substr(9));
  EXPECT_GE(first, 1018);
  EXPECT_LT(first, 1100);
}

TEST(PlayCommand, AStreamFromAPipePlaysToItsEnd) {
  const std::string wav = TempPath(".wav");
  const CliRun run = Shell("cat " + Quoted(kTone) + " | " + Quoted(ORVANA_CLI_PATH) + " play --events --wave-out " +
                           Quoted(wav) + " /dev/stdin");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("endplay EndOfStream"), std::string::npos) << run.out;
  EXPECT_TRUE(Samples(wav) == Decoded(kTone));
  std::remove(wav.c_str());
}

TEST(PlayCommand, ARefusedFileIsReportedAndTheNextOnePlays) {
  const CliRun run = Play("--device null --events " + Quoted(kData + "README.md") + " /no/such.mp3 " + Quoted(kTone));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("README.md: unknown MPEG Audio format."), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("/no/such.mp3: cannot open file"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("endplay EndOfStream"), std::string::npos);
}

TEST(PlayCommand, ADeviceThatCannotBeOpenedIsNamedWithWhatToTryInstead) {
  const CliRun run = Play("--device 99 " + Quoted(kTone) + " " + Quoted(kTone));
  EXPECT_EQ(run.status, 3) << "its own status, and the second file is not tried";
  EXPECT_NE(run.err.find("cannot open the sound device: The device number is out of range.(TSoundOut.Open:WaveOutOpen)"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("--device null"), std::string::npos);
  EXPECT_NE(run.err.find("--wave-out"), std::string::npos);
}

TEST(PlayCommand, WithoutASoundServerThePulseDeviceFailsAtOnceWithTheReason) {
  const auto started = std::chrono::steady_clock::now();
  const CliRun run = Shell("PULSE_SERVER=unix:/nonexistent/orvana-test-socket " + Quoted(ORVANA_CLI_PATH) +
                           " play --device pulse " + Quoted(kTone));
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
  EXPECT_EQ(run.status, 3) << run.err;
  EXPECT_NE(run.err.find("cannot open the sound device: PulseAudio: Connection refused"), std::string::npos) << run.err;
}

TEST(PlayCommand, TheUsageNamesEveryDevice) {
  const CliRun run = Play("--device loud x.mp3");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("--device takes default, pulse, alsa, null or an ALSA device number"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("[--device default|pulse|alsa|null|N]"), std::string::npos) << run.err;
}

TEST(PlayCommand, UsageErrors) {
  for (const std::string& arguments :
       {std::string(""), std::string("--volume 101 x.mp3"), std::string("--balance -101 x.mp3"),
        std::string("--device loud x.mp3"), std::string("--seek -5 x.mp3"), std::string("--wave-out"),
        std::string("--wave-out a.wav x.mp3 y.mp3"), std::string("--wave-out a.wav --seek 100 x.mp3"),
        std::string("--shuffle x.mp3"), std::string("--equalizer 1,2,3,4,5,6,7,8,9 x.mp3"),
        std::string("--equalizer 0,0,0,0,0,0,0,0,0,12.5 x.mp3"), std::string("--equalizer 0,0,0,0,0,0,0,0,0,0, x.mp3"),
        std::string("--equalizer 0,0,0,0,nan,0,0,0,0,0 x.mp3"), std::string("--preamp x.mp3"),
        std::string("--replay-gain loud x.mp3")}) {
    const CliRun run = Play(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_NE(run.err.find("usage: orvana-cli play"), std::string::npos) << arguments;
  }
}

TEST(PlayCommand, InterruptStopsPlaybackCleanly) {
  const std::string outPath = TempPath(".out");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::freopen(outPath.c_str(), "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    const std::string file = kData + "l3-44100-stereo-cbr128-crc.mp3";
    ::execl(ORVANA_CLI_PATH, ORVANA_CLI_PATH, "play", "--device", "null", "--events", file.c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  const auto interrupted = std::chrono::steady_clock::now();
  ::kill(child, SIGINT);
  int status = 0;
  ::waitpid(child, &status, 0);
  const auto took = std::chrono::steady_clock::now() - interrupted;
  EXPECT_LT(took, std::chrono::seconds(2)) << "a six-second file, stopped at once";
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
  const std::string out = ReadText(outPath);
  std::remove(outPath.c_str());
  EXPECT_NE(out.find("endplay Stopped"), std::string::npos) << out;
}

}  // namespace
}  // namespace orvana::cli
