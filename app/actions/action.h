#pragma once
// A command of the window: a QAction for menus, buttons and keys, an enable
// rule and a handler. Whoever invokes it (a menu, a key, a timer, the tray)
// goes through Execute, which asks the rule first and does nothing when the
// command is disabled.
#include <QAction>
#include <QObject>
#include <exception>
#include <functional>

#include "app/actions/action_table.h"

namespace orvana::app {

class TAction : public QObject {
  Q_OBJECT

 public:
  using Rule = std::function<bool()>;
  using Handler = std::function<void()>;
  using ErrorDisplay = std::function<void(const std::exception&)>;

  TAction(const TActionDefinition& definition, QObject* parent);

  const TActionDefinition& Definition() const { return definition_; }
  QAction* Action() const { return action_; }

  void SetRule(Rule rule) { rule_ = std::move(rule); }
  void SetHandler(Handler handler) { handler_ = std::move(handler); }
  // Shows what a handler throws; commands fail with a message, never further.
  void SetErrorDisplay(ErrorDisplay display) { errorDisplay_ = std::move(display); }
  void SetCaption(const QString& caption);

  // Runs the enable rule and shows its answer.
  bool Update();
  // True when the command ran.
  bool Execute();

  bool Checked() const { return action_->isChecked(); }
  void SetChecked(bool checked) { action_->setChecked(checked); }

 private:
  void Triggered(bool checked);

  const TActionDefinition& definition_;
  QAction* action_;
  Rule rule_;
  Handler handler_;
  ErrorDisplay errorDisplay_;
};

}  // namespace orvana::app
