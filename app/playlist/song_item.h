#pragma once
// Playlist items made from a song's file name and from its ID3v1 record,
// and the items of stations.
#include <string>

#include "app/playlist/playlist_item.h"
#include "app/playlist/tag_record.h"

namespace orvana::app {

// Caption the file name part, every other column empty, time unknown.
TPlaylistItem ItemFromFileName(const std::string& path);

// A station: its address is the path, the caption the title a playlist
// gave it or else the address; its time stays unknown, it has no tag.
TPlaylistItem ItemFromAddress(const std::string& address, const std::string& title);

// The columns of a newly added song with a tag. The track shows for a v1.1
// tag, even when it is 0.
TPlaylistItem ItemFromTag(const std::string& path, const TTagRecord& record);

// Refreshes the tag columns of an item whose file has been read again (when
// it is played): here a track of 0 shows empty. Time and path stay; an item
// from a damaged list file gets only the columns it has before its path.
void UpdateItemFromTag(TPlaylistItem& item, const TTagRecord& record);

}  // namespace orvana::app
