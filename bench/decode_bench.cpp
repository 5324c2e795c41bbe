// Prints how fast orvana-cli decodes a five-minute 44.1 kHz stereo 128 kbit/s
// MP3 (median of five runs, raw output to /dev/null), the same for mpg123 when
// it is installed, and where the engine's time goes in-process: the front end
// alone, with the hybrid filterbank, and with the synthesis.
// The test file is made once with sox and lame and kept under the build tree.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/cpu_features.h"
#include "engine/engine_state.h"
#include "engine/stream_decoder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace orvana::engine;

constexpr int kRuns = 5;
constexpr double kStreamSeconds = 300.0;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

bool Have(const char* program) {
  return std::system((std::string("command -v ") + program + " > /dev/null 2>&1").c_str()) == 0;
}

// A music-like signal: a repeating figure of plucked two-note chords over
// pink noise that swells and fades, normalised to -3 dB.
fs::path TestFile() {
  const fs::path dir = fs::path(ORVANA_CLI_PATH).parent_path().parent_path() / "bench-data";
  const fs::path mp3 = dir / "five-minutes-44100-stereo-128k.mp3";
  if (fs::exists(mp3)) return mp3;
  fs::create_directories(dir);
  const std::string notes = (dir / "notes.wav").string();
  const std::string noise = (dir / "noise.wav").string();
  const std::string music = (dir / "music.wav").string();
  const std::string make =
      "sox -q -n -r 44100 -c 2 -b 16 '" + notes + "' synth 0.4 pluck C3 pluck G3 :"
      " synth 0.4 pluck E3 pluck C4 : synth 0.4 pluck A2 pluck E4 : synth 0.8 pluck F3 pluck A4"
      " repeat 149"
      " && sox -q -n -r 44100 -c 2 -b 16 '" + noise + "' synth 300 pinknoise pinknoise"
      " tremolo 0.3 50 gain -18"
      " && sox -q -m '" + notes + "' '" + noise + "' '" + music + "' gain -n -3"
      " && lame --quiet -b 128 '" + music + "' '" + mp3.string() + "'";
  const int status = std::system(make.c_str());
  for (const std::string& made : {notes, noise, music}) fs::remove(made);
  if (status != 0) {
    std::fprintf(stderr, "decode_bench: sox and lame are needed to make the test file\n");
    std::exit(1);
  }
  return mp3;
}

double TimeCommand(const std::string& command) {
  std::vector<double> runs;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "decode_bench: '%s' failed\n", command.c_str());
      std::exit(1);
    }
    runs.push_back(Seconds(start));
  }
  return Median(runs);
}

void NoChannelStage(EngineState&, int16_t*, int) {}
void NoSynthesis(SynthesisState&, const KernelSlots&, const EqualizerState&, const float*,
                 int16_t*, int) {}

enum class Depth { kFrontEnd, kFilterbank, kWhole };

// In-process decode of the whole file, stopping after the given stage.
double TimeEngine(EngineState& engine, const std::vector<uint8_t>& data, Depth depth) {
  StreamDecoder decoder(engine, data.data(), data.size());
  if (decoder.Open(kPlayerMaxFrequency) != StreamDecoder::OpenResult::kReady) std::exit(1);
  if (depth == Depth::kFrontEnd) engine.channelStage = &NoChannelStage;
  if (depth == Depth::kFilterbank) engine.outputStage = &NoSynthesis;
  std::vector<int16_t> pcm(decoder.format().samplesPerFrame);
  const auto start = Clock::now();
  while (decoder.DecodeNext(pcm.data()) > 0) {
  }
  return Seconds(start);
}

}  // namespace

int main() {
  const fs::path file = TestFile();
  std::printf("test file: %s (%.0f s, 44.1 kHz stereo, 128 kbit/s)\n", file.c_str(),
              kStreamSeconds);

  const double orvana =
      TimeCommand("'" + std::string(ORVANA_CLI_PATH) + "' decode '" + file.string() + "' /dev/null");
  std::printf("orvana-cli decode: median %.3f s of %d runs, %.1fx real time\n", orvana, kRuns,
              kStreamSeconds / orvana);
  if (Have("mpg123")) {
    const double mpg123 = TimeCommand("mpg123 -q -s '" + file.string() + "' > /dev/null");
    std::printf("mpg123 -q -s:      median %.3f s of %d runs, %.1fx real time\n", mpg123, kRuns,
                kStreamSeconds / mpg123);
    std::printf("orvana / mpg123:   %.2f (target at most 1.5)\n", orvana / mpg123);
  } else {
    std::printf("mpg123 not installed: no comparison\n");
  }

  std::ifstream in(file, std::ios::binary);
  const std::vector<uint8_t> data{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
  // The three depths take turns so that a busy machine weighs on all alike;
  // the best of the runs counts.
  auto engine = std::make_unique<EngineState>();
  engine->SelectKernels(DetectCpu());
  double front = 1e9, filterbank = 1e9, whole = 1e9;
  for (int i = 0; i < kRuns; ++i) {
    front = std::min(front, TimeEngine(*engine, data, Depth::kFrontEnd));
    filterbank = std::min(filterbank, TimeEngine(*engine, data, Depth::kFilterbank));
    whole = std::min(whole, TimeEngine(*engine, data, Depth::kWhole));
  }
  std::printf("in-process, kernels of this processor (best of %d):\n", kRuns);
  std::printf("  whole decode          %.3f s\n", whole);
  std::printf("  front end             %.3f s (%.0f %%): scanning, side info, Huffman, requantisation, stereo, alias, equaliser\n",
              front, 100 * front / whole);
  std::printf("  hybrid filterbank     %.3f s (%.0f %%)\n", filterbank - front,
              100 * (filterbank - front) / whole);
  std::printf("  polyphase synthesis   %.3f s (%.0f %%)\n", whole - filterbank,
              100 * (whole - filterbank) / whole);
  return 0;
}
