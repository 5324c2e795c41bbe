#include "app/playlist/dropped_names.h"

#include "app/playlist/stream_address.h"

namespace orvana::app {
namespace {

std::string AddressOfText(const QString& text) {
  const std::string address = text.trimmed().toStdString();
  return IsStationAddress(address) ? address : std::string();
}

}  // namespace

std::vector<std::string> NamesOfUrls(const QList<QUrl>& urls) {
  std::vector<std::string> names;
  for (const QUrl& url : urls) {
    if (url.isLocalFile()) {
      names.push_back(url.toLocalFile().toStdString());
      continue;
    }
    // Encoded, as the station's server expects the address.
    const std::string address = url.toString(QUrl::FullyEncoded).toStdString();
    if (IsStationAddress(address)) names.push_back(address);
  }
  return names;
}

std::vector<std::string> DroppedNames(const QMimeData& data) {
  if (data.hasUrls()) return NamesOfUrls(data.urls());
  if (!data.hasText()) return {};
  std::string address = AddressOfText(data.text());
  if (address.empty()) return {};
  return {std::move(address)};
}

bool CarriesNames(const QMimeData& data) {
  return data.hasUrls() || (data.hasText() && !AddressOfText(data.text()).empty());
}

}  // namespace orvana::app
