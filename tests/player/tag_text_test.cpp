#include "player/tag_text.h"

#include <gtest/gtest.h>

#include "player/id3v2_frame_text.h"
#include "test_streams.h"

namespace orvana::player {
namespace {

using testing::TBytes;

std::string Fixed(const std::string& bytes) {
  return FixedText(reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<std::int64_t>(bytes.size()));
}
std::string LastPart(const std::string& bytes) {
  return LastPartText(reinterpret_cast<const std::uint8_t*>(bytes.data()), static_cast<std::int64_t>(bytes.size()));
}
std::string Frame(std::string_view id, const std::string& body) {
  return ID3v2FrameText(id, reinterpret_cast<const std::uint8_t*>(body.data()), static_cast<std::int64_t>(body.size()));
}

TEST(FixedText, StopsAtNulAndTrimsTrailingBlanksAndControls) {
  EXPECT_EQ(Fixed(std::string("Song\0\0junk", 10)), "Song");
  EXPECT_EQ(Fixed("Song  \t\r\n"), "Song");
  EXPECT_EQ(Fixed("  lead kept"), "  lead kept");
  EXPECT_EQ(Fixed(std::string("\0Song", 5)), "");
  EXPECT_EQ(FixedText(nullptr, 0), "");
}

TEST(FixedText, ConvertsCp932AndDropsACutCharacter) {
  EXPECT_EQ(Fixed("\x96\xE9\x82\xCC\x89\xCC   "), "夜の歌");
  // 0x89 alone: the field ended inside the character.
  EXPECT_EQ(Fixed("\x96\xE9\x82\xCC\x89"), "夜の");
}

TEST(LastPartText, SkipsLanguageAndDescription) {
  EXPECT_EQ(LastPart(std::string("engdesc\0hello", 13)), "hello");
  EXPECT_EQ(LastPart(std::string("\0\0\0\0tool comment", 16)), "tool comment");
  // A NUL as the final byte is a terminator, not a separator.
  EXPECT_EQ(LastPart(std::string("eng\0hello\0", 10)), "hello");
  EXPECT_EQ(LastPart("no separator"), "no separator");
}

TEST(ID3v2FrameText, TextFramesInLatin1AndUtf16) {
  EXPECT_EQ(Frame("TIT2", std::string("\0Song\0\0", 7)), "Song");
  EXPECT_EQ(Frame("TIT2", std::string("\1\xFF\xFES\0o\0n\0g\0", 11)), "Song");
  EXPECT_EQ(Frame("TIT2", std::string("\1S\0o\0n\0g\0", 9)), "Song");  // no mark: little-endian
  EXPECT_EQ(Frame("TPE1", std::string("\1\xFE\xFF\x6B\x4C\x62\x4B", 7)), "歌手");
  EXPECT_EQ(Frame("TIT2", std::string("\1\xFF\xFEO\0k\0\0\0junk", 11)), "Ok");  // terminator ends it
  EXPECT_EQ(Frame("TIT2", std::string("\1\xFF\xFEO\0k", 6)), "O");  // odd last byte
  EXPECT_EQ(Frame("TIT2", std::string("\1", 1)), "");
  EXPECT_EQ(Frame("TIT2", ""), "");
}

TEST(ID3v2FrameText, CommentsKeepOnlyTheirText) {
  EXPECT_EQ(Frame("COMM", std::string("\0engdesc\0hello", 14)), "hello");
  // UTF-16 description and text, each with a mark, as eyeD3 writes them.
  EXPECT_EQ(Frame("COMM", std::string("\1eng\xFF\xFE\0\0\xFF\xFEh\0i\0", 14)), "hi");
  EXPECT_EQ(Frame("COMM", std::string("\1eng\xFF\xFE" "d\0\0\0h\0i\0\0\0", 16)), "hi");
  EXPECT_EQ(Frame("COMM", std::string("\1en", 3)), "");
  EXPECT_EQ(Frame("COMM", std::string("\1eng\xFF\xFE" "d\0", 8)), "");  // no text after the description
  EXPECT_EQ(Frame("WXXX", std::string("\0desc\0http://example.org", 24)), "http://example.org");
}

TEST(ID3v2FrameText, OtherFramesGiveTheirLeadingText) {
  EXPECT_EQ(Frame("TXXX", std::string("\0DESC\0value", 11)), "DESC");
  EXPECT_EQ(Frame("APIC", std::string("\0image/png\0\3cover", 17)), "image/png");
}

TEST(RawText, ReadsMoreThanTheRingInPiecesAndStopsAtTheEnd) {
  testing::TMemoryStream stream(testing::CountingBytes(1000));
  TMPStreamReader reader(64);
  reader.Open(&stream, true);
  std::string bytes;
  ASSERT_TRUE(ReadRawText(reader, 300, bytes));
  ASSERT_EQ(bytes.size(), 300u);
  for (std::size_t i = 0; i < bytes.size(); ++i) ASSERT_EQ(static_cast<std::uint8_t>(bytes[i]), i % 256);
  EXPECT_EQ(reader.Position(), 300);
  EXPECT_FALSE(ReadRawText(reader, 701, bytes));
  EXPECT_LE(bytes.size(), 700u);
}

}  // namespace
}  // namespace orvana::player
