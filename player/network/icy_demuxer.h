#pragma once
// TIcyDemuxer: takes ICY metadata out of a station's bytes. After every
// `metaint` audio bytes comes a length byte (the block's size in sixteens)
// and the block; the pieces may be cut anywhere between two receptions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvana::player {

class TIcyDemuxer {
 public:
  // `metaint` 0: the stream carries no metadata, every byte is audio.
  explicit TIcyDemuxer(std::size_t metaint = 0) : metaint_(metaint), audioLeft_(metaint) {}

  // Audio pieces go to onAudio(std::string_view) in order; each whole,
  // non-empty metadata block to onBlock(std::string_view).
  template <class OnAudio, class OnBlock>
  void Split(std::string_view bytes, OnAudio&& onAudio, OnBlock&& onBlock);

 private:
  enum class TPart : std::uint8_t { kAudio, kLength, kBlock };

  std::size_t metaint_;
  TPart part_ = TPart::kAudio;
  std::size_t audioLeft_;
  std::size_t blockLeft_ = 0;
  std::string block_;
};

template <class OnAudio, class OnBlock>
void TIcyDemuxer::Split(std::string_view bytes, OnAudio&& onAudio, OnBlock&& onBlock) {
  if (metaint_ == 0) {
    if (!bytes.empty()) onAudio(bytes);
    return;
  }
  while (!bytes.empty()) {
    switch (part_) {
      case TPart::kAudio: {
        const std::string_view audio = bytes.substr(0, audioLeft_);
        onAudio(audio);
        bytes.remove_prefix(audio.size());
        audioLeft_ -= audio.size();
        if (audioLeft_ == 0) part_ = TPart::kLength;
        break;
      }
      case TPart::kLength:
        blockLeft_ = std::size_t{static_cast<unsigned char>(bytes.front())} * 16;
        bytes.remove_prefix(1);
        block_.clear();
        part_ = blockLeft_ == 0 ? TPart::kAudio : TPart::kBlock;
        audioLeft_ = metaint_;
        break;
      case TPart::kBlock: {
        const std::string_view piece = bytes.substr(0, blockLeft_);
        block_.append(piece);
        bytes.remove_prefix(piece.size());
        blockLeft_ -= piece.size();
        if (blockLeft_ == 0) {
          part_ = TPart::kAudio;
          onBlock(std::string_view(block_));
        }
        break;
      }
    }
  }
}

}  // namespace orvana::player
