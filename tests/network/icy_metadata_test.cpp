// ICY metadata: blocks taken out of the audio wherever the network cuts
// them, and what their text says.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/network/icy_demuxer.h"
#include "player/network/icy_metadata.h"
#include "scripted_answers.h"

namespace orvana::player {
namespace {

using testing::TitleText;

struct TSplit {
  std::string audio;
  std::vector<std::string> titles;
  int blocks = 0;
  bool lie = false;
};

// Feeds `body` in pieces that end at each of `cuts`, then to its end.
TSplit SplitAt(std::string_view body, std::size_t metaint, const std::vector<std::size_t>& cuts) {
  TIcyDemuxer demuxer(metaint);
  TSplit split;
  std::size_t at = 0;
  auto feed = [&](std::size_t end) {
    demuxer.Split(
        body.substr(at, end - at), [&](std::string_view audio) { split.audio.append(audio); },
        [&](std::string_view block) {
          ++split.blocks;
          const auto metadata = ParseIcyMetadata(block);
          if (!metadata) split.lie = true;
          else if (metadata->title) split.titles.push_back(*metadata->title);
        });
    at = end;
  };
  for (const std::size_t cut : cuts) feed(cut);
  feed(body.size());
  return split;
}

std::string StationBody(const testing::TStationScript& script) {
  return testing::Station(script).more(std::size_t(1) << 20);
}

TEST(IcyDemuxer, BlocksCutAnywhereLeaveTheAudioWholeAndTheTitlesInOrder) {
  const std::string audio = "0123456789abcdefghijklmnopqrstuvwxyz";
  const testing::TStationScript script{
      .audio = audio,
      .audioBytes = 8 * 7,
      .metaint = 7,
      .metadata = {{0, TitleText("Don't Stop Me Now")},
                   {14, ""},  // an empty block: a zero length byte
                   {21, TitleText("Caf\xE9 del Mar")},
                   {35, "StreamTitle='';StreamUrl='http://example.org/';"}}};
  const std::string body = StationBody(script);
  const std::vector<std::string> titles = {"Don't Stop Me Now", "Café del Mar", ""};
  const std::string expected = testing::LoopedAudio(audio, 8 * 7);

  std::vector<std::size_t> everyByte;
  for (std::size_t cut = 1; cut < body.size(); ++cut) everyByte.push_back(cut);
  const TSplit byteByByte = SplitAt(body, 7, everyByte);
  EXPECT_EQ(byteByByte.audio, expected);
  EXPECT_EQ(byteByByte.titles, titles);
  EXPECT_FALSE(byteByByte.lie);

  for (std::size_t cut = 0; cut <= body.size(); ++cut) {
    SCOPED_TRACE("cut at " + std::to_string(cut));
    const TSplit inTwo = SplitAt(body, 7, {cut});
    ASSERT_EQ(inTwo.audio, expected);
    ASSERT_EQ(inTwo.titles, titles);
    ASSERT_EQ(inTwo.blocks, 3);  // empty blocks are no blocks
  }
}

TEST(IcyDemuxer, WithoutAnIntervalEveryByteIsAudio) {
  const std::string bytes("\x00\x05StreamTitle='x';", 18);
  EXPECT_EQ(SplitAt(bytes, 0, {1, 2, 9}).audio, bytes);
}

TEST(IcyMetadata, TitlesAsStationsWriteThem) {
  struct TCase {
    std::string block;
    std::optional<std::string> title;
  };
  const std::vector<TCase> cases = {
      {std::string("StreamTitle='Artist - Song';\0\0\0", 31), "Artist - Song"},
      // Quotes inside: the title ends at the "';" before the next field or the end.
      {"StreamTitle='Guns N' Roses - Sweet Child o' Mine';StreamUrl='';", "Guns N' Roses - Sweet Child o' Mine"},
      {"StreamTitle='Rock 'n' Roll';", "Rock 'n' Roll"},
      {"StreamTitle='a';b';", "a';b"},
      {"StreamTitle='';", ""},
      {"StreamTitle='No end", "No end"},
      {"StreamTitle='Quoted at the end'", "Quoted at the end"},
      {"StreamUrl='http://example.org/';", std::nullopt},
      {"StreamUrl='x StreamTitle='not a field';';", std::nullopt},
      // UTF-8 kept, anything else read as Latin-1.
      {"StreamTitle='\xE6\x9D\xB1\xE4\xBA\xAC';", "東京"},
      {"StreamTitle='Sigur R\xF3s - Hopp\xEDpolla';", "Sigur Rós - Hoppípolla"},
      // Control bytes after the padding's first NUL are padding.
      {std::string("StreamTitle='Padded';\0\x01\x02", 24), "Padded"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.block);
    const std::optional<TIcyMetadata> metadata = ParseIcyMetadata(c.block);
    ASSERT_TRUE(metadata.has_value());
    EXPECT_EQ(metadata->title, c.title);
  }
}

TEST(IcyMetadata, BinaryBytesBeforeThePaddingAreNoText) {
  EXPECT_FALSE(ParseIcyMetadata(std::string("StreamTitle='a\x01';", 17)));
  EXPECT_FALSE(ParseIcyMetadata("\xFF\xFB\x90\x44\x7F\x10"));
  EXPECT_TRUE(ParseIcyMetadata("StreamTitle='tab\there';"));
}

}  // namespace
}  // namespace orvana::player
