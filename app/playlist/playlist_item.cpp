#include "app/playlist/playlist_item.h"

#include <cstring>
#include <limits>

namespace orvana::app {
namespace {

std::uint32_t ReadWord(const char* at, bool wide) {
  if (wide) {
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
  }
  std::uint16_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

void WriteWord(char* at, bool wide, std::size_t value) {
  if (wide) {
    const auto word = static_cast<std::uint32_t>(value);
    std::memcpy(at, &word, sizeof word);
  } else {
    const auto word = static_cast<std::uint16_t>(value);
    std::memcpy(at, &word, sizeof word);
  }
}

std::unique_ptr<char[]> MakeBlock(std::span<const std::string_view> texts) {
  if (texts.empty()) return nullptr;
  std::size_t bytes = 0;
  for (std::string_view text : texts) bytes += text.size();
  const bool wide = bytes > std::numeric_limits<std::uint16_t>::max();
  const std::size_t endSize = wide ? 4 : 2;
  const std::size_t head = 4 + texts.size() * endSize;
  auto block = std::make_unique_for_overwrite<char[]>(head + bytes);
  const auto count = static_cast<std::uint32_t>(texts.size() * 2 + (wide ? 1 : 0));
  std::memcpy(block.get(), &count, sizeof count);
  std::size_t end = 0;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (!texts[i].empty()) std::memcpy(block.get() + head + end, texts[i].data(), texts[i].size());
    end += texts[i].size();
    WriteWord(block.get() + 4 + i * endSize, wide, end);
  }
  return block;
}

}  // namespace

TPlaylistItem::TPlaylistItem(std::string_view caption, const std::vector<std::string>& subItems) {
  std::vector<std::string_view> texts{caption};
  texts.insert(texts.end(), subItems.begin(), subItems.end());
  block_ = MakeBlock(texts);
}

TPlaylistItem::TPlaylistItem(std::span<const std::string_view> texts) : block_(MakeBlock(texts)) {}

TPlaylistItem::TPlaylistItem(const TPlaylistItem& other) { *this = other; }

TPlaylistItem& TPlaylistItem::operator=(const TPlaylistItem& other) {
  if (this == &other) return *this;
  std::vector<std::string_view> texts;
  for (int i = 0; i < other.TextCount(); ++i) texts.push_back(other.Text(i));
  block_ = MakeBlock(texts);
  return *this;
}

std::uint32_t TPlaylistItem::Head() const {
  std::uint32_t head = 0;
  if (block_) std::memcpy(&head, block_.get(), sizeof head);
  return head;
}

std::string_view TPlaylistItem::Text(int index) const {
  const int count = TextCount();
  if (index < 0 || index >= count) return {};
  const bool wide = (Head() & 1) != 0;
  const std::size_t endSize = wide ? 4 : 2;
  const char* ends = block_.get() + 4;
  const std::uint32_t begin = index == 0 ? 0 : ReadWord(ends + std::size_t(index - 1) * endSize, wide);
  const std::uint32_t end = ReadWord(ends + std::size_t(index) * endSize, wide);
  return {ends + std::size_t(count) * endSize + begin, end - begin};
}

void TPlaylistItem::SetText(int index, std::string_view text) {
  const int count = TextCount();
  std::vector<std::string_view> texts;
  for (int i = 0; i < count || i <= index; ++i) texts.push_back(i == index ? text : Text(i));
  block_ = MakeBlock(texts);  // the views point into the old block until here
}

void TPlaylistItem::SetSubItem(int index, std::string_view text) {
  if (index >= 0 && index < SubItemCount()) SetText(index + 1, text);
}

bool TPlaylistItem::operator==(const TPlaylistItem& other) const {
  if (Caption() != other.Caption() || SubItemCount() != other.SubItemCount()) return false;
  for (int i = 0; i < SubItemCount(); ++i)
    if (SubItem(i) != other.SubItem(i)) return false;
  return true;
}

std::string_view ItemPath(const TPlaylistItem& item) {
  return item.SubItemCount() == 0 ? std::string_view() : item.SubItem(item.SubItemCount() - 1);
}

}  // namespace orvana::app
