// The Layer I/II reader's two refill paths (one 4-byte load away from the end,
// byte by byte near it) and its count of the bits left, against the bits as
// written, over buffers of every short length.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "bit_writer.h"
#include "engine/bit_reader.h"

namespace orvana::engine {
namespace {

using testing::BitWriter;

TEST(Layer12BitReader, ReadsAndSkipsTheWrittenBitsUpToAnyEnd) {
  std::mt19937 random(12);
  for (int size = 1; size <= 40; ++size) {
    for (int trial = 0; trial < 20; ++trial) {
      struct Field {
        int bits;
        uint32_t value;
        bool skipped;
      };
      std::vector<Field> fields;
      BitWriter writer;
      int total = 0;
      while (true) {
        const bool skipped = random() % 4 == 0;
        const int bits = skipped ? 1 + random() % 48 : 1 + random() % 24;
        if (total + bits > size * 8) break;
        const uint32_t value = bits >= 24 ? random() & 0xFFFFFF : random() & ((1u << bits) - 1);
        fields.push_back({bits, value, skipped});
        for (int done = 0; done < bits;) {
          const int chunk = std::min(24, bits - done);
          writer.Put(skipped ? random() : value, chunk);
          done += chunk;
        }
        total += bits;
      }
      std::vector<uint8_t> bytes = writer.Bytes(size);
      bytes.resize(size);  // exactly sized: a load past it is caught by the sanitizer
      Layer12BitReader reader;
      reader.Start(bytes.data(), bytes.data() + bytes.size());
      int read = 0;
      for (const Field& field : fields) {
        if (field.skipped)
          reader.SkipBits(field.bits);
        else
          ASSERT_EQ(reader.GetBits(field.bits), field.value) << size << " bits at " << read;
        read += field.bits;
        ASSERT_FALSE(reader.PastEnd()) << size;
        ASSERT_EQ(reader.BitsLeft(), size * 8 - read) << size;
      }
    }
  }
}

}  // namespace
}  // namespace orvana::engine
