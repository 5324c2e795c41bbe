#pragma once
// TMP3Info: the containers and tags around the MPEG audio data of a stream.
// It finds where the audio starts and how long it is, keeps the texts of
// the tags in four keyed lists from which the song's texts are merged, and
// the song's ReplayGain values.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "player/keyed_list.h"
#include "player/mp3_info_type.h"
#include "player/replay_gain_sources.h"
#include "player/stream_reader.h"

namespace orvana::player {

class TMP3Info {
 public:
  TMP3Info() = default;

  // Forgets the reader and everything found.
  void Clear();
  // A new reader clears the previous results first; the reader is not owned.
  void SetReader(TMPStreamReader* reader);

  // MacBinary header, RIFF "data" chunk and ID3v2 tag, from the reader's
  // position. True when at least one byte follows.
  bool ScanHead();
  // Size of the data, RIFF INFO texts after the "data" chunk, ID3v1 tag and
  // Lyrics3 block. Seekable readers only; false at once otherwise.
  bool ScanTail();

  TMP3InfoType FoundTypes() const { return foundTypes_; }
  std::int64_t DataStart() const { return dataStart_; }
  std::int64_t DataSize() const { return dataSize_; }
  bool DataSizeKnown() const { return dataSize_ != kDataSizeUnknown; }
  std::int64_t ID3v1Position() const { return id3v1Position_; }
  std::int64_t LyricsPosition() const { return lyricsPosition_; }

  const TKeyedList& ID3v1Values() const { return id3v1Values_; }
  const TKeyedList& ID3v2Values() const { return id3v2Values_; }
  const TKeyedList& RiffValues() const { return riffValues_; }
  const TKeyedList& LyricsValues() const { return lyricsValues_; }

  // The ReplayGain values chosen from the ID3v2 tag's and, once the track
  // has read the first frame, the encoder's.
  const TReplayGainChoice& ReplayGain() const { return replayGain_; }
  void SetEncoderReplayGain(const TReplayGainValues& values);

  // The sources the merged texts may draw on.
  TMP3InfoType NeedInfoType() const { return needInfoType_; }
  void SetNeedInfoType(TMP3InfoType types) { needInfoType_ = types; }

  // Each text is the longest of the wanted sources' values; of equally long
  // ones the first of ID3v1, ID3v2, RIFF. ID3v2 frames are named by version:
  // 2.3 and 2.4 first, then 2.2.
  std::string Title() const { return Merged("TITLE", ID3v2Text({"TIT2", "TT2"}), "INAM"); }
  std::string Artist() const { return Merged("ARTIST", ID3v2Text({"TPE1", "TP1"}), "IART"); }
  std::string Album() const { return Merged("ALBUM", ID3v2Text({"TALB", "TAL"}), "IPRD"); }
  std::string Year() const { return Merged("YEAR", ID3v2Year(), "ICRD"); }
  std::string Comment() const { return Merged("COMMENT", {}, "ICMT"); }
  std::string Genre() const { return Merged("GENRE", ID3v2Genre(), "IGNR"); }
  // The genre as people read it: ID3v1's byte 255 is what taggers write for
  // "no genre", not the table's last name.
  std::string KnownGenre() const;
  std::string Track() const { return Merged("TRACK", {}, {}); }

 private:
  std::string Merged(std::string_view id3v1Key, std::string id3v2Text, std::string_view riffKey) const;
  // The first non-empty ID3v2 value of the keys.
  std::string ID3v2Text(std::initializer_list<std::string_view> keys) const;
  // 2.4 keeps a recording time ("2021-05-04T10:00") of which the year counts.
  std::string ID3v2Year() const;
  // The grouping frame, not TCON: the genre has always been read from there.
  std::string ID3v2Genre() const { return ID3v2Text({"TIT1", "TT1"}); }
  void ScanRiffHead();
  void ScanRiffTail();
  void ScanID3v1();
  void ScanLyrics();
  // Where the file's own data ends: the data fork of a MacBinary file.
  std::int64_t ContentEnd() const;

  TMPStreamReader* reader_ = nullptr;
  TMP3InfoType foundTypes_;
  std::int64_t dataStart_ = 0;
  std::int64_t dataSize_ = kDataSizeUnknown;
  std::int64_t dataForkEnd_ = 0;  // MacBinary: where the data fork ends
  std::int64_t dataChunkStart_ = 0;
  std::int64_t dataChunkSize_ = kDataSizeUnknown;
  TKeyedList riffValues_;
  TKeyedList id3v1Values_;
  std::int64_t id3v1Position_ = 0;
  TKeyedList id3v2Values_;
  TKeyedList lyricsValues_;
  std::int64_t lyricsPosition_ = 0;
  TReplayGainSources replayGainSources_;
  TReplayGainChoice replayGain_;
  TMP3InfoType needInfoType_{mitID3V1, mitID3V2, mitRiff};
};

}  // namespace orvana::player
