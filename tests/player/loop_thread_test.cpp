#include "player/loop_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "recording_target.h"

namespace orvana::player {
namespace {

using std::chrono::milliseconds;
using testing::DisplayCapture;
using testing::RecordingTarget;

constexpr uint32_t kPing = WM_USER + 1;
constexpr uint32_t kFail = WM_USER + 2;

class LoopThread : public ::testing::Test {
 protected:
  RecordingTarget target_;
};

TEST_F(LoopThread, WithoutTimeLimitItSendsNothingUntilAMessageArrives) {
  TMPLoopThread thread(&target_);
  thread.Resume();
  std::this_thread::sleep_for(milliseconds(250));
  EXPECT_TRUE(target_.Snapshot().empty());
  thread.PostMessage(kPing, 3, -4);
  ASSERT_TRUE(target_.WaitFor(kPing, 1));
  const auto received = target_.Snapshot();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].wParam, 3u);
  EXPECT_EQ(received[0].lParam, -4);
}

TEST_F(LoopThread, SendsTimeoutsSpacedByTheTimeout) {
  TMPLoopThread thread(&target_);
  thread.Timeout = 100;
  thread.Resume();
  ASSERT_TRUE(target_.WaitFor(MPM_TIMEOUT, 3));
  thread.Stop();
  const auto received = target_.Snapshot();
  for (size_t i = 1; i < received.size(); ++i) EXPECT_GE(received[i].at - received[i - 1].at, milliseconds(95));
  for (const auto& r : received) EXPECT_EQ(r.msg, MPM_TIMEOUT);
}

TEST_F(LoopThread, ATimeoutChangedFromOutsideTakesEffectAtTheNextWait) {
  TMPLoopThread thread(&target_);
  thread.Timeout = 50;
  thread.Resume();
  ASSERT_TRUE(target_.WaitFor(MPM_TIMEOUT, 1));
  thread.Timeout = -1;
  thread.PostMessage(kPing);  // ends the wait that may still use the old limit
  ASSERT_TRUE(target_.WaitFor(kPing, 1));
  const int timeouts = target_.Count(MPM_TIMEOUT);
  std::this_thread::sleep_for(milliseconds(200));
  EXPECT_EQ(target_.Count(MPM_TIMEOUT), timeouts);
}

TEST_F(LoopThread, ASignalledWakeEventIsReportedOnEveryPassUntilReset) {
  TMPLoopThread* self = nullptr;
  std::atomic<int> watches{0};
  target_.onMessage = [&](const TMPMessage& m) {
    if (m.Msg == MPM_WATCHEVENT && ++watches == 3) self->WakeEvent().ResetEvent();
  };
  TMPLoopThread thread(&target_);
  self = &thread;
  thread.Resume();
  thread.WakeEvent().SetEvent();
  ASSERT_TRUE(target_.WaitFor(MPM_WATCHEVENT, 3));
  thread.Sync();
  std::this_thread::sleep_for(milliseconds(100));
  EXPECT_EQ(target_.Count(MPM_WATCHEVENT), 3);
}

TEST_F(LoopThread, SyncSignalsTheEventWithoutInvolvingTheTarget) {
  TMPLoopThread thread(&target_);
  thread.Resume();
  TMPSimpleEvent done;
  thread.PostMessage(MPM_SYNC, done.AsParam());
  EXPECT_EQ(done.WaitFor(5000), WAIT_OBJECT_0);
  thread.PostMessage(MPM_SYNC, 0);
  thread.PostMessage(MPM_SYNC, 0x1234);  // not a live event: ignored, not dereferenced
  thread.Sync();
  EXPECT_TRUE(target_.Snapshot().empty());
}

TEST_F(LoopThread, SyncReturnsOnceEarlierMessagesAreHandled) {
  target_.onMessage = [](const TMPMessage&) { std::this_thread::sleep_for(milliseconds(20)); };
  TMPLoopThread thread(&target_);
  thread.Resume();
  for (int i = 0; i < 5; ++i) thread.PostMessage(kPing, static_cast<uintptr_t>(i));
  thread.Sync();
  EXPECT_EQ(target_.Count(kPing), 5);
}

TEST_F(LoopThread, MessagesBehindQuitAreNotHandled) {
  TMPLoopThread thread(&target_);
  thread.PostMessage(kPing, 1);
  thread.PostMessage(kPing, 2);
  thread.PostMessage(MPM_QUIT);
  thread.PostMessage(kPing, 3);
  thread.Resume();
  ASSERT_EQ(platform::WaitForAny({&thread.Handle()}, 5000), 0) << "the thread did not end";
  const auto received = target_.Snapshot();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].wParam, 1u);
  EXPECT_EQ(received[1].wParam, 2u);
  // An ended thread: posting, Sync and Stop return at once.
  thread.PostMessage(kPing, 4);
  thread.Sync();
  thread.Stop();
  EXPECT_EQ(target_.Count(kPing), 2);
}

TEST_F(LoopThread, StoppingAThreadThatNeverRanDoesNotRunTheLoop) {
  {
    TMPLoopThread thread(&target_);
    thread.PostMessage(kPing);
  }
  EXPECT_TRUE(target_.Snapshot().empty());
}

TEST_F(LoopThread, ANullTargetSwallowsEverything) {
  TMPLoopThread thread(nullptr);
  thread.Timeout = 10;
  thread.Resume();
  thread.PostMessage(kPing);
  thread.Sync();
}

TEST_F(LoopThread, AnExceptionWithoutHandlerIsShownAndTheLoopGoesOn) {
  DisplayCapture display;
  target_.onMessage = [](const TMPMessage& m) {
    if (m.Msg == kFail) throw std::runtime_error("decoder fell over");
  };
  TMPLoopThread thread(&target_);
  thread.Resume();
  thread.PostMessage(kFail);
  thread.PostMessage(kPing);
  ASSERT_TRUE(target_.WaitFor(kPing, 1));
  EXPECT_EQ(display.Shown(), (std::vector<std::string>{"decoder fell over"}));
}

TEST_F(LoopThread, AHandlerThatHandlesTheExceptionKeepsItFromTheDisplay) {
  DisplayCapture display;
  target_.onMessage = [](const TMPMessage& m) {
    if (m.Msg == kFail) throw std::runtime_error("handled one");
  };
  TMPLoopThread thread(&target_);
  std::vector<std::string> seen;
  TMPLoopThread* sender = nullptr;
  thread.SetOnException([&](TMPLoopThread& from, const std::exception& error, bool& handled) {
    sender = &from;
    seen.emplace_back(error.what());
    EXPECT_FALSE(handled);
    handled = std::string(error.what()) == "handled one";
  });
  thread.Resume();
  thread.PostMessage(kFail);
  thread.Sync();
  EXPECT_EQ(sender, &thread);
  EXPECT_EQ(seen, (std::vector<std::string>{"handled one"}));
  EXPECT_TRUE(display.Shown().empty());

  target_.onMessage = [](const TMPMessage& m) {
    if (m.Msg == kFail) throw std::logic_error("left unhandled");
  };
  thread.PostMessage(kFail);
  thread.Sync();
  EXPECT_EQ(display.Shown(), (std::vector<std::string>{"left unhandled"}));
}

TEST_F(LoopThread, AnExceptionOfAnotherKindEndsTheThread) {
  DisplayCapture display;
  target_.onMessage = [](const TMPMessage& m) {
    if (m.Msg == kFail) throw 42;
  };
  TMPLoopThread thread(&target_);
  thread.Resume();
  thread.PostMessage(kFail);
  EXPECT_EQ(platform::WaitForAny({&thread.Handle()}, 5000), 0);
  EXPECT_EQ(display.Shown().size(), 1u);
  thread.Sync();  // must not hang on an ended thread
}

TEST_F(LoopThread, MessagesFromManyThreadsAllArrive) {
  TMPLoopThread thread(&target_);
  thread.Resume();
  std::vector<std::thread> posters;
  for (int p = 0; p < 4; ++p)
    posters.emplace_back([&] {
      for (int i = 0; i < 200; ++i) thread.PostMessage(kPing);
    });
  for (auto& poster : posters) poster.join();
  thread.Sync();
  EXPECT_EQ(target_.Count(kPing), 800);
}

TEST_F(LoopThread, KnowsItsThreadIdAndAcceptsPriorities) {
  TMPLoopThread thread(&target_);
  EXPECT_GT(thread.ThreadID(), 0);
  thread.SetPriority(-1);  // best effort; must not disturb the thread
  thread.Resume();
  thread.PostMessage(kPing);
  ASSERT_TRUE(target_.WaitFor(kPing, 1));
}

}  // namespace
}  // namespace orvana::player
