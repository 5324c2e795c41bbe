#pragma once
// A worker thread that sleeps until its wake event is signalled, a message
// arrives or its time-out passes, and hands each occasion to its target as a
// numbered message: MPM_WATCHEVENT for the event (again on every pass while
// it stays signalled), MPM_TIMEOUT for the time-out, and every posted
// message except MPM_QUIT and MPM_SYNC as it is.
//
// An exception from the target goes to OnException, and to the host's
// exception display unless the handler marks it handled; the loop goes on.
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/event.h"
#include "platform/message_queue.h"
#include "player/event.h"
#include "player/thread_messages.h"

namespace orvana::player {

class TMPLoopThread {
 public:
  using ExceptionHandler = std::function<void(TMPLoopThread& sender, const std::exception& error, bool& handled)>;

  // Created suspended; the owner sets OnException and calls Resume.
  explicit TMPLoopThread(TMPMessageTarget* target);
  ~TMPLoopThread();
  TMPLoopThread(const TMPLoopThread&) = delete;
  TMPLoopThread& operator=(const TMPLoopThread&) = delete;

  void Resume();
  // -15..15; best effort.
  void SetPriority(int priority);
  // The name tools (top -H, /proc) show, at most 15 bytes; best effort.
  void SetName(const char* name);
  void PostMessage(uint32_t msg, uintptr_t wParam = 0, intptr_t lParam = 0);
  // Returns once every message posted before has been handled (or the
  // thread has ended). Not from the loop thread itself.
  void Sync();
  // Posts MPM_QUIT and waits for the thread to end.
  void Stop();

  void SetOnException(ExceptionHandler handler);

  int ThreadID() const { return threadId_.load(); }
  // Signalled once the thread has ended.
  platform::Waitable& Handle() { return finished_; }
  // The thread's queue, for notices posted by the platform (wave output).
  platform::MessageQueue& Queue() { return queue_; }
  TMPSimpleEvent& WakeEvent() { return wakeEvent_; }

  // Milliseconds for each wait, -1 for none; read at the start of every wait.
  std::atomic<int32_t> Timeout{-1};

 private:
  void ThreadProc();
  void RunLoop();
  bool RunOnePass();  // true on MPM_QUIT
  void Send(uint32_t msg, uintptr_t wParam, intptr_t lParam);
  void HandleException(const std::exception& error);
  bool OnLoopThread() const { return std::this_thread::get_id() == thread_.get_id(); }

  std::atomic<int> threadId_{0};
  platform::MessageQueue queue_;
  TMPSimpleEvent wakeEvent_;
  TMPMessageTarget* const target_;
  std::mutex handlerMutex_;
  ExceptionHandler onException_;
  platform::Event idKnown_;
  platform::Event resumed_;
  std::atomic<bool> abandonBeforeStart_{false};
  platform::Event finished_;
  std::mutex joinMutex_;
  std::thread thread_;  // last: starts once everything above exists
};

}  // namespace orvana::player
