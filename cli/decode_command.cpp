// orvana-cli decode [--full-band] INPUT OUTPUT: decodes an MPEG audio file to
// a WAV file (OUTPUT ending in .wav) or to raw 16-bit little-endian PCM (any
// other name, "-" for stdout).
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/file_bytes.h"
#include "cli/pcm_output_file.h"
#include "engine/cpu_features.h"
#include "engine/engine_state.h"
#include "engine/stream_decoder.h"
#include "player/mp3_player.h"

namespace orvana::cli {

namespace {

int Fail(const std::string& subject, const std::string& message) {
  std::fprintf(stderr, "orvana-cli decode: %s: %s\n", subject.c_str(), message.c_str());
  return 1;
}

int Run(int argc, char** argv) {
  bool fullBand = false;
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--full-band")
      fullBand = true;
    else
      paths.push_back(argument);
  }
  if (paths.size() != 2) {
    std::fprintf(stderr, "usage: orvana-cli decode [--full-band] INPUT OUTPUT\n");
    return 2;
  }
  const std::string& input = paths[0];
  const std::string& output = paths[1];

  std::vector<uint8_t> data;
  std::string error;
  if (!ReadFileBytes(input, data, error)) return Fail(input, error);

  auto engine = std::make_unique<engine::EngineState>();
  engine->SelectKernels(engine::DetectCpu());
  engine::StreamDecoder decoder(*engine, data.data(), data.size());
  switch (decoder.Open(fullBand ? engine::kFullBandMaxFrequency : engine::kPlayerMaxFrequency)) {
    case engine::StreamDecoder::OpenResult::kNotMpegAudio:
      return Fail(input, player::TMP3Player::kUnknownFormat);
    case engine::StreamDecoder::OpenResult::kReady:
      break;
  }

  const engine::OutputFormat& format = decoder.format();
  PcmOutputFile out;
  if (!out.Open(output, PcmOutputFile::IsWavName(output), format.channels, format.sampleRate,
                error))
    return Fail(output, error);
  std::vector<int16_t> pcm(format.samplesPerFrame);
  for (int bytes; (bytes = decoder.DecodeNext(pcm.data())) > 0;)
    if (!out.Write(pcm.data(), bytes, error)) return Fail(output, error);
  if (!out.Close(error)) return Fail(output, error);
  return 0;
}

const CommandRegistration kReg{{"decode", "decode [--full-band] INPUT OUTPUT", &Run}};

}  // namespace
}  // namespace orvana::cli
