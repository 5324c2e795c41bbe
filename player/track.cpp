#include "player/track.h"

#include <algorithm>

#include <stdexcept>

#include "engine/engine_state.h"
#include "engine/frame_scanner.h"
#include "player/vbr_header.h"

namespace orvana::player {
namespace {

// The open reads this much after the tags in one request to find the first frame.
constexpr int kSyncSearchBytes = 4096;
// The longest frame there is (MPEG-2.5 Layer III, 160 kbit/s at 8 kHz, padded).
constexpr int kLongestFrame = 1441;
// One frame of 1152 stereo 16-bit samples.
constexpr int kLongestPcmFrame = 4608;

[[noreturn]] void RaiseUnknownFormat() { throw std::runtime_error(TMPTrack::kUnknownFormat); }

}  // namespace

TMPTrack::TMPTrack(TMP3InfoType needInfoType) { info.SetNeedInfoType(needInfoType); }

TMPTrack::~TMPTrack() {
  reader.Close();
  if (options_ & msoOwnsStream) delete stream_;
}

void TMPTrack::Open(TStream* stream, TMP3StreamOptions options, const std::string& name) {
  stream_ = stream;
  live_ = stream->ReadyBytes() != kDataSizeUnknown;
  options_ = options;
  fileName_ = name;
  seekTable.Clear();
  reader.Open(stream_, Seekable());
  info.SetReader(&reader);
  info.ScanHead();
  if (Seekable()) {
    info.ScanTail();
    reader.Seek(info.DataStart(), soBeginning);
  }
  frames.Reset(info.DataStart(), info.DataSize());

  // A shorter stream simply offers fewer bytes.
  reader.Need(kSyncSearchBytes);
  engine::FrameHeader header;
  int bitrate = 0;
  int offset = 0;
  // A free-format frame measures by the search for the next one within the bytes read.
  const int firstLength = engine::FindFrameSync(reader.Data(), reader.Contiguous(), header, bitrate, offset);
  if (firstLength <= 0) RaiseUnknownFormat();
  if (offset > 0) {
    frames.MoveDataStart(offset);
    if (!reader.Skip(offset)) RaiseUnknownFormat();
    reader.Need(kLongestFrame);
    if (reader.Contiguous() < 4) RaiseUnknownFormat();
  }
  frames.TakeFirstHeader(header.bitrateIndex == 0 ? firstLength : 0);
  engine::FrameHeader measured;
  const int length = frames.FrameSize(reader.Data(), measured);
  if (length <= 0) RaiseUnknownFormat();
  frames.SetPending(length, measured);
  layer_ = 4 - header.layerCode;
  if (header.versionId == 1)
    version_ = 1;
  else if (header.versionId == 0 && (header.syncKind == 1 || header.syncKind == 2))
    version_ = header.syncKind + 1;
  else
    RaiseUnknownFormat();
  engine::OutputFormat format;
  if (!reader.Need(length) ||
      !engine::OutputFormatFor(header, TMPFrameStream::LengthWithoutPadding(length, header),
                               engine::output_flags::kChannelsAsCoded, format))
    RaiseUnknownFormat();
  pcmBytesPerFrame_ = format.samplesPerFrame * format.bitsPerSample / 8;
  if (pcmBytesPerFrame_ <= 0 || pcmBytesPerFrame_ > kLongestPcmFrame) RaiseUnknownFormat();
  firstHeader_ = header;
  firstLength_ = length;
  frequency_ = format.sampleRate;
  channels_ = format.channels;
  bitrate_ = bitrate;
  ReadEncoderHeader(header);
  seekTable.Add(reader.Position());
}

void TMPTrack::ReadEncoderHeader(const engine::FrameHeader& header) {
  const int length = frames.PendingLength();
  const TVbrHeader vbr = ReadVbrHeader(reader.Data(), length, header);
  if (vbr.kind == TVbrHeaderKind::kNone) return;
  info.SetEncoderReplayGain(vbr.encoderGain);
  // An Info header marks a constant-bit-rate file: its bit rate stands.
  if (vbr.kind != TVbrHeaderKind::kInfo) bitrate_ = 0;
  if (vbr.frames > 0) headerTotal_ = std::int64_t{vbr.frames - 1} * pcmBytesPerFrame_;
  if (vbr.bytes > 0) frames.SetDataSize(vbr.bytes);
  // The encoder's delays are those of Layer III encoding.
  if (layer_ == 3) SetPlayWindow(EncoderPlayWindow(vbr, pcmBytesPerFrame_ / BytesPerSample()));
  // The header frame is stream information, never audio.
  if (!reader.Skip(length)) RaiseUnknownFormat();
  frames.MoveDataStart(length);
  frames.ClearPending();
}

void TMPTrack::SetPlayWindow(const TPlayWindow& samples) {
  window_ = samples.Scaled(BytesPerSample());
  ContinueAt(0, window_.from);
  // The length is that of the music alone.
  if (window_.Length() >= 0) headerTotal_ = window_.Length();
}

void TMPTrack::ContinueAt(std::int64_t frameStart, std::int64_t playFrom) {
  ReviseAt(frameStart, playFrom);
  origin_ = playFrom;
}

void TMPTrack::ReviseAt(std::int64_t frameStart, std::int64_t playFrom) {
  nextFrameStart_ = frameStart;
  playFrom_ = playFrom;
}

std::int64_t TMPTrack::OutputOrigin() const { return std::max(window_.from, origin_); }

std::int64_t TMPTrack::TakeFrameStart() {
  const std::int64_t start = nextFrameStart_;
  nextFrameStart_ += pcmBytesPerFrame_;
  return start;
}

void TMPTrack::Rewind() {
  if (Seekable()) reader.Seek(frames.DataStart(), soBeginning);
  frames.ClearPending();
  ContinueAt(0, window_.from);
}

bool TMPTrack::DataAtHand(int bytes) const {
  const int held = reader.Count();
  return held >= bytes || stream_->ReadyBytes() >= bytes - held;
}

void TMPTrack::CallWhenDataAtHand(int bytes, std::function<void()> ready) {
  if (stream_ != nullptr) stream_->CallWhenReady(std::max(1, bytes - reader.Count()), std::move(ready));
}

bool SameOutputFormat(const TMPTrack& current, const TMPTrack& next) {
  return current.Frequency() == next.Frequency() && current.Channels() == next.Channels();
}

}  // namespace orvana::player
