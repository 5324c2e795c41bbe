#include "app/playlist/playlist_item.h"

#include <cstring>
#include <limits>

namespace orvana::app {
namespace {

// Each end takes the fewest bytes that hold the block's length: 1, 2 or 4.
std::size_t EndSize(std::size_t bytes) {
  if (bytes <= std::numeric_limits<std::uint8_t>::max()) return 1;
  return bytes <= std::numeric_limits<std::uint16_t>::max() ? 2 : 4;
}

std::uint32_t ReadEnd(const char* at, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < size; ++i) value |= std::uint32_t(std::uint8_t(at[i])) << (8 * i);
  return value;
}

void WriteEnd(char* at, std::size_t size, std::size_t end) {
  for (std::size_t i = 0; i < size; ++i) at[i] = static_cast<char>((end >> (8 * i)) & 0xFF);
}

std::unique_ptr<char[]> MakeBlock(std::span<const std::string_view> texts) {
  if (texts.empty()) return nullptr;
  std::size_t bytes = 0;
  for (std::string_view text : texts) bytes += text.size();
  const std::size_t endSize = EndSize(bytes);
  const std::size_t head = 4 + texts.size() * endSize;
  auto block = std::make_unique_for_overwrite<char[]>(head + bytes);
  const auto count = static_cast<std::uint32_t>(texts.size() * 4 + endSize / 2);
  std::memcpy(block.get(), &count, sizeof count);
  std::size_t end = 0;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (!texts[i].empty()) std::memcpy(block.get() + head + end, texts[i].data(), texts[i].size());
    end += texts[i].size();
    WriteEnd(block.get() + 4 + i * endSize, endSize, end);
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
  const std::size_t endSize = std::size_t(1) << (Head() & 3);
  const char* ends = block_.get() + 4;
  const std::uint32_t begin = index == 0 ? 0 : ReadEnd(ends + std::size_t(index - 1) * endSize, endSize);
  const std::uint32_t end = ReadEnd(ends + std::size_t(index) * endSize, endSize);
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
