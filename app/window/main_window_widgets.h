#pragma once
// The main window's widgets, named as the rest of the program knows them,
// built and laid out in one place. The widgets only show state; the window
// wires them to its actions.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>

#include "app/actions/action_list.h"
#include "app/playlist/playlist_view.h"
#include "app/window/seek_bar.h"
#include "ui/panel_bar.h"

namespace orvana::app {

struct TMainWindowWidgets {
  QFrame* Panel2 = nullptr;
  QToolBar* ToolBar1 = nullptr;
  QToolButton* fileButton = nullptr;    // actAddFolder with popFile
  QToolButton* configButton = nullptr;  // actOptions with popConfig
  QSlider* trbVolume = nullptr;         // the volume, 0..100, after the buttons
  QComboBox* ComboBox1 = nullptr;
  QFrame* Panel1 = nullptr;
  QLineEdit* edtTitle = nullptr;
  QLineEdit* edtLyrics = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QWidget* TabSheet1 = nullptr;
  QWidget* tbsInfo = nullptr;
  QLabel* imgCover = nullptr;  // the song's cover, hidden without one
  TPlaylistView* ListView1 = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblArtist = nullptr;
  QLabel* lblAlbum = nullptr;
  QLabel* lblYear = nullptr;
  QLabel* lblGenre = nullptr;
  QLabel* lblComment = nullptr;
  QLabel* lblFileName = nullptr;
  QLabel* lblLength = nullptr;
  QPlainTextEdit* memLyrics = nullptr;
  ui::TPanelBar* PanelBar1 = nullptr;
  QLabel* pnlSongs = nullptr;
  QLabel* pnlTime = nullptr;
  TSeekBar* ProgressBar1 = nullptr;
};

// The box the property tab's cover is scaled to fit.
constexpr int kCoverShownSide = 128;

// Builds every widget inside `form` (which gets a vertical layout).
TMainWindowWidgets BuildMainWindowWidgets(QWidget& form, const TActionList& actions);

}  // namespace orvana::app
