#pragma once
// One step of the player's decode thread, run each time its wake event is
// found signalled: decode the next frame of the track into the PCM buffer
// and write it to the sound output; skip garbage; read ahead while the
// output is full. At the end of a track's data it goes on with the next
// track when one is queued, in the same output stream (marking where the
// next song begins) or, for another sampling rate or channel count, in an
// output reopened once the song before has been played out. Without a next
// track it waits until the output has played everything and reports the
// end of the stream.
//
// Locks: the decode lock (tracks, engine, this object) is taken before the
// output lock (the sound output), never the other way round.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/engine_state.h"
#include "player/aligned_memory.h"
#include "player/event.h"
#include "player/mutex.h"
#include "player/sound_out.h"
#include "player/track.h"

namespace orvana::player {

class TMPDecodeStep {
 public:
  // One frame of 1152 stereo 16-bit samples, with room to spare.
  static constexpr int kPcmBufferSize = 5120;
  // At or below this much free output space the thread yields after a step.
  static constexpr int kYieldFreePercent = 25;

  struct TLinks {
    engine::EngineState& engine;
    TSoundOut& output;
    TMPSimpleMutex& decodeLock;
    TMPSimpleMutex& outputLock;
    TMPEvent& wakeEvent;
  };
  struct THooks {
    std::function<void()> endOfStream;
    // The decode thread has moved on to `next` (with the decode lock held):
    // the engine is about to be configured for it.
    std::function<void(TMPTrack& next)> trackEntered;
    // The output was reopened for the next track: it is heard from now on.
    std::function<void()> nextAudibleNow;
    // A station's title starts with the frame about to be written, where the
    // output's mark now stands (with the decode lock held).
    std::function<void(const std::string& title)> titleStarts;
  };

  TMPDecodeStep(const TLinks& links, THooks hooks);

  // Per open stream.
  void AllocateBuffer();
  void FreeBuffer();

  // The rest is called with the decode lock held.
  // The track decoded, and the one to follow it (none: nullptr).
  void SetTrack(TMPTrack* track) { track_ = track; }
  TMPTrack* Track() const { return track_; }
  void SetNextTrack(TMPTrack* next);
  TMPTrack* NextTrack() const { return next_; }
  // Output bytes (since the output opened or was reset) written before the
  // current track's first sample.
  std::int64_t TrackStartInOutput() const { return trackStartInOutput_; }
  void SetTrackStartInOutput(std::int64_t bytes) { trackStartInOutput_ = bytes; }
  // The same for the track before, when decoding followed on from it in
  // this output.
  std::int64_t PreviousTrackStartInOutput() const { return previousTrackStart_; }
  // Wakes the step from its wait at the end of a track to look at the
  // track again (repositioned meanwhile).
  void LookAgain() { lookAgain_.SetEvent(); }

  // Configures the engine for the stream of `header` (whose measured length
  // includes padding); on success clears the restart flag and the garbage count.
  bool InitDecoder(const engine::FrameHeader& header, int length);
  // Drops decoded samples not yet written (after a stop or seek).
  void DropPendingPcm() { pendingPcm_ = 0; }
  // The engine starts afresh at the next frame.
  void RequestReinit() { reinitDecoder_ = true; }

  // The decode thread's step.
  void Run();

  // A network stream has run dry: the step waits for its data (any thread).
  bool Starving() const { return starving_; }

 private:
  void Step();
  bool WakeSignalled() { return links_.wakeEvent.WaitFor(0) == WAIT_OBJECT_0; }
  void CheckReaderOpen() const;
  // A frame can be read without waiting on the network; otherwise the step
  // sleeps until it can.
  bool FrameAtHand();
  // The stream's bytes the step sleeps for: a second's worth while the
  // output holds seconds of sound (one wake-up a second, not one a frame),
  // a frame's when the sound is about to run out.
  int BytesToWaitFor();
  void MarkTitleStart();
  // Leaves PCM pending, or returns false when there is nothing to write now.
  bool DecodeNextFrame();
  // Leaves pending only the decoded frame's bytes inside the play window.
  bool KeepPlayedPart();
  // Returns the output's free space in percent.
  int WritePendingPcm();
  void ReadAheadWhileFull(int freePercent);
  // The track's data has ended: on to the next track, or the end of the stream.
  void EndOfTrack(std::unique_lock<TMPSimpleMutex>& decodeLock);
  // Waits, without the decode lock, until the output has played all it was
  // given, or a next song queued meanwhile can follow in it at once; false
  // when stopped, seeked or replaced meanwhile.
  bool PlayOut(std::unique_lock<TMPSimpleMutex>& decodeLock);
  // The next song's first sample follows the last one written.
  void FollowOn();
  void EnterNextTrack();

  TLinks links_;
  THooks hooks_;
  TAlignedBlock pcm_;
  int pendingPcm_ = 0;
  TMPTrack* track_ = nullptr;
  TMPTrack* next_ = nullptr;
  TMPSimpleEvent lookAgain_{true, false};  // cuts short the wait at the end of the stream
  std::int64_t trackStartInOutput_ = 0;
  std::int64_t previousTrackStart_ = 0;
  bool reinitDecoder_ = false;
  std::atomic<bool> starving_{false};
  bool draining_ = false;  // woken for a batch of a station's frames: decoding them all
};

}  // namespace orvana::player
