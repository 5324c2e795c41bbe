// Tags as real writers bend them: frames of size zero, junk after the last
// frame, frame sizes stored the other version's way, a tag size that claims
// the audio's first frames. The hostile-input tests damage such a tag too.
#include <gtest/gtest.h>

#include <random>

#include "info_scan.h"
#include "player_harness.h"
#include "tag_builders.h"

namespace orvana::player {
namespace {

using namespace testing;
using TLines = std::vector<std::string>;

TLines Lines(const TInfoScan& scan) { return scan.info.ID3v2Values().Lines(); }

std::string Text(const std::string& text) { return std::string(1, '\0') + text; }

std::string Chars(const TBytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TBytes Played(const TBytes& bytes, bool seekable) {
  TQuietPlayer player;
  OpenBytes(player, bytes, seekable);
  return PlayToWave(player);
}

// A 2.3 or 2.4 frame whose size is stored the other version's way.
std::string OtherSizeFrame(char version, const std::string& id, const std::string& body) {
  const auto size = static_cast<std::uint32_t>(body.size());
  return id + (version == 3 ? Syncsafe(size) : BigEndian(size)) + std::string(2, '\0') + body;
}

// Scanned seekable and not, through a roomy ring and a tiny one.
void ExpectRead(const std::string& bytes, const TLines& lines, std::int64_t dataStart, const std::string& what) {
  for (const bool seekable : {true, false}) {
    for (const int capacity : {65536, 512}) {
      const TInfoScan scan(Bytes(bytes), seekable, capacity);
      EXPECT_EQ(Lines(scan), lines) << what << " seekable " << seekable << " capacity " << capacity;
      EXPECT_EQ(scan.info.DataStart(), dataStart) << what << " seekable " << seekable << " capacity " << capacity;
    }
  }
}

TEST(ID3v2BentTags, FramesOfSizeZeroArePassedInEveryVersion) {
  const std::string v22 = ID3v22Frame("TT2", Text("Title")) + ID3v22Frame("TP1", "") + ID3v22Frame("TAL", "") +
                          ID3v22Frame("TP1", Text("Artist")) + ID3v22Frame("TCO", "");
  const std::string v23 = ID3v23Frame("TIT2", Text("Title")) + ID3v23Frame("TPE1", "") +
                          ID3v23Frame("TPE1", Text("Artist")) + ID3v23Frame("TCON", "") + std::string(20, '\0');
  const std::string v24 = ID3v24Frame("TIT2", Text("Title")) + ID3v24Frame("TPE1", "") +
                          ID3v24Frame("TALB", "", 0x40) + ID3v24Frame("TPE1", Text("Artist"));
  for (const auto& [tag, title, artist] :
       {std::tuple{ID3v2Tag(v22, 2), "TT2=Title", "TP1=Artist"}, std::tuple{ID3v2Tag(v23, 3), "TIT2=Title", "TPE1=Artist"},
        std::tuple{ID3v2Tag(v24, 4), "TIT2=Title", "TPE1=Artist"}})
    ExpectRead(tag + Audio(), {title, artist}, static_cast<std::int64_t>(tag.size()), title);
}

TEST(ID3v2BentTags, JunkAfterTheLastFrameKeepsTheFramesBeforeIt) {
  const std::string title = ID3v23Frame("TIT2", Text("Kept"));
  // Fewer bytes than a frame header, more, and a frame header's worth of lower case.
  for (const std::string& junk : {std::string("x"), std::string(9, 'x'), std::string("\x01junk after the frames", 22),
                                  std::string("tit2\0\0\0\1\0\0X", 11)}) {
    for (const char version : {3, 4}) {
      const std::string frame = version == 3 ? title : ID3v24Frame("TIT2", Text("Kept"));
      const std::string tag = ID3v2Tag(frame + junk, version);
      ExpectRead(tag + Audio(), {"TIT2=Kept"}, static_cast<std::int64_t>(tag.size()), junk);
    }
  }
  const TInfoScan stray(Fixture("v23-stray.mp3"));
  EXPECT_EQ(Lines(stray), TLines{"TIT2=Stray"});
  EXPECT_EQ(stray.info.DataStart(), 10 + 16 + 5);
}

TEST(ID3v2BentTags, FrameSizesStoredTheOtherVersionsWay) {
  // 200 bytes: the 2.4 size has a top bit set, so only one reading is possible;
  // 300 bytes as 7-bit bytes read as a plain size run past the tag.
  for (const std::size_t longSize : {200u, 300u}) {
    const std::string comment = std::string("\0eng\0", 5) + std::string(longSize - 5, 'c');
    for (const char version : {3, 4}) {
      const std::string frames = OtherSizeFrame(version, "COMM", comment) +
                                 OtherSizeFrame(version, "TIT2", Text("Title")) +
                                 OtherSizeFrame(version, "TPE1", Text("Artist")) + std::string(30, '\0');
      const std::string tag = ID3v2Tag(frames, version);
      ExpectRead(tag + Audio(), {"COMM=" + std::string(longSize - 5, 'c'), "TIT2=Title", "TPE1=Artist"},
                 static_cast<std::int64_t>(tag.size()), std::to_string(longSize) + " in 2." + std::to_string(version));
    }
  }
  // 2.4 sizes 00 00 01 00 walk both ways (128 or 256 bytes): the standard reading wins.
  const std::string first = ID3v24Frame("PRIV", std::string(128, '\0'));
  const std::string second = ID3v24Frame("TIT2", Text("Standard") + std::string(256 - 128 - 10 - 9, '\0'));
  const std::string tag = ID3v2Tag(first + second + ID3v24Frame("TPE1", Text("Both")), 4);
  ExpectRead(tag + Audio(), {"PRIV=", "TIT2=Standard", "TPE1=Both"}, static_cast<std::int64_t>(tag.size()), "both");
}

// The fixture bends every rule at once, its tag claiming the first 600 bytes
// of the audio: the player and orvana-cli decode play every frame of it.
TEST(ID3v2BentTags, TagClaimingTheAudioLeavesItPlayed) {
  const TBytes plain = Fixture("plain.mp3");
  const TBytes bent = Fixture("v24-bent.mp3");
  ExpectRead(Chars(bent), {"TIT2=Bent", "COMM=" + std::string(195, 'c'), "TALB=Album"}, 281, "fixture");
  for (const bool seekable : {true, false})
    EXPECT_TRUE(Played(bent, seekable) == Played(plain, seekable)) << seekable;
  EXPECT_TRUE(CliDecode(DataPath("tags/v24-bent.mp3")) == CliDecode(DataPath("tags/plain.mp3")));
  // The audio straight after the last frame.
  const std::string title = ID3v24Frame("TIT2", Text("Close"));
  std::string tag = ID3v2Tag(title, 4);
  tag.replace(6, 4, Syncsafe(static_cast<std::uint32_t>(title.size() + 600)));
  ExpectRead(tag + Chars(plain), {"TIT2=Close"}, 10 + 16, "no padding");
}

// Whatever the bytes after a tag header, no garbage is taken for text.
TEST(ID3v2BentTags, NoiseIsNoFrames) {
  std::mt19937 random(7);
  std::string noise(4000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  for (const char version : {2, 3, 4})
    EXPECT_TRUE(Lines(TInfoScan(Bytes(ID3v2Tag(noise, version) + Audio()))).empty()) << int{version};
}

}  // namespace
}  // namespace orvana::player
