// Playlists on the web: what a hostile answer may cost, and the worker
// threads that read them (no Qt here, so that ThreadSanitizer sees it all).
#include "app/playlist/web_playlist.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "app/playlist/web_playlist_loader.h"
#include "player/stream.h"

namespace orvana::app {
namespace {

using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

TEST(WebPlaylist, OnlyStationsComeAndAtMostABoundOfThem) {
  std::string list = "#EXTM3U\n/etc/passwd\nfile:///home/u/a.mp3\nsong.mp3\nftp://h/x\nhttp://h/next.pls\n"
                     "http://h/a b\n";
  for (int i = 0; i < 3000; ++i) list += "#EXTINF:-1,S" + std::to_string(i) + "\n http://s" + std::to_string(i) + "/\n";
  const TFetchText fetch = [&list](const std::string&, std::size_t maxBytes, int, const std::atomic<bool>*) {
    EXPECT_EQ(maxBytes, kMaxWebPlaylistBytes);
    return list;
  };
  const std::vector<TPlaylistEntry> stations = ReadWebPlaylist("http://h/list.m3u", fetch, nullptr);
  ASSERT_EQ(stations.size(), kMaxWebPlaylistEntries);
  EXPECT_EQ(stations.front().location, "http://s0/");
  EXPECT_EQ(stations.front().title, "S0");
  EXPECT_EQ(stations.back().location, "http://s" + std::to_string(kMaxWebPlaylistEntries - 1) + "/");
}

TEST(WebPlaylist, EachListThatGivesNoStationSaysWhy) {
  const TFetchText fetch = [](const std::string& url, std::size_t, int, const std::atomic<bool>*) -> std::string {
    if (url == "http://h/gone.pls") throw player::EStreamError("The station answered 404 Not Found.");
    if (url == "http://h/image.pls") return std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
    if (url == "http://h/page.m3u") return "<html><body>File1=http://a/</body></html>";
    return "[playlist]\r\nFile1=http://ok/\r\n";
  };
  const TWebPlaylistRead read = ReadWebPlaylists(
      {"http://h/gone.pls", "http://h/image.pls", "http://h/page.m3u", "http://h/good.pls"}, fetch, nullptr);
  ASSERT_EQ(read.stations.size(), 1u);
  EXPECT_EQ(read.stations.front().location, "http://ok/");
  EXPECT_EQ(read.failures, (Strings{"The station answered 404 Not Found.",
                                    "The address http://h/image.pls sends no playlist but binary data.",
                                    "The playlist at http://h/page.m3u names no station."}));
}

TEST(WebPlaylistLoader, ReadsOnWorkersDeliversWhenCollectedAndCancelsWhenGone) {
  std::mutex mutex;
  std::condition_variable changed;
  int wakes = 0;
  bool slowStarted = false;
  std::thread::id fetchThread;
  std::atomic<bool> sawCancel{false};
  const auto note = [&](const std::function<void()>& change) {
    const std::lock_guard<std::mutex> lock(mutex);
    change();
    changed.notify_all();
  };
  auto loader = std::make_unique<TWebPlaylistLoader>(
      [&](const std::string& url, std::size_t, int, const std::atomic<bool>* cancel) -> std::string {
        if (!url.ends_with("slow.pls")) {
          note([&] { fetchThread = std::this_thread::get_id(); });
          return "File1=" + url + "-station\n";
        }
        note([&] { slowStarted = true; });  // then waits, as for a server that never answers
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!cancel->load() && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
        sawCancel = cancel->load();
        throw player::EStreamError("cancelled");
      },
      [&] { note([&] { ++wakes; }); });
  Strings delivered;
  for (const char* url : {"http://h/a.pls", "http://h/b.pls", "http://h/slow.pls"})
    loader->Load({url}, [&](TWebPlaylistRead read) { delivered.push_back(read.stations.at(0).location); });
  {
    std::unique_lock<std::mutex> lock(mutex);
    ASSERT_TRUE(changed.wait_for(lock, 10s, [&] { return wakes == 2 && slowStarted; }));
    EXPECT_NE(fetchThread, std::this_thread::get_id());
  }
  EXPECT_TRUE(delivered.empty());
  loader->DeliverFinished();
  std::sort(delivered.begin(), delivered.end());  // the threads may finish in either order
  EXPECT_EQ(delivered, (Strings{"http://h/a.pls-station", "http://h/b.pls-station"}));
  EXPECT_EQ(loader->Pending(), 1);
  loader.reset();  // returns once the fetch under way has seen the cancel
  EXPECT_TRUE(sawCancel);
  EXPECT_EQ(delivered.size(), 2u);
}

}  // namespace
}  // namespace orvana::app
