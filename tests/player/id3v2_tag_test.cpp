#include "player/id3v2_tag.h"

#include <gtest/gtest.h>

#include "tag_builders.h"

namespace orvana::player {
namespace {

using namespace testing;

struct TPassResult {
  std::optional<std::int64_t> length;
  std::int64_t position;
  TKeyedList values;
};

TPassResult Pass(const TBytes& bytes, bool seekable = true, int capacity = 65536) {
  TMemoryStream stream(bytes, seekable);
  TMPStreamReader reader(capacity);
  reader.Open(&stream, seekable);
  TPassResult result;
  result.length = PassID3v2Tag(reader, result.values);
  result.position = reader.Position();
  return result;
}

TEST(ID3v2Tag, Version23FramesAreReadAndThePaddingPassed) {
  const TPassResult result = Pass(Fixture("eyed3-v23-latin1.mp3"));
  ASSERT_TRUE(result.length);
  EXPECT_EQ(result.position, *result.length);
  EXPECT_EQ(result.values.Lines(), (std::vector<std::string>{"COMM=hello", "TALB=Album", "TIT1=Grouping",
                                                            "TIT2=Song (Live)", "TPE1=Artist", "TYER=2001"}));
}

TEST(ID3v2Tag, Utf16FramesWithAndWithoutMarks) {
  EXPECT_EQ(Pass(Fixture("eyed3-v23-utf16.mp3")).values.Lines(),
            (std::vector<std::string>{"COMM=コメント", "TALB=アルバム", "TIT2=夜の歌", "TPE1=歌手"}));
  EXPECT_EQ(Pass(Fixture("v23-utf16-marks.mp3")).values.Lines(),
            (std::vector<std::string>{"TIT2=Song", "TPE1=歌手", "TALB=Album ✓", "COMM=hello"}));
}

TEST(ID3v2Tag, Versions22And24AndUnsynchronisedTagsAreRead) {
  struct TCase {
    const char* file;
    std::int64_t length;
    std::vector<std::string> lines;
  };
  const std::vector<std::string> utf16 = {"COMM=コメント", "TALB=アルバム", "TIT1=グループ", "TIT2=夜の歌", "TPE1=歌手"};
  for (const TCase& c : {TCase{"eyed3-v24.mp3", 303, {"TIT2=Four", "TPE1=Artist Four"}},
                         TCase{"eyed3-v24-utf8.mp3", 376, utf16}, TCase{"eyed3-v24-utf16.mp3", 372, utf16},
                         TCase{"eyed3-v24-utf16-be.mp3", 360, utf16}, TCase{"v22.mp3", 46, {"TT2=Old Title"}},
                         TCase{"v23-unsync.mp3", 57, {"TIT2=Unsynchronised ÿ"}},
                         TCase{"v24-unsync.mp3", 113, {"TIT2=Four ÿ", "TPE1=Artist ÿ", "TALB=歌手のアルバム"}},
                         // Data length with unsynchronisation, a group byte, a compressed frame.
                         TCase{"v24-frame-flags.mp3", 88, {"TIT2=Flagged ÿ", "TPE1=Grouped"}},
                         TCase{"v24-extended.mp3", 73, {"TIT2=Extended"}},
                         TCase{"v24-footer.mp3", 10 + 17 + 10, {"TIT2=Footer"}}}) {
    for (const bool seekable : {true, false}) {
      const TPassResult result = Pass(Fixture(c.file), seekable);
      ASSERT_TRUE(result.length) << c.file;
      EXPECT_EQ(*result.length, c.length) << c.file;
      EXPECT_EQ(result.position, c.length) << c.file;
      EXPECT_EQ(result.values.Lines(), c.lines) << c.file;
    }
  }
}

TEST(ID3v2Tag, UnknownVersionsAndCompressedVersion22ArePassedWhole) {
  const std::string frame = ID3v23Frame("TIT2", std::string("\0Hidden", 7));
  for (const std::string& tag : {ID3v2Tag(frame, 5), ID3v2Tag(frame, 1), ID3v2Tag(frame, '\xFF'),
                                 ID3v2Tag(ID3v22Frame("TT2", std::string("\0Hidden", 7)), 2, 0x40)}) {
    const TPassResult result = Pass(Bytes(tag + Audio()));
    ASSERT_TRUE(result.length);
    EXPECT_EQ(*result.length, static_cast<std::int64_t>(tag.size()));
    EXPECT_TRUE(result.values.Empty());
  }
}

TEST(ID3v2Tag, ExtendedHeaderIsSkipped) {
  const TPassResult result = Pass(Fixture("v23-extended.mp3"));
  ASSERT_TRUE(result.length);
  EXPECT_EQ(result.values.Lines(), (std::vector<std::string>{"TIT2=Extended", "TPE1=Padded Artist"}));
  const std::string tooLong = ID3v2Tag(BigEndian(100) + std::string(10, '\0'), 3, 0x40);
  EXPECT_FALSE(Pass(Bytes(tooLong + Audio())).length);
}

TEST(ID3v2Tag, FrameRunningPastTheTagMeansNoTag) {
  std::string frame = ID3v23Frame("TIT2", std::string("\0Long title", 11));
  const std::string content = frame.substr(0, frame.size() - 3);
  EXPECT_FALSE(Pass(Bytes(ID3v2Tag(content) + Audio())).length);
}

TEST(ID3v2Tag, FrameLargerThanTheRingIsPassedUnread) {
  const std::string picture = ID3v23Frame("APIC", std::string("\0image/png\0", 11) + std::string(200, 'p'));
  const std::string title = ID3v23Frame("TIT2", std::string("\0After", 6));
  const TPassResult result = Pass(Bytes(ID3v2Tag(picture + title) + Audio()), true, 64);
  ASSERT_TRUE(result.length);
  EXPECT_EQ(result.values.Lines(), (std::vector<std::string>{"TIT2=After"}));
}

TEST(ID3v2Tag, CompressedAndEncryptedFramesAreNotTakenForText) {
  std::string compressed = ID3v23Frame("TIT2", std::string("\0\0\0\0\x10x\x9C garbage", 15));
  compressed[9] = '\x80';
  std::string encrypted = ID3v23Frame("TPE1", std::string("\0\x01secret", 8));
  encrypted[9] = '\x40';
  const std::string album = ID3v23Frame("TALB", std::string("\0Plain", 6));
  const TPassResult result = Pass(Bytes(ID3v2Tag(compressed + encrypted + album) + Audio()));
  ASSERT_TRUE(result.length);
  EXPECT_EQ(result.values.Lines(), (std::vector<std::string>{"TALB=Plain"}));
}

TEST(ID3v2Tag, NegativeFrameSizeCountsAsPadding) {
  const std::string title = ID3v23Frame("TIT2", std::string("\0T", 2));
  const std::string content = title + "XXXX" + BigEndian(0x80000000) + std::string(22, '\0');
  const TPassResult result = Pass(Bytes(ID3v2Tag(content) + Audio()));
  ASSERT_TRUE(result.length);
  EXPECT_EQ(result.values.Count(), 1u);
}

TEST(ID3v2Tag, NoTagWithoutAValidHeader) {
  EXPECT_FALSE(Pass(Fixture("plain.mp3")).length);
  EXPECT_FALSE(Pass(Bytes(std::string("ID3\3\0\0\0\0\0\0", 10) + Audio())).length);  // size 0
  EXPECT_FALSE(Pass(Bytes(std::string("ID3\3\0", 5))).length);                       // cut header
  // Each size byte counts whole: 0x7F7F7F7F and more point far past the file.
  EXPECT_FALSE(Pass(Bytes(std::string("ID3\4\0\0\xFF\xFF\xFF\xFF", 10) + Audio())).length);
  EXPECT_FALSE(Pass(Bytes(std::string("ID3\4\0\0\xFF\xFF\xFF\xFF", 10) + Audio()), false).length);
}

}  // namespace
}  // namespace orvana::player
