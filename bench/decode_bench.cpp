// Prints how fast orvana-cli decodes a five-minute 44.1 kHz stereo 128 kbit/s
// MP3 and a five-minute 48 kHz stereo 192 kbit/s MP2 (median of five runs, raw
// output to /dev/null), the same for mpg123 when it is installed, and where
// the engine's time goes in-process: the front end alone, with the hybrid
// filterbank (Layer III), and with the synthesis; and what the equalizer
// adds to a whole decode (its tables on, every gain away from unity).
// The test files are made once with sox, lame and twolame and kept under the
// build tree.
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

struct BenchStream {
  const char* fileName;
  const char* description;
  int sampleRate;
  const char* encoder;  // command encoding IN to OUT
  bool hybridFilterbank;  // Layer III: a stage between the front end and the synthesis
  const char* frontEndWork;
};

const BenchStream kLayer3Stream{"five-minutes-44100-stereo-128k.mp3",
                                "44.1 kHz stereo, 128 kbit/s", 44100,
                                "lame --quiet -b 128 IN OUT", true,
                                ": scanning, side info, Huffman, requantisation, stereo, alias, equaliser"};
const BenchStream kLayer2Stream{"five-minutes-48000-stereo-192k.mp2",
                                "Layer II, 48 kHz stereo, 192 kbit/s", 48000,
                                "twolame --quiet -b 192 IN OUT", false,
                                ": scanning, allocation, scale factors, samples"};

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
  text.replace(text.find(what), what.size(), with);
  return text;
}

// A music-like signal: a repeating figure of plucked two-note chords over
// pink noise that swells and fades, normalised to -3 dB, then encoded.
fs::path TestFile(const BenchStream& stream) {
  const fs::path dir = fs::path(ORVANA_CLI_PATH).parent_path().parent_path() / "bench-data";
  const fs::path encoded = dir / stream.fileName;
  if (fs::exists(encoded)) return encoded;
  fs::create_directories(dir);
  const std::string notes = (dir / "notes.wav").string();
  const std::string noise = (dir / "noise.wav").string();
  const std::string music = (dir / "music.wav").string();
  const std::string rate = std::to_string(stream.sampleRate);
  const std::string encode =
      Replaced(Replaced(stream.encoder, "IN", "'" + music + "'"), "OUT", "'" + encoded.string() + "'");
  const std::string make =
      "sox -q -n -r " + rate + " -c 2 -b 16 '" + notes + "' synth 0.4 pluck C3 pluck G3 :"
      " synth 0.4 pluck E3 pluck C4 : synth 0.4 pluck A2 pluck E4 : synth 0.8 pluck F3 pluck A4"
      " repeat 149"
      " && sox -q -n -r " + rate + " -c 2 -b 16 '" + noise + "' synth 300 pinknoise pinknoise"
      " tremolo 0.3 50 gain -18"
      " && sox -q -m '" + notes + "' '" + noise + "' '" + music + "' gain -n -3"
      " && " + encode;
  const int status = std::system(make.c_str());
  for (const std::string& made : {notes, noise, music}) fs::remove(made);
  if (status != 0) {
    fs::remove(encoded);
    std::fprintf(stderr, "decode_bench: sox, lame and twolame are needed to make the test files\n");
    std::exit(1);
  }
  return encoded;
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
void NoLayer12Synthesis(SynthesisState&, const KernelSlots&, const EqualizerState&, const float*,
                        int, int16_t*) {}

enum class Depth { kFrontEnd, kFilterbank, kWhole, kEqualized };

// The equalizer's tables as a ten-band curve sets them: per frequency line
// for Layer III, per sub-band otherwise.
void SetEqualizer(EqualizerState& equalizer, bool on, bool lines) {
  for (int i = 0; i < kEqualizerLines; ++i) equalizer.LineGain[i] = on ? 0.5f + i % 7 * 0.25f : 1.0f;
  for (int i = 0; i < kEqualizerSubbands; ++i) equalizer.SubbandGain[i] = on ? 0.5f + i % 5 * 0.3f : 1.0f;
  equalizer.LineEqEnabled = on && lines ? 1 : 0;
  equalizer.SubbandEqEnabled = on && !lines ? 1 : 0;
}

// In-process decode of the whole file, stopping after the given stage.
double TimeEngine(EngineState& engine, const std::vector<uint8_t>& data, Depth depth) {
  StreamDecoder decoder(engine, data.data(), data.size());
  if (decoder.Open(kPlayerMaxFrequency) != StreamDecoder::OpenResult::kReady) std::exit(1);
  if (depth == Depth::kFrontEnd) {
    engine.channelStage = &NoChannelStage;
    engine.layer12OutputStage = &NoLayer12Synthesis;
  }
  if (depth == Depth::kFilterbank) engine.outputStage = &NoSynthesis;
  SetEqualizer(engine.equalizer, depth == Depth::kEqualized, decoder.layerCode() == 1);
  std::vector<int16_t> pcm(decoder.format().samplesPerFrame);
  const auto start = Clock::now();
  while (decoder.DecodeNext(pcm.data()) > 0) {
  }
  const double seconds = Seconds(start);
  SetEqualizer(engine.equalizer, false, false);
  return seconds;
}

struct StageTimes {
  double front = 1e9, filterbank = 1e9, whole = 1e9, equalized = 1e9;
};

// The depths take turns so that a busy machine weighs on all alike; the best
// of the runs counts. The filterbank depth only for Layer III.
StageTimes TimeStages(const std::vector<uint8_t>& data, bool withFilterbank) {
  auto engine = std::make_unique<EngineState>();
  engine->SelectKernels(DetectCpu());
  StageTimes best;
  for (int i = 0; i < kRuns; ++i) {
    best.front = std::min(best.front, TimeEngine(*engine, data, Depth::kFrontEnd));
    if (withFilterbank)
      best.filterbank = std::min(best.filterbank, TimeEngine(*engine, data, Depth::kFilterbank));
    best.whole = std::min(best.whole, TimeEngine(*engine, data, Depth::kWhole));
    best.equalized = std::min(best.equalized, TimeEngine(*engine, data, Depth::kEqualized));
  }
  return best;
}

std::vector<uint8_t> FileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// orvana-cli against mpg123 on the whole file.
void CompareWithMpg123(const BenchStream& stream, const fs::path& file) {
  std::printf("test file: %s (%.0f s, %s)\n", file.c_str(), kStreamSeconds, stream.description);
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
}

void PrintStage(const char* stage, double seconds, double whole, const char* what = "") {
  std::printf("  %-21s %.3f s (%.0f %%)%s\n", stage, seconds, 100 * seconds / whole, what);
}

// The whole file against mpg123, then the engine's time stage by stage.
void Bench(const BenchStream& stream) {
  const fs::path file = TestFile(stream);
  CompareWithMpg123(stream, file);
  const StageTimes times = TimeStages(FileBytes(file), stream.hybridFilterbank);
  std::printf("in-process, kernels of this processor (best of %d):\n", kRuns);
  std::printf("  whole decode          %.3f s\n", times.whole);
  PrintStage("front end", times.front, times.whole, stream.frontEndWork);
  double synthesisStart = times.front;
  if (stream.hybridFilterbank) {
    PrintStage("hybrid filterbank", times.filterbank - times.front, times.whole);
    synthesisStart = times.filterbank;
  }
  PrintStage("polyphase synthesis", times.whole - synthesisStart, times.whole);
  std::printf("  with the equalizer on %.3f s (%+.1f %% of the whole decode; target at most 5 %%)\n", times.equalized,
              100 * (times.equalized - times.whole) / times.whole);
}

}  // namespace

int main() {
  Bench(kLayer3Stream);
  std::printf("\n");
  Bench(kLayer2Stream);
  return 0;
}
