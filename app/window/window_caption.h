#pragma once
// The texts the window shows about itself: its caption, the song count and
// the total play time.
#include <string>

#include "player/mp3_player_types.h"

namespace orvana::app {

// "Orvana - " + title + " <停止中>" / " <再生中>" / " <一時停止>".
std::string WindowCaption(const std::string& title, player::TMP3Status status);
// "12 曲".
std::string SongCountText(int count);
// "総演奏時間: 03:25"; minutes may run past two digits.
std::string TotalTimeText(int totalSeconds);

}  // namespace orvana::app
