// Keys on the playlist window, sent as the keyboard sends them: Ctrl+F opens
// the find box, whose choice plays as a double click does and whose Esc
// leaves the list as it was; Enter in the list plays the row its cursor is on.
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "app/dialogs/find_song_dialog.h"
#include "app/playlist/song_item.h"
#include "form_fixture.h"

namespace orvana::app::testing {
namespace {

class ListKeys : public FormFixture {
 protected:
  // The window shown and active, its list holding `names` and the focus.
  TForm1& WithSongs(const std::vector<std::string>& names) {
    Write(SettingsPath(), "[ini]\r\nFirst=0\r\n");
    TForm1& window = Create();
    std::vector<TPlaylistItem> items;
    for (const std::string& name : names) items.push_back(ItemFromFileName(Song(name)));
    window.Playlist().Append(std::move(items));
    window.show();
    Activate();
    QComboBox& history = *window.Widgets().ComboBox1;
    QObject::connect(history.model(), &QAbstractItemModel::rowsInserted, [this, &history](auto&, int, int last) {
      const std::string entry = history.itemData(last, Qt::UserRole).toByteArray().toStdString();
      starts.push_back(std::string(HistoryPath(entry)));
    });
    return window;
  }
  // A modal dialog as it runs: shown and taking the keys.
  static void Open(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    EXPECT_TRUE(WaitUntil([&] { return dialog.isActiveWindow(); }, 5000));
  }
  // The window active again, as after a dialog, the list with the focus.
  void Activate() {
    form->activateWindow();
    EXPECT_TRUE(WaitUntil([&] { return form->isActiveWindow(); }, 5000));
    List().setFocus();
  }
  TPlaylistView& List() { return *form->Widgets().ListView1; }
  static void Key(QWidget& widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                  const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(&widget, &release);
  }
  void Click(const QPoint& at) {
    QWidget& viewport = *List().viewport();
    const QPointF global = viewport.mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&viewport, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&viewport, &release);
  }
  void ClickRow(int row) { Click(List().visualRect(form->Widgets().ListView1->model()->index(row, 0)).center()); }
  // The song started next, as the history records it; stopped again so
  // that no song follows by itself before the next key.
  std::string NextStart() {
    if (!WaitUntil([&] { return starts.size() > seen; }, 5000)) return "(none)";
    form->Actions()[aiStop].Execute();
    return starts[seen++];
  }
  std::vector<std::string> starts;  // the paths of the songs started
  std::size_t seen = 0;
};

TEST_F(ListKeys, FindBoxEscLeavesTheListAndEnterPlaysAsADoubleClickWould) {
  TForm1& window = WithSongs({"intro.mp3", "パイプオルガン.mp3", "ｵﾙｶﾞﾝ2.mp3", "end.mp3"});
  ClickRow(0);
  Key(List(), Qt::Key_Down, Qt::ShiftModifier);
  Key(List(), Qt::Key_Down, Qt::ControlModifier);  // the cursor off the selection
  ASSERT_EQ(List().SelectedRows(), (std::vector<int>{0, 1}));
  answerDialog = [&](QDialog& dialog) {
    auto& find = dynamic_cast<TdlgFindSong&>(dialog);
    Open(dialog);
    Key(*find.edtFind, 0, Qt::NoModifier, QStringLiteral("おるがん"));
    Key(*find.edtFind, Qt::Key_Down);
    Key(*find.edtFind, Qt::Key_Escape);
    return dialog.result();
  };
  Key(List(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_EQ(dialogs, QStringList{QStringLiteral("曲を探す")});
  EXPECT_EQ(List().SelectedRows(), (std::vector<int>{0, 1}));
  EXPECT_EQ(List().currentIndex().row(), 2);
  EXPECT_EQ(window.Playlist().Count(), 4);
  EXPECT_EQ(window.MP3Player1().Status(), player::msStopped);

  Activate();
  answerDialog = [&](QDialog& dialog) {
    auto& find = dynamic_cast<TdlgFindSong&>(dialog);
    Open(dialog);
    Key(*find.edtFind, 0, Qt::NoModifier, QStringLiteral("おるがん"));
    // A song added while the box is open shows among the matches.
    window.Playlist().Append({ItemFromFileName(Song("オルガン3.mp3"))});
    Key(*find.edtFind, Qt::Key_Down);
    Key(*find.edtFind, Qt::Key_Down);
    Key(*find.edtFind, Qt::Key_Return);
    return dialog.result();
  };
  Key(List(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(NextStart(), Path("オルガン3.mp3"));
  EXPECT_EQ(window.State().currentIndex, 4);
  EXPECT_TRUE(errors.isEmpty());
}

TEST_F(ListKeys, EnterPlaysTheRowTheCursorIsOn) {
  WithSongs({"a.mp3", "b.mp3", "c.mp3"});
  ClickRow(0);
  Click(QPoint(4, List().viewport()->height() - 4));  // the empty part: the selection goes
  ASSERT_FALSE(List().HasSelection());
  Key(List(), Qt::Key_Home);  // onto the row already current: still nothing selected
  ASSERT_FALSE(List().HasSelection());
  Key(List(), Qt::Key_Return);
  EXPECT_EQ(NextStart(), Path("a.mp3"));

  // With a selection, the cursor on it: the selection's first row, as ever.
  ClickRow(1);
  Key(List(), Qt::Key_Down, Qt::ShiftModifier);
  Key(List(), Qt::Key_Enter);
  EXPECT_EQ(NextStart(), Path("b.mp3"));
  // The cursor moved off the selection: the row it is on.
  Key(List(), Qt::Key_Up, Qt::ControlModifier);
  Key(List(), Qt::Key_Up, Qt::ControlModifier);
  Key(List(), Qt::Key_Return);
  EXPECT_EQ(NextStart(), Path("a.mp3"));
  EXPECT_TRUE(errors.isEmpty());
}

}  // namespace
}  // namespace orvana::app::testing
