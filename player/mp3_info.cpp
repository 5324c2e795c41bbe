#include "player/mp3_info.h"

#include <algorithm>
#include <exception>

#include "platform/text_encoding.h"
#include "player/assertion.h"
#include "player/id3v1_tag.h"
#include "player/id3v2_tag.h"
#include "player/lyrics3_block.h"
#include "player/macbinary_header.h"
#include "player/replay_gain_tags.h"
#include "player/riff_chunks.h"

namespace orvana::player {

void TMP3Info::Clear() {
  reader_ = nullptr;
  foundTypes_ = {};
  dataStart_ = 0;
  dataSize_ = kDataSizeUnknown;
  dataForkEnd_ = 0;
  dataChunkStart_ = 0;
  dataChunkSize_ = kDataSizeUnknown;
  id3v1Position_ = lyricsPosition_ = 0;
  riffValues_.Clear();
  id3v1Values_.Clear();
  id3v2Values_.Clear();
  lyricsValues_.Clear();
  replayGainSources_ = {};
  replayGain_ = {};
}

void TMP3Info::SetReader(TMPStreamReader* reader) {
  if (reader != nullptr) Clear();
  reader_ = reader;
}

bool TMP3Info::ScanHead() {
  MPAssert(reader_ != nullptr);
  if (const auto forks = ReadMacBinaryHeader(*reader_)) {
    foundTypes_.Include(mitMacBin);
    dataStart_ = reader_->Position();
    dataSize_ = forks->dataForkLength;
    dataForkEnd_ = dataStart_ + forks->dataForkLength;
  }
  ScanRiffHead();
  const auto readFrame = [this](const TID3v2Frame& frame) {
    id3v2Values_.Add(frame.id, frame.Text());
    ReadReplayGainFrame(frame, replayGainSources_);
  };
  const auto tagLength = PassID3v2Tag(*reader_, readFrame);
  replayGain_ = ChooseReplayGain(replayGainSources_);
  if (tagLength) {
    foundTypes_.Include(mitID3V2);
    dataStart_ = reader_->Position();
    // A tag longer than the data fork claims leaves no data, not less than none.
    if (DataSizeKnown()) dataSize_ = std::max<std::int64_t>(0, dataSize_ - *tagLength);
  }
  return reader_->Fill(1);
}

void TMP3Info::SetEncoderReplayGain(const TReplayGainValues& values) {
  replayGainSources_.encoder = values;
  replayGain_ = ChooseReplayGain(replayGainSources_);
}

void TMP3Info::ScanRiffHead() {
  if (!ReadRiffHeader(*reader_)) return;
  // Writers such as ffmpeg put the INFO list before the "data" chunk.
  if (!FindChunk(*reader_, "data", {}, &riffValues_)) return;
  const auto size = ReadDataChunkHeader(*reader_);
  if (!size) return;
  foundTypes_.Include(mitRiff);
  dataChunkSize_ = dataSize_ = *size;
  dataChunkStart_ = dataStart_ = reader_->Position();
}

bool TMP3Info::ScanTail() {
  MPAssert(reader_ != nullptr);
  if (!reader_->Seekable()) return false;
  // No data runs past the end of the file, whatever a header claims.
  const std::int64_t available = std::max<std::int64_t>(0, reader_->Size() - dataStart_);
  dataSize_ = std::clamp<std::int64_t>(dataSize_, 0, available);
  if (foundTypes_.Has(mitRiff)) ScanRiffTail();
  ScanID3v1();
  ScanLyrics();
  return true;
}

void TMP3Info::ScanRiffTail() {
  try {
    const std::int64_t chunkEnd = dataChunkStart_ + dataChunkSize_;
    if (chunkEnd >= reader_->Size()) return;
    reader_->Seek(chunkEnd + (chunkEnd & 1), soBeginning);
    FindChunk(*reader_, "LIST", "INFO");
    ReadInfoList(*reader_, riffValues_);
  } catch (const std::exception&) {
    // Texts after the audio are a bonus: a failure here is no failure to play.
  }
}

std::int64_t TMP3Info::ContentEnd() const {
  return foundTypes_.Has(mitMacBin) ? dataForkEnd_ : reader_->Size();
}

void TMP3Info::ScanID3v1() {
  const std::int64_t position = ContentEnd() - kID3v1TagSize;
  if (position < 0 || position > reader_->Size()) return;
  if (!ReadID3v1Tag(*reader_, position, id3v1Values_)) return;
  foundTypes_.Include(mitID3V1);
  id3v1Position_ = position;
}

void TMP3Info::ScanLyrics() {
  const std::int64_t blockEnd = foundTypes_.Has(mitID3V1) ? id3v1Position_ : ContentEnd();
  const TLyrics3Result result = ReadLyrics3Block(*reader_, blockEnd, lyricsValues_);
  lyricsPosition_ = result.position;
  if (result.read) foundTypes_.Include(mitLyrics);
}

std::string TMP3Info::KnownGenre() const {
  if (id3v1Values_.Value("GENREIDX") != "255") return Genre();
  return Merged({}, ID3v2Genre(), "IGNR");
}

std::string TMP3Info::ID3v2Text(std::initializer_list<std::string_view> keys) const {
  for (const std::string_view key : keys) {
    std::string value = id3v2Values_.Value(key);
    if (!value.empty()) return value;
  }
  return {};
}

std::string TMP3Info::ID3v2Year() const {
  if (std::string year = ID3v2Text({"TYER", "TYE"}); !year.empty()) return year;
  std::string time = id3v2Values_.Value("TDRC");
  const bool leadingYear = time.size() >= 4 && std::all_of(time.begin(), time.begin() + 4, [](char c) {
                             return c >= '0' && c <= '9';
                           });
  return leadingYear ? time.substr(0, 4) : time;
}

std::string TMP3Info::Merged(std::string_view id3v1Key, std::string id3v2Text, std::string_view riffKey) const {
  std::string best;
  std::size_t bestLength = 0;
  const auto consider = [&](TMP3InfoItem source, std::string value) {
    if (!needInfoType_.Has(source)) return;
    const std::size_t length = platform::Utf8Length(value);
    if (length > bestLength) {
      best = std::move(value);
      bestLength = length;
    }
  };
  const auto valueOf = [](const TKeyedList& values, std::string_view key) {
    return key.empty() ? std::string() : values.Value(key);
  };
  consider(mitID3V1, valueOf(id3v1Values_, id3v1Key));
  consider(mitID3V2, std::move(id3v2Text));
  consider(mitRiff, valueOf(riffValues_, riffKey));
  return best;
}

}  // namespace orvana::player
