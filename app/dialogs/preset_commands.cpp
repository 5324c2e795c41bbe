#include "app/dialogs/preset_commands.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace orvana::app {
namespace {

// Texts translated in context "Presets".
QString Text(const char* source) { return QCoreApplication::translate("Presets", source); }
QString Quoted(const char* source, const QString& name) { return Text(source).arg(name); }

const char* const kBuiltInName =
    QT_TRANSLATE_NOOP("Presets", "「%1」は組み込みのプリセットです。別の名前を付けてください。");

// A built-in preset's name as the list shows it counts as built-in too:
// otherwise two entries would read alike.
bool IsShownBuiltInName(const QString& name) {
  const QString wanted = QString::fromStdString(PresetName(name.toStdString()));
  for (const TEqualizerPreset& preset : BuiltInPresets())
    if (Text(preset.name.c_str()) == wanted) return true;
  return false;
}

}  // namespace

TPresetCommands::TPresetCommands(TSoundShaping& shaping, const ui::TDialogRunner& run, QWidget& owner)
    : shaping_(shaping), run_(run), owner_(owner) {}

void TPresetCommands::Save() {
  const TEqualizerPresets& presets = shaping_.Settings().presets;
  const std::string chosen = shaping_.ChosenPreset();
  const std::optional<QString> name = AskName(QCoreApplication::translate("Presets", "プリセットの保存"),
                                              QCoreApplication::translate("Presets", "プリセットの名前:"),
                                              presets.IsUsers(chosen) ? QString::fromStdString(chosen) : QString());
  if (!name) return;
  if (IsShownBuiltInName(*name)) {
    Tell(Quoted(kBuiltInName, *name));
    return;
  }
  switch (presets.Check(name->toStdString())) {
    case TPresetName::kEmpty:
      return;
    case TPresetName::kBuiltIn:
      Tell(Quoted(kBuiltInName, *name));
      return;
    case TPresetName::kUsers:
      if (!Confirm(QCoreApplication::translate("Presets", "「%1」という名前のプリセットがすでにあります。上書きしますか？")
                       .arg(*name)))
        return;
      break;
    case TPresetName::kFree:
      if (presets.Full()) {
        Tell(QCoreApplication::translate("Presets", "プリセットはこれ以上保存できません。"));
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
      AskName(QCoreApplication::translate("Presets", "プリセットの名前の変更"),
              QCoreApplication::translate("Presets", "新しい名前:"), QString::fromStdString(from));
  if (!name || PresetName(name->toStdString()) == from) return;
  if (IsShownBuiltInName(*name)) {
    Tell(Quoted(kBuiltInName, *name));
    return;
  }
  switch (shaping_.Settings().presets.Check(name->toStdString())) {
    case TPresetName::kEmpty:
      return;
    case TPresetName::kBuiltIn:
      Tell(Quoted(kBuiltInName, *name));
      return;
    case TPresetName::kUsers:
      Tell(QCoreApplication::translate("Presets", "「%1」という名前のプリセットがすでにあります。別の名前を付けてください。")
               .arg(*name));
      return;
    case TPresetName::kFree:
      break;
  }
  shaping_.RenamePreset(from, name->toStdString());
}

void TPresetCommands::Delete() {
  const std::string name = shaping_.ChosenPreset();
  if (!shaping_.Settings().presets.IsUsers(name)) return;
  if (Confirm(QCoreApplication::translate("Presets", "プリセット「%1」を削除しますか？").arg(QString::fromStdString(name))))
    shaping_.DeletePreset(name);
}

std::optional<QString> TPresetCommands::AskName(const QString& title, const QString& label, const QString& name) {
  QInputDialog prompt(&owner_);
  prompt.setWindowTitle(title);
  prompt.setLabelText(label);
  prompt.setTextValue(name);
  prompt.setOkButtonText(QStringLiteral("OK"));
  prompt.setCancelButtonText(QCoreApplication::translate("Presets", "キャンセル"));
  if (run_(prompt) != QDialog::Accepted) return std::nullopt;
  return prompt.textValue();
}

bool TPresetCommands::Confirm(const QString& text) {
  QMessageBox box(QMessageBox::Question, owner_.windowTitle(), text, QMessageBox::Yes | QMessageBox::No, &owner_);
  box.button(QMessageBox::Yes)->setText(QCoreApplication::translate("Presets", "はい"));
  box.button(QMessageBox::No)->setText(QCoreApplication::translate("Presets", "いいえ"));
  box.setDefaultButton(QMessageBox::No);
  return run_(box) == QMessageBox::Yes;
}

void TPresetCommands::Tell(const QString& text) {
  QMessageBox box(QMessageBox::Information, owner_.windowTitle(), text, QMessageBox::Ok, &owner_);
  run_(box);
}

}  // namespace orvana::app
