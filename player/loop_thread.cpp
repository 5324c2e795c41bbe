#include "player/loop_thread.h"

#include <pthread.h>

#include <stdexcept>

#include "platform/thread_priority.h"
#include "platform/waitable.h"
#include "player/host_hooks.h"

namespace orvana::player {

TMPLoopThread::TMPLoopThread(TMPMessageTarget* target) : target_(target), thread_([this] { ThreadProc(); }) {
  idKnown_.Wait();
}

TMPLoopThread::~TMPLoopThread() { Stop(); }

void TMPLoopThread::Resume() { resumed_.Set(); }

void TMPLoopThread::SetName(const char* name) { pthread_setname_np(thread_.native_handle(), name); }

void TMPLoopThread::SetPriority(int priority) { platform::SetThreadPriority(ThreadID(), priority); }

void TMPLoopThread::PostMessage(uint32_t msg, uintptr_t wParam, intptr_t lParam) { queue_.Post(msg, wParam, lParam); }

void TMPLoopThread::Sync() {
  TMPSimpleEvent done;
  PostMessage(MPM_SYNC, done.AsParam(), 0);
  platform::WaitForAny({&done.Handle(), &finished_}, platform::kWaitInfinite);
}

void TMPLoopThread::Stop() {
  PostMessage(MPM_QUIT);
  if (OnLoopThread()) return;  // it cannot wait for itself; the loop ends after this pass
  if (!resumed_.IsSet()) {
    // Never resumed: end it without running the loop.
    abandonBeforeStart_.store(true);
    resumed_.Set();
  }
  std::lock_guard lock(joinMutex_);
  if (thread_.joinable()) thread_.join();
}

void TMPLoopThread::SetOnException(ExceptionHandler handler) {
  std::lock_guard lock(handlerMutex_);
  onException_ = std::move(handler);
}

void TMPLoopThread::ThreadProc() {
  threadId_.store(platform::CurrentThreadId());
  idKnown_.Set();
  resumed_.Wait();
  if (!abandonBeforeStart_.load()) {
    try {
      RunLoop();
    } catch (...) {
      // Not a std::exception: it ends the thread, as it cannot be handed on.
      ShowException(std::runtime_error("unknown exception; the worker thread ended"));
    }
  }
  finished_.Set();
}

void TMPLoopThread::RunLoop() {
  for (;;) {
    try {
      if (RunOnePass()) return;
    } catch (const std::exception& error) {
      HandleException(error);
    }
  }
}

bool TMPLoopThread::RunOnePass() {
  const int woken = platform::WaitForAny({&wakeEvent_.Handle(), &queue_}, Timeout.load());
  if (woken == 0)
    Send(MPM_WATCHEVENT, 0, 0);
  else if (woken == platform::kWaitTimedOut)
    Send(MPM_TIMEOUT, 0, 0);
  while (auto message = queue_.Peek(platform::PeekMode::kRemove)) {
    if (message->number == MPM_QUIT) return true;  // later messages stay unread
    if (message->number == MPM_SYNC) {
      if (message->wParam != 0) TMPEvent::SetEventByParam(message->wParam);
      continue;
    }
    Send(message->number, message->wParam, message->lParam);
  }
  return false;
}

void TMPLoopThread::Send(uint32_t msg, uintptr_t wParam, intptr_t lParam) {
  if (target_ == nullptr) return;
  TMPMessage message{msg, wParam, lParam, 0};
  target_->Dispatch(message);
}

void TMPLoopThread::HandleException(const std::exception& error) {
  ExceptionHandler handler;
  {
    std::lock_guard lock(handlerMutex_);
    handler = onException_;
  }
  bool handled = false;
  if (handler) {
    try {
      handler(*this, error, handled);
    } catch (const std::exception& handlerError) {
      ShowException(handlerError);
    }
  }
  if (!handled) ShowException(error);
}

}  // namespace orvana::player
