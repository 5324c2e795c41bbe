#include "player/network/http_stream.h"

#include <algorithm>

#include "player/network/station_session.h"

namespace orvana::player {

THttpStream::THttpStream(std::string url) : THttpStream(std::move(url), TOptions{}) {}

THttpStream::THttpStream(std::string url, TOptions options)
    : url_(std::move(url)), options_(options), session_(std::make_unique<TStationSession>(url_, options_)) {}

THttpStream::~THttpStream() = default;

void THttpStream::SetOnChange(TOnChange onChange) { session_->SetOnChange(std::move(onChange)); }

void THttpStream::Start() { session_->Start(); }

void THttpStream::Cancel() { session_->Cancel(); }

std::int64_t THttpStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  return static_cast<std::int64_t>(session_->Ring().Read(static_cast<char*>(buffer), static_cast<std::size_t>(count)));
}

std::int64_t THttpStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const std::int64_t position = session_->Ring().Taken();
  const bool staysPut = (origin == soCurrent && offset == 0) || (origin == soBeginning && offset == position);
  if (!staysPut) throw EStreamError("A network stream cannot seek.");
  return position;
}

std::int64_t THttpStream::ReadyBytes() { return session_->Ring().Ready(); }

bool THttpStream::WaitReady(std::int64_t bytes, int milliseconds) {
  return session_->Ring().WaitReady(bytes, milliseconds);
}

void THttpStream::CallWhenReady(std::int64_t bytes, std::function<void()> ready) {
  session_->Ring().CallWhenReady(static_cast<std::size_t>(std::max<std::int64_t>(bytes, 0)), std::move(ready));
}

bool THttpStream::TakeTitleStartingBefore(std::int64_t position, std::string& title) {
  return session_->Status().TakeTitleStartingBefore(position, title);
}

TNetStreamState THttpStream::State() const { return session_->Status().State(); }

std::string THttpStream::Error() const { return session_->Status().Error(); }

TStationInfo THttpStream::Station() const { return session_->Status().Station(); }

std::string THttpStream::Title() const { return session_->Status().Title(); }

std::int64_t THttpStream::Received() const { return session_->Received(); }

}  // namespace orvana::player
