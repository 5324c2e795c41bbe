#pragma once
// Every live TTaskTray of the program, in creation order, by its icon
// identifier written in decimal: a tray message names its icon by that
// identifier and is delivered through here.
#include <QString>
#include <utility>
#include <vector>

namespace orvana::app {

class TTaskTray;

class TTrayRegistry {
 public:
  // The program's one registry, alive for the whole run.
  static TTrayRegistry& Instance();

  // 1 for the first icon, else the last entry's identifier + 1; an
  // identifier another icon took by renaming is skipped.
  int NextIconID() const;
  void Add(int id, TTaskTray* tray);
  void Remove(const TTaskTray* tray);
  void Rename(const TTaskTray* tray, int id);
  // The icon with identifier `id`, or null.
  TTaskTray* Find(int id) const;
  bool Empty() const { return entries_.empty(); }

 private:
  std::vector<std::pair<QString, TTaskTray*>> entries_;
};

}  // namespace orvana::app
