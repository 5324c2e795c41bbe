// The whole interface in English, loaded as the program loads it: the
// playlist window, its menus and actions, and every dialog and message box it
// opens hold no Japanese a user could read; stored texts stay Japanese.
#include <QFile>
#include <QInputDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include "app/dialogs/config_dialog.h"
#include "app/dialogs/equalizer_window.h"
#include "app/playlist/playlist_model.h"
#include "app/playlist/song_item.h"
#include "app/window/window_caption.h"
#include "english_interface.h"
#include "form_fixture.h"

namespace orvana::app::testing {
namespace {

using orvana::testing::TEnglishInterface;
using orvana::testing::TJapaneseTexts;
using Texts = std::set<std::string>;

class EnglishInterface : public FormFixture {
 protected:
  void SetUp() override {
    FormFixture::SetUp();
    english_ = std::make_unique<TEnglishInterface>();
    ASSERT_TRUE(english_->Loaded());
    // Every dialog shown is walked, then closed with Cancel.
    answerDialog = [this](QDialog& dialog) {
      Walk(dialog);
      return int(QDialog::Rejected);
    };
  }
  void TearDown() override {
    FormFixture::TearDown();
    english_.reset();
  }
  void Walk(const QWidget& window) {
    const Texts found = TJapaneseTexts(window).Found();
    japanese.insert(found.begin(), found.end());
  }

  Texts japanese;

 private:
  std::unique_ptr<TEnglishInterface> english_;
};

TEST_F(EnglishInterface, TheWindowItsMenusAndEveryDialogItOpensAreEnglish) {
  QCoreApplication::setApplicationVersion(QStringLiteral("1.0"));  // the about box shows it
  TForm1& window = Create({Song("song.mp3")});  // the first-run dialog is walked too
  window.Widgets().ListView1->selectAll();
  for (const TActionId id : {aiOptions, aiWakeup, aiSleep, aiAbout, aiFileInfo, aiOpenUrl, aiFindSong, aiEqualizer})
    window.Actions()[id].Execute();
  ASSERT_NE(window.EqualizerWindow(), nullptr);
  Walk(*window.EqualizerWindow());
  Walk(window);
  // Every action once more, menus or not: the tool bar shows some only as tips.
  for (int id = 0; id < kActionCount; ++id) {
    const QAction& action = *window.Actions().QtAction(TActionId(id));
    if (orvana::testing::HasJapanese(action.text() + action.toolTip())) japanese.insert(action.text().toStdString());
  }
  // The language names are written in their own language in both interfaces.
  EXPECT_EQ(japanese.erase("cmbLanguage: 日本語"), 1u);
  EXPECT_EQ(japanese, Texts{});
  EXPECT_EQ(dialogs.size(), 8) << dialogs.join(u'|').toStdString();
  EXPECT_EQ(window.Widgets().PageControl1->tabText(1), QStringLiteral("Properties"));
  EXPECT_EQ(window.Actions().QtAction(aiExit)->text(), QStringLiteral("Exit Orvana"));
  EXPECT_EQ(WindowCaption("a", player::msPaused), "Orvana - a <Paused>");
  EXPECT_EQ(SongCountText(1), "1 song");
  EXPECT_EQ(SongCountText(12), "12 songs");
  EXPECT_EQ(errors, QStringList{});
}

// A preset's English name is a built-in one too; the boxes saying so are English.
TEST_F(EnglishInterface, PresetPromptsAreEnglishAndABuiltInsShownNameIsRefused) {
  TForm1& window = Create();
  window.Actions()[aiEqualizer].Execute();
  TdlgEqualizer& equalizer = *window.EqualizerWindow();
  int boxes = 0;
  answerDialog = [&](QDialog& dialog) {
    Walk(dialog);
    ++boxes;
    if (auto* prompt = qobject_cast<QInputDialog*>(&dialog)) {
      prompt->setTextValue(QStringLiteral(" Rock "));
      return int(QDialog::Accepted);
    }
    return int(QDialog::Rejected);
  };
  equalizer.btnSavePreset->click();
  EXPECT_EQ(boxes, 2);  // the name asked for, then refused
  EXPECT_EQ(equalizer.cmbPreset->findText(QStringLiteral("Rock")),
            equalizer.cmbPreset->findData(QStringLiteral("ロック")));
  EXPECT_EQ(equalizer.cmbPreset->count(), 8);  // no user preset was added
  EXPECT_EQ(japanese, Texts{});
}

// The settings and the list file keep the stored (Japanese) names; only
// what is shown is translated.
TEST_F(EnglishInterface, AStoredGenreStaysJapaneseAndShowsInEnglish) {
  TPlaylist playlist;
  TTagRecord tag;
  tag.Title = "t";
  tag.Genre = 17;  // ロック
  playlist.Append({ItemFromTag("/m/t.mp3", tag)});
  const TPlaylistModel model(playlist);
  EXPECT_EQ(playlist.Item(0).Column(siGenre + 1), "ロック");
  EXPECT_EQ(model.data(model.index(0, siGenre + 1), Qt::DisplayRole).toString(), QStringLiteral("Rock"));
  EXPECT_EQ(model.headerData(siGenre + 1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Genre"));
}

// Japanese needs no catalogue at all: the texts in the code are shown.
TEST(InterfaceTranslator, JapaneseLoadsNothing) {
  orvana::testing::TestApplication();
  EXPECT_EQ(InstallInterfaceTranslator(TInterfaceLanguage::Japanese), nullptr);
}

// Each English text keeps what the code fills in or presses: the same
// numbered arguments, a count where the Japanese has one, an accelerator
// where the Japanese has one (genre names are never captions: "R&B"), and
// no Japanese left in it.
TEST(EnglishCatalogue, EveryTextIsTranslatedKeepingItsArgumentsAndAccelerators) {
  QFile file(QStringLiteral(ORVANA_ENGLISH_CATALOGUE));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  const QRegularExpression arguments(QStringLiteral("%[0-9n]"));
  const auto argumentsOf = [&](const QString& text) {
    QStringList found;
    for (const auto& match : arguments.globalMatch(text)) found << match.captured();
    found.sort();
    return found;
  };
  const auto hasAccelerator = [](const QString& text) {
    return text.contains(QRegularExpression(QStringLiteral("&[^&]")));
  };
  int messages = 0;
  QString context;
  QString source;
  QStringList faults;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    if (xml.name() == QLatin1String("name")) context = xml.readElementText();
    if (xml.name() == QLatin1String("source")) source = xml.readElementText();
    if (xml.name() != QLatin1String("translation") && xml.name() != QLatin1String("numerusform")) continue;
    if (xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished")) faults << source + " unfinished";
    const QString english = xml.readElementText(QXmlStreamReader::SkipChildElements);
    if (english.trimmed().isEmpty()) continue;  // a numerus translation's frame
    ++messages;
    if (argumentsOf(english) != argumentsOf(source)) faults << source + " -> " + english + ": arguments";
    if (context != QLatin1String("Genres") && hasAccelerator(english) != hasAccelerator(source))
      faults << source + " -> " + english + ": accelerator";
    if (orvana::testing::HasJapanese(english)) faults << source + " -> " + english + ": Japanese";
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GT(messages, 200);
  EXPECT_EQ(faults.join(u'\n').toStdString(), "");
}

}  // namespace
}  // namespace orvana::app::testing
