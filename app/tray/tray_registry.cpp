#include "app/tray/tray_registry.h"

#include <algorithm>

namespace orvana::app {

TTrayRegistry& TTrayRegistry::Instance() {
  static TTrayRegistry registry;
  return registry;
}

int TTrayRegistry::NextIconID() const {
  if (entries_.empty()) return 1;
  int id = entries_.back().first.toInt() + 1;
  while (Find(id) != nullptr) ++id;
  return id;
}

void TTrayRegistry::Add(int id, TTaskTray* tray) { entries_.emplace_back(QString::number(id), tray); }

void TTrayRegistry::Remove(const TTaskTray* tray) {
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [tray](const auto& entry) { return entry.second == tray; }),
                 entries_.end());
}

void TTrayRegistry::Rename(const TTaskTray* tray, int id) {
  for (auto& entry : entries_)
    if (entry.second == tray) entry.first = QString::number(id);
}

TTaskTray* TTrayRegistry::Find(int id) const {
  const QString text = QString::number(id);
  for (const auto& entry : entries_)
    if (entry.first == text) return entry.second;
  return nullptr;
}

}  // namespace orvana::app
