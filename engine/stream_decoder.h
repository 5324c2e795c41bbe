#pragma once
// Decodes a whole MPEG audio stream held in memory frame by frame: the
// frames as the FrameScanner finds them, the Xing or VBRI header frame (and
// on request an Info frame) passed over, rejected frames played as silence.
#include <cstddef>
#include <cstdint>

#include "engine/engine_state.h"
#include "engine/frame_scanner.h"

namespace orvana::engine {

class StreamDecoder {
 public:
  enum class OpenResult { kReady, kNotMpegAudio };

  StreamDecoder(EngineState& engine, const uint8_t* data, size_t size)
      : engine_(engine), scanner_(data, size), data_(data) {}

  // Finds the first frame and configures the engine for 16-bit output of the
  // channels as coded, decoding up to `maxFrequency` Hz.
  OpenResult Open(int maxFrequency);
  // Passes over a leading Info frame too (before the first DecodeNext); by
  // default it is decoded, as the silent frame it also is.
  void PassInfoFrame() { passInfoFrame_ = true; }

  const OutputFormat& format() const { return format_; }
  const FrameScanner& scanner() const { return scanner_; }
  int layerCode() const { return scanner_.firstHeader().layerCode; }

  // Decodes the next frame into `pcm` (room for format().samplesPerFrame
  // samples) and returns the PCM bytes written; 0 after the last frame.
  int DecodeNext(int16_t* pcm);

  int framesDecoded() const { return framesDecoded_; }
  int framesRejected() const { return framesRejected_; }

 private:
  EngineState& engine_;
  FrameScanner scanner_;
  const uint8_t* data_;
  OutputFormat format_;
  bool firstFrame_ = true;
  bool passInfoFrame_ = false;
  int framesDecoded_ = 0;
  int framesRejected_ = 0;
};

}  // namespace orvana::engine
