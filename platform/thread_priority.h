#pragma once
// Thread identity and best-effort scheduling priority.
namespace orvana::platform {

// The kernel's id of the calling thread.
int CurrentThreadId();

// Maps a priority on the -15..15 scale (0 normal, 1/2 above, -1/-2 below,
// 15 time-critical, -15 idle) to a nice value for the thread. A refusal
// (no permission) is not an error: returns false and changes nothing.
bool SetThreadPriority(int threadId, int priority);

// The nice value SetThreadPriority uses for a priority.
int NiceValueFor(int priority);

}  // namespace orvana::platform
