#include "app/actions/action_list.h"

namespace orvana::app {

TActionList::TActionList(QObject* parent) : QObject(parent) {
  for (const TActionDefinition& definition : kActionTable) actions_[definition.id] = new TAction(definition, this);
}

void TActionList::SetContextSource(std::function<TActionContext()> source) {
  context_ = std::move(source);
  for (TAction* action : actions_) {
    const TEnableRule rule = action->Definition().rule;
    action->SetRule([this, rule] { return IsEnabled(rule, context_()); });
  }
}

void TActionList::SetErrorDisplay(const TAction::ErrorDisplay& display) {
  for (TAction* action : actions_) action->SetErrorDisplay(display);
}

void TActionList::UpdateAll() {
  if (!context_) return;
  const TActionContext context = context_();
  for (TAction* action : actions_) action->Action()->setEnabled(IsEnabled(action->Definition().rule, context));
}

}  // namespace orvana::app
