#include "engine/bit_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "bit_writer.h"

namespace orvana::engine {
namespace {

using testing::BitWriter;

TEST(Layer3BitReader, ReadsTheHeaderSyncAndCountsPosition) {
  const uint8_t bytes[8] = {0xFF, 0xFB, 0x90, 0x64};
  Layer3BitReader reader;
  reader.Start(bytes);
  EXPECT_EQ(reader.GetBits(12), 0xFFFu);
  EXPECT_EQ(reader.Position(), 12);
  EXPECT_EQ(reader.GetBits(1), 1u);  // version
  EXPECT_EQ(reader.GetBits(2), 1u);  // layer code
  EXPECT_EQ(reader.GetBits(1), 1u);  // no CRC
  EXPECT_EQ(reader.GetBits(4), 9u);  // bit rate index
  EXPECT_EQ(reader.Position(), 20);

  reader.Start(bytes);
  reader.GetBits(3);
  EXPECT_EQ(reader.Position(), 3);
}

TEST(Layer3BitReader, MixedReadsReturnWhatWasWritten) {
  std::mt19937 random(7);
  BitWriter writer;
  struct Field {
    int bits;
    uint32_t value;
    int how;  // 0 GetBits, 1 GetLinbits, 2 PeekBits + Consume
  };
  std::vector<Field> fields;
  for (int i = 0; i < 3000; ++i) {
    Field field;
    field.how = random() % 3;
    field.bits = 1 + random() % (field.how == 2 ? 11 : 24);
    field.value = random() & ((1u << field.bits) - 1);
    fields.push_back(field);
    writer.Put(field.value, field.bits);
  }
  const std::vector<uint8_t> bytes = writer.Bytes(writer.bitCount() / 8 + 8);
  Layer3BitReader reader;
  reader.Start(bytes.data());
  int position = 0;
  for (const Field& field : fields) {
    uint32_t value;
    if (field.how == 0) {
      value = reader.GetBits(field.bits);
    } else if (field.how == 1) {
      value = reader.GetLinbits(field.bits);
    } else {
      value = reader.PeekBits(field.bits);
      EXPECT_EQ(reader.Position(), position) << "a peek consumes nothing";
      reader.Consume(field.bits);
    }
    ASSERT_EQ(value, field.value);
    position += field.bits;
    ASSERT_EQ(reader.Position(), position);
  }
}

TEST(Layer3BitReader, OverrunOnlyPastTheLimit) {
  const uint8_t bytes[16] = {};
  Layer3BitReader reader;
  reader.Start(bytes);
  reader.SetLimit(bytes + 4);
  reader.GetBits(24);
  reader.GetBits(8);
  EXPECT_FALSE(reader.Overrun()) << "four bytes loaded, the limit itself is allowed";
  reader.GetBits(1);
  EXPECT_TRUE(reader.Overrun());
}

TEST(Layer12BitReader, GetBitsAcrossBytes) {
  const std::vector<uint8_t> bytes = BitWriter().Put(0x5, 3).Put(0x1FFFF, 17).Put(0x2A, 6).Bytes();
  Layer12BitReader reader;
  reader.Start(bytes.data(), bytes.data() + bytes.size());
  EXPECT_EQ(reader.GetBits(3), 0x5u);
  EXPECT_EQ(reader.GetBits(17), 0x1FFFFu);
  EXPECT_EQ(reader.GetBits(6), 0x2Au);
  EXPECT_FALSE(reader.PastEnd());
}

TEST(Layer12BitReader, SkipBitsPassesWholeBytesUnread) {
  const uint8_t bytes[] = {0x11, 0x22, 0x33, 0x44, 0xAA, 0xBB, 0xC7, 0x80};
  Layer12BitReader reader;
  reader.Start(bytes, bytes + sizeof bytes);
  reader.GetBits(4);
  reader.GetBits(24);  // 4 bits cached
  reader.SkipBits(20);  // 4 cached + 2 whole bytes, then a fresh byte with nothing dropped
  EXPECT_EQ(reader.GetBits(8), 0xC7u);
  reader.SkipBits(3);  // within the cache
  EXPECT_EQ(reader.GetBits(5), 0x0u);
  EXPECT_FALSE(reader.PastEnd());
}

TEST(Layer12BitReader, SkipWithinTheCache) {
  const uint8_t bytes[] = {0xF0, 0x0F, 0x55};
  Layer12BitReader reader;
  reader.Start(bytes, bytes + sizeof bytes);
  EXPECT_EQ(reader.GetBits(2), 3u);
  reader.SkipBits(6);
  EXPECT_EQ(reader.GetBits(8), 0x0Fu);
  reader.SkipBits(4);
  EXPECT_EQ(reader.GetBits(4), 0x5u);
}

TEST(Layer12BitReader, ReadingPastTheEndGivesZerosAndIsReported) {
  // Exactly sized buffers: a load beyond them would be caught by the sanitizer.
  std::vector<uint8_t> bytes = {0xFF, 0xFF};
  Layer12BitReader reader;
  reader.Start(bytes.data(), bytes.data() + bytes.size());
  EXPECT_EQ(reader.GetBits(16), 0xFFFFu);
  EXPECT_EQ(reader.GetBits(8), 0u);
  EXPECT_TRUE(reader.PastEnd());

  reader.Start(bytes.data(), bytes.data() + bytes.size());
  EXPECT_FALSE(reader.PastEnd());
  reader.SkipBits(1000);
  EXPECT_TRUE(reader.PastEnd());
  EXPECT_EQ(reader.GetBits(24), 0u);
}

}  // namespace
}  // namespace orvana::engine
