// Prints how fast the stream reader hands out frames and how fast TMP3Info
// scans a tagged file, both from memory so that the disk does not count.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "player/mp3_info.h"
#include "player/stream_reader.h"

namespace {

using namespace orvana::player;
using TClock = std::chrono::steady_clock;

class TMemoryStream : public TStream {
 public:
  explicit TMemoryStream(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
  std::int64_t Read(void* buffer, std::int64_t count) override {
    const std::int64_t got = std::min<std::int64_t>(count, static_cast<std::int64_t>(bytes_.size()) - position_);
    std::memcpy(buffer, bytes_.data() + position_, static_cast<std::size_t>(got));
    position_ += got;
    ++reads;
    return got;
  }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override {
    position_ = (origin == soBeginning ? 0 : origin == soCurrent ? position_ : Size()) + offset;
    return position_;
  }
  std::int64_t Size() override { return static_cast<std::int64_t>(bytes_.size()); }
  long reads = 0;

 private:
  const std::vector<std::uint8_t>& bytes_;
  std::int64_t position_ = 0;
};

double Seconds(TClock::time_point since) { return std::chrono::duration<double>(TClock::now() - since).count(); }

void BenchFrames() {
  // 128 kbit/s at 44.1 kHz: frames of 417 and 418 bytes; a frame needs up to 1441 contiguous bytes.
  const std::vector<std::uint8_t> bytes(256u << 20, 0x55);
  TMemoryStream stream(bytes);
  TMPStreamReader reader(65536);
  reader.Open(&stream, true);
  const auto start = TClock::now();
  long frames = 0;
  std::uint64_t checksum = 0;
  while (reader.Need(1441)) {
    checksum += reader.Data()[100];
    reader.Skip(417 + (frames % 3 == 0));
    ++frames;
  }
  const double seconds = Seconds(start);
  std::printf("frames through the reader: %.1f MB/s, %.2f M frames/s, %.1f stream reads per MB (checksum %llu)\n",
              bytes.size() / seconds / 1e6, frames / seconds / 1e6, stream.reads / (bytes.size() / 1e6),
              static_cast<unsigned long long>(checksum % 7));
}

void BenchInfoScan() {
  // A 5 MB song with an ID3v2.3 tag of 20 text frames and an ID3v1 tag.
  std::vector<std::uint8_t> bytes(5u << 20, 0xAA);
  std::vector<std::uint8_t> tag = {'I', 'D', '3', 3, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 20; ++i) {
    const char frame[] = {'T', 'I', 'T', '2', 0, 0, 0, 21, 0, 0, 0};
    tag.insert(tag.end(), frame, frame + sizeof frame);
    const char text[] = "A title of a song..";
    tag.insert(tag.end(), text, text + 20);
  }
  const std::size_t size = tag.size() - 10;
  tag[8] = static_cast<std::uint8_t>(size >> 7);
  tag[9] = static_cast<std::uint8_t>(size & 127);
  std::copy(tag.begin(), tag.end(), bytes.begin());
  std::memcpy(bytes.data() + bytes.size() - 128, "TAGSong", 7);
  const int rounds = 20000;
  const auto start = TClock::now();
  std::size_t found = 0;
  TMPStreamReader reader(65536);
  for (int i = 0; i < rounds; ++i) {
    TMemoryStream stream(bytes);
    reader.Open(&stream, true);
    TMP3Info info;
    info.SetReader(&reader);
    info.ScanHead();
    info.ScanTail();
    found += info.ID3v2Values().Count() + info.ID3v1Values().Count();
  }
  const double seconds = Seconds(start);
  std::printf("tag scans (ID3v2.3 of 20 frames + ID3v1): %.1f us each (%zu lines)\n", seconds / rounds * 1e6,
              found / rounds);
}

}  // namespace

int main() {
  BenchFrames();
  BenchInfoScan();
}
