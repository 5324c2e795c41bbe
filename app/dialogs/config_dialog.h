#pragma once
// TdlgConfig: the settings dialog. The general page holds the list font,
// the decoding priority, subfolder search, tag reading and the interface's
// language (used from the next start); the tray page the
// click wait and which function each click runs, edited on a working copy
// that only OK hands back.
#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

#include "app/settings/program_settings.h"

class QCheckBox;
class QComboBox;
class QListWidget;
class QSlider;
class QTabWidget;
class QWidget;

namespace orvana::ui {
class TDragEdit;
class TFontNameComboBox;
}  // namespace orvana::ui

namespace orvana::app {

// What the dialog shows and hands back.
struct TConfigValues {
  bool subFolder = true;
  bool checkTag = false;
  // The stored face; a face that is not installed is kept unless another
  // is picked, while the box shows `drawnFontName`, the face the list is
  // really drawn with.
  QString fontName;
  QString drawnFontName;
  int fontSize = 9;
  int priority = 3;       // kLowestPriority .. kHighestPriority
  int clickWait = 1000;   // milliseconds
  std::array<std::uint8_t, kClickFunctionSlots> clickFunctions{};
  TLanguageChoice language = TLanguageChoice::Automatic;  // takes effect at the next start
};

class TdlgConfig : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 336;
  static constexpr int kClientHeight = 332;
  static constexpr int kMinFontSize = 1;
  static constexpr int kMaxFontSize = 100;

  explicit TdlgConfig(QWidget* parent = nullptr);

  void Fill(const TConfigValues& values);
  TConfigValues Values() const;

  QTabWidget* PageControl1;
  QWidget* TabSheet1;
  QWidget* tbsTrayIcon;
  ui::TFontNameComboBox* FontNameComboBox1;
  ui::TDragEdit* DragEdit1;
  QSlider* trcPriority;
  QCheckBox* chkSubFolder;
  QCheckBox* chkCheckTag;
  QComboBox* cmbLanguage;
  QSlider* trcTrayIcon;
  QListWidget* lstClickKind;
  QListWidget* lstFunction;

 private:
  QWidget* BuildGeneralPage();
  QWidget* BuildLanguageRow(QWidget* page);
  QWidget* BuildTrayPage();
  void PageControl1Change();
  void lstClickKindClick();
  void lstFunctionClick();

  std::array<std::uint8_t, kClickFunctionSlots> clickFunctions_{};
  QString storedFontName_;
  QString shownFontName_;
};

}  // namespace orvana::app
