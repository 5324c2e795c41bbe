#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/event.h"
#include "platform/message_queue.h"
#include "platform/waitable.h"

namespace orvana::platform {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

TEST(Event, ManualResetStaysSignalledUntilReset) {
  Event event(true, false);
  EXPECT_FALSE(event.Wait(0));
  event.Set();
  EXPECT_TRUE(event.Wait(0));
  EXPECT_TRUE(event.Wait(0));
  event.Reset();
  EXPECT_FALSE(event.Wait(0));
  EXPECT_TRUE(Event(true, true).Wait(0));
}

TEST(Event, AutoResetReleasesOneWaitPerSet) {
  Event event(false, true);
  EXPECT_TRUE(event.Wait(0));
  EXPECT_FALSE(event.Wait(0));
  event.Set();
  event.Set();  // not counted: still one release
  EXPECT_TRUE(event.Wait(0));
  EXPECT_FALSE(event.Wait(0));
}

TEST(Event, WaitTimesOutNoEarlierThanAsked) {
  Event event;
  const auto start = Clock::now();
  EXPECT_FALSE(event.Wait(80));
  EXPECT_GE(Clock::now() - start, milliseconds(75));
}

TEST(Event, SetFromAnotherThreadEndsAnUnlimitedWait) {
  Event event;
  std::thread setter([&] {
    std::this_thread::sleep_for(milliseconds(30));
    event.Set();
  });
  EXPECT_TRUE(event.Wait(kWaitInfinite));
  setter.join();
}

TEST(Event, AutoResetWakesExactlyOneOfManyWaiters) {
  Event event(false, false);
  std::atomic<int> released{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 4; ++i)
    waiters.emplace_back([&] {
      if (event.Wait(1000)) ++released;
    });
  std::this_thread::sleep_for(milliseconds(50));
  event.Set();
  for (auto& waiter : waiters) waiter.join();
  EXPECT_EQ(released.load(), 1);
}

TEST(WaitForAny, ReportsTheFirstReadyObjectInOrder) {
  Event first, second(true, true);
  MessageQueue queue;
  queue.Post(1);
  EXPECT_EQ(WaitForAny({&first, &second, &queue}, 0), 1);
  first.Set();
  EXPECT_EQ(WaitForAny({&first, &second, &queue}, 0), 0);
  EXPECT_EQ(WaitForAny({&queue}, 0), 0);
  EXPECT_FALSE(queue.Empty()) << "waiting must not take the message";
}

TEST(WaitForAny, TimesOutWhenNothingHappens) {
  Event event;
  MessageQueue queue;
  EXPECT_EQ(WaitForAny({&event, &queue}, 30), kWaitTimedOut);
}

TEST(WaitForAny, EndsOnAMessagePostedFromAnotherThread) {
  Event event;
  MessageQueue queue;
  std::thread poster([&] {
    std::this_thread::sleep_for(milliseconds(30));
    queue.Post(7);
  });
  EXPECT_EQ(WaitForAny({&event, &queue}, kWaitInfinite), 1);
  poster.join();
}

TEST(WaitForAny, NeverMissesASetRacingTheWait) {
  // Many short rounds: a set that lands between the check and the sleep must still wake.
  for (int round = 0; round < 200; ++round) {
    Event event;
    std::thread setter([&] { event.Set(); });
    EXPECT_EQ(WaitForAny({&event}, 5000), 0);
    setter.join();
  }
}

}  // namespace
}  // namespace orvana::platform
