#include "app/actions/action.h"

#include <QCoreApplication>
#include <QKeySequence>

namespace orvana::app {
namespace {

QString Translated(const char* caption) { return QCoreApplication::translate("Actions", caption); }

}  // namespace

TAction::TAction(const TActionDefinition& definition, QObject* parent)
    : QObject(parent), definition_(definition), action_(new QAction(Translated(definition.caption), this)) {
  action_->setObjectName(QString::fromUtf8(definition.name));
  action_->setToolTip(Translated(*definition.hint ? definition.hint : definition.caption));
  if (*definition.shortcut) action_->setShortcut(QKeySequence(QString::fromLatin1(definition.shortcut)));
  action_->setCheckable(definition.checkable);
  connect(action_, &QAction::triggered, this, &TAction::Triggered);
}

void TAction::SetCaption(const QString& caption) {
  action_->setText(caption);
  if (!*definition_.hint) action_->setToolTip(caption);
}

bool TAction::Update() {
  const bool enabled = !rule_ || rule_();
  action_->setEnabled(enabled);
  return enabled;
}

bool TAction::Execute() {
  if (!Update()) return false;
  try {
    if (handler_) handler_();
  } catch (const std::exception& error) {
    if (errorDisplay_) errorDisplay_(error);
  }
  return true;
}

void TAction::Triggered(bool checked) {
  // Qt flips a checkable action before telling; the handler owns the check
  // mark, whoever invokes the command.
  if (action_->isCheckable()) action_->setChecked(!checked);
  Execute();
}

}  // namespace orvana::app
