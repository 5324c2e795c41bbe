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

// Scanned seekable and not, through a roomy ring and a small one.
void ExpectRead(const std::string& bytes, const TLines& lines, std::int64_t dataStart) {
  for (const bool seekable : {true, false}) {
    for (const int capacity : {65536, 512}) {
      const TInfoScan scan(Bytes(bytes), seekable, capacity);
      EXPECT_EQ(Lines(scan), lines) << "seekable " << seekable << " capacity " << capacity;
      EXPECT_EQ(scan.info.DataStart(), dataStart) << "seekable " << seekable << " capacity " << capacity;
    }
  }
}

// The tag in front of audio: read, and passed whole.
void ExpectTagRead(const std::string& tag, const TLines& lines) {
  ExpectRead(tag + Audio(), lines, static_cast<std::int64_t>(tag.size()));
}

TEST(ID3v2BentTags, FramesOfSizeZeroArePassedInEveryVersion) {
  ExpectTagRead(ID3v2Tag(ID3v22Frame("TT2", Text("T")) + ID3v22Frame("TP1", "") + ID3v22Frame("TP1", Text("A")) +
                             ID3v22Frame("TCO", ""), 2),
                {"TT2=T", "TP1=A"});
  ExpectTagRead(ID3v2Tag(ID3v23Frame("TIT2", Text("T")) + ID3v23Frame("TPE1", "") + ID3v23Frame("TPE1", Text("A")) +
                             std::string(20, '\0'), 3),
                {"TIT2=T", "TPE1=A"});
  ExpectTagRead(ID3v2Tag(ID3v24Frame("TIT2", Text("T")) + ID3v24Frame("TPE1", "") + ID3v24Frame("TALB", "", 0x40) +
                             ID3v24Frame("TPE1", Text("A")), 4),
                {"TIT2=T", "TPE1=A"});
}

TEST(ID3v2BentTags, JunkAfterTheLastFrameKeepsTheFramesBeforeIt) {
  // Fewer bytes than a frame header, more, and a frame header's worth of lower case.
  for (const std::string& junk : {std::string("x"), std::string(9, 'x'), std::string("\x01junk after the frames", 22),
                                  std::string("tit2\0\0\0\1\0\0X", 11)}) {
    SCOPED_TRACE(junk);
    ExpectTagRead(ID3v2Tag(ID3v23Frame("TIT2", Text("Kept")) + junk, 3), {"TIT2=Kept"});
    ExpectTagRead(ID3v2Tag(ID3v24Frame("TIT2", Text("Kept")) + junk, 4), {"TIT2=Kept"});
  }
}

TEST(ID3v2BentTags, FrameSizesStoredTheOtherVersionsWay) {
  // 200 bytes: the 2.4 size has a top bit set, so only one reading is possible;
  // 300 bytes as 7-bit bytes read as a plain size run past the tag.
  for (const std::size_t longSize : {200u, 300u}) {
    const std::string comment = std::string("\0eng\0", 5) + std::string(longSize - 5, 'c');
    for (const char version : {3, 4}) {
      SCOPED_TRACE(std::to_string(longSize) + " in 2." + std::to_string(version));
      ExpectTagRead(ID3v2Tag(OtherSizeFrame(version, "COMM", comment) + OtherSizeFrame(version, "TIT2", Text("T")) +
                                 std::string(30, '\0'), version),
                    {"COMM=" + std::string(longSize - 5, 'c'), "TIT2=T"});
    }
  }
  // 2.4 sizes 00 00 01 00 walk both ways (128 or 256 bytes): the standard reading wins.
  const std::string first = ID3v24Frame("PRIV", std::string(128, '\0'));
  const std::string second = ID3v24Frame("TIT2", Text("Standard") + std::string(256 - 128 - 10 - 9, '\0'));
  ExpectTagRead(ID3v2Tag(first + second + ID3v24Frame("TPE1", Text("Both")), 4),
                {"PRIV=", "TIT2=Standard", "TPE1=Both"});
}

// The fixture bends every rule at once, its tag claiming the first 600 bytes
// of the audio: the player and orvana-cli decode play every frame of it.
TEST(ID3v2BentTags, TagClaimingTheAudioLeavesItPlayed) {
  const TBytes plain = Fixture("plain.mp3");
  const TBytes bent = Fixture("v24-bent.mp3");
  ExpectRead(Chars(bent), {"TIT2=Bent", "COMM=" + std::string(195, 'c'), "TALB=Album"}, 281);
  for (const bool seekable : {true, false})
    EXPECT_TRUE(Played(bent, seekable) == Played(plain, seekable)) << seekable;
  EXPECT_TRUE(CliDecode(DataPath("tags/v24-bent.mp3")) == CliDecode(DataPath("tags/plain.mp3")));
  // The audio straight after the last frame.
  const std::string title = ID3v24Frame("TIT2", Text("Close"));
  std::string tag = ID3v2Tag(title, 4);
  tag.replace(6, 4, Syncsafe(static_cast<std::uint32_t>(title.size() + 600)));
  ExpectRead(tag + Chars(plain), {"TIT2=Close"}, 10 + 16);
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
