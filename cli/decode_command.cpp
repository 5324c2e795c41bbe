// orvana-cli decode [--full-band] [--gapless] INPUT OUTPUT: decodes an MPEG
// audio file to a WAV file (OUTPUT ending in .wav) or to raw 16-bit
// little-endian PCM (any other name, "-" for stdout). --gapless writes only
// the encoder's input, as the encoder's header gives it, as the player plays.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "cli/file_bytes.h"
#include "cli/pcm_output_file.h"
#include "engine/cpu_features.h"
#include "engine/engine_state.h"
#include "engine/stream_decoder.h"
#include "player/bytes_stream.h"
#include "player/gapless_trim.h"
#include "player/id3v2_tag.h"
#include "player/mp3_player.h"
#include "player/vbr_header.h"

namespace orvana::cli {

namespace {

int Fail(const std::string& subject, const std::string& message) {
  std::fprintf(stderr, "orvana-cli decode: %s: %s\n", subject.c_str(), message.c_str());
  return 1;
}

// The PCM bytes of the decoded stream to write: with --gapless what the
// encoder's delays leave of a Layer III stream, else everything.
player::TPlayWindow PlayWindowOf(const engine::StreamDecoder& decoder, const uint8_t* data, bool gapless) {
  const engine::FrameScanner& scanner = decoder.scanner();
  if (!gapless || decoder.layerCode() != engine::kLayerIIICode) return {};
  const player::TVbrHeader header =
      player::ReadVbrHeader(data + scanner.firstFrameOffset(), scanner.firstFrameLength(), scanner.firstHeader());
  const int channels = decoder.format().channels;
  const int samplesPerFrame = decoder.format().samplesPerFrame / channels;
  return player::EncoderPlayWindow(header, samplesPerFrame).Scaled(std::int64_t{channels} * 2);
}

// Where the audio starts behind a leading ID3v2 tag, read as the player reads
// it: a tag claiming more than it holds may hide the first frames.
std::size_t AudioStart(const std::vector<uint8_t>& data) {
  player::TBytesStream stream(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
  player::TMPStreamReader reader(player::TMP3Player::kReaderCapacity);
  reader.Open(&stream, true);
  const auto length = player::PassID3v2Tag(reader, [](const player::TID3v2Frame&) {});
  return length ? static_cast<std::size_t>(*length) : 0;
}

int Run(int argc, char** argv) {
  bool fullBand = false;
  bool gapless = false;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--full-band")
      fullBand = true;
    else if (argument == "--gapless")
      gapless = true;
    else
      paths.push_back(argument);
  }
  if (paths.size() != 2) {
    std::fprintf(stderr, "usage: orvana-cli decode [--full-band] [--gapless] INPUT OUTPUT\n");
    return 2;
  }
  const std::string& input = paths[0];
  const std::string& output = paths[1];

  std::vector<uint8_t> data;
  std::string error;
  if (!ReadFileBytes(input, data, error)) return Fail(input, error);

  auto engine = std::make_unique<engine::EngineState>();
  engine->SelectKernels(engine::DetectCpu());
  const std::size_t start = AudioStart(data);
  const uint8_t* audio = data.data() + start;
  engine::StreamDecoder decoder(*engine, audio, data.size() - start);
  switch (decoder.Open(fullBand ? engine::kFullBandMaxFrequency : engine::kPlayerMaxFrequency)) {
    case engine::StreamDecoder::OpenResult::kNotMpegAudio:
      return Fail(input, player::TMP3Player::kUnknownFormat);
    case engine::StreamDecoder::OpenResult::kReady:
      break;
  }
  if (gapless) decoder.PassInfoFrame();
  const player::TPlayWindow window = PlayWindowOf(decoder, audio, gapless);

  const engine::OutputFormat& format = decoder.format();
  PcmOutputFile out;
  if (!out.Open(output, PcmOutputFile::IsWavName(output), format.channels, format.sampleRate,
                error))
    return Fail(output, error);
  std::vector<int16_t> pcm(format.samplesPerFrame);
  const auto* pcmBytes = reinterpret_cast<const uint8_t*>(pcm.data());
  std::int64_t decoded = 0;
  for (int bytes; decoded < window.until && (bytes = decoder.DecodeNext(pcm.data())) > 0; decoded += bytes) {
    const player::TBlockPart part = player::PartInWindow(decoded, bytes, window);
    if (!part.Empty() && !out.Write(pcmBytes + part.begin, static_cast<size_t>(part.end - part.begin), error))
      return Fail(output, error);
  }
  if (!out.Close(error)) return Fail(output, error);
  return 0;
}

const CommandRegistration kReg{{"decode", "decode [--full-band] [--gapless] INPUT OUTPUT", &Run}};

}  // namespace
}  // namespace orvana::cli
