#pragma once
// The history box: every song started, oldest first, each once. An entry is
// the song's path, "|" and its caption when it started; the box shows the
// caption and keeps the whole entry.
#include <QComboBox>
#include <string>
#include <string_view>

namespace orvana::app {

// The parts of an entry around its first "|" (a path may hold none).
std::string_view HistoryPath(std::string_view entry);
std::string_view HistoryCaption(std::string_view entry);

class TPlayHistory {
 public:
  explicit TPlayHistory(QComboBox& box) : box_(box) {}

  // Appends the entry and selects it; an earlier entry of the same path goes.
  void Add(const std::string& path, const std::string& caption);
  void Clear() { box_.clear(); }
  int Count() const { return box_.count(); }
  std::string Entry(int index) const;
  // The whole path, also when it holds a "|" itself.
  std::string PathAt(int index) const;

 private:
  QComboBox& box_;
};

}  // namespace orvana::app
