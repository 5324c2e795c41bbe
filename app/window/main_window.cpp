#include "app/window/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHideEvent>
#include <QShowEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "app/dialogs/equalizer_window.h"
#include "app/equalizer/player_sound_shaping.h"
#include "app/playlist/dropped_names.h"
#include "app/playlist/list_file.h"
#include "app/settings/ini_gt.h"
#include "app/window/app_icon.h"
#include "app/window/click_functions.h"
#include "app/window/japanese_fonts.h"
#include "app/window/player_host.h"
#include "app/window/show_centered.h"
#include "app/window/timed_functions.h"
#include "app/window/window_dialogs.h"
#include "ui/about_dialog.h"
#include "app/window/window_caption.h"

namespace orvana::app {

using namespace player;

namespace {

constexpr int kTrayLostWaitMs = 2000;
constexpr const char* kAboutDialogCaption = QT_TRANSLATE_NOOP("Window", "Orvanaのバージョン情報");
constexpr const char* kRightsYears = "2026";

}  // namespace

TForm1::TForm1(TFormFiles files, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      files_(std::move(files)),
      player_(std::make_unique<TMP3Player>()),
      actions_(new TActionList(this)),
      model_(new TPlaylistModel(playlist_, this)),
      TaskTray1_(new TTaskTray(this)),
      timClick_(new QTimer(this)),
      clicks_(nullptr),
      trayLostWait_(new QTimer(this)),
      Timer1_(new QTimer(this)),
      timSleep_(new QTimer(this)),
      followingCheck_(new QTimer(this)) {
  setObjectName("Form1");
  setFont(WindowFont());
  ConfigurePlayer();
  widgets_ = BuildMainWindowWidgets(*this, *actions_);
  menus_ = BuildMainWindowMenus(*actions_, this);
  widgets_.ListView1->SetPlaylistModel(model_);
  commands_ = std::make_unique<TPlaylistCommands>(
      playlist_, *widgets_.ListView1, state_, random_, *this,
      TPlaylistCommands::TWindowHooks{[this] { UpdateSongCount(); }, [this] { UpdateCaption(); },
                                      [this](int index) { SetCurrentIndex(index); },
                                      [this] { playback_->History().Clear(); },
                                      [this](int row) { playback_->PlayRow(row); },
                                      [this](const std::string& text) { ShowError(QString::fromStdString(text)); }});
  playback_ = std::make_unique<TPlaybackControl>(
      playlist_, state_, *player_, *actions_, widgets_, random_,
      TPlaybackControl::TWindowHooks{[this] { UpdateCaption(); }, [this](int index) { SetCurrentIndex(index); },
                                     [this](std::int64_t position) { emit seeked(position); },
                                     [this] { emit songHeard(); }});
  volume_ = new TVolumeControl(*player_, *widgets_.trbVolume, this);
  timClick_->setObjectName("timClick");
  Timer1_->setObjectName("Timer1");
  timSleep_->setObjectName("timSleep");
  new TPlayerHost(*player_, [this](const QString& text) { ShowError(text); }, this);
  WireDialogs();
  WireActions();
  WireWidgets();
  WireFollowingSong();
  WireTray();
  FollowVisibility();
}

TForm1::~TForm1() {
  // The equalizer window shows soundShaping_, a member that goes before the
  // window's children.
  delete equalizerWindow_;
  // The player's events reach into the window: it goes first. The list and
  // its model go before the playlist they show, which dies with the members.
  player_.reset();
  delete widgets_.PageControl1;
  delete model_;
}

void TForm1::ConfigurePlayer() {
  TMP3Player& player = *player_;
  player.BeginLoad();
  player.SetAutoOpen(false);
  player.SetAutoPlay(true);
  player.SetChangePosStep(400);
  player.SetDecodePriority(tpNormal);
  player.SetEqualizerEnabled(false);
  TMP3InfoType needed;
  needed.Include(mitID3V1);
  needed.Include(mitID3V2);
  needed.Include(mitRiff);
  player.SetNeedInfoType(needed);
  player.SetNoisySeek(true);
  player.SetInvertPolarity(false);
  // Every kernel but EMMX's, as the window has always stored it; the
  // present-day vector kernels came later and are fastest (half the decoding
  // time of a song that plays all day).
  engine::TMP3CpuCapabilities capabilities = engine::TMP3CpuCapabilities::All();
  capabilities.Exclude(engine::mccEMMX);
  player.SetUsingCpuCapabilities(capabilities);
  player.SetVolBalance(0);
  player.SetVolume(0);
  player.Loaded();
  SetUpEqualizerBands(player);
  // Every change is heard at once; the player coalesces them.
  ApplySoundShaping(soundShaping_.Settings(), player);
  connect(&soundShaping_, &TSoundShaping::changed, this,
          [this] { ApplySoundShaping(soundShaping_.Settings(), *player_); });
  player.SetOnChangeStatus([this](TMP3Player&) {
    playback_->StatusChanged();
    emit playbackChanged();
  });
  player.SetOnChangePosition([this](TMP3Player&) { playback_->PositionChanged(); });
  player.SetOnEndPlay([this](TMP3Player&, TMP3EndPlayReason reason) { playback_->EndPlay(reason); });
  player.SetOnChangeSong([this](TMP3Player&) { playback_->SongChanged(); });
  player.SetOnChangeStreamInfo([this](TMP3Player&) { playback_->StationChanged(); });
}

TActionContext TForm1::ActionContext() const {
  return {playlist_.Count(), widgets_.ListView1->HasSelection(), player_->Capabilities(), player_->Status()};
}

void TForm1::WireActions() {
  TActionList& a = *actions_;
  a.SetContextSource([this] { return ActionContext(); });
  for (int id = 0; id < kActionCount; ++id) addAction(a.QtAction(TActionId(id)));  // window-wide shortcuts
  a[aiExit].SetCaption(QCoreApplication::translate("Actions", kExitCaption));
  a[aiAbout].SetCaption(QCoreApplication::translate("Actions", kAboutCaption));

  a[aiPlay].SetHandler([this] { playback_->Play(); });
  a[aiStop].SetHandler([this] { playback_->Stop(); });
  a[aiPause].SetHandler([this] { playback_->Pause(); });
  a[aiNext].SetHandler([this] { playback_->Step(true); });
  a[aiPrevious].SetHandler([this] { playback_->Step(false); });
  a[aiOpenFile].SetHandler([this] { commands_->ChooseFiles(false); });
  a[aiAddFile].SetHandler([this] { commands_->ChooseFiles(true); });
  a[aiOpenFolder].SetHandler([this] { commands_->ChooseFolder(false); });
  a[aiOpenUrl].SetHandler([this] {
    if (const std::optional<std::string> address = dialogs_->AskStationAddress()) OpenAddress(*address);
  });
  a[aiFindSong].SetHandler([this] {
    // Played as a double click in the list plays it.
    if (const std::optional<int> row = dialogs_->FindSong(playlist_, *model_)) playback_->PlayRow(*row);
  });
  a[aiAddFolder].SetHandler([this] { commands_->ChooseFolder(true); });
  a[aiDelete].SetHandler([this] { commands_->DeleteSelection(false); });
  a[aiDeleteInvert].SetHandler([this] { commands_->DeleteSelection(true); });
  a[aiDeleteAll].SetHandler([this] { commands_->DeleteEverything(); });
  a[aiDeleteDead].SetHandler([this] { commands_->DeleteMissing(); });
  a[aiSavePlaylist].SetHandler([this] { commands_->SaveAsPlaylist(); });
  a[aiShuffleList].SetHandler([this] { commands_->Shuffle(); });
  a[aiReverseList].SetHandler([this] { commands_->Reverse(); });
  for (TActionId mode : {aiRepeat, aiShuffle})
    a[mode].SetHandler([this, mode] { (*actions_)[mode].SetChecked(!(*actions_)[mode].Checked()); });
  a[aiHide].SetHandler([this] { HideWindow(); });
  a[aiSleep].SetHandler([this] { timedFunctions_->Sleep(); });
  a[aiWakeup].SetHandler([this] { timedFunctions_->Wakeup(); });
  a[aiOptions].SetHandler([this] { dialogs_->Options(); });
  a[aiFileInfo].SetHandler([this] { ShowFileInfo(); });
  a[aiEqualizer].SetHandler([this] { ShowEqualizer(); });
  a[aiAbout].SetHandler([this] { AboutDialog1_->Execute(this, runDialog_); });
  a[aiExit].SetHandler([this] { Exit(); });
  a.SetErrorDisplay([this](const std::exception& error) { ReportError(error); });
}

void TForm1::WireDialogs() {
  // A question of the equalizer window opens over it, every other dialog
  // over this window.
  runDialog_ = [this](QDialog& dialog) {
    const QWidget* owner = dialog.parentWidget() != nullptr ? dialog.parentWidget()->window() : this;
    return ShowCentered(dialog, owner->isVisible() ? *owner : *this);
  };
  timedFunctions_ = new TTimedFunctions(*actions_, state_, *timSleep_, *Timer1_, *this, runDialog_, this);
  dialogs_ = std::make_unique<TWindowDialogs>(*this, state_, *player_, *timClick_, runDialog_,
                                              [this] { ApplyListFont(); });
  AboutDialog1_ = new ui::TAboutDialog(this);
  AboutDialog1_->SetCaption(QCoreApplication::translate("Window", kAboutDialogCaption));
  AboutDialog1_->SetTitle(QStringLiteral(ORVANA_PRODUCT_NAME));
  AboutDialog1_->SetYear(QString::fromUtf8(kRightsYears));
}

void TForm1::ShowFileInfo() {
  const std::vector<int> rows = widgets_.ListView1->SelectedRows();
  if (rows.empty()) return;
  dialogs_->FileInfo(std::string(ItemPath(playlist_.Item(rows.front()))));
}

void TForm1::ShowEqualizer() {
  if (equalizerWindow_ == nullptr) equalizerWindow_ = new TdlgEqualizer(soundShaping_, runDialog_, this);
  equalizerWindow_->show();
  equalizerWindow_->raise();
  equalizerWindow_->activateWindow();
}

void TForm1::ShowFirstRun() {
  if (closed_) return;
  try {
    dialogs_->FirstRun(files_.settingsPath);
  } catch (const std::exception& error) {
    ReportError(error);
  }
}

void TForm1::WireWidgets() {
  TPlaylistView& list = *widgets_.ListView1;
  widgets_.fileButton->setMenu(menus_.popFile);
  widgets_.fileButton->setPopupMode(QToolButton::MenuButtonPopup);
  widgets_.configButton->setMenu(menus_.popConfig);
  widgets_.configButton->setPopupMode(QToolButton::MenuButtonPopup);
  list.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&list, &QWidget::customContextMenuRequested, this,
          [this, &list](const QPoint& at) { menus_.PopupMenu1->popup(list.viewport()->mapToGlobal(at)); });
  // Enter plays the row the list's cursor is on while the list has the focus.
  list.addAction(menus_.playSelected);
  menus_.playSelected->setShortcutContext(Qt::WidgetShortcut);
  connect(menus_.playSelected, &QAction::triggered, this, [this] {
    const int row = widgets_.ListView1->RowToPlay();
    if (row >= 0) playback_->PlayRow(row);
  });
  connect(&list, &TPlaylistView::rowDoubleClicked, this, [this](int row) { playback_->PlayRow(row); });
  connect(widgets_.ComboBox1, &QComboBox::activated, this, [this](int index) { playback_->PlayHistoryEntry(index); });
  connect(widgets_.ProgressBar1, &TSeekBar::pressedAt, this, [this](int x) { playback_->SeekAt(x); });
  connect(&list, &TPlaylistView::columnClicked, this, [this](int column) { commands_->SortByColumn(column); });
  connect(&list, &TPlaylistView::selectedRowsChanged, actions_, &TActionList::UpdateAll);
  connect(model_, &QAbstractItemModel::rowsInserted, actions_, &TActionList::UpdateAll);
  connect(model_, &QAbstractItemModel::modelReset, actions_, &TActionList::UpdateAll);
}

void TForm1::WireFollowingSong() {
  followingCheck_->setSingleShot(true);
  followingCheck_->setInterval(0);
  connect(followingCheck_, &QTimer::timeout, this, [this] { playback_->PrepareNext(); });
  const auto check = [this] { followingCheck_->start(); };
  connect(model_, &QAbstractItemModel::rowsInserted, this, check);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, check);
  connect(model_, &QAbstractItemModel::rowsMoved, this, check);
  connect(model_, &QAbstractItemModel::modelReset, this, check);
  connect(model_, &QAbstractItemModel::layoutChanged, this, check);
  for (TActionId mode : {aiRepeat, aiShuffle}) connect(actions_->QtAction(mode), &QAction::toggled, this, check);
}

void TForm1::WireTray() {
  TaskTray1_->setObjectName("TaskTray1");
  clicks_ = new TTrayClicks(
      *timClick_, state_.clickFunctions, [] { QApplication::beep(); },
      [this](int function) { RunClickFunction(function, *actions_, player_->Status(), [this] { BringToFront(); }); },
      this);
  connect(TaskTray1_, &TTaskTray::mouseDown, clicks_, &TTrayClicks::MouseDown);
  connect(TaskTray1_, &TTaskTray::mouseUp, clicks_, &TTrayClicks::MouseUp);
  connect(TaskTray1_, &TTaskTray::wheel, volume_, &TVolumeControl::Wheel);
  connect(TaskTray1_, &TTaskTray::shownChanged, this, &TForm1::TrayShownChanged);
  // A panel that restarts takes its icons back within moments; only a tray
  // that stays away brings the window back.
  trayLostWait_->setSingleShot(true);
  trayLostWait_->setInterval(kTrayLostWaitMs);
  connect(trayLostWait_, &QTimer::timeout, this, [this] {
    if (!TaskTray1_->Shown() && !isVisible()) BringToFront();
  });
}

void TForm1::RegisterTrayIcon() {
  try {
    // The program's icon, drawn once at start-up; a window made on its own
    // (the tests) draws its own.
    const QIcon icon = QApplication::windowIcon();
    TaskTray1_->SetIcon(icon.isNull() ? ApplicationIcon() : icon);
    TaskTray1_->SetRegistered(true);
  } catch (const std::exception& error) {
    ReportError(error);
  }
}

void TForm1::TrayShownChanged(bool shown) {
  if (shown) {
    trayLostWait_->stop();
  } else {
    trayLostWait_->start();
  }
}

void TForm1::HideWindow() {
  if (TaskTray1_->Shown()) {
    hide();
  } else {
    showMinimized();
  }
}

// No hour-glass here: none of the program's windows reaches the screen
// before the event loop runs, and loading the cursor theme costs start-up.
void TForm1::FormCreate(const std::vector<std::string>& arguments) {
  RegisterTrayIcon();
  SetCurrentIndex(0);
  state_.playedList.clear();
  UpdateCaption();

  TIniGT ini;
  ini.SetFileName(files_.settingsPath);
  const TProgramSettings settings = ReadProgramSettings(ini);
  ApplySettings(settings);

  LoadList();
  if (state_.currentIndex >= playlist_.Count()) SetCurrentIndex(0);
  widgets_.ListView1->ScrollIntoView(state_.currentIndex);

  if (!arguments.empty()) AddArguments(arguments);
  setAcceptDrops(true);
  UpdateCaption();
  UpdateSongCount();
  actions_->UpdateAll();
  // Once the event loop runs: an exit (a signal, the session's end) while
  // the dialog is open then ends the program instead of being spent on the
  // dialog's own loop before the program's starts.
  if (settings.first) QTimer::singleShot(0, this, [this] { ShowFirstRun(); });
}

void TForm1::ApplySettings(const TProgramSettings& settings) {
  move(settings.formLeft, settings.formTop);
  resize(settings.formClientWidth, settings.formClientHeight);
  state_.listFont = settings.font;
  ApplyListFont();
  player_->SetDecodePriority(TThreadPriority(settings.priority));
  (*actions_)[aiRepeat].SetChecked(settings.repeat);
  (*actions_)[aiShuffle].SetChecked(settings.shuffle);
  SetCurrentIndex(settings.currentIndex);
  state_.subFolder = settings.subFolder;
  state_.checkTag = settings.checkTag;
  state_.notifySongChange = settings.notifySongChange;
  state_.wakeupHour = settings.wakeupHour;
  state_.wakeupMin = settings.wakeupMin;
  state_.exitWhenSleep = settings.exitWhenSleep;
  state_.totalSeconds = settings.totalSeconds;
  QHeaderView& header = *widgets_.ListView1->header();
  for (int column = 0; column < kColumnCount; ++column)
    header.resizeSection(column, settings.columnWidths[std::size_t(column)]);
  state_.clickFunctions = settings.clickFunctions;
  state_.language = settings.language;
  timClick_->setInterval(settings.clickWait);
  // Past the player's Loaded: a stored 0 is silence, not the device's volume.
  volume_->Set(settings.volume);
  soundShaping_.Load(settings.sound);
  // Hidden only behind an icon a tray shows: otherwise nothing would lead
  // back to the window.
  setVisible(settings.formVisible || !TaskTray1_->Shown());
}

TProgramSettings TForm1::CollectSettings() const {
  TProgramSettings settings;
  settings.formLeft = x();
  settings.formTop = y();
  settings.formClientWidth = width();
  settings.formClientHeight = height();
  settings.formVisible = isVisible();
  settings.font = state_.listFont;
  settings.priority = player_->DecodePriority();
  settings.repeat = (*actions_)[aiRepeat].Checked();
  settings.shuffle = (*actions_)[aiShuffle].Checked();
  settings.currentIndex = state_.currentIndex;
  settings.subFolder = state_.subFolder;
  settings.checkTag = state_.checkTag;
  settings.notifySongChange = state_.notifySongChange;
  settings.wakeupHour = state_.wakeupHour;
  settings.wakeupMin = state_.wakeupMin;
  settings.exitWhenSleep = state_.exitWhenSleep;
  settings.totalSeconds = state_.totalSeconds;
  const QHeaderView& header = *widgets_.ListView1->header();
  for (int column = 0; column < kColumnCount; ++column)
    settings.columnWidths[std::size_t(column)] = header.sectionSize(column);
  settings.clickFunctions = state_.clickFunctions;
  settings.clickWait = timClick_->interval();
  settings.volume = volume_->Volume();
  settings.sound = soundShaping_.Settings();
  settings.language = state_.language;
  return settings;
}

void TForm1::ApplyListFont() {
  TPlaylistView& list = *widgets_.ListView1;
  const QFont font = HeldToItsFace(ToQFont(state_.listFont));
  list.setFont(font);
  model_->SetBoldFont(BoldOfSameFace(font));
  QPalette palette = list.palette();
  palette.setColor(QPalette::Text, StoredColour(state_.listFont.color, palette));
  list.setPalette(palette);
}

void TForm1::LoadList() {
  try {
    LoadListFile(playlist_, files_.listPath);
  } catch (const std::exception& error) {
    ReportError(error);
  }
}

int TForm1::AddArguments(const std::vector<std::string>& arguments) {
  try {
    return commands_->AppendNames(arguments, true);
  } catch (const std::exception& error) {
    ReportError(error);
    return 0;
  }
}

void TForm1::OpenAddress(const std::string& address) {
  try {
    commands_->OpenAddress(address);
  } catch (const std::exception& error) {
    ReportError(error);
  }
}

void TForm1::OpenHandedOver(const std::vector<std::string>& arguments) {
  if (arguments.empty()) {
    BringToFront();
    return;
  }
  AddArguments(arguments);
  UpdateSongCount();
}

void TForm1::ExitUnattended() {
  unattended_ = true;
  (*actions_)[aiExit].Execute();
}

void TForm1::BringToFront() {
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
  widgets_.ListView1->ScrollIntoView(state_.currentIndex);
}

bool TForm1::FormClose() {
  if (closed_) return true;
  closed_ = true;
  bool saved = true;
  try {
    TIniGT ini;
    ini.SetFileName(files_.settingsPath);
    WriteProgramSettings(ini, CollectSettings());
    ini.UpdateFile();
  } catch (const std::exception& error) {
    ReportError(error);
    saved = false;
  }
  try {
    SaveListFile(playlist_, files_.listPath);
  } catch (const std::exception& error) {
    ReportError(error);
    saved = false;
  }
  return saved;
}

void TForm1::Exit() {
  FormClose();
  hide();
  emit exitRequested();
}

// The program's own messages are translated in context "Errors"; others
// (the system's, the player's) come through as they are.
void TForm1::ReportError(const std::exception& error) {
  ShowError(QCoreApplication::translate("Errors", error.what()));
}

void TForm1::ShowError(const QString& text) {
  std::fprintf(stderr, "orvana: %s\n", text.toLocal8Bit().constData());
  // Nobody is there to close a box while the program ends on a signal.
  if (unattended_) return;
  if (errorDisplay_) {
    errorDisplay_(text);
  } else {
    ShowErrorMessage(this, text);
  }
}

void TForm1::UpdateCaption() {
  const std::string title = player_->Title();
  applicationTitle_ = QString::fromStdString(title);
  try {
    TaskTray1_->SetTipString(applicationTitle_);
  } catch (const std::exception& error) {
    // The tray refused the new tip: the old one stays; not worth a box.
    std::fprintf(stderr, "orvana: %s\n", error.what());
  }
  setWindowTitle(QString::fromStdString(WindowCaption(title, player_->Status())));
  widgets_.pnlTime->setText(QString::fromStdString(TotalTimeText(state_.totalSeconds)));
  emit playbackChanged();
}

void TForm1::UpdateSongCount() { widgets_.pnlSongs->setText(QString::fromStdString(SongCountText(playlist_.Count()))); }

void TForm1::SetCurrentIndex(int index) {
  state_.currentIndex = index;
  model_->SetCurrentRow(index);
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  event->ignore();
  (*actions_)[aiHide].Execute();
}

void TForm1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FollowVisibility();
}

void TForm1::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  FollowVisibility();
}

void TForm1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) FollowVisibility();
}

void TForm1::FollowVisibility() {
  if (player_) player_->SetPositionEvents(isVisible() && !isMinimized());
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (CarriesNames(*event->mimeData())) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  event->acceptProposedAction();
  Drop(*event->mimeData());
}

void TForm1::Drop(const QMimeData& data) { AddDropped(DroppedNames(data)); }

void TForm1::DropFiles(const QList<QUrl>& urls) { AddDropped(NamesOfUrls(urls)); }

void TForm1::AddDropped(const std::vector<std::string>& names) {
  try {
    commands_->AddDropped(names);
  } catch (const std::exception& error) {
    ReportError(error);
  }
}

}  // namespace orvana::app
