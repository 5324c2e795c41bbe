#include "engine/main_data_reservoir.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace orvana::engine {
namespace {

constexpr int kSideInfoEnd = 36;

// A frame whose main data bytes count up from `first`.
std::vector<uint8_t> Frame(int mainDataBytes, uint8_t first = 0, int crcBytes = 0) {
  std::vector<uint8_t> frame(kSideInfoEnd + crcBytes + mainDataBytes, 0xEE);
  for (int i = 0; i < mainDataBytes; ++i)
    frame[kSideInfoEnd + crcBytes + i] = static_cast<uint8_t>(first + i);
  return frame;
}

bool Append(MainDataReservoir& reservoir, const std::vector<uint8_t>& frame, int mainDataBegin,
            int crcBytes = 0) {
  return reservoir.Append(frame.data(), static_cast<int>(frame.size()), kSideInfoEnd, crcBytes,
                          mainDataBegin);
}

TEST(MainDataReservoir, AppendsTheMainDataAfterSideInfoAndCrc) {
  MainDataReservoir reservoir;
  reservoir.Reset();
  ASSERT_TRUE(Append(reservoir, Frame(100, 1, 2), 0, 2));
  EXPECT_EQ(reservoir.fill(), 100);
  EXPECT_EQ(reservoir.frameStart(), 0);
  EXPECT_TRUE(reservoir.HasReferencedData());
  EXPECT_EQ(reservoir.data()[0], 1);
  EXPECT_EQ(reservoir.data()[99], 100);

  ASSERT_TRUE(Append(reservoir, Frame(50, 200), 30));
  EXPECT_EQ(reservoir.fill(), 150);
  EXPECT_EQ(reservoir.frameStart(), 70);
  EXPECT_EQ(reservoir.bitPosition(), 70 * 8);
}

TEST(MainDataReservoir, MissingReferencedDataMeansSilence) {
  MainDataReservoir reservoir;
  reservoir.Reset();
  ASSERT_TRUE(Append(reservoir, Frame(200), 300));
  EXPECT_FALSE(reservoir.HasReferencedData());
  ASSERT_TRUE(Append(reservoir, Frame(200), 300));
  EXPECT_FALSE(reservoir.HasReferencedData()) << "200 bytes before this frame";
  ASSERT_TRUE(Append(reservoir, Frame(200), 300));
  EXPECT_TRUE(reservoir.HasReferencedData()) << "400 bytes now reach back 300";
  reservoir.Reset();
  EXPECT_EQ(reservoir.fill(), 0);
}

TEST(MainDataReservoir, CompactsAboveTheThresholdKeepingTheReferencedBytes) {
  MainDataReservoir reservoir;
  reservoir.Reset();
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(Append(reservoir, Frame(964, static_cast<uint8_t>(i)), 0));
  ASSERT_TRUE(Append(reservoir, Frame(909, 17), 0));
  ASSERT_EQ(reservoir.fill(), 6693);
  const std::vector<uint8_t> last100(reservoir.data() + 6593, reservoir.data() + 6693);
  ASSERT_TRUE(Append(reservoir, Frame(10, 99), 100));
  EXPECT_EQ(reservoir.frameStart(), 0);
  EXPECT_EQ(reservoir.fill(), 110);
  EXPECT_EQ(std::vector<uint8_t>(reservoir.data(), reservoir.data() + 100), last100);
  EXPECT_EQ(reservoir.data()[100], 99);
}

TEST(MainDataReservoir, NoCompactionAtTheThresholdItself) {
  MainDataReservoir reservoir;
  reservoir.Reset();
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(Append(reservoir, Frame(964), 0));
  ASSERT_TRUE(Append(reservoir, Frame(908), 0));
  ASSERT_EQ(reservoir.fill(), 6692);
  ASSERT_TRUE(Append(reservoir, Frame(10), 100));
  EXPECT_EQ(reservoir.frameStart(), 6592);
}

TEST(MainDataReservoir, RejectsMainDataThatCannotBePlaced) {
  MainDataReservoir reservoir;
  reservoir.Reset();
  std::vector<uint8_t> shortFrame(20, 0);
  EXPECT_FALSE(reservoir.Append(shortFrame.data(), 20, kSideInfoEnd, 0, 0)) << "negative size";
  ASSERT_TRUE(Append(reservoir, Frame(6000), 0));
  EXPECT_FALSE(Append(reservoir, Frame(3000), 0)) << "past the capacity";
  EXPECT_FALSE(Append(reservoir, Frame(8200), 0));
}

TEST(MainDataReservoir, PartsFollowOneAnotherByBitPosition) {
  MainDataReservoir reservoir;
  reservoir.Reset();
  std::vector<uint8_t> frame(kSideInfoEnd + 8, 0);
  frame[kSideInfoEnd] = 0xA5;  // 1010 0101
  frame[kSideInfoEnd + 1] = 0xF0;
  ASSERT_TRUE(reservoir.Append(frame.data(), static_cast<int>(frame.size()), kSideInfoEnd, 0, 0));
  Layer3BitReader reader;
  EXPECT_EQ(reservoir.StartPart(reader, 3), 3);
  EXPECT_EQ(reader.GetBits(3), 5u);
  // The next part starts at bit 3 whatever the first one read.
  EXPECT_EQ(reservoir.StartPart(reader, 9), 3 + 9) << "three bits skipped in the first byte";
  EXPECT_EQ(reader.Position(), 3);
  EXPECT_EQ(reader.GetBits(9), 0x05Fu);  // 0 0101 1111
  EXPECT_EQ(reservoir.bitPosition(), 12);
}

TEST(MainDataReservoir, PartLengthIsCutAtTheEndOfTheData) {
  MainDataReservoir reservoir;
  reservoir.Reset();
  ASSERT_TRUE(Append(reservoir, Frame(10), 0));
  Layer3BitReader reader;
  EXPECT_EQ(reservoir.StartPart(reader, 4095), 80);
  EXPECT_EQ(reservoir.StartPart(reader, 100), 0) << "nothing left for a second part";
  EXPECT_EQ(reservoir.bitPosition(), 80);
}

TEST(MainDataReservoir, LimitAllowsTheCacheLookAheadOnly) {
  MainDataReservoir reservoir;
  reservoir.Reset();
  ASSERT_TRUE(Append(reservoir, Frame(100), 0));
  Layer3BitReader reader;
  reservoir.StartPart(reader, 16);
  reader.GetBits(16);
  reader.PeekBits(11);  // a table lookup at the very end of the part
  EXPECT_FALSE(reader.Overrun());
  for (int i = 0; i < 4; ++i) reader.GetBits(8);
  EXPECT_TRUE(reader.Overrun()) << "four bytes past the part";
}

}  // namespace
}  // namespace orvana::engine
