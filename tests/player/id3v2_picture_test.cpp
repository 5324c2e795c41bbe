#include "player/id3v2_picture.h"

#include <gtest/gtest.h>

#include "player/id3v2_tag.h"
#include "tag_builders.h"

namespace orvana::player {
namespace {

using namespace testing;

// Bytes with the patterns unsynchronisation rewrites: FF 00 and FF E0.
const std::string kJpeg = std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\xFF\x00\xFF\xD9", 16);
const std::string kPng = std::string("\x89PNG\r\n\x1A\n\x00\x00\x00\x0DIHDR", 16);

std::string Apic(const std::string& mime, char type, const std::string& description, const std::string& data,
                 char encoding = 0) {
  const std::string terminator = encoding == 1 || encoding == 2 ? std::string(2, '\0') : std::string(1, '\0');
  return std::string(1, encoding) + mime + '\0' + type + description + terminator + data;
}

std::optional<TID3v2Picture> Picture(const std::string& file) {
  TMemoryStream stream(Bytes(file));
  return ReadID3v2Picture(stream);
}

// The title the tag reader finds beside the picture.
std::string Title(const std::string& file) {
  TMemoryStream stream(Bytes(file));
  TMPStreamReader reader(65536);
  reader.Open(&stream, true);
  TKeyedList values;
  PassID3v2Tag(reader, values);
  for (const std::string& line : values.Lines())
    if (line.starts_with("TIT2=")) return line.substr(5);
  return {};
}

const std::string kTitle = ID3v23Frame("TIT2", std::string("\0Song", 5));

TEST(ID3v2Picture, EachVersionsFrameGivesItsBytesAndType) {
  // 2.4: frame unsynchronised with its data length stated in front.
  const std::string body24 = Apic("image/png", 3, "cover", kPng, 3);
  const std::string v24 =
      ID3v2Tag(ID3v24Frame("APIC", Syncsafe(std::uint32_t(body24.size())) + Unsynchronised(body24), 0x03), 4) + Audio();
  const std::string pic22 = std::string("\0JPG\x03", 5) + "desc" + '\0' + kJpeg;
  const std::string v22 = ID3v2Tag(ID3v22Frame("TT2", std::string("\0Old", 4)) + ID3v22Frame("PIC", pic22), 2) + Audio();
  // 2.3 with the whole tag unsynchronised.
  const std::string v23Unsync =
      ID3v2Tag(Unsynchronised(ID3v23Frame("APIC", Apic("jpg", 0, "", kJpeg))), 3, '\x80') + Audio();
  struct TCase {
    const std::string* file;
    std::string mime;
    const std::string* bytes;
    int type;
  };
  for (const TCase& c : {TCase{&v24, "image/png", &kPng, 3},
                         TCase{&v22, "image/jpeg", &kJpeg, 3}, TCase{&v23Unsync, "image/jpeg", &kJpeg, 0}}) {
    const auto picture = Picture(*c.file);
    ASSERT_TRUE(picture) << c.mime;
    EXPECT_EQ(picture->mimeType, c.mime);
    EXPECT_EQ(picture->bytes, *c.bytes);
    EXPECT_EQ(picture->pictureType, c.type);
  }
}

TEST(ID3v2Picture, PicturesEyeD3AddsAreRead) {
  const TBytes redBytes = Fixture("cover-red.png");
  const std::string red(redBytes.begin(), redBytes.end());
  const TBytes blueBytes = Fixture("cover-blue.png");
  const std::string blue(blueBytes.begin(), blueBytes.end());
  TMemoryStream v24(Fixture("cover-v24.mp3"));
  const auto front = ReadID3v2Picture(v24);
  ASSERT_TRUE(front);
  EXPECT_EQ(front->bytes, red);
  EXPECT_EQ(front->mimeType, "image/png");
  // A back cover first, then the front one, both with UTF-16 descriptions.
  TMemoryStream v23(Fixture("cover-v23.mp3"));
  const auto chosen = ReadID3v2Picture(v23);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->bytes, blue);
  EXPECT_EQ(chosen->pictureType, 3);
}

TEST(ID3v2Picture, WithoutAFrontCoverTheFirstPicture) {
  const std::string back = ID3v23Frame("APIC", Apic("image/png", 4, "back", kPng));
  const std::string artist = ID3v23Frame("APIC", Apic("image/png", 8, "artist", kPng + "2"));
  EXPECT_EQ(Picture(ID3v2Tag(back + artist) + Audio())->bytes, kPng);
  EXPECT_FALSE(Picture(ID3v2Tag(kTitle) + Audio()));
  EXPECT_FALSE(Picture(Audio()));
}

TEST(ID3v2Picture, DamagedOrOversizedPicturesGiveNoneAndTheTagsStillRead) {
  // A frame claiming 2 GiB after the title.
  const std::string huge = "APIC" + BigEndian(0x7FFFFFF0u) + std::string(2, '\0') + Apic("image/jpeg", 3, "", kJpeg);
  const std::string claimed = ID3v2Tag(kTitle + huge) + Audio();
  // A picture whose frame the file ends in.
  const std::string whole = ID3v2Tag(kTitle + ID3v23Frame("APIC", Apic("image/jpeg", 3, "", kJpeg + Audio(4000))));
  const std::string cut = whole.substr(0, whole.size() - 2000);
  // Over the limit, the title behind it.
  const std::string big = Apic("image/jpeg", 3, "", std::string(kID3v2PictureLimit + 1, 'x'));
  const std::string oversized = ID3v2Tag(ID3v23Frame("APIC", big) + kTitle) + Audio();
  // No description terminator: the picture cannot be told from it.
  const std::string unterminated = ID3v2Tag(kTitle + ID3v23Frame("APIC", std::string("\0image/png", 10))) + Audio();
  const std::string noBytes = ID3v2Tag(kTitle + ID3v23Frame("APIC", Apic("image/png", 3, "", ""))) + Audio();
  for (const std::string* file : {&claimed, &cut, &oversized, &unterminated, &noBytes}) {
    EXPECT_FALSE(Picture(*file)) << file->size();
    EXPECT_EQ(Title(*file), "Song") << file->size();
  }
}

}  // namespace
}  // namespace orvana::player
