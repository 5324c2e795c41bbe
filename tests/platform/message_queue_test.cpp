#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/message_queue.h"

namespace orvana::platform {
namespace {

using std::chrono::milliseconds;

TEST(MessageQueue, KeepsPostingOrderAndParameters) {
  MessageQueue queue;
  queue.Post(10, 1, -1);
  queue.Post(11, UINTPTR_MAX, INTPTR_MIN);
  auto first = queue.Peek(PeekMode::kRemove);
  auto second = queue.Peek(PeekMode::kRemove);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->number, 10u);
  EXPECT_EQ(first->wParam, 1u);
  EXPECT_EQ(first->lParam, -1);
  EXPECT_EQ(second->wParam, UINTPTR_MAX);
  EXPECT_EQ(second->lParam, INTPTR_MIN);
  EXPECT_FALSE(queue.Peek(PeekMode::kRemove));
}

TEST(MessageQueue, PeekByNumberKeepsOrRemovesOnlyThatMessage) {
  MessageQueue queue;
  queue.Post(1);
  queue.Post(2, 20);
  queue.Post(2, 21);
  queue.Post(3);
  auto kept = queue.PeekNumber(2, PeekMode::kKeep);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->wParam, 20u);
  auto removed = queue.PeekNumber(2, PeekMode::kRemove);
  ASSERT_TRUE(removed);
  EXPECT_EQ(removed->wParam, 20u);
  EXPECT_FALSE(queue.PeekNumber(4, PeekMode::kRemove));
  std::vector<uint32_t> rest;
  while (auto m = queue.Peek(PeekMode::kRemove)) rest.push_back(m->number);
  EXPECT_EQ(rest, (std::vector<uint32_t>{1, 2, 3}));
}

TEST(MessageQueue, PostOnceAndRemoveAllWorkByNumber) {
  MessageQueue queue;
  EXPECT_TRUE(queue.PostOnce(5));
  EXPECT_FALSE(queue.PostOnce(5));
  EXPECT_TRUE(queue.PostOnce(6));
  queue.Post(5);
  EXPECT_EQ(queue.RemoveAll(5), 2);
  EXPECT_EQ(queue.RemoveAll(5), 0);
  EXPECT_TRUE(queue.PostOnce(5));
  EXPECT_EQ(queue.Peek(PeekMode::kRemove)->number, 6u);
}

TEST(MessageQueue, GetTimesOutOnAnEmptyQueue) {
  MessageQueue queue;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(queue.Get(50));
  EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(45));
  EXPECT_FALSE(queue.Get(0));
}

TEST(MessageQueue, GetWaitsForAPostFromAnotherThread) {
  MessageQueue queue;
  std::thread poster([&] {
    std::this_thread::sleep_for(milliseconds(20));
    queue.Post(42, 4, 2);
  });
  auto message = queue.Get(-1);
  poster.join();
  ASSERT_TRUE(message);
  EXPECT_EQ(message->number, 42u);
}

TEST(MessageQueue, EveryMessageOfManyPostersArrivesInEachPostersOrder) {
  MessageQueue queue;
  constexpr int kPosters = 4, kEach = 500;
  std::vector<std::thread> posters;
  for (int p = 0; p < kPosters; ++p)
    posters.emplace_back([&queue, p] {
      for (int i = 0; i < kEach; ++i) queue.Post(static_cast<uint32_t>(p), static_cast<uintptr_t>(i));
    });
  std::vector<uintptr_t> next(kPosters, 0);
  for (int received = 0; received < kPosters * kEach; ++received) {
    auto message = queue.Get(5000);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->wParam, next[message->number]++);
  }
  for (auto& poster : posters) poster.join();
  EXPECT_TRUE(queue.Empty());
}

}  // namespace
}  // namespace orvana::platform
