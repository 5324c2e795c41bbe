#include "app/playlist/list_order.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <algorithm>
#include <set>

#include "app/playlist/merge_sort.h"
#include "playlist_test_support.h"

namespace orvana::app {
namespace {

using testing::Captions;
using testing::Song;
using testing::TRecordingListener;
using Names = std::vector<std::string>;

bool IsPermutation(const std::vector<int>& order, int count) {
  std::vector<int> sorted = order;
  std::sort(sorted.begin(), sorted.end());
  std::vector<int> expected(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) expected[static_cast<std::size_t>(i)] = i;
  return sorted == expected;
}

TPlaylist ListOf(const Names& captions) {
  TPlaylist playlist;
  std::vector<TPlaylistItem> items;
  for (const std::string& caption : captions) items.push_back(Song(caption, "/m/" + caption + ".mp3"));
  playlist.Append(std::move(items));
  return playlist;
}

TEST(MergeSort, SortsStably) {
  const std::vector<int> keys = {3, 1, 2, 1, 3, 0, 2};
  const std::vector<int> order = MergeSortOrder(7, [&](int a, int b) { return (keys[a] > keys[b]) - (keys[a] < keys[b]); });
  EXPECT_EQ(order, (std::vector<int>{5, 1, 3, 2, 6, 0, 4}));
  EXPECT_TRUE(MergeSortOrder(0, [](int, int) { return 0; }).empty());
  EXPECT_EQ(MergeSortOrder(1, [](int, int) { return 1; }), (std::vector<int>{0}));
}

TEST(MergeSort, InconsistentComparisonsEndWithEveryIndexOnce) {
  for (const int count : {2, 3, 7, 64, 1000, 1025}) {
    int calls = 0;
    // Contradicts itself: a < b and b < a alike, and never the same answer twice.
    const std::vector<int> order = MergeSortOrder(count, [&](int a, int b) {
      ++calls;
      return (a * 31 + b * 17 + calls) % 3 - 1;
    });
    EXPECT_TRUE(IsPermutation(order, count)) << count;
    EXPECT_LE(calls, count * 12) << count;  // n log n questions, no more
    const std::vector<int> always = MergeSortOrder(count, [](int, int) { return 1; });
    EXPECT_TRUE(IsPermutation(always, count));
  }
}

TEST(ListOrder, ShuffleKeepsEveryItemOnceUnderManySeeds) {
  const int count = 50;
  Names captions;
  for (int i = 0; i < count; ++i) captions.push_back(std::to_string(i));
  std::set<std::vector<int>> orders;
  for (std::uint64_t seed = 0; seed < 200; ++seed) {
    TPlaylist playlist = ListOf(captions);
    TRandom random(seed);
    const std::vector<int> order = ShuffleList(playlist, random);
    ASSERT_TRUE(IsPermutation(order, count)) << seed;
    for (int i = 0; i < count; ++i) ASSERT_EQ(playlist.Item(i).Caption(), captions[static_cast<std::size_t>(order[static_cast<std::size_t>(i)])]);
    orders.insert(order);
  }
  EXPECT_GT(orders.size(), 190u);  // the seeds make different orders
  TPlaylist one = ListOf({"a", "b", "c", "d"}), two = ListOf({"a", "b", "c", "d"});
  TRandom first(7), second(7);
  EXPECT_EQ(ShuffleList(one, first), ShuffleList(two, second));  // a fixed seed repeats
}

TEST(ListOrder, RandomAnswersAreEvenlySpread) {
  TRandom random(1);
  int counts[3] = {};
  for (int i = 0; i < 30000; ++i) ++counts[random.Below(3)];
  for (const int n : counts) EXPECT_NEAR(n, 10000, 400);
}

TEST(ListOrder, ReverseTurnsTheListAroundAndTheCurrentSongFollows) {
  TPlaylist playlist = ListOf({"1", "2", "3"});
  TRecordingListener listener;
  playlist.SetListener(&listener);
  const std::vector<int> order = ReverseList(playlist);
  EXPECT_EQ(Captions(playlist), (Names{"3", "2", "1"}));
  EXPECT_EQ(IndexAfterReorder(order, 0), 2);
  EXPECT_EQ(IndexAfterReorder(order, 1), 1);
  EXPECT_EQ(listener.events, (Names{"reorder", "reordered"}));
}

TEST(ListOrder, ACurrentIndexBeyondTheListStays) {
  TPlaylist playlist = ListOf({"b", "a"});
  const std::vector<int> order = SortListByColumn(playlist, 0);
  EXPECT_EQ(IndexAfterReorder(order, 5), 5);
  EXPECT_EQ(IndexAfterReorder(order, -1), -1);
  EXPECT_EQ(IndexAfterReorder(order, 0), 1);
}

TEST(ListOrder, SubItemColumnsSortByteByByteAndStably) {
  TPlaylist playlist;
  playlist.Append({Song("a", "/a", "10:00"), Song("b", "/b", "--:--"), Song("c", "/c", "02:00"),
                   Song("d", "/d", "--:--")});
  playlist.Append({[] {
    return TPlaylistItem("e", {});  // no sub-items: reads as empty
  }()});
  SortListByColumn(playlist, siTime + 1);
  EXPECT_EQ(Captions(playlist), (Names{"e", "b", "d", "c", "a"}));
  playlist = ListOf({"x", "y"});
  playlist.Append({Song("z", "/m/X.mp3")});
  SortListByColumn(playlist, kColumnCount - 1);  // the path column: upper case first
  EXPECT_EQ(Captions(playlist), (Names{"z", "x", "y"}));
}

TEST(ListOrder, TheCaptionColumnSortsAsTheLanguageDoes) {
  const QLocale system;
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  TPlaylist playlist = ListOf({"b", "B", "a", "10", "2", "Á"});
  SortListByColumn(playlist, 0);
  QLocale::setDefault(system);
  const Names sorted = Captions(playlist);
  // Digits before letters; letters by letter first, not by byte value.
  EXPECT_LT(std::find(sorted.begin(), sorted.end(), "10"), std::find(sorted.begin(), sorted.end(), "a"));
  EXPECT_LT(std::find(sorted.begin(), sorted.end(), "a"), std::find(sorted.begin(), sorted.end(), "B"));
  EXPECT_LT(std::find(sorted.begin(), sorted.end(), "Á"), std::find(sorted.begin(), sorted.end(), "b"));
}

TEST(ListOrder, ShortListsAreNotSortedByAColumnClick) {
  TPlaylist playlist = ListOf({"only"});
  TRecordingListener listener;
  playlist.SetListener(&listener);
  EXPECT_TRUE(SortListByColumn(playlist, 0).empty());
  TPlaylist empty;
  EXPECT_TRUE(SortListByColumn(empty, 3).empty());
  EXPECT_TRUE(listener.events.empty());
}

}  // namespace
}  // namespace orvana::app
