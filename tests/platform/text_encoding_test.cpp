#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace orvana::platform {
namespace {

// "夜の歌" in CP932 and in UTF-8.
const std::string kNightSongCp932 = "\x96\xE9\x82\xCC\x89\xCC";
const std::string kNightSong = "夜の歌";

TEST(Utf8Validity, AcceptsWellFormedAndRejectsEveryKindOfMalformedSequence) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain ASCII"));
  EXPECT_TRUE(IsValidUtf8(kNightSong));
  EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x8E\xB5"));        // U+1F3B5
  EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));        // U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));               // overlong '/'
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));           // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));           // surrogate
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));       // above U+10FFFF
  EXPECT_FALSE(IsValidUtf8("\x80"));                   // lone continuation
  EXPECT_FALSE(IsValidUtf8("\xE5\xA4"));               // cut off
  EXPECT_FALSE(IsValidUtf8(kNightSongCp932));
}

TEST(FileText, KeepsUtf8AndDecodesEverythingElseAsCp932) {
  EXPECT_EQ(FileTextToUtf8("Title"), "Title");
  EXPECT_EQ(FileTextToUtf8(kNightSong), kNightSong);
  EXPECT_EQ(FileTextToUtf8(kNightSongCp932), kNightSong);
  EXPECT_EQ(FileTextToUtf8("\xB1\xB2\xB3"), "ｱｲｳ");  // half-width katakana
  EXPECT_EQ(FileTextToUtf8("\x81\x60"), "～");
}

TEST(FileText, DropsACharacterCutOffByTheFieldsEnd) {
  // A 30-byte field that ended inside the last character.
  EXPECT_EQ(FileTextToUtf8(kNightSong + "\xE6\xAD"), kNightSong);
  EXPECT_EQ(FileTextToUtf8(kNightSongCp932 + "\x89"), kNightSong);
  // Without a whole UTF-8 character first, the bytes are CP932.
  EXPECT_EQ(FileTextToUtf8("\xE3\x81"), "縺");
  EXPECT_EQ(FileTextToUtf8("AB\xE3"), "AB");
}

TEST(Cp932, UndefinedBytesBecomeReplacementCharacters) {
  const std::string text = Cp932ToUtf8("a\xA0" "b\xFD");
  EXPECT_EQ(text, "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
  EXPECT_TRUE(IsValidUtf8(Cp932ToUtf8("\x81\x7F\x82\x01\xFF\xFE\x80")));
}

TEST(Utf16, ByteOrderMarkDecidesTheOrderAndIsDropped) {
  using enum TUtf16Order;
  const std::string le("\x1C\x59\x6E\x30\x4C\x6B", 6);
  const std::string be("\x59\x1C\x30\x6E\x6B\x4C", 6);
  EXPECT_EQ(Utf16ToUtf8(le, utfLittleEndian), kNightSong);
  EXPECT_EQ(Utf16ToUtf8(be, utfBigEndian), kNightSong);
  EXPECT_EQ(Utf16ToUtf8("\xFF\xFE" + le, utfBigEndian), kNightSong);
  EXPECT_EQ(Utf16ToUtf8("\xFE\xFF" + be, utfLittleEndian), kNightSong);
  EXPECT_EQ(Utf16ToUtf8("\xFF\xFE", utfLittleEndian), "");
}

TEST(Utf16, SurrogatesPairUpOrAreReplaced) {
  using enum TUtf16Order;
  EXPECT_EQ(Utf16ToUtf8(std::string("\x3C\xD8\xB5\xDF", 4), utfLittleEndian), "\xF0\x9F\x8E\xB5");
  EXPECT_EQ(Utf16ToUtf8(std::string("\x3C\xD8" "A\0", 4), utfLittleEndian), "\xEF\xBF\xBD" "A");
  EXPECT_EQ(Utf16ToUtf8(std::string("\xB5\xDF", 2), utfLittleEndian), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::string("\x3C\xD8", 2), utfLittleEndian), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::string("A\0B", 3), utfLittleEndian), "A");  // odd byte ignored
}

TEST(ReplaceInvalid, KeepsGoodSequencesAndReplacesEachBadByte) {
  EXPECT_EQ(ReplaceInvalidUtf8("ok " + kNightSong), "ok " + kNightSong);
  EXPECT_EQ(ReplaceInvalidUtf8("a\xFF\xE5\xA4z"), "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDz");
}

TEST(Utf8Length, CountsCharactersNotBytes) {
  EXPECT_EQ(Utf8Length(""), 0u);
  EXPECT_EQ(Utf8Length("Song"), 4u);
  EXPECT_EQ(Utf8Length(kNightSong), 3u);
  EXPECT_EQ(Utf8Length("\xF0\x9F\x8E\xB5!"), 2u);
}

}  // namespace
}  // namespace orvana::platform
