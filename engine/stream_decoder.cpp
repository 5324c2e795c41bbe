#include "engine/stream_decoder.h"

#include <cstring>

namespace orvana::engine {

StreamDecoder::OpenResult StreamDecoder::Open(int maxFrequency) {
  if (!scanner_.FindFirstFrame()) return OpenResult::kNotMpegAudio;
  if (!engine_.InitDecoder(scanner_.firstHeader(), scanner_.firstFrameLength(), 0, 0,
                           output_flags::kChannelsAsCoded, maxFrequency))
    return OpenResult::kNotMpegAudio;
  engine_.GetOutputFormat(format_);
  firstFrame_ = true;
  return OpenResult::kReady;
}

int StreamDecoder::DecodeNext(int16_t* pcm) {
  ScannedFrame frame;
  if (!scanner_.Next(frame)) return 0;
  const uint8_t* bytes = data_ + frame.offset;
  if (firstFrame_) {
    firstFrame_ = false;
    const bool headerFrame = IsVbrHeaderFrame(bytes, frame.length, frame.header) ||
                             (passInfoFrame_ && IsInfoHeaderFrame(bytes, frame.length, frame.header));
    if (headerFrame && !scanner_.Next(frame)) return 0;
    bytes = data_ + frame.offset;
  }
  const int pcmBytes = format_.samplesPerFrame * 2;
  const DecodeResult result = engine_.DecodeFrame(bytes, frame.length, pcm);
  ++framesDecoded_;
  if (result.bytesConsumed < 1) {
    ++framesRejected_;
    std::memset(pcm, 0, pcmBytes);
  }
  return pcmBytes;
}

}  // namespace orvana::engine
