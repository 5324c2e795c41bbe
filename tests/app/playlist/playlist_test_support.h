#pragma once
// What the playlist tests share: a private temporary folder with small files
// made byte by byte, ID3v1 tags, and a listener that records what it hears.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/playlist/playlist.h"

namespace orvana::app::testing {

class TTempFolder {
 public:
  TTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvana-playlist-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  std::string Path(const std::string& relative) const { return (path_ / relative).string(); }
  const std::filesystem::path& Root() const { return path_; }

  // Writes the bytes, making the folders on the way; returns the full path.
  std::string Write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }
  std::string Folder(const std::string& relative) const {
    std::filesystem::create_directories(path_ / relative);
    return (path_ / relative).string();
  }

 private:
  std::filesystem::path path_;
};

struct TTagFields {
  // A constructor rather than an aggregate, so that tests name only the
  // fields they need, in order.
  TTagFields(std::string title = "", std::string artist = "", std::string album = "", std::string year = "",
             std::string comment = "", int track = -1, std::uint8_t genre = 0)
      : title(std::move(title)), artist(std::move(artist)), album(std::move(album)), year(std::move(year)),
        comment(std::move(comment)), track(track), genre(genre) {}
  std::string title, artist, album, year, comment;
  int track;  // -1: a v1.0 tag whose comment fills all 30 bytes
  std::uint8_t genre;
};

// The 128 bytes of an ID3v1 tag; fields longer than their room are cut.
inline std::string TagBytes(const TTagFields& fields) {
  std::string tag(128, '\0');
  tag.replace(0, 3, "TAG");
  const auto put = [&tag](std::size_t offset, std::size_t size, const std::string& text) {
    tag.replace(offset, std::min(size, text.size()), text.substr(0, size));
  };
  put(3, 30, fields.title);
  put(33, 30, fields.artist);
  put(63, 30, fields.album);
  put(93, 4, fields.year);
  if (fields.track >= 0) {
    put(97, 28, fields.comment);
    tag[125] = '\0';
    tag[126] = static_cast<char>(fields.track);
  } else {
    // Blank-padded as v1.0 writers do: a zero at byte 125 would read as v1.1.
    put(97, 30, fields.comment + std::string(30, ' '));
  }
  tag[127] = static_cast<char>(fields.genre);
  return tag;
}

// A small "song": some audio-like bytes and a tag behind them.
inline std::string TaggedSong(const TTagFields& fields) { return std::string(300, '\xFF') + TagBytes(fields); }

class TRecordingListener : public TPlaylistListener {
 public:
  void AboutToAppend(int first, int count) override {
    events.push_back("append " + std::to_string(first) + " " + std::to_string(count));
  }
  void Appended() override { events.push_back("appended"); }
  void AboutToRemove(const std::vector<int>& indices) override {
    std::string text = "remove";
    for (const int index : indices) text.append(" ").append(std::to_string(index));
    events.push_back(text);
  }
  void Removed() override { events.push_back("removed"); }
  void AboutToReorder() override { events.push_back("reorder"); }
  void Reordered(const std::vector<int>&) override { events.push_back("reordered"); }
  void AboutToReset() override { events.push_back("reset"); }
  void Reset() override { events.push_back("was reset"); }
  void ItemChanged(int index) override { events.push_back("changed " + std::to_string(index)); }

  std::vector<std::string> events;
};

inline TPlaylistItem Song(const std::string& caption, const std::string& path, const std::string& time = "--:--") {
  return TPlaylistItem(caption, {"", "", "", time, "", "", "", path});
}

inline std::vector<std::string> SubItems(const TPlaylistItem& item) {
  std::vector<std::string> texts;
  for (int i = 0; i < item.SubItemCount(); ++i) texts.emplace_back(item.SubItem(i));
  return texts;
}

inline std::vector<std::string> Captions(const TPlaylist& playlist) {
  std::vector<std::string> captions;
  for (const TPlaylistItem& item : playlist.Items()) captions.emplace_back(item.Caption());
  return captions;
}

inline std::vector<std::string> Paths(const TPlaylist& playlist) {
  std::vector<std::string> paths;
  for (const TPlaylistItem& item : playlist.Items()) paths.emplace_back(ItemPath(item));
  return paths;
}

}  // namespace orvana::app::testing
