#pragma once
// The decoding engine's state and its public operations: one record of fixed
// arrays through which a frame travels from the bitstream to 16-bit PCM. The
// player uses the one process-wide instance; tests and tools make their own.
// Nothing is allocated per stream and nothing is raised: failures are return
// values.
#include <cstdint>

#include "engine/bit_reader.h"
#include "engine/equalizer.h"
#include "engine/frame_header.h"
#include "engine/kernel_slots.h"
#include "engine/layer12_side_info.h"
#include "engine/layer3_band_layout.h"
#include "engine/layer3_requantize.h"
#include "engine/layer3_scale_factors.h"
#include "engine/layer3_side_info.h"
#include "engine/layer3_tables.h"
#include "engine/main_data_reservoir.h"
#include "engine/synthesis.h"

namespace orvana::engine {

struct DecodeResult {
  int bytesConsumed = 0;
  int bytesProduced = 0;
};

struct OutputFormat {
  int32_t channels = 0;
  int32_t samplesPerFrame = 0;  // all channels together
  int32_t sampleRate = 0;  // Hz
  int32_t bitsPerSample = 0;
  int32_t frameLength = 0;  // as given to InitDecoder
  int32_t reserved = 0;
};

// outputFlags of InitDecoder.
namespace output_flags {
constexpr uint8_t kChannelsAsCoded = 0;
constexpr uint8_t kMixDown = 1;
constexpr uint8_t kLeftOnly = 2;
constexpr uint8_t kRightOnly = 3;
constexpr uint8_t kChannelSelectMask = 3;
constexpr uint8_t kEightBit = 8;
}  // namespace output_flags

// The player's maxFrequency: 31 sub-bands at every sampling frequency.
constexpr int kPlayerMaxFrequency = 24000;
// Any maxFrequency above the highest Nyquist frequency of MPEG audio decodes
// all 32 sub-bands.
constexpr int kFullBandMaxFrequency = 48000;

class EngineState;

// The output InitDecoder sets up for a stream of `header` (16-bit PCM at the
// stream's own rate), worked out without touching any engine; false where
// InitDecoder would refuse the stream. The player describes a song it opens
// ahead this way while the engine still decodes the song before it.
bool OutputFormatFor(const FrameHeader& header, int frameLength, uint8_t outputFlags, OutputFormat& format);

using FrameDecoderFn = DecodeResult (*)(EngineState& engine, const uint8_t* frame, int available,
                                        int16_t* pcm);
using ChannelStageFn = void (*)(EngineState& engine, int16_t* pcm, int slot);

struct StreamConfig {
  int32_t frameLength = 0;  // bytes without padding, as given at open
  int32_t sampleRate = 0;  // Hz of the stream
  int32_t rateShift = 0;
  int32_t channelSelect = 0;
  int32_t eightBit = 0;
  int32_t streamChannels = 0;  // channels of the open stream's header
  int32_t outChannels = 0;
  int32_t samplesPerChannel = 0;
  int32_t frameSamples = 0;
  int32_t outputBytes = 0;
  int32_t halfOutputBytes = 0;
  int32_t fillValue = 0;
  int32_t gainOffset = 0;
  int32_t subbandLimit = 0;
  int32_t mpeg1 = 0;
};

struct Layer3State {
  Layer3BitReader reader;
  MainDataReservoir reservoir;
  // Header and side information of the frame being decoded, copied behind
  // zeroed slack so that the reader never loads past the caller's frame.
  uint8_t sideInfoCopy[64] = {};
  Layer3FrameInfo frame;
  GranuleChannelInfo granules[2][2];  // [slot][channel]
  ScaleFactors scaleFactors[2][2];  // [slot][channel]
  LsfIntensityInfo lsfIntensity;
  int32_t quantized[2][kLinesPerGranule] = {};  // [channel]: Huffman output of the granule
  alignas(32) float hybridBuffer[2][2][kLinesPerGranule] = {};  // [channel][slot]
  int32_t hybridCount[2][2] = {};  // [slot][channel]
  StereoBandInfo bandInfo[2][2];  // [slot][channel]
  alignas(32) float hybridOut[kLinesPerGranule] = {};  // 32 t + sb
  alignas(32) float mixOut[kLinesPerGranule] = {};  // second channel of a mix-down
  Layer3BandLayout bands;
  Layer3Tables tables;
  bool tablesBuilt = false;
  int32_t lsfGranuleSlot = 0;
};

struct Layer12State {
  Layer12BitReader reader;
  Layer12FrameInfo frame;
  FrameHeader streamHeader;  // of the open stream: later frames must match it
  int32_t decodeLimit = 0;  // sub-bands decoded; the sample bits above are skipped
  // Synthesis input: up to 36 time slots of 64 floats (2 sb + ch, or sb for a
  // single-channel stream).
  alignas(32) float samples[36 * 64] = {};
};

class EngineState {
 public:
  EngineState();  // plain kernels, no stream open
  EngineState(const EngineState&) = delete;
  EngineState& operator=(const EngineState&) = delete;

  // Installs the kernels for a capability word; extended 3DNow! counts only
  // together with 3DNow!.
  void SelectKernels(uint32_t capabilities);

  // Configures the engine for the stream of `header`; must precede the first
  // DecodeFrame and follow every seek. `frameLength` is the parsed length
  // without padding (kept for free-format streams). Returns 1 when ready, 0
  // when the stream cannot be decoded.
  int InitDecoder(const FrameHeader& header, int frameLength, int rateShift, int reserved,
                  uint8_t outputFlags, int maxFrequency);

  // Decodes the frame at `frame` (header included; `available` bytes
  // readable there) into `pcm` (room for one frame of output). (0, 0) when the
  // frame is rejected.
  DecodeResult DecodeFrame(const uint8_t* frame, int available, int16_t* pcm);

  void GetOutputFormat(OutputFormat& format) const { format = outputFormat; }

  void SetPolarityInverted(bool on);
  bool PolarityInverted() const { return synthesis.PolarityInverted; }

  float* SubbandGains() { return equalizer.SubbandGain; }
  float* LineGains() { return equalizer.LineGain; }
  int32_t* SubbandEqEnabled() { return &equalizer.SubbandEqEnabled; }
  int32_t* LineEqEnabled() { return &equalizer.LineEqEnabled; }

  // Dispatch.
  FrameDecoderFn frameDecoder = nullptr;
  FrameDecoderFn layer3FrameDecoder = nullptr;
  ChannelStageFn channelStage = nullptr;
  Layer3SynthesisDriver outputStage = nullptr;
  Layer12SynthesisDriver layer12OutputStage = nullptr;
  KernelSlots kernels;

  StreamConfig config;
  OutputFormat outputFormat;
  Layer3State layer3;
  Layer12State layer12;
  SynthesisState synthesis;
  EqualizerState equalizer;
};

// The player's engine, constructed at first use.
EngineState& GlobalEngineState();

}  // namespace orvana::engine
