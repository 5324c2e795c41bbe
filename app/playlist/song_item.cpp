#include "app/playlist/song_item.h"

#include <array>

#include "app/playlist/genre_names.h"
#include "app/files/path_text.h"

namespace orvana::app {
namespace {

using TColumnTexts = std::array<std::string_view, kColumnCount>;

TPlaylistItem NewSongItem(std::string_view caption, std::string_view path) {
  TColumnTexts texts{};
  texts[0] = caption;
  texts[siTime + 1] = kUnknownTime;
  texts[siPath + 1] = path;
  return TPlaylistItem(texts);
}

}  // namespace

TPlaylistItem ItemFromFileName(const std::string& path) { return NewSongItem(FileNamePart(path), path); }

TPlaylistItem ItemFromAddress(const std::string& address, const std::string& title) {
  return NewSongItem(title.empty() ? address : title, address);
}

TPlaylistItem ItemFromTag(const std::string& path, const TTagRecord& record) {
  const std::string track = record.Version == "1.1" ? std::to_string(record.Track) : std::string();
  const TColumnTexts texts{record.Title,      record.Artist, record.Album,  track,  kUnknownTime,
                           GenreName(record.Genre), record.Year,   record.Comment, path};
  return TPlaylistItem(texts);
}

void UpdateItemFromTag(TPlaylistItem& item, const TTagRecord& record) {
  const std::string track = record.Track != 0 ? std::to_string(record.Track) : std::string();
  std::vector<std::string_view> texts{record.Title};
  for (int i = 0; i < item.SubItemCount(); ++i) texts.push_back(item.SubItem(i));
  // Never the last sub-item: on an item from a damaged list file that is the
  // path, whatever its position.
  const auto set = [&](TSubItem index, std::string_view text) {
    if (index + 1 < item.SubItemCount()) texts[std::size_t(index) + 1] = text;
  };
  set(siArtist, record.Artist);
  set(siAlbum, record.Album);
  set(siTrack, track);
  set(siGenre, GenreName(record.Genre));
  set(siYear, record.Year);
  set(siComment, record.Comment);
  item = TPlaylistItem(texts);  // the views point into the old block until here
}

}  // namespace orvana::app
