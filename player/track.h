#pragma once
// TMPTrack: one song the player holds open: its stream, the reader and the
// frames over it, its tags, what its first frame and encoder header say,
// and where decoding goes on in it. The player keeps the song that is heard
// and, ahead of it, the one that follows; the decode thread moves from one
// to the next without a gap.
//
// Opening reads the file but never the engine, so the next song can be
// opened while the engine still decodes the one before it.
#include <cstdint>
#include <functional>
#include <string>

#include "engine/frame_header.h"
#include "player/frame_stream.h"
#include "player/gapless_trim.h"
#include "player/mp3_info.h"
#include "player/mp3_player_types.h"
#include "player/replay_gain.h"
#include "player/seek_table.h"
#include "player/stream.h"
#include "player/stream_reader.h"

namespace orvana::player {

class TMPTrack {
 public:
  static constexpr int kReaderCapacity = 65536;
  static constexpr const char* kUnknownFormat = "unknown MPEG Audio format.";

  explicit TMPTrack(TMP3InfoType needInfoType);
  // Frees the stream when it is owned.
  ~TMPTrack();
  TMPTrack(const TMPTrack&) = delete;
  TMPTrack& operator=(const TMPTrack&) = delete;

  // Reads the tags, finds the first frame and reads the encoder's header.
  // Raises kUnknownFormat for a stream that is not MPEG audio; the stream is
  // the track's from the call on (freed with it when owned), even then.
  void Open(TStream* stream, TMP3StreamOptions options, const std::string& name);

  const std::string& FileName() const { return fileName_; }
  bool Seekable() const { return (options_ & msoSeekable) != 0; }
  int Layer() const { return layer_; }
  int Version() const { return version_; }  // 1 MPEG-1, 2 MPEG-2, 3 MPEG-2.5
  int Frequency() const { return frequency_; }
  int Channels() const { return channels_; }
  int Bitrate() const { return bitrate_; }
  int PcmBytesPerFrame() const { return pcmBytesPerFrame_; }
  int BytesPerSample() const { return channels_ * 2; }
  // PCM bytes of the whole song from its encoder's header, 0 when unknown.
  std::int64_t HeaderTotal() const { return headerTotal_; }
  // The first frame, to configure the engine with.
  const engine::FrameHeader& FirstHeader() const { return firstHeader_; }
  int FirstLength() const { return firstLength_; }
  // From the tags and the encoder's header; which source gave what is in info.ReplayGain().
  const TReplayGainValues& ReplayGain() const { return info.ReplayGain().values; }

  // Where decoding goes on: the next frame decoded starts at PCM byte
  // `frameStart` of the decoded stream; nothing before `playFrom` (nor
  // outside the play window) is played.
  const TPlayWindow& PlayWindow() const { return window_; }
  void ContinueAt(std::int64_t frameStart, std::int64_t playFrom);
  // The same, to decode again part of what has been sent on: where the
  // track's sound starts in the output stays as it was.
  void ReviseAt(std::int64_t frameStart, std::int64_t playFrom);
  // The byte of the decoded stream at the start of the track's output.
  std::int64_t OutputOrigin() const;
  std::int64_t NextFrameStart() const { return nextFrameStart_; }
  std::int64_t PlayFrom() const { return playFrom_; }
  // Called as each frame is decoded: returns where it started.
  std::int64_t TakeFrameStart();
  // Back to the first audio frame, from where it plays again.
  void Rewind();

  // A stream fed from the network holds what has come so far: whether
  // `bytes` can be read without waiting, and a call once they can (an empty
  // function withdraws it).
  bool Live() const { return live_; }
  bool DataAtHand(int bytes) const;
  void CallWhenDataAtHand(int bytes, std::function<void()> ready);
  // Once: the stream's title that starts at or before the reader's position.
  bool TakeTitleStarted(std::string& title) { return stream_->TakeTitleStartingBefore(reader.Position(), title); }

  TMPStreamReader reader{kReaderCapacity};
  TMPFrameStream frames{reader};
  TMP3Info info;
  TMPSeekTable seekTable;

 private:
  void ReadEncoderHeader(const engine::FrameHeader& header);
  void SetPlayWindow(const TPlayWindow& samples);

  TStream* stream_ = nullptr;
  bool live_ = false;
  TMP3StreamOptions options_ = 0;
  std::string fileName_;
  engine::FrameHeader firstHeader_;
  int firstLength_ = 0;
  int layer_ = 0;
  int version_ = 0;
  int frequency_ = 0;
  int channels_ = 0;
  int bitrate_ = 0;
  int pcmBytesPerFrame_ = 0;
  std::int64_t headerTotal_ = 0;
  TPlayWindow window_;
  std::int64_t nextFrameStart_ = 0;
  std::int64_t playFrom_ = 0;
  std::int64_t origin_ = 0;
};

// Whether `next` plays on through the output `current` plays on, unchanged.
bool SameOutputFormat(const TMPTrack& current, const TMPTrack& next);

}  // namespace orvana::player
