#pragma once
// The equalizer window's preset buttons: saving the curve under a name,
// renaming and deleting the chosen preset of the user's. Each asks for a
// name or a yes through the dialog runner, and says why a name is refused.
#include <QString>
#include <optional>

#include "app/equalizer/sound_shaping.h"
#include "ui/dialog_runner.h"

class QWidget;

namespace orvana::app {

class TPresetCommands {
 public:
  // The prompts open over `owner`; `run` is read at each use.
  TPresetCommands(TSoundShaping& shaping, const ui::TDialogRunner& run, QWidget& owner);

  // A name taken by a preset of the user's replaces it after asking; a
  // built-in one is refused.
  void Save();
  // Any name taken is refused.
  void Rename();
  void Delete();

 private:
  std::optional<QString> AskName(const QString& title, const QString& label, const QString& name);
  bool Confirm(const QString& text);
  void Tell(const QString& text);

  TSoundShaping& shaping_;
  const ui::TDialogRunner& run_;
  QWidget& owner_;
};

}  // namespace orvana::app
