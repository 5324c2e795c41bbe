#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "player/event.h"
#include "player/host_hooks.h"
#include "player/mutex.h"

namespace orvana::player {
namespace {

using std::chrono::milliseconds;

TEST(TMPSimpleMutex, TheOwnerMayLockAgainWhileOthersWait) {
  TMPSimpleMutex mutex;
  TMPAbstractMutex& lock = mutex;
  lock.Lock();
  lock.Lock();
  std::atomic<bool> entered{false};
  std::thread other([&] {
    std::lock_guard guard(lock);
    entered = true;
  });
  lock.Unlock();
  std::this_thread::sleep_for(milliseconds(50));
  EXPECT_FALSE(entered.load()) << "still held once";
  lock.Unlock();
  other.join();
  EXPECT_TRUE(entered.load());
}

TEST(TMPSimpleMutex, KeepsACounterConsistentAcrossThreads) {
  TMPSimpleMutex mutex;
  int counter = 0;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 1000; ++i) {
        std::lock_guard guard(mutex);
        ++counter;
      }
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(counter, 4000);
}

TEST(TMPEvent, WaitForAnswersObjectOrTimeout) {
  TMPSimpleEvent event;
  EXPECT_EQ(event.WaitFor(10), WAIT_TIMEOUT);
  event.SetEvent();
  EXPECT_EQ(event.WaitFor(0), WAIT_OBJECT_0);
  EXPECT_EQ(event.WaitFor(-1), WAIT_OBJECT_0);
  event.ResetEvent();
  EXPECT_EQ(event.WaitFor(0), WAIT_TIMEOUT);
  TMPEvent autoReset(false, true);
  EXPECT_EQ(autoReset.WaitFor(0), WAIT_OBJECT_0);
  EXPECT_EQ(autoReset.WaitFor(0), WAIT_TIMEOUT);
}

TEST(TMPEvent, AParamFindsOnlyLiveEvents) {
  uintptr_t stale = 0;
  {
    TMPSimpleEvent event;
    stale = event.AsParam();
    EXPECT_TRUE(TMPEvent::SetEventByParam(stale));
    EXPECT_EQ(event.WaitFor(0), WAIT_OBJECT_0);
  }
  EXPECT_FALSE(TMPEvent::SetEventByParam(stale));
  EXPECT_FALSE(TMPEvent::SetEventByParam(0));
}

TEST(HostHooks, TheDisplayAndPumpAreTheHostsUntilReset) {
  std::string shown;
  int pumped = 0;
  SetExceptionDisplay([&](const std::exception& error) { shown = error.what(); });
  SetMessagePump([&] { ++pumped; });
  ShowException(std::runtime_error("for the host"));
  ProcessMessages();
  SetExceptionDisplay(nullptr);
  SetMessagePump(nullptr);
  EXPECT_EQ(shown, "for the host");
  EXPECT_EQ(pumped, 1);
  ::testing::internal::CaptureStderr();
  ShowException(std::runtime_error("to stderr"));
  ProcessMessages();  // no pump: nothing happens
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("to stderr"), std::string::npos);
}

}  // namespace
}  // namespace orvana::player
