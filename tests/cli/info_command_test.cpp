#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/cli_process.h"

namespace orvana::cli {
namespace {

using testing::Quoted;

const std::string kTags = std::string(ORVANA_TEST_DATA_DIR) + "/tags/";

// The output of `orvana-cli info`, one JSON object a line.
struct TRun {
  std::vector<std::string> lines;
  int status;
};

TRun RunShell(const std::string& command) {
  const testing::CliRun run = testing::Shell(command);
  return {testing::Lines(run.out), run.status};
}

TRun Info(const std::vector<std::string>& files) {
  std::string command = Quoted(ORVANA_CLI_PATH) + " info";
  for (const std::string& file : files) {
    command += ' ';
    command += Quoted(file);
  }
  return RunShell(command);
}

TEST(InfoCommand, OneObjectPerFileWithEveryKey) {
  const TRun run = Info({kTags + "eyed3-v23-latin1.mp3", kTags + "ffmpeg-info.wav"});
  ASSERT_EQ(run.status, 0);
  ASSERT_EQ(run.lines.size(), 2u);
  EXPECT_EQ(run.lines[0],
            "{\"file\":\"" + kTags + "eyed3-v23-latin1.mp3\",\"foundTypes\":[\"ID3V1\",\"ID3V2\"],"
            "\"dataStart\":375,\"dataSize\":2009,\"title\":\"Song (Live)\",\"artist\":\"Artist\","
            "\"album\":\"Album\",\"year\":\"2001\",\"comment\":\"v1 comment\",\"genre\":\"Grouping\","
            "\"track\":\"1\",\"id3v1Values\":[\"TITLE=Song\",\"ARTIST=Artist\",\"ALBUM=Album\",\"YEAR=2001\","
            "\"COMMENT=v1 comment\",\"GENRE=Other\",\"GENREIDX=12\",\"TRACK=1\"],"
            "\"id3v2Values\":[\"COMM=hello\",\"TALB=Album\",\"TIT1=Grouping\",\"TIT2=Song (Live)\","
            "\"TPE1=Artist\",\"TYER=2001\"],\"riffValues\":[],\"lyricsValues\":[],"
            "\"layer\":3,\"version\":2,\"frequency\":22050,\"bitrate\":32000,\"channels\":1,\"lengthMs\":502,"
            "\"replayGain\":{}}");
  EXPECT_NE(run.lines[1].find("\"foundTypes\":[\"RIFF\"],\"dataStart\":212,\"dataSize\":1881,"
                              "\"title\":\"Wave Song\""),
            std::string::npos)
      << run.lines[1];
}

TEST(InfoCommand, JapaneseTextsAndEscapedLineBreaks) {
  const TRun run = Info({kTags + "v1-cp932.mp3", kTags + "lyrics3v1.mp3", kTags + "macbinary.bin"});
  ASSERT_EQ(run.lines.size(), 3u);
  EXPECT_NE(run.lines[0].find("\"title\":\"夜の歌\",\"artist\":\"歌手\""), std::string::npos) << run.lines[0];
  EXPECT_NE(run.lines[0].find("\"genre\":\"Anime(J)\",\"track\":\"3\""), std::string::npos);
  EXPECT_NE(run.lines[1].find("\"lyricsValues\":[\"LYRICS=[00:01]First line\\r\\n[00:02]Second line\"]"),
            std::string::npos)
      << run.lines[1];
  EXPECT_NE(run.lines[1].find("\"foundTypes\":[\"ID3V1\",\"LYRICS\"]"), std::string::npos);
  EXPECT_NE(run.lines[2].find("\"foundTypes\":[\"ID3V1\",\"MACBIN\"],\"dataStart\":128"), std::string::npos);
}

TEST(InfoCommand, UnreadableFilesGiveAnErrorObjectAndAFailingStatus) {
  const TRun run = Info({kTags + "no-such-file.mp3", kTags + "plain.mp3", kTags});
  EXPECT_EQ(run.status, 1);
  ASSERT_EQ(run.lines.size(), 3u);
  EXPECT_EQ(run.lines[0], "{\"file\":\"" + kTags + "no-such-file.mp3\",\"error\":\"cannot open file \\\"" + kTags +
                              "no-such-file.mp3\\\": No such file or directory\"}");
  EXPECT_NE(run.lines[1].find("\"dataStart\":0,\"dataSize\":1881"), std::string::npos);
  EXPECT_NE(run.lines[2].find("\"error\":"), std::string::npos);
  EXPECT_EQ(Info({}).status, 2);
}

TEST(InfoCommand, ThePlayersValuesForEachKindOfStream) {
  const std::string data = std::string(ORVANA_TEST_DATA_DIR) + "/";
  const TRun run = Info({data + "player/tone-44100-stereo-xing.mp3", data + "m25-l3-11025-mono-cbr16.mp3",
                         data + "README.md", data + "l3-he_free.bit"});
  EXPECT_EQ(run.status, 1);
  ASSERT_EQ(run.lines.size(), 4u);
  // The length of the music alone, as LAME's delays give it.
  EXPECT_NE(run.lines[0].find("\"layer\":3,\"version\":1,\"frequency\":44100,\"bitrate\":0,\"channels\":2,"
                              "\"lengthMs\":1200,\"replayGain\":{}}"),
            std::string::npos)
      << run.lines[0];
  EXPECT_NE(run.lines[1].find("\"version\":3,\"frequency\":11025,\"bitrate\":16000,\"channels\":1,"),
            std::string::npos)
      << run.lines[1];
  EXPECT_NE(run.lines[2].find("\"lyricsValues\":[],\"error\":\"unknown MPEG Audio format.\"}"), std::string::npos)
      << run.lines[2];
  EXPECT_EQ(run.lines[2].find("\"layer\""), std::string::npos);
  // Free format: the bit rate measured from the frames' length (391 bytes at 44.1 kHz).
  EXPECT_NE(run.lines[3].find("\"layer\":3,\"version\":1,\"frequency\":44100,\"bitrate\":119743,\"channels\":2,"),
            std::string::npos)
      << run.lines[3];
}

TEST(InfoCommand, ReplayGainValuesFoundWithTheirSources) {
  const TRun run = Info({kTags + "rg-id3v2-album.mp3", kTags + "rg-lame-accurate.mp3"});
  ASSERT_EQ(run.lines.size(), 2u);
  EXPECT_NE(run.lines[0].find("\"replayGain\":{\"albumGain\":-3.1,\"albumSource\":\"TXXX\"}}"), std::string::npos)
      << run.lines[0];
  EXPECT_NE(run.lines[1].find("\"replayGain\":{\"trackGain\":-9.2,\"trackPeak\":0.476348876953125,"
                              "\"trackSource\":\"LAME\"}}"),
            std::string::npos)
      << run.lines[1];
}

TEST(InfoCommand, PipedInputIsScannedFromTheFrontOnly) {
  const TRun run = RunShell("cat " + Quoted(kTags + "eyed3-v24.mp3") + " | " + Quoted(ORVANA_CLI_PATH) +
                            " info /dev/stdin");
  ASSERT_EQ(run.status, 0);
  ASSERT_EQ(run.lines.size(), 1u);
  EXPECT_NE(run.lines[0].find("\"foundTypes\":[\"ID3V2\"],\"dataStart\":303,\"dataSize\":null"), std::string::npos)
      << run.lines[0];
  EXPECT_NE(run.lines[0].find("\"bitrate\":32000,\"channels\":1,\"lengthMs\":0,\"replayGain\":{}}"),
            std::string::npos)
      << "no size, no length: " << run.lines[0];
}

TEST(InfoCommand, FileNamesAreWrittenAsValidJson) {
  const auto dir = std::filesystem::temp_directory_path() / ("orvana-info-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string name = (dir / "say \"hi\"\\ \xFF.mp3").string();
  std::filesystem::copy_file(kTags + "plain.mp3", name);
  const TRun run = Info({name});
  std::filesystem::remove_all(dir);
  ASSERT_EQ(run.lines.size(), 1u);
  EXPECT_NE(run.lines[0].find("say \\\"hi\\\"\\\\ \xEF\xBF\xBD.mp3\""), std::string::npos) << run.lines[0];
}

}  // namespace
}  // namespace orvana::cli
