#pragma once
// One step of the player's decode thread, run each time its wake event is
// found signalled: decode the next frame into the PCM buffer and write it to
// the sound output; skip garbage; read ahead while the output is full; and
// at the end of the data wait until the output has played everything and
// report the end of the stream.
//
// Locks: the decode lock (reader, engine, this object) is taken before the
// output lock (the sound output), never the other way round.
#include <cstdint>
#include <functional>

#include "engine/engine_state.h"
#include "player/aligned_memory.h"
#include "player/event.h"
#include "player/frame_stream.h"
#include "player/gapless_trim.h"
#include "player/mutex.h"
#include "player/sound_out.h"
#include "player/stream_reader.h"

namespace orvana::player {

class TMPDecodeStep {
 public:
  // One frame of 1152 stereo 16-bit samples, with room to spare.
  static constexpr int kPcmBufferSize = 5120;
  // At or below this much free output space the thread yields after a step.
  static constexpr int kYieldFreePercent = 25;

  struct TLinks {
    TMPStreamReader& reader;
    TMPFrameStream& frames;
    engine::EngineState& engine;
    TSoundOut& output;
    TMPSimpleMutex& decodeLock;
    TMPSimpleMutex& outputLock;
    TMPEvent& wakeEvent;
  };
  using EndOfStreamNotice = std::function<void()>;

  TMPDecodeStep(const TLinks& links, EndOfStreamNotice onEndOfStream);

  // Per open stream.
  void AllocateBuffer();
  void FreeBuffer();
  void SetPcmBytesPerFrame(int bytes) { pcmBytesPerFrame_ = bytes; }
  int PcmBytesPerFrame() const { return pcmBytesPerFrame_; }
  // The PCM bytes of the decoded stream that are played (gapless trimming);
  // the rest is decoded and dropped.
  void SetPlayWindow(const TPlayWindow& bytes) { window_ = bytes; }
  const TPlayWindow& PlayWindow() const { return window_; }

  // The rest is called with the decode lock held.
  // Configures the engine for the stream of `header` (whose measured length
  // includes padding); on success clears the restart flag and the garbage count.
  bool InitDecoder(const engine::FrameHeader& header, int length);
  // Drops decoded samples not yet written (after a stop or seek).
  void DropPendingPcm() { pendingPcm_ = 0; }
  // The next frame decoded starts at PCM byte `frameStart` of the decoded
  // stream; nothing before `playFrom` (nor before the window) is played.
  void ContinueAt(std::int64_t frameStart, std::int64_t playFrom);
  // The engine starts afresh at the next frame.
  void RequestReinit() { reinitDecoder_ = true; }

  // The decode thread's step.
  void Run();

 private:
  bool WakeSignalled() { return links_.wakeEvent.WaitFor(0) == WAIT_OBJECT_0; }
  void CheckReaderOpen() const;
  // Leaves PCM pending, or returns false when there is nothing to write now.
  bool DecodeNextFrame();
  // Leaves pending only the decoded frame's bytes inside the play window.
  bool KeepPlayedPart();
  // Returns the output's free space in percent.
  int WritePendingPcm();
  void ReadAheadWhileFull(int freePercent);
  void FinishStream(std::unique_lock<TMPSimpleMutex>& decodeLock);

  TLinks links_;
  EndOfStreamNotice onEndOfStream_;
  TAlignedBlock pcm_;
  int pendingPcm_ = 0;
  int pcmBytesPerFrame_ = 0;
  TPlayWindow window_;
  std::int64_t nextFrameStart_ = 0;  // PCM byte offset of the next frame decoded
  std::int64_t playFrom_ = 0;
  bool reinitDecoder_ = false;
};

}  // namespace orvana::player
