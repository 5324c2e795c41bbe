#pragma once
// The window's actions, one per row of the action table, found by id.
#include <QObject>
#include <array>

#include "app/actions/action.h"

namespace orvana::app {

class TActionList : public QObject {
  Q_OBJECT

 public:
  explicit TActionList(QObject* parent = nullptr);

  TAction& operator[](TActionId id) const { return *actions_[id]; }
  QAction* QtAction(TActionId id) const { return actions_[id]->Action(); }
  // Gives every action its rule from one context source.
  void SetContextSource(std::function<TActionContext()> source);
  void SetErrorDisplay(const TAction::ErrorDisplay& display);
  // Re-runs every enable rule (after anything that can change one).
  void UpdateAll();

 private:
  std::array<TAction*, kActionCount> actions_{};
  std::function<TActionContext()> context_;
};

}  // namespace orvana::app
