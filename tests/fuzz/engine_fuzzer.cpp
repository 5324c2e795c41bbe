// libFuzzer target: any bytes as an MPEG audio file through the sync search,
// the header parser and the whole-stream decoder, with one engine reused
// from input to input as the player reuses its own.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/engine_state.h"
#include "engine/frame_header.h"
#include "engine/stream_decoder.h"

using namespace orvana::engine;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static EngineState* const engine = new EngineState;
  const int length = static_cast<int>(size > 1 << 20 ? 1 << 20 : size);
  FrameHeader header;
  int bitrate = 0;
  int offset = 0;
  FindFrameSync(data, length, header, bitrate, offset);
  for (int i = 0; i + 4 <= length; i += 61) ParseFrameHeader(data + i, length - i, header);

  StreamDecoder decoder(*engine, data, size);
  if (decoder.Open(kFullBandMaxFrequency) != StreamDecoder::OpenResult::kReady) return 0;
  std::vector<int16_t> pcm(decoder.format().samplesPerFrame);
  while (decoder.DecodeNext(pcm.data()) > 0) {
  }
  return 0;
}
