#include "app/playlist/stream_address.h"

#include "app/files/path_text.h"
#include "app/playlist/playlist_entry.h"
#include "player/network/network_address.h"

namespace orvana::app {
namespace {

constexpr std::string_view kSchemeEnd = "://";
constexpr std::string_view kFileScheme = "file://";

bool StartsWithFolded(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && AsciiLower(text.substr(0, prefix.size())) == prefix;
}

// What follows "scheme://": the authority (host, port, user) and the rest.
std::string_view AfterScheme(std::string_view address) {
  const std::size_t end = address.find(kSchemeEnd);
  return end == std::string_view::npos ? std::string_view() : address.substr(end + kSchemeEnd.size());
}

std::string_view Authority(std::string_view afterScheme) {
  return afterScheme.substr(0, afterScheme.find_first_of("/?#"));
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const char lower = AsciiLower(c);
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

}  // namespace

bool IsStationAddress(std::string_view text) {
  if (text.size() > kMaxAddressBytes || !player::IsNetworkAddress(text)) return false;
  for (const char c : text)
    if (static_cast<unsigned char>(c) <= ' ' || c == '\x7F') return false;
  return !Authority(AfterScheme(text)).empty();
}

std::string AddressExtension(std::string_view address) {
  std::string_view rest = AfterScheme(address);
  rest.remove_prefix(Authority(rest).size());
  return LowerCaseExtension(rest.substr(0, rest.find_first_of("?#")));
}

bool IsWebPlaylistAddress(std::string_view text) {
  if (!IsStationAddress(text)) return false;
  return IsPlaylistExtension(AddressExtension(text));
}

std::optional<std::string> LocalPathOfFileUri(std::string_view text) {
  if (!StartsWithFolded(text, kFileScheme)) return std::nullopt;
  text.remove_prefix(kFileScheme.size());
  const std::size_t slash = text.find('/');
  if (slash == std::string_view::npos) return std::nullopt;
  const std::string_view host = text.substr(0, slash);
  if (!host.empty() && AsciiLower(host) != "localhost") return std::nullopt;
  text.remove_prefix(slash);
  std::string path;
  path.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int high = text[i] == '%' && i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
    const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
    if (low < 0) {
      path += text[i];  // a stray "%" stands for itself
      continue;
    }
    path += static_cast<char>(high * 16 + low);
    i += 2;
  }
  if (path.find('\0') != std::string::npos) return std::nullopt;
  return path;
}

std::string_view WithoutBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace orvana::app
