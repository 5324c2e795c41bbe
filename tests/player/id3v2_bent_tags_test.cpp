// Tags as real writers bend them: frames of size zero, junk after the last
// frame, frame sizes stored the other version's way, a tag size that claims
// the audio's first frames; and such tags with hostile sizes.
#include <gtest/gtest.h>

#include <random>

#include "info_scan.h"
#include "platform/text_encoding.h"
#include "player_harness.h"
#include "tag_builders.h"

namespace orvana::player {
namespace {

using namespace testing;
using TLines = std::vector<std::string>;

TLines Lines(const TInfoScan& scan) { return scan.info.ID3v2Values().Lines(); }

std::string Text(const std::string& text) { return std::string(1, '\0') + text; }

std::string CbrTone() {
  const TBytes audio = ReadBytes(DataPath(kCbrTone));
  return std::string(audio.begin(), audio.end());
}

TBytes Played(const std::string& bytes, bool seekable) {
  TQuietPlayer player;
  OpenBytes(player, Bytes(bytes), seekable);
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

TBytes Decoded(const std::string& bytes) {
  TTempFile file(".mp3");
  WriteBytes(file.Path(), Bytes(bytes));
  return CliDecode(file.Path());
}

// The tag claims the first frames of the audio: the player and orvana-cli
// decode play them all.
TEST(ID3v2BentTags, TagSizeClaimingTheAudioLeavesItPlayed) {
  const std::string audio = CbrTone();
  const TLines lines = {"TIT2=Overstated"};
  for (const std::size_t padding : {0u, 40u}) {
    const std::string content = ID3v24Frame("TIT2", Text("Overstated")) + std::string(padding, '\0');
    std::string tag = ID3v2Tag(content, 4);
    const auto realSize = static_cast<std::int64_t>(tag.size());
    tag.replace(6, 4, Syncsafe(static_cast<std::uint32_t>(content.size() + 1500)));
    const std::string bytes = tag + audio;
    ExpectRead(bytes, lines, realSize, "padding " + std::to_string(padding));
    for (const bool seekable : {true, false}) {
      const TBytes tagged = Played(bytes, seekable);
      EXPECT_TRUE(tagged == Played(audio, seekable)) << "padding " << padding << " seekable " << seekable;
    }
    EXPECT_TRUE(Decoded(bytes) == Decoded(audio)) << "padding " << padding;
  }
}

// Every size and size byte of a tag bending every rule overwritten: the scans
// stay inside the bytes, bounded, and whatever text they find is text.
TEST(ID3v2BentTags, HostileSizesInABentTag) {
  const std::string frames = ID3v24Frame("TIT2", Text("T")) + ID3v24Frame("TPE1", "") +
                             OtherSizeFrame(4, "COMM", std::string("\0eng\0", 5) + std::string(150, 'c')) +
                             std::string(6, '\0') + "junk";
  std::string tag = ID3v2Tag(frames, 4);
  tag.replace(6, 4, Syncsafe(static_cast<std::uint32_t>(frames.size() + 700)));
  const std::string whole = tag + CbrTone().substr(0, 3000);
  const std::uint32_t extremes[] = {0, 1, 0x7F, 0x80, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0x7F7F7F7F};
  for (std::size_t at = 0; at + 4 <= tag.size() + 8; ++at) {
    for (const std::uint32_t value : extremes) {
      std::string bytes = whole;
      bytes.replace(at, 4, BigEndian(value));
      for (const bool seekable : {true, false}) {
        for (const int capacity : {65536, 512}) {
          const TInfoScan scan(Bytes(bytes), seekable, capacity);
          EXPECT_LE(scan.info.DataStart(), static_cast<std::int64_t>(bytes.size())) << at << " " << value;
          EXPECT_LT(scan.stream.reads, 2000) << at << " " << value;
          for (const std::string& line : Lines(scan)) EXPECT_TRUE(platform::IsValidUtf8(line)) << at;
          if (HasFailure()) return;
        }
      }
    }
  }
  // A header before random bytes is a tag holding nothing.
  std::mt19937 random(7);
  std::string noise(4000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  for (const char version : {2, 3, 4})
    EXPECT_TRUE(Lines(TInfoScan(Bytes(ID3v2Tag(noise, version) + Audio()))).empty()) << int{version};
}

}  // namespace
}  // namespace orvana::player
