// Prints how long the playlist's bulk operations take on 10,000 tagged songs:
// adding a folder tree with tag reading (warm cache), saving and loading the
// list file, sorting by two columns, shuffling and reversing.
#include <stdlib.h>

#include <QLocale>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/playlist/add_files.h"
#include "app/playlist/list_file.h"
#include "app/playlist/list_order.h"

namespace {

using namespace orvana::app;
using TClock = std::chrono::steady_clock;

constexpr int kFolders = 20;
constexpr int kSongsPerFolder = 500;

// 500 bytes of "audio" and an ID3v1.1 tag whose fields differ from song to song.
std::string SongBytes(int number) {
  std::string bytes(500, '\xFF');
  std::string tag(128, '\0');
  const auto put = [&tag](std::size_t offset, const std::string& text) { tag.replace(offset, text.size(), text); };
  put(0, "TAG");
  put(3, "Song " + std::to_string(number * 7919 % 10007));
  put(33, "Artist " + std::to_string(number % 97));
  put(63, "Album " + std::to_string(number % 331));
  put(93, std::to_string(1960 + number % 60));
  put(97, "comment");
  tag[126] = static_cast<char>(number % 20 + 1);
  tag[127] = static_cast<char>(number % 148);
  return bytes + tag;
}

std::filesystem::path MakeTree() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orvana-playlist-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  const std::filesystem::path root = pattern;
  for (int folder = 0; folder < kFolders; ++folder) {
    const std::filesystem::path sub = root / "music" / ("folder " + std::to_string(folder));
    std::filesystem::create_directories(sub);
    for (int song = 0; song < kSongsPerFolder; ++song) {
      const int number = folder * kSongsPerFolder + song;
      std::ofstream(sub / ("track " + std::to_string(song) + ".mp3"), std::ios::binary) << SongBytes(number);
    }
  }
  return root;
}

// The fastest of `runs` runs of `work`, each after an untimed `prepare`: other
// work on a shared machine only ever adds time.
double FastestMs(const std::function<void()>& work, int runs = 5, const std::function<void()>& prepare = [] {}) {
  double best = 0;
  for (int run = 0; run < runs; ++run) {
    prepare();
    const auto start = TClock::now();
    work();
    const double elapsed = std::chrono::duration<double, std::milli>(TClock::now() - start).count();
    if (run == 0 || elapsed < best) best = elapsed;
  }
  return best;
}

void Report(const char* what, double milliseconds, double target) {
  std::printf("%-34s %8.1f ms  (target < %.0f ms%s)\n", what, milliseconds, target,
              milliseconds < target ? "" : ", MISSED");
}

}  // namespace

int main() {
  // The caption sort follows the default locale: measure the program's own users' collation.
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  const std::filesystem::path root = MakeTree();
  const std::string music = (root / "music").string();
  const std::string listPath = (root / "orvana.lst").string();
  TPlaylist playlist;
  int totalSeconds = 0;

  AddFolder(playlist, music, true, true, false, totalSeconds);  // warms the cache
  const double add = FastestMs([&] { AddFolder(playlist, music, true, true, false, totalSeconds); }, 3);
  std::printf("%d songs in %d folders; each figure is the fastest of several runs\n", playlist.Count(), kFolders);
  Report("add folder, reading tags", add, 700);
  Report("save list file", FastestMs([&] { SaveListFile(playlist, listPath); }), 50);
  Report("load list file", FastestMs([&] { LoadListFile(playlist, listPath); }), 50);

  TRandom random(1);
  // Each sort starts from a shuffled list, so that it has work to do.
  const auto shuffle = [&] { playlist.Reorder(ShuffledOrder(playlist.Count(), random)); };
  Report("sort by title (locale collation)", FastestMs([&] { SortListByColumn(playlist, 0); }, 5, shuffle), 50);
  Report("sort by album (bytes)", FastestMs([&] { SortListByColumn(playlist, siAlbum + 1); }, 5, shuffle), 50);
  Report("shuffle", FastestMs([&] { ShuffleList(playlist, random); }), 50);
  Report("reverse", FastestMs([&] { ReverseList(playlist); }), 50);

  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  return 0;
}
