#include "app/playlist/playlist_finder.h"

#include <algorithm>

#include "app/files/path_text.h"
#include "app/playlist/text_folding.h"

namespace orvana::app {
namespace {

// A word never holds a blank, so it cannot match across two fields.
constexpr char16_t kFieldSeparator = u'\n';

}  // namespace

TPlaylistFinder::TPlaylistFinder(const TPlaylist& playlist) : playlist_(playlist) { RefoldAll(); }

QString TPlaylistFinder::FoldedItem(int row) const {
  const TPlaylistItem& item = playlist_.Item(row);
  const std::string_view texts[] = {item.Caption(), item.SubItem(siArtist), item.SubItem(siAlbum),
                                     FileNamePart(ItemPath(item))};
  QString fields;
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    if (i > 0) fields += kFieldSeparator;
    fields += QString::fromUtf8(texts[i].data(), qsizetype(texts[i].size()));
  }
  // One normalisation per item rather than per field.
  return FoldForSearch(fields);
}

void TPlaylistFinder::RefoldAll() {
  folded_.clear();
  folded_.reserve(std::size_t(playlist_.Count()));
  for (int row = 0; row < playlist_.Count(); ++row) folded_.push_back(FoldedItem(row));
}

void TPlaylistFinder::Inserted(int first, int count) {
  if (first < 0 || count <= 0 || std::size_t(first) > folded_.size() ||
      folded_.size() + std::size_t(count) != std::size_t(playlist_.Count())) {
    RefoldAll();  // not what the playlist holds: start over
    return;
  }
  std::vector<QString> added;
  added.reserve(std::size_t(count));
  for (int row = first; row < first + count; ++row) added.push_back(FoldedItem(row));
  folded_.insert(folded_.begin() + first, std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
}

bool TPlaylistFinder::Changed(int first, int last) {
  if (folded_.size() != std::size_t(playlist_.Count())) {
    RefoldAll();
    return true;
  }
  bool changed = false;
  for (int row = std::max(first, 0); row <= last && playlist_.ValidIndex(row); ++row) {
    QString folded = FoldedItem(row);
    if (folded == folded_[std::size_t(row)]) continue;
    folded_[std::size_t(row)] = std::move(folded);
    changed = true;
  }
  return changed;
}

std::vector<int> TPlaylistFinder::Find(const QString& query) const {
  const QStringList words = FoldedWords(query);
  std::vector<int> rows;
  const int count = std::min(int(folded_.size()), playlist_.Count());
  for (int row = 0; row < count; ++row) {
    const QString& text = folded_[std::size_t(row)];
    if (std::all_of(words.begin(), words.end(), [&text](const QString& word) { return text.contains(word); }))
      rows.push_back(row);
  }
  return rows;
}

}  // namespace orvana::app
