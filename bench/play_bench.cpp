// Plays a long stream with `orvana-cli play --device null` (in real time) and
// prints the process's CPU time, its share of one core and its peak resident
// memory. The stream is the demo song's frames repeated to the length asked
// for (five minutes unless given in seconds as the first argument).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/frame_scanner.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The demo's audio frames (its header frame left out), repeated to `seconds`.
bool MakeLongStream(const std::string& demoPath, double seconds, const std::string& outPath) {
  const Bytes demo = ReadFile(demoPath);
  orvana::engine::FrameScanner scanner(demo.data(), demo.size());
  if (!scanner.FindFirstFrame()) return false;
  std::vector<orvana::engine::ScannedFrame> frames;
  for (orvana::engine::ScannedFrame frame; scanner.Next(frame);) frames.push_back(frame);
  if (frames.size() < 2) return false;
  const int sampleRate = orvana::engine::kSampleRateHz[frames[0].header.versionId][frames[0].header.sampleRateIndex];
  const double frameSeconds = 1152.0 / sampleRate;
  std::ofstream out(outPath, std::ios::binary | std::ios::trunc);
  for (double written = 0; written < seconds;) {
    for (std::size_t i = 1; i < frames.size() && written < seconds; ++i, written += frameSeconds)
      out.write(reinterpret_cast<const char*>(demo.data() + frames[i].offset), frames[i].length);
  }
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 300.0;
  const std::string demo = std::string(ORVANA_SOURCE_DIR) + "/samples/demo.mp3";
  const std::string stream = "/tmp/orvana-play-bench-" + std::to_string(::getpid()) + ".mp3";
  if (seconds <= 0 || !MakeLongStream(demo, seconds, stream)) {
    std::fprintf(stderr, "play_bench: cannot make the stream from %s\n", demo.c_str());
    return 1;
  }

  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    ::execl(ORVANA_CLI_PATH, ORVANA_CLI_PATH, "play", "--device", "null", stream.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::remove(stream.c_str());
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "play_bench: orvana-cli play failed\n");
    return 1;
  }

  const double user = static_cast<double>(usage.ru_utime.tv_sec) + usage.ru_utime.tv_usec / 1e6;
  const double system = static_cast<double>(usage.ru_stime.tv_sec) + usage.ru_stime.tv_usec / 1e6;
  std::printf("stream:          %.0f s of 44.1 kHz stereo at 128 kbit/s, played on the null device\n", seconds);
  std::printf("wall time:       %.2f s\n", wall);
  std::printf("CPU time:        %.3f s (user %.3f s, system %.3f s)\n", user + system, user, system);
  std::printf("CPU share:       %.3f %% of one core\n", (user + system) / wall * 100.0);
  std::printf("peak resident:   %.1f MiB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
  return 0;
}
