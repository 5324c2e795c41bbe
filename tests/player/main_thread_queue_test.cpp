#include "player/main_thread_queue.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

#include "player/assertion.h"
#include "player/host_hooks.h"
#include "recording_target.h"

namespace orvana::player {
namespace {

bool Readable(int fd) {
  pollfd watched{fd, POLLIN, 0};
  return ::poll(&watched, 1, 0) == 1;
}

struct TRecordingQueue {
  TRecordingQueue() : queue([this](TMPMessage& m) { handled.push_back(m); }) {}
  std::vector<TMPMessage> handled;
  TMainThreadQueue queue;
};

TEST(MainThreadQueue, HandlesMessagesInPostingOrderOnlyWhenPumped) {
  TRecordingQueue q;
  q.queue.Post(0x401, 7, -3);
  q.queue.Post(0x402);
  q.queue.Post(0x401, 8);
  EXPECT_TRUE(q.handled.empty()) << "nothing runs until the host pumps";
  EXPECT_EQ(q.queue.DispatchPending(), 3);
  ASSERT_EQ(q.handled.size(), 3u);
  EXPECT_EQ(q.handled[0].Msg, 0x401u);
  EXPECT_EQ(q.handled[0].WParam, 7u);
  EXPECT_EQ(q.handled[0].LParam, -3);
  EXPECT_EQ(q.handled[1].Msg, 0x402u);
  EXPECT_EQ(q.handled[2].WParam, 8u);
  EXPECT_EQ(q.queue.DispatchPending(), 0);
}

TEST(MainThreadQueue, PostOnceCoalescesUntilTheWaitingCopyIsHandled) {
  TRecordingQueue q;
  EXPECT_TRUE(q.queue.PostOnce(0x40E));
  EXPECT_FALSE(q.queue.PostOnce(0x40E));
  EXPECT_TRUE(q.queue.PostOnce(0x40A)) << "another number is not held back";
  q.queue.DispatchPending();
  EXPECT_EQ(q.handled.size(), 2u);
  EXPECT_TRUE(q.queue.PostOnce(0x40E)) << "once handled, it may be posted again";
}

TEST(MainThreadQueue, RemovesQueuedCopiesByNumberOrRange) {
  TRecordingQueue q;
  for (uint32_t msg : {0x40Au, 0x40Bu, 0x40Au, 0x40Cu, 0x40Fu}) q.queue.Post(msg);
  EXPECT_TRUE(q.queue.IsQueued(0x40A));
  EXPECT_EQ(q.queue.RemoveQueued(0x40A), 2);
  EXPECT_FALSE(q.queue.IsQueued(0x40A));
  EXPECT_EQ(q.queue.RemoveQueued(0x40B, 0x40C), 2);
  EXPECT_THROW(q.queue.RemoveQueued(0x40F, 0x40E), EAssertionFailed);
  q.queue.DispatchPending();
  ASSERT_EQ(q.handled.size(), 1u);
  EXPECT_EQ(q.handled[0].Msg, 0x40Fu);
}

TEST(MainThreadQueue, NotifyFdIsReadableWhileSomethingWaits) {
  TRecordingQueue q;
  EXPECT_FALSE(Readable(q.queue.NotifyFd()));
  EXPECT_FALSE(q.queue.WaitForPosted(0));
  std::thread worker([&] { q.queue.Post(0x401); });
  worker.join();
  EXPECT_TRUE(Readable(q.queue.NotifyFd()));
  EXPECT_TRUE(q.queue.WaitForPosted(1000));
  q.queue.DispatchPending();
  EXPECT_FALSE(Readable(q.queue.NotifyFd())) << "drained by the dispatch";
  q.queue.Post(0x402);
  q.queue.Discard();
  q.queue.DispatchPending();
  EXPECT_EQ(q.handled.size(), 1u) << "discarded messages are never handled";
}

TEST(MainThreadQueue, PostedCallbackRunsOnThePostingThread) {
  TRecordingQueue q;
  std::atomic<int> calls{0};
  std::thread::id caller;
  q.queue.SetOnPosted([&] {
    caller = std::this_thread::get_id();
    ++calls;
  });
  std::thread::id workerId;
  std::thread worker([&] {
    workerId = std::this_thread::get_id();
    q.queue.PostOnce(0x401);
    q.queue.PostOnce(0x401);  // not posted: no callback
  });
  worker.join();
  EXPECT_EQ(calls.load(), 1);
  EXPECT_EQ(caller, workerId);
}

TEST(MainThreadQueue, AFailingHandlerIsShownAndTheRestStillRuns) {
  testing::DisplayCapture shown;
  std::vector<uint32_t> handled;
  TMainThreadQueue queue([&](TMPMessage& m) {
    handled.push_back(m.Msg);
    if (m.Msg == 0x401) throw std::runtime_error("handler failed");
  });
  queue.Post(0x401);
  queue.Post(0x402);
  EXPECT_EQ(queue.DispatchPending(), 2);
  EXPECT_EQ(handled, (std::vector<uint32_t>{0x401, 0x402}));
  EXPECT_EQ(shown.Shown(), std::vector<std::string>{"handler failed"});
}

TEST(MainThreadQueue, HandlersMayPumpAgainFromInside) {
  std::vector<uint32_t> handled;
  TMainThreadQueue* self = nullptr;
  TMainThreadQueue queue([&](TMPMessage& m) {
    handled.push_back(m.Msg);
    if (m.Msg == 0x401) self->DispatchPending();  // as a host's "process messages" does
  });
  self = &queue;
  queue.Post(0x401);
  queue.Post(0x402);
  queue.Post(0x403);
  queue.DispatchPending();
  EXPECT_EQ(handled, (std::vector<uint32_t>{0x401, 0x402, 0x403}));
}

}  // namespace
}  // namespace orvana::player
