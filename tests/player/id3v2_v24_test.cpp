// ID3v2.4 frames as the player scans them: flags, encodings, damage.
#include <gtest/gtest.h>

#include <algorithm>

#include "info_scan.h"
#include "tag_builders.h"

namespace orvana::player {
namespace {

using namespace testing;
using TLines = std::vector<std::string>;

TLines Lines(const TInfoScan& scan) { return scan.info.ID3v2Values().Lines(); }

std::string Tag24(const std::string& frames, char flags = 0) { return ID3v2Tag(frames, 4, flags); }

TEST(ID3v24Tag, FramesWithoutTextAreSkipped) {
  const std::string encrypted = ID3v24Frame("TIT2", std::string("\0Secret", 7), 0x04);
  // A data length with fewer than its 4 bytes; a group byte and nothing after it.
  const std::string shortLength = ID3v24Frame("TPE1", std::string("\0\0\0", 3), 0x01);
  const std::string noText = ID3v24Frame("TALB", std::string(1, '\x07'), 0x40);
  const std::string year = ID3v24Frame("TDRC", std::string("\0" "1999", 5));
  EXPECT_EQ(Lines(TInfoScan(Bytes(Tag24(encrypted + shortLength + noText + year) + Audio()))), TLines{"TDRC=1999"});
}

TEST(ID3v24Tag, TextEncodingsAndSeveralStrings) {
  const std::string frames = ID3v24Frame("TIT2", std::string("\3夜\0Second", 11)) +
                             ID3v24Frame("TPE1", std::string("\2\0A\0B\0\0\0C", 10)) +
                             ID3v24Frame("TALB", std::string("\2\0A\0", 4)) +  // odd length: last byte dropped
                             ID3v24Frame("TIT1", std::string("\1\xFF\xFEG\0\0\0H\0", 9)) +
                             ID3v24Frame("COMM", std::string("\2eng\0d\0\0\0t", 10)) +
                             ID3v24Frame("TCON", std::string("\3", 1));
  EXPECT_EQ(Lines(TInfoScan(Bytes(Tag24(frames) + Audio()))),
            (TLines{"TIT2=夜", "TPE1=AB", "TALB=A", "TIT1=G", "COMM=t", "TCON="}));
}

// The tag is passed whole: it always was, and the audio behind it must be found.
TEST(ID3v24Tag, DamageKeepsWhatCameBeforeAndPassesTheTag) {
  const std::string title = ID3v24Frame("TIT2", std::string("\0Kept", 5));
  const std::string past = ID3v24Frame("TPE1", std::string("\0Too long", 9));
  const std::string huge = "TPE1" + Syncsafe(0x0FFFFFFF) + std::string("\0\0\0x", 4);
  const TLines kept = {"TIT2=Kept"};
  // Extended headers claiming less than their own fields, or more than the tag.
  const auto extended = [&](std::uint32_t size) { return Syncsafe(size) + std::string("\1\0", 2) + title; };
  for (const auto& [tag, lines] : std::vector<std::pair<std::string, TLines>>{
           {Tag24(title + past.substr(0, past.size() - 2)), kept}, {Tag24(title + huge), kept},
           {Tag24(title + "\xFF\xFF\xFF"), kept},
           {Tag24(extended(5), 0x40), {}}, {Tag24(extended(200), 0x40), {}}}) {
    const TInfoScan scan(Bytes(tag + Audio()));
    EXPECT_EQ(Lines(scan), lines);
    EXPECT_EQ(scan.info.DataStart(), static_cast<std::int64_t>(tag.size()));
  }
}

// Cut anywhere, a stream yields only whole frames, and a tag only when all of it is there.
TEST(ID3v24Tag, StreamCutAtEveryByte) {
  const std::string frames = ID3v24Frame("TIT2", std::string("\3Title", 6)) +
                             ID3v24Frame("TPE1", Unsynchronised(std::string("\1\xFF\xFE\xFF\0", 5)), 0x02) +
                             ID3v24Frame("TALB", std::string(1, 5) + Syncsafe(3) + std::string("\0Al", 3), 0x41);
  const std::string tag = Tag24(frames + std::string(8, '\0'), '\x80');
  const std::string whole = tag + Audio(20);
  const TLines all = {"TIT2=Title", "TPE1=ÿ", "TALB=Al"};
  EXPECT_EQ(Lines(TInfoScan(Bytes(whole))), all);
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    for (const bool seekable : {true, false}) {
      const TInfoScan scan(Bytes(whole.substr(0, cut)), seekable);
      const TLines lines = Lines(scan);
      ASSERT_LE(lines.size(), all.size()) << cut;
      EXPECT_TRUE(std::equal(lines.begin(), lines.end(), all.begin())) << cut;
      EXPECT_EQ(scan.info.FoundTypes().Has(mitID3V2), cut >= tag.size()) << cut;
    }
  }
}

}  // namespace
}  // namespace orvana::player
