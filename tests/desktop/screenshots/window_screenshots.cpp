// Draws the playlist window and every dialog as the program shows them and
// saves each as a PNG, so that a person can check them: no cut labels, no
// overlapping controls. scripts/screenshots.sh runs it on a private Xvfb.
#include <stdlib.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/dialogs/config_dialog.h"
#include "app/dialogs/equalizer_window.h"
#include "app/dialogs/find_song_dialog.h"
#include "app/dialogs/first_run_dialog.h"
#include "app/dialogs/open_url_dialog.h"
#include "app/dialogs/mpeg_info_dialog.h"
#include "app/dialogs/wakeup_dialog.h"
#include "app/language/interface_translator.h"
#include "app/window/app_icon.h"
#include "app/window/japanese_fonts.h"
#include "app/window/main_window.h"
#include "platform/wave_out.h"
#include "ui/about_dialog.h"

namespace {

using namespace orvana::app;

void Settle(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < milliseconds) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

class TScreenshots {
 public:
  explicit TScreenshots(QString folder) : folder_(std::move(folder)) {}

  int Save(QWidget& widget, const QString& name) {
    widget.show();
    Settle(300);
    const QString path = folder_ + "/" + name + ".png";
    if (!widget.grab().save(path)) {
      std::fprintf(stderr, "could not write %s\n", path.toLocal8Bit().constData());
      ++failures_;
    } else {
      std::printf("%s\n", path.toLocal8Bit().constData());
    }
    widget.hide();
    return QDialog::Rejected;
  }
  int Failures() const { return failures_; }

 private:
  QString folder_;
  int failures_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && !(argc == 4 && (std::string(argv[3]) == "ja" || std::string(argv[3]) == "en"))) {
    std::fprintf(stderr, "usage: orvana-screenshots SONG.mp3 FOLDER [ja|en]\n");
    return 2;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral(ORVANA_PRODUCT_NAME));
  QApplication::setApplicationVersion(QStringLiteral(ORVANA_VERSION));
  QApplication::setWindowIcon(ApplicationIcon());
  InstallJapaneseFontSubstitutes();
  QApplication::setFont(WindowFont());
  const auto translator = InstallInterfaceTranslator(argc == 4 && std::string(argv[3]) == "en"
                                                         ? TInterfaceLanguage::English
                                                         : TInterfaceLanguage::Japanese);
  const QString folder = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(folder);
  TScreenshots shots(folder);

  std::string files = QDir::tempPath().toStdString() + "/orvana-shots-XXXXXX";
  if (::mkdtemp(files.data()) == nullptr) return 1;
  TForm1 form({files + "/orvana.ini", files + "/orvana.lst"});
  form.MP3Player1().SetDeviceID(orvana::platform::kNullWaveDevice);
  form.SetDialogRunner([](QDialog&) { return int(QDialog::Rejected); });
  form.FormCreate({argv[1]});
  Settle(500);
  shots.Save(form, "main-window");
  form.show();

  TdlgWakeup wakeup(&form);
  shots.Save(wakeup, "wakeup");
  wakeup.SetMode(TWakeupDialogMode::Sleep);
  shots.Save(wakeup, "sleep");

  TdlgMPEGInfo info(&form);
  TTagRecord tag;
  tag.Title = "夜明けのスキャット";
  tag.Artist = "アーティスト名";
  tag.Album = "アルバム";
  tag.Year = "1969";
  tag.Comment = "コメント";
  tag.Track = 3;
  tag.Genre = 12;
  info.Fill(argv[1], tag);
  shots.Save(info, "file-info");
  info.PageControl1->setCurrentIndex(1);
  shots.Save(info, "file-info-lyrics");

  TdlgConfig config(&form);
  TConfigValues values;
  values.fontName = QStringLiteral("Noto Sans CJK JP");
  values.clickFunctions = {0, 1, 2, 3, 5, 6};
  config.Fill(values);
  shots.Save(config, "settings");
  config.PageControl1->setCurrentIndex(1);
  shots.Save(config, "settings-tray");

  TdlgFirst first(&form);
  shots.Save(first, "first-run");

  TdlgOpenUrl openUrl(&form);
  openUrl.edtUrl->setText(QStringLiteral("https://radio.example/listen.pls"));
  shots.Save(openUrl, "open-url");

  form.SetDialogRunner([&shots](QDialog& dialog) {
    if (auto* find = qobject_cast<TdlgFindSong*>(&dialog)) find->edtFind->setText(QStringLiteral("demo"));
    return shots.Save(dialog, "find-song");
  });
  form.Actions()[aiFindSong].Execute();
  form.SetDialogRunner([](QDialog&) { return int(QDialog::Rejected); });

  TSoundShapingSettings sound;
  sound.equalizerEnabled = true;
  sound.presets.Add("夜のドライブ", {-20, {40, 30, 10, 0, -10, 0, 10, 20, 30, 30}});
  sound.replayGain = {rgcTrack, 0, -60, true};
  form.SoundShaping().Load(sound);
  form.SoundShaping().ChoosePreset("ロック");
  form.Actions()[aiEqualizer].Execute();
  shots.Save(*form.EqualizerWindow(), "equalizer");

  form.AboutDialog1().Execute(&form, [&shots](QDialog& about) { return shots.Save(about, "about"); });

  std::filesystem::remove_all(files);
  return shots.Failures() == 0 ? 0 : 1;
}
