#include "app/window/play_history.h"

namespace orvana::app {
namespace {

constexpr int kEntryRole = Qt::UserRole;
constexpr int kPathRole = Qt::UserRole + 1;

QByteArray Bytes(const std::string& text) { return QByteArray(text.data(), qsizetype(text.size())); }

}  // namespace

std::string_view HistoryPath(std::string_view entry) { return entry.substr(0, entry.find('|')); }

std::string_view HistoryCaption(std::string_view entry) {
  const std::size_t bar = entry.find('|');
  return bar == std::string_view::npos ? std::string_view() : entry.substr(bar + 1);
}

void TPlayHistory::Add(const std::string& path, const std::string& caption) {
  const std::string entry = path + "|" + caption;
  // Paths are compared exactly: on Linux a.mp3 and A.mp3 are two songs.
  for (int index = box_.count() - 1; index >= 0; --index) {
    if (PathAt(index) == path) {
      box_.removeItem(index);
      break;
    }
  }
  // Bytes, not texts: a file name need not be valid UTF-8.
  box_.addItem(QString::fromStdString(caption), Bytes(entry));
  box_.setItemData(box_.count() - 1, Bytes(path), kPathRole);
  box_.setCurrentIndex(box_.count() - 1);
}

std::string TPlayHistory::Entry(int index) const {
  if (index < 0 || index >= box_.count()) return {};
  return box_.itemData(index, kEntryRole).toByteArray().toStdString();
}

std::string TPlayHistory::PathAt(int index) const {
  if (index < 0 || index >= box_.count()) return {};
  return box_.itemData(index, kPathRole).toByteArray().toStdString();
}

}  // namespace orvana::app
