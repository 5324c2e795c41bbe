// Prints what a network stream costs and how soon it reacts, on the
// loopback against the network tests' servers: a private Icecast fed at
// 128 kbit/s by the tests' source, and the scripted server for throughput,
// stalls and drops. The stream's thread is found by its name in /proc.
#include <dirent.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <future>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "icecast_server.h"
#include "icecast_source.h"
#include "player/network/http_stream.h"
#include "player/network/station_session.h"
#include "scripted_answers.h"
#include "unanswered_port.h"

namespace {

using namespace orvana::player;
using namespace orvana::testing;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct TThreadUse {
  long switches = 0;       // voluntary and involuntary context switches: its wake-ups
  long long cpuNs = 0;     // time on a processor
};

// The stream thread's counters (summed if several run).
TThreadUse StreamThreadUse() {
  TThreadUse use;
  DIR* tasks = ::opendir("/proc/self/task");
  if (tasks == nullptr) return use;
  while (const dirent* task = ::readdir(tasks)) {
    if (task->d_name[0] == '.') continue;
    const std::string base = std::string("/proc/self/task/") + task->d_name;
    std::string name;
    std::getline(std::ifstream(base + "/comm"), name);
    if (name != TStationSession::kThreadName) continue;
    std::ifstream status(base + "/status");
    for (std::string line; std::getline(status, line);)
      if (line.starts_with("voluntary_ctxt_switches") || line.starts_with("nonvoluntary_ctxt_switches"))
        use.switches += std::stol(line.substr(line.find(':') + 1));
    long long onCpu = 0;
    std::ifstream(base + "/schedstat") >> onCpu;
    use.cpuNs += onCpu;
  }
  ::closedir(tasks);
  return use;
}

double Ms(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

// Wake-ups a second and CPU per cent of the stream's thread over `span`
// while `during` runs (or nothing does).
template <class Action>
void PrintUse(const char* what, Clock::duration span, Action during) {
  const TThreadUse before = StreamThreadUse();
  const Clock::time_point start = Clock::now();
  during(start + span);
  std::this_thread::sleep_until(start + span);
  const TThreadUse after = StreamThreadUse();
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("  %-44s %7.1f wake-ups/s %8.3f %% CPU\n", what, (after.switches - before.switches) / seconds,
              (after.cpuNs - before.cpuNs) / seconds / 1e7);
}

void ReadUntil(THttpStream& stream, Clock::time_point until) {
  char buffer[8192];
  while (Clock::now() < until)
    if (stream.WaitReady(1, 50) && stream.ReadyBytes() > 0) stream.Read(buffer, sizeof buffer);
}

bool WaitForState(THttpStream& stream, TNetStreamState state, Clock::duration limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  while (stream.State() != state && Clock::now() < deadline) std::this_thread::sleep_for(1ms);
  return stream.State() == state;
}

std::string StationAudio() {
  std::ifstream file(ORVANA_TEST_DATA_DIR "/l3-44100-stereo-cbr128-crc.mp3", std::ios::binary);
  std::stringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void BenchIcecast() {
  std::printf("A private Icecast, 128 kbit/s:\n");
  TIcecastServer server;
  if (!server.Running()) {
    std::printf("  no Icecast: %s\n", server.Failure().c_str());
    return;
  }
  TIcecastSource source(server.Port(), StationAudio(), {});
  if (!source.WaitConnected(1, 10000)) return;
  // Some seconds of audio queued, as at a station that has been on air.
  std::this_thread::sleep_for(3s);

  THttpStream::TOptions options;
  options.firstRetryPauseMs = 100;
  options.retries = 8;
  auto stream = std::make_unique<THttpStream>(server.Url("/live.mp3"), options);
  const Clock::time_point start = Clock::now();
  stream->Start();
  stream->WaitReady(1, 10000);
  // Icecast itself answers a listener after about 0.1 s and sends audio 0.2 s later.
  std::printf("  %-44s %9.1f ms\n", "Start to the first audio byte", Ms(Clock::now() - start));
  PrintUse("receiving, read as it comes", 10s, [&](Clock::time_point until) { ReadUntil(*stream, until); });
  stream->WaitReady(1 << 30, 60000);
  PrintUse("buffer full, nothing read", 10s, [](Clock::time_point) {});

  const Clock::time_point killed = Clock::now();
  server.Kill();
  ReadUntil(*stream, Clock::now() + 10ms);
  std::thread drain([&] { ReadUntil(*stream, Clock::now() + 60s); });
  if (WaitForState(*stream, TNetStreamState::kRetrying, 30s))
    std::printf("  %-44s %9.1f ms\n", "server killed to retrying", Ms(Clock::now() - killed));
  const Clock::time_point restarted = Clock::now();
  server.Restart();
  if (WaitForState(*stream, TNetStreamState::kReceiving, 30s))
    std::printf("  %-44s %9.1f ms (with the source's return)\n", "server restarted to receiving", Ms(Clock::now() - restarted));
  stream->Cancel();
  drain.join();
}

void BenchScripted() {
  std::printf("The scripted server:\n");
  THostileHttpServer server;
  TStationScript script;
  script.audio = std::string(1 << 20, 'a');
  server.Answer("/fast", [script](int) { return Station(script); });
  server.AnswerAlways("/stalled", StalledHeaders());
  const auto dropping = [script](int connection) {
    if (connection > 0) return ErrorPage(404, "Not Found");
    THostileReply reply = Station(script);
    reply.dropAfter = reply.head.size() + 1000;
    return reply;
  };
  // Two paths: each counts its own connections.
  server.Answer("/dropping", dropping);
  server.Answer("/dropping-again", dropping);
  {
    THttpStream stream(server.Url("/fast"));
    stream.Start();
    std::string buffer(64 * 1024, '\0');
    std::int64_t total = 0;
    const TThreadUse before = StreamThreadUse();
    const Clock::time_point start = Clock::now();
    while (total < (std::int64_t(512) << 20)) total += stream.Read(buffer.data(), std::int64_t(buffer.size()));
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const TThreadUse after = StreamThreadUse();
    std::printf("  %-44s %9.0f MB/s, stream thread %.1f %% CPU\n", "as fast as the loopback goes", total / seconds / 1e6,
                (after.cpuNs - before.cpuNs) / seconds / 1e7);
  }
  THttpStream::TOptions waiting;
  waiting.connectTimeoutMs = waiting.firstDataTimeoutMs = waiting.stallTimeoutMs = 600000;
  waiting.firstRetryPauseMs = 600000;
  {
    THttpStream stream(server.Url("/stalled"), waiting);
    stream.Start();
    while (server.Sent("/stalled") == 0) std::this_thread::sleep_for(1ms);
    PrintUse("headers stalled", 5s, [](Clock::time_point) {});
  }
  {
    THttpStream stream(server.Url("/dropping"), waiting);
    stream.Start();
    ReadUntil(stream, Clock::now() + 200ms);
    WaitForState(stream, TNetStreamState::kRetrying, 5s);
    PrintUse("in the pause before trying again", 5s, [](Clock::time_point) {});
  }

  std::printf("Cancel, with a reader waiting (Read back / the thread ended):\n");
  const TUnansweredPort unanswered;
  struct TCase {
    const char* what;
    std::string url;
  } cases[] = {{"while connecting", "http://127.0.0.1:" + std::to_string(unanswered.Port()) + "/"},
               {"while the headers stall", server.Url("/stalled")},
               {"in the pause before trying again", server.Url("/dropping-again")}};
  for (const TCase& c : cases) {
    auto stream = std::make_unique<THttpStream>(c.url, waiting);
    stream->Start();
    std::this_thread::sleep_for(300ms);
    ReadUntil(*stream, Clock::now() + 10ms);
    auto reader = std::async(std::launch::async, [&] {
      char byte;
      while (stream->Read(&byte, 1) > 0) {
      }
      return Clock::now();
    });
    std::this_thread::sleep_for(50ms);
    const Clock::time_point cancelled = Clock::now();
    stream->Cancel();
    const Clock::time_point readBack = reader.get();
    stream.reset();
    std::printf("  %-44s %9.3f ms / %.3f ms\n", c.what, Ms(readBack - cancelled), Ms(Clock::now() - cancelled));
  }
}

}  // namespace

int main() {
  BenchScripted();
  BenchIcecast();
  return 0;
}
