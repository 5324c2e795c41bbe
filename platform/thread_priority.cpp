#include "platform/thread_priority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>

namespace orvana::platform {

int CurrentThreadId() { return static_cast<int>(::syscall(SYS_gettid)); }

int NiceValueFor(int priority) {
  const int clamped = std::clamp(priority, -15, 15);
  return std::clamp(-clamped * 5, -19, 19);
}

bool SetThreadPriority(int threadId, int priority) {
  // On Linux a thread id is a valid "process" for setpriority.
  return ::setpriority(PRIO_PROCESS, static_cast<id_t>(threadId), NiceValueFor(priority)) == 0;
}

}  // namespace orvana::platform
