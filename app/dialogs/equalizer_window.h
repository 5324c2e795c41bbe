#pragma once
// TdlgEqualizer: the equalizer window, "イコライザー". A thin face over
// TSoundShaping: every control shows the state and hands each move to it at
// once (a slider at each step of a drag), and follows its changes. Not
// modal: it stays open beside the playlist window.
#include <QDialog>
#include <array>

#include "app/dialogs/preset_commands.h"
#include "app/equalizer/sound_shaping.h"
#include "ui/dialog_runner.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QPushButton;

namespace orvana::app {

class TGainSlider;
class TResponseCurveView;

class TdlgEqualizer : public QDialog {
  Q_OBJECT

 public:
  // `run` shows the name prompts and questions; it is read at each use.
  TdlgEqualizer(TSoundShaping& shaping, const ui::TDialogRunner& run, QWidget* parent = nullptr);

  QCheckBox* chkEqualizer;
  QComboBox* cmbPreset;
  QPushButton* btnSavePreset;
  QPushButton* btnRenamePreset;
  QPushButton* btnDeletePreset;
  TResponseCurveView* pbxResponse;
  TGainSlider* trbPreamp;
  std::array<TGainSlider*, kEqualizerBandCount> trbBands{};
  QGroupBox* grpReplayGain;
  QComboBox* cmbReplayGainMode;
  TGainSlider* trbReplayGainPreamp;
  TGainSlider* trbDefaultGain;
  QCheckBox* chkPreventClipping;

 private:
  QWidget* BuildPresetRow();
  QWidget* BuildSliders();
  QGroupBox* BuildReplayGain();
  void Wire();
  void ShowSettings();
  void ShowPresets();
  void ApplyReplayGain();

  TSoundShaping& shaping_;
  TPresetCommands presetCommands_;
};

}  // namespace orvana::app
