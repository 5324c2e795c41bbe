#include "app/dialogs/preset_commands.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace orvana::app {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
QString Quoted(const char* utf8, const QString& name) { return Text(utf8).arg(name); }

const char* const kBuiltInName = "「%1」は組み込みのプリセットです。別の名前を付けてください。";

}  // namespace

TPresetCommands::TPresetCommands(TSoundShaping& shaping, const ui::TDialogRunner& run, QWidget& owner)
    : shaping_(shaping), run_(run), owner_(owner) {}

void TPresetCommands::Save() {
  const TEqualizerPresets& presets = shaping_.Settings().presets;
  const std::string chosen = shaping_.ChosenPreset();
  const std::optional<QString> name = AskName(Text("プリセットの保存"), Text("プリセットの名前:"),
                                              presets.IsUsers(chosen) ? QString::fromStdString(chosen) : QString());
  if (!name) return;
  switch (presets.Check(name->toStdString())) {
    case TPresetName::kEmpty:
      return;
    case TPresetName::kBuiltIn:
      Tell(Quoted(kBuiltInName, *name));
      return;
    case TPresetName::kUsers:
      if (!Confirm(Quoted("「%1」という名前のプリセットがすでにあります。上書きしますか？", *name))) return;
      break;
    case TPresetName::kFree:
      if (presets.Full()) {
        Tell(Text("プリセットはこれ以上保存できません。"));
        return;
      }
      break;
  }
  shaping_.SavePreset(name->toStdString());
}

void TPresetCommands::Rename() {
  const std::string from = shaping_.ChosenPreset();
  if (!shaping_.Settings().presets.IsUsers(from)) return;
  const std::optional<QString> name =
      AskName(Text("プリセットの名前の変更"), Text("新しい名前:"), QString::fromStdString(from));
  if (!name || PresetName(name->toStdString()) == from) return;
  switch (shaping_.Settings().presets.Check(name->toStdString())) {
    case TPresetName::kEmpty:
      return;
    case TPresetName::kBuiltIn:
      Tell(Quoted(kBuiltInName, *name));
      return;
    case TPresetName::kUsers:
      Tell(Quoted("「%1」という名前のプリセットがすでにあります。別の名前を付けてください。", *name));
      return;
    case TPresetName::kFree:
      break;
  }
  shaping_.RenamePreset(from, name->toStdString());
}

void TPresetCommands::Delete() {
  const std::string name = shaping_.ChosenPreset();
  if (!shaping_.Settings().presets.IsUsers(name)) return;
  if (Confirm(Quoted("プリセット「%1」を削除しますか？", QString::fromStdString(name)))) shaping_.DeletePreset(name);
}

std::optional<QString> TPresetCommands::AskName(const QString& title, const QString& label, const QString& name) {
  QInputDialog prompt(&owner_);
  prompt.setWindowTitle(title);
  prompt.setLabelText(label);
  prompt.setTextValue(name);
  prompt.setOkButtonText(QStringLiteral("OK"));
  prompt.setCancelButtonText(Text("キャンセル"));
  if (run_(prompt) != QDialog::Accepted) return std::nullopt;
  return prompt.textValue();
}

bool TPresetCommands::Confirm(const QString& text) {
  QMessageBox box(QMessageBox::Question, owner_.windowTitle(), text, QMessageBox::Yes | QMessageBox::No, &owner_);
  box.button(QMessageBox::Yes)->setText(Text("はい"));
  box.button(QMessageBox::No)->setText(Text("いいえ"));
  box.setDefaultButton(QMessageBox::No);
  return run_(box) == QMessageBox::Yes;
}

void TPresetCommands::Tell(const QString& text) {
  QMessageBox box(QMessageBox::Information, owner_.windowTitle(), text, QMessageBox::Ok, &owner_);
  run_(box);
}

}  // namespace orvana::app
