// The equalizer window as the playlist window opens it: its controls reach
// the player at once, the settings come back at the next start, and presets
// are saved, renamed and deleted through its prompts.
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "app/dialogs/equalizer_window.h"
#include "app/dialogs/gain_slider.h"
#include "form_fixture.h"

namespace orvana::app::testing {
namespace {

const QString kEqualizer = QString::fromUtf8("イコライザー");

class EqualizerWindow : public FormFixture {
 protected:
  TdlgEqualizer& Open() {
    Write(SettingsPath(), "[ini]\r\nFirst=0\r\n");
    TForm1& window = Create();
    for (QAction* entry : window.Menus().popConfig->actions())
      if (entry->text() == kEqualizer) entry->trigger();
    EXPECT_NE(window.EqualizerWindow(), nullptr);
    return *window.EqualizerWindow();
  }
};

TEST_F(EqualizerWindow, ItsControlsDriveThePlayerAndComeBackAtTheNextStart) {
  TdlgEqualizer& equalizer = Open();
  EXPECT_TRUE(equalizer.isVisible());
  EXPECT_FALSE(equalizer.isModal());
  EXPECT_EQ(equalizer.windowTitle(), kEqualizer);
  form->Widgets().configButton->click();  // the button itself still opens the settings
  EXPECT_EQ(dialogs, QStringList{QString::fromUtf8("Orvana - 設定")});

  player::TMP3Player& player = form->MP3Player1();
  EXPECT_FALSE(player.EqualizerEnabled());
  EXPECT_EQ(player.ReplayGain(), player::TReplayGainSettings{});
  equalizer.chkEqualizer->click();
  EXPECT_TRUE(player.EqualizerEnabled());
  equalizer.trbBands[0]->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(player.EqualizerGain(0), 1);
  EXPECT_EQ(equalizer.trbBands[0]->toolTip(), QStringLiteral("+0.2 dB"));
  equalizer.trbBands[9]->setSliderDown(true);  // a drag: heard at each step
  equalizer.trbBands[9]->setSliderPosition(equalizer.trbBands[9]->minimum());
  EXPECT_EQ(player.EqualizerGain(9), -60);
  equalizer.trbBands[9]->setSliderDown(false);
  equalizer.trbPreamp->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(player.EqualizerPreamp(), -5);
  EXPECT_EQ(equalizer.trbPreamp->ValueLabel()->text(), QStringLiteral("-1.0 dB"));

  equalizer.cmbReplayGainMode->setCurrentIndex(rgcAlbum);
  equalizer.trbDefaultGain->triggerAction(QAbstractSlider::SliderToMinimum);
  equalizer.trbReplayGainPreamp->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  equalizer.chkPreventClipping->click();
  EXPECT_EQ(player.ReplayGain(), (player::TReplayGainSettings{player::rgmAlbum, 0.1, -15.0, false}));

  form->Actions()[aiExit].Execute();
  form.reset();
  TForm1& again = Create();
  EXPECT_EQ(again.EqualizerWindow(), nullptr);
  player::TMP3Player& next = again.MP3Player1();
  EXPECT_TRUE(next.EqualizerEnabled());
  EXPECT_EQ(next.EqualizerGain(0), 1);
  EXPECT_EQ(next.EqualizerGain(9), -60);
  EXPECT_EQ(next.EqualizerPreamp(), -5);
  EXPECT_EQ(next.ReplayGain(), (player::TReplayGainSettings{player::rgmAlbum, 0.1, -15.0, false}));
}

TEST_F(EqualizerWindow, PresetsAreSavedRenamedAndDeletedUnderNamesOfTheirOwn) {
  TdlgEqualizer& equalizer = Open();
  QStringList names;
  QStringList told;
  answerDialog = [&](QDialog& dialog) {
    if (auto* prompt = qobject_cast<QInputDialog*>(&dialog)) {
      prompt->setTextValue(names.takeFirst());
      return int(QDialog::Accepted);
    }
    told << qobject_cast<QMessageBox*>(&dialog)->text();
    return int(QMessageBox::Yes);
  };
  EXPECT_EQ(equalizer.cmbPreset->currentText(), QString::fromUtf8("フラット"));
  EXPECT_FALSE(equalizer.btnRenamePreset->isEnabled());
  EXPECT_FALSE(equalizer.btnDeletePreset->isEnabled());

  equalizer.trbBands[3]->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(equalizer.cmbPreset->currentIndex(), -1);
  names << QString::fromUtf8("ロック") << QStringLiteral("Mine");
  equalizer.btnSavePreset->click();  // refused
  equalizer.btnSavePreset->click();
  EXPECT_EQ(told.size(), 1);
  EXPECT_EQ(equalizer.cmbPreset->currentText(), QStringLiteral("Mine"));
  EXPECT_TRUE(equalizer.btnDeletePreset->isEnabled());

  equalizer.trbBands[4]->triggerAction(QAbstractSlider::SliderPageStepAdd);
  names << QStringLiteral("Mine");
  equalizer.btnSavePreset->click();  // replaces after asking
  EXPECT_EQ(told.size(), 2);
  const TEqualizerPresets& presets = form->SoundShaping().Settings().presets;
  ASSERT_EQ(presets.User().size(), 1u);
  EXPECT_EQ(presets.User()[0].curve.bands[4], 10);

  names << QString::fromUtf8("ジャズ") << QStringLiteral("Yours");
  equalizer.btnRenamePreset->click();  // refused
  equalizer.btnRenamePreset->click();
  EXPECT_EQ(told.size(), 3);
  EXPECT_EQ(equalizer.cmbPreset->currentText(), QStringLiteral("Yours"));
  EXPECT_EQ(equalizer.cmbPreset->findText(QStringLiteral("Mine")), -1);

  equalizer.btnDeletePreset->click();
  EXPECT_EQ(told.size(), 4);
  EXPECT_TRUE(presets.User().empty());
  EXPECT_EQ(equalizer.cmbPreset->currentIndex(), -1);
  EXPECT_FALSE(equalizer.btnRenamePreset->isEnabled());
  EXPECT_TRUE(names.isEmpty());
}

}  // namespace
}  // namespace orvana::app::testing
