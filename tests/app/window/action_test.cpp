// The action convention: whoever invokes a command goes through its enable
// rule, and a handler that fails shows its error instead of escaping.
#include <gtest/gtest.h>

#include <QKeySequence>
#include <set>
#include <stdexcept>

#include "app/actions/action_list.h"
#include "qt_test_application.h"

namespace orvana::app {
namespace {

using namespace player;

TActionContext Context(int items, bool selection, std::uint8_t capabilities, TMP3Status status) {
  return {items, selection, TMP3PlayerCapabilities(capabilities), status};
}

TEST(EnableRules, PlaylistSizesAtTheirEdges) {
  EXPECT_FALSE(IsEnabled(TEnableRule::erListNotEmpty, Context(0, false, 0, msStopped)));
  EXPECT_TRUE(IsEnabled(TEnableRule::erListNotEmpty, Context(1, false, 0, msStopped)));
  EXPECT_FALSE(IsEnabled(TEnableRule::erMoreThanOneItem, Context(1, false, 0, msStopped)));
  EXPECT_TRUE(IsEnabled(TEnableRule::erMoreThanOneItem, Context(2, false, 0, msStopped)));
  EXPECT_FALSE(IsEnabled(TEnableRule::erSelection, Context(5, false, 0, msStopped)));
  EXPECT_TRUE(IsEnabled(TEnableRule::erSelection, Context(5, true, 0, msStopped)));
  EXPECT_TRUE(IsEnabled(TEnableRule::erAlways, Context(0, false, 0, msStopped)));
}

TEST(EnableRules, PauseNeedsTheCapabilityThatFitsTheState) {
  EXPECT_TRUE(IsEnabled(TEnableRule::erCanPauseOrResume, Context(1, false, mpcPause, msPlaying)));
  EXPECT_FALSE(IsEnabled(TEnableRule::erCanPauseOrResume, Context(1, false, mpcResume, msPlaying)));
  EXPECT_TRUE(IsEnabled(TEnableRule::erCanPauseOrResume, Context(1, false, mpcResume, msPaused)));
  EXPECT_FALSE(IsEnabled(TEnableRule::erCanPauseOrResume, Context(1, false, mpcPause, msPaused)));
  EXPECT_FALSE(IsEnabled(TEnableRule::erCanPauseOrResume, Context(1, false, mpcPause | mpcResume, msStopped)));
  EXPECT_TRUE(IsEnabled(TEnableRule::erCanStop, Context(0, false, mpcStop, msStopped)));
  EXPECT_FALSE(IsEnabled(TEnableRule::erCanStop, Context(9, true, mpcPlay | mpcPause, msPlaying)));
}

TEST(ActionTable, EachActionSitsAtItsIdAndNoTwoShareAKey) {
  std::set<QKeySequence> keys;
  for (int id = 0; id < kActionCount; ++id) {
    const TActionDefinition& definition = kActionTable[std::size_t(id)];
    EXPECT_EQ(definition.id, id) << definition.name;
    if (*definition.shortcut == '\0') continue;
    const QKeySequence key(QString::fromLatin1(definition.shortcut));
    EXPECT_FALSE(key.isEmpty()) << definition.name;
    EXPECT_TRUE(keys.insert(key).second) << definition.name << " repeats " << definition.shortcut;
  }
}

class Actions : public ::testing::Test {
 protected:
  void SetUp() override { list.SetContextSource([this] { return context; }); }

  QApplication& application = testing::TestApplication();  // before any action
  TActionContext context;
  TActionList list;
};

TEST_F(Actions, ADisabledCommandDoesNothingWhoeverInvokesIt) {
  int runs = 0;
  list[aiPlay].SetHandler([&] { ++runs; });
  EXPECT_FALSE(list[aiPlay].Execute());
  list.QtAction(aiPlay)->trigger();  // a menu or a key
  EXPECT_EQ(runs, 0);
  EXPECT_FALSE(list.QtAction(aiPlay)->isEnabled());

  context.itemCount = 1;
  EXPECT_TRUE(list[aiPlay].Execute());
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(list.QtAction(aiPlay)->isEnabled());
}

TEST_F(Actions, TheHandlerAloneOwnsACheckMark) {
  list[aiRepeat].SetHandler([this] { list[aiRepeat].SetChecked(!list[aiRepeat].Checked()); });
  list.QtAction(aiRepeat)->trigger();
  EXPECT_TRUE(list[aiRepeat].Checked());
  list[aiRepeat].Execute();  // a timer or the tray
  EXPECT_FALSE(list[aiRepeat].Checked());

  // A handler that leaves the mark alone keeps it, even from a menu.
  list[aiSleep].SetHandler([] {});
  list.QtAction(aiSleep)->trigger();
  EXPECT_FALSE(list[aiSleep].Checked());
}

TEST_F(Actions, AFailingCommandShowsItsErrorAndTheNextOneStillRuns) {
  std::vector<std::string> shown;
  list.SetErrorDisplay([&](const std::exception& error) { shown.push_back(error.what()); });
  list[aiOpenFile].SetHandler([] { throw std::runtime_error("a.m3u: Permission denied"); });
  int saved = 0;
  list[aiSavePlaylist].SetHandler([&] { ++saved; });
  context.itemCount = 1;
  list.QtAction(aiOpenFile)->trigger();
  list.QtAction(aiSavePlaylist)->trigger();
  EXPECT_EQ(shown, std::vector<std::string>{"a.m3u: Permission denied"});
  EXPECT_EQ(saved, 1);
}

TEST_F(Actions, UpdateAllFollowsTheContext) {
  list.UpdateAll();
  EXPECT_FALSE(list.QtAction(aiDelete)->isEnabled());
  EXPECT_FALSE(list.QtAction(aiShuffleList)->isEnabled());
  EXPECT_TRUE(list.QtAction(aiAddFolder)->isEnabled());
  context = {2, true, {}, msStopped};
  list.UpdateAll();
  EXPECT_TRUE(list.QtAction(aiDelete)->isEnabled());
  EXPECT_TRUE(list.QtAction(aiShuffleList)->isEnabled());
  EXPECT_FALSE(list.QtAction(aiStop)->isEnabled());
}

}  // namespace
}  // namespace orvana::app
