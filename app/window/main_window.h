#pragma once
// TForm1, the playlist window. It owns everything the program has for the
// whole run: the playlist, the player, the actions, the menus and the
// window's widgets; the parts it owns do the work. Closing the window only
// hides it; the program ends through actExit.
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/actions/action_list.h"
#include "app/equalizer/sound_shaping.h"
#include "app/playlist/list_order.h"
#include "app/playlist/playlist.h"
#include "app/playlist/playlist_commands.h"
#include "app/playlist/playlist_model.h"
#include "app/tray/task_tray.h"
#include "app/window/main_window_menus.h"
#include "app/window/main_window_state.h"
#include "app/window/main_window_widgets.h"
#include "app/window/playback_control.h"
#include "app/window/tray_clicks.h"
#include "app/window/volume_control.h"
#include "player/mp3_player.h"
#include "ui/dialog_runner.h"

class QMimeData;
class QTimer;
class QUrl;

namespace orvana::ui {
class TAboutDialog;
}  // namespace orvana::ui

namespace orvana::app {

class TTimedFunctions;
class TWindowDialogs;
class TdlgEqualizer;


// Where the window keeps its files; the program passes the real ones.
struct TFormFiles {
  std::string settingsPath;
  std::string listPath;
};

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  explicit TForm1(TFormFiles files, QWidget* parent = nullptr);
  ~TForm1() override;

  // Start-up: reads the settings and the list file, then adds and plays
  // `arguments` (the command line).
  void FormCreate(const std::vector<std::string>& arguments);
  // Writes the settings and the list file. Runs once; false when a file
  // could not be written (the error has been reported).
  bool FormClose();

  // What a second start of the program hands over: files to append and
  // play, or none to bring the window to the front.
  void OpenHandedOver(const std::vector<std::string>& arguments);
  // actExit on a signal or at the end of the session: errors go to stderr
  // only, since nobody is there to close a message box.
  void ExitUnattended();
  void BringToFront();
  // actHide: behind the tray icon; with no tray only minimised, so the
  // window stays reachable.
  void HideWindow();
  // What was dropped on the window: files and stations, in drop order.
  void Drop(const QMimeData& data);
  // The URLs of a dropped text/uri-list.
  void DropFiles(const QList<QUrl>& urls);
  // A station's address (or its playlist's) to append and play.
  void OpenAddress(const std::string& address);
  // What reads playlists on the web; the network's unless replaced (tests).
  void SetFetchText(TFetchText fetch) { commands_->SetFetchText(std::move(fetch)); }

  void UpdateCaption();
  void UpdateSongCount();
  void SetCurrentIndex(int index);

  TActionList& Actions() { return *actions_; }
  TPlaylist& Playlist() { return playlist_; }
  const TMainWindowState& State() const { return state_; }
  const TMainWindowWidgets& Widgets() const { return widgets_; }
  const TMainWindowMenus& Menus() const { return menus_; }
  player::TMP3Player& MP3Player1() { return *player_; }
  TPlaybackControl& Playback() { return *playback_; }
  TPlaylistCommands& Commands() { return *commands_; }
  TTaskTray& TaskTray1() { return *TaskTray1_; }
  TTrayClicks& Clicks() { return *clicks_; }
  TVolumeControl& Volume() { return *volume_; }
  TSoundShaping& SoundShaping() { return soundShaping_; }
  // Null until first opened (actEqualizer).
  TdlgEqualizer* EqualizerWindow() const { return equalizerWindow_; }
  QTimer& timClick() { return *timClick_; }
  QTimer& timSleep() { return *timSleep_; }
  QTimer& Timer1() { return *Timer1_; }
  TTimedFunctions& TimedFunctions() { return *timedFunctions_; }
  ui::TAboutDialog& AboutDialog1() { return *AboutDialog1_; }
  // The application's title: the open song's title, empty without one.
  const QString& ApplicationTitle() const { return applicationTitle_; }
  bool Closed() const { return closed_; }
  // Errors are shown in a message box over the window unless replaced.
  using ErrorDisplay = std::function<void(const QString& text)>;
  void SetErrorDisplay(ErrorDisplay display) { errorDisplay_ = std::move(display); }
  // Dialogs are shown centred over the window unless replaced.
  void SetDialogRunner(ui::TDialogRunner run) { runDialog_ = std::move(run); }

 signals:
  // actExit has saved everything; the program ends.
  void exitRequested();
  // The song, the player's state or the caption may have changed.
  void playbackChanged();
  // The song's position jumped to `milliseconds` (a seek).
  void seeked(qint64 milliseconds);
  // A new song is heard, or a station's new title (the caption has changed over).
  void songHeard();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ConfigurePlayer();
  void WireTray();
  void RegisterTrayIcon();
  void TrayShownChanged(bool shown);
  void WireActions();
  void WireDialogs();
  void ShowFirstRun();
  void ShowFileInfo();
  void ShowEqualizer();
  void WireWidgets();
  void WireFollowingSong();
  // The position shows in the window alone: hidden or minimised, the player
  // need not report it, and wakes less.
  void FollowVisibility();
  void ApplySettings(const TProgramSettings& settings);
  TProgramSettings CollectSettings() const;
  void ApplyListFont();
  void LoadList();
  int AddArguments(const std::vector<std::string>& arguments);
  void AddDropped(const std::vector<std::string>& names);
  void Exit();
  void ReportError(const std::exception& error);
  void ShowError(const QString& text);
  TActionContext ActionContext() const;

  TFormFiles files_;
  TMainWindowState state_;
  TRandom random_;
  TPlaylist playlist_;
  std::unique_ptr<player::TMP3Player> player_;
  TSoundShaping soundShaping_;
  TActionList* actions_;
  TPlaylistModel* model_;
  TMainWindowWidgets widgets_;
  TMainWindowMenus menus_;
  std::unique_ptr<TPlaylistCommands> commands_;
  std::unique_ptr<TPlaybackControl> playback_;
  TVolumeControl* volume_ = nullptr;
  TTaskTray* TaskTray1_;
  QTimer* timClick_;
  TTrayClicks* clicks_;
  QTimer* trayLostWait_;
  QTimer* Timer1_;
  QTimer* timSleep_;
  // Coalesces the changes of one command (the list, the modes) into one new
  // pick of the song that follows.
  QTimer* followingCheck_;
  ui::TDialogRunner runDialog_;
  TTimedFunctions* timedFunctions_ = nullptr;
  std::unique_ptr<TWindowDialogs> dialogs_;
  ui::TAboutDialog* AboutDialog1_ = nullptr;
  TdlgEqualizer* equalizerWindow_ = nullptr;
  QString applicationTitle_;
  ErrorDisplay errorDisplay_;
  bool closed_ = false;
  bool unattended_ = false;
};

}  // namespace orvana::app
