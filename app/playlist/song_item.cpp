#include "app/playlist/song_item.h"

#include "app/playlist/genre_names.h"
#include "app/files/path_text.h"

namespace orvana::app {
namespace {

TPlaylistItem NewSongItem(const std::string& path) {
  TPlaylistItem item;
  item.subItems.resize(kSubItemCount);
  item.subItems[siTime] = kUnknownTime;
  item.subItems[siPath] = path;
  return item;
}

// Never the last sub-item: on an item from a damaged list file that is the
// path, whatever its position.
void SetSubItem(TPlaylistItem& item, TSubItem index, std::string text) {
  if (static_cast<std::size_t>(index) + 1 < item.subItems.size()) item.subItems[index] = std::move(text);
}

}  // namespace

TPlaylistItem ItemFromFileName(const std::string& path) {
  TPlaylistItem item = NewSongItem(path);
  item.caption = std::string(FileNamePart(path));
  return item;
}

TPlaylistItem ItemFromAddress(const std::string& address, const std::string& title) {
  TPlaylistItem item = NewSongItem(address);
  item.caption = title.empty() ? address : title;
  return item;
}

TPlaylistItem ItemFromTag(const std::string& path, const TTagRecord& record) {
  TPlaylistItem item = NewSongItem(path);
  UpdateItemFromTag(item, record);
  item.subItems[siTrack] = record.Version == "1.1" ? std::to_string(record.Track) : std::string();
  return item;
}

void UpdateItemFromTag(TPlaylistItem& item, const TTagRecord& record) {
  item.caption = record.Title;
  SetSubItem(item, siArtist, record.Artist);
  SetSubItem(item, siAlbum, record.Album);
  SetSubItem(item, siTrack, record.Track != 0 ? std::to_string(record.Track) : std::string());
  SetSubItem(item, siGenre, std::string(GenreName(record.Genre)));
  SetSubItem(item, siYear, record.Year);
  SetSubItem(item, siComment, record.Comment);
}

}  // namespace orvana::app
