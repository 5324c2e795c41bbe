#pragma once
// Test helpers: the bitstreams of tests/data, whole-stream decoding through
// the StreamDecoder, and PCM comparison in LSB.
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "engine/stream_decoder.h"

namespace orvana::engine::testing {

inline std::string TestDataPath(const std::string& name) {
  return std::string(ORVANA_TEST_DATA_DIR) + "/" + name;
}

inline std::vector<uint8_t> ReadTestFile(const std::string& name) {
  std::ifstream in(TestDataPath(name), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::vector<int16_t> PcmFromBytes(const std::vector<uint8_t>& bytes) {
  std::vector<int16_t> samples(bytes.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
  return samples;
}

inline std::vector<int16_t> ReadTestPcm(const std::string& name) {
  return PcmFromBytes(ReadTestFile(name));
}

struct DecodedStream {
  StreamDecoder::OpenResult open = StreamDecoder::OpenResult::kNotMpegAudio;
  OutputFormat format;
  std::vector<int16_t> pcm;
  int frames = 0;
  int rejected = 0;
};

// Decodes a whole stream with a fresh engine using the kernels of `flags`.
inline DecodedStream DecodeWholeStream(const std::vector<uint8_t>& data, int maxFrequency,
                                       uint32_t flags) {
  auto engine = std::make_unique<EngineState>();
  engine->SelectKernels(flags);
  StreamDecoder decoder(*engine, data.data(), data.size());
  DecodedStream result;
  result.open = decoder.Open(maxFrequency);
  if (result.open != StreamDecoder::OpenResult::kReady) return result;
  result.format = decoder.format();
  std::vector<int16_t> frame(result.format.samplesPerFrame);
  for (int bytes; (bytes = decoder.DecodeNext(frame.data())) > 0;)
    result.pcm.insert(result.pcm.end(), frame.begin(), frame.begin() + bytes / 2);
  result.frames = decoder.framesDecoded();
  result.rejected = decoder.framesRejected();
  return result;
}

struct PcmDifference {
  int maxAbs = 0;
  double rms = 0;
  size_t compared = 0;
};

// Over the shorter of the two.
inline PcmDifference ComparePcm(const std::vector<int16_t>& decoded,
                                const std::vector<int16_t>& reference) {
  PcmDifference difference;
  difference.compared = std::min(decoded.size(), reference.size());
  double sum = 0;
  for (size_t i = 0; i < difference.compared; ++i) {
    const int d = std::abs(decoded[i] - reference[i]);
    difference.maxAbs = std::max(difference.maxAbs, d);
    sum += static_cast<double>(d) * d;
  }
  if (difference.compared > 0) difference.rms = std::sqrt(sum / difference.compared);
  return difference;
}

}  // namespace orvana::engine::testing
