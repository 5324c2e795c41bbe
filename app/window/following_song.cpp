#include "app/window/following_song.h"

#include <algorithm>

#include "app/files/file_reading.h"
#include "app/playlist/playlist_item.h"
#include "player/network/network_address.h"

namespace orvana::app {

bool SongIsAvailable(const std::string& path) {
  return player::IsNetworkAddress(path) || RegularFileExists(path);
}

bool PlayedInPass(const TPassState& pass, std::string_view path) {
  return std::find(pass.played.begin(), pass.played.end(), path) != pass.played.end();
}

int RandomUnplayedIndex(const TPassState& pass, const TPlaylist& playlist, TRandom& random) {
  const int count = playlist.Count();
  int index = pass.currentIndex;
  for (int attempt = 0; attempt < count; ++attempt) {
    index = random.Below(count);
    if (!PlayedInPass(pass, ItemPath(playlist.Item(index)))) return index;
  }
  // Luck alone would play a song twice in a pass while others wait: draw
  // among those not played yet.
  std::vector<int> waiting;
  for (int item = 0; item < count; ++item)
    if (!PlayedInPass(pass, ItemPath(playlist.Item(item)))) waiting.push_back(item);
  return waiting.empty() ? index : waiting[std::size_t(random.Below(int(waiting.size())))];
}

bool RenewFullPass(TPassState& pass, const TPlaylist& playlist, TPlayModes modes) {
  if (pass.played.size() < std::size_t(playlist.Count())) return true;
  pass.played.clear();
  return modes.repeat;
}

bool StepForward(TPassState& pass, const TPlaylist& playlist, TPlayModes modes, TRandom& random) {
  if (!RenewFullPass(pass, playlist, modes)) return false;
  const int count = playlist.Count();
  const int current = pass.currentIndex;
  if (modes.shuffle) {
    pass.currentIndex = RandomUnplayedIndex(pass, playlist, random);
  } else {
    pass.currentIndex = current >= count - 1 || current < 0 ? 0 : current + 1;
  }
  return true;
}

namespace {

// The drawn song, where the pass could still draw it.
std::optional<int> StillDrawable(const TPassState& pass, const TPlaylist& playlist, const std::string& preferred) {
  if (preferred.empty() || pass.played.size() >= std::size_t(playlist.Count()) || PlayedInPass(pass, preferred))
    return std::nullopt;
  for (int index = 0; index < playlist.Count(); ++index)
    if (ItemPath(playlist.Item(index)) == preferred) return index;
  return std::nullopt;
}

}  // namespace

std::optional<TFollowingSong> SongAfterCurrent(const TPlaylist& playlist, TPassState pass, TPlayModes modes,
                                               TRandom& random,
                                               const std::function<bool(const std::string&)>& exists,
                                               const std::string& preferred) {
  const int count = playlist.Count();
  for (int attempt = 0; attempt < count; ++attempt) {
    if (pass.currentIndex == count - 1 && !modes.repeat) return std::nullopt;
    const std::optional<int> drawn = modes.shuffle && attempt == 0 ? StillDrawable(pass, playlist, preferred)
                                                                   : std::nullopt;
    if (drawn) {
      pass.currentIndex = *drawn;
    } else if (!StepForward(pass, playlist, modes, random)) {
      return std::nullopt;
    }
    const std::string path(ItemPath(playlist.Item(pass.currentIndex)));
    if (exists(path)) return TFollowingSong{pass.currentIndex, path, std::move(pass)};
  }
  return std::nullopt;
}

}  // namespace orvana::app
