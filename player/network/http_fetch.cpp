#include "player/network/http_fetch.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "player/network/curl_setup.h"
#include "player/network/response_headers.h"
#include "player/network/transfer_sentences.h"
#include "player/stream.h"

namespace orvana::player {
namespace {

constexpr int kCancelLookMs = 100;

// What the callbacks gather while the transfer runs.
struct TFetch {
  std::size_t maxBytes = 0;
  std::string body;
  TResponseHeaders answer;
  bool answered = false;  // the final answer's headers have come
  bool refused = false;   // the final answer is an error: its body is not wanted
  bool tooLarge = false;

  static std::size_t TakeHeader(char* data, std::size_t size, std::size_t count, void* self) {
    TFetch& fetch = *static_cast<TFetch*>(self);
    if (!fetch.answer.Feed(std::string_view(data, size * count)) || fetch.answer.IsRedirect()) return size * count;
    fetch.answered = true;
    fetch.refused = fetch.answer.Status() >= 300;
    return fetch.refused ? 0 : size * count;
  }
  // Returning less than was given ends the transfer.
  static std::size_t TakeBody(char* data, std::size_t size, std::size_t count, void* self) {
    TFetch& fetch = *static_cast<TFetch*>(self);
    if (fetch.body.size() + size * count > fetch.maxBytes) {
      fetch.tooLarge = true;
      return 0;
    }
    fetch.body.append(data, size * count);
    return size * count;
  }
};

// Runs the transfer to its end; the result, or nullopt when cancelled.
std::optional<CURLcode> Perform(CURL* easy, const std::atomic<bool>* cancel) {
  if (cancel == nullptr) return Curl().curl_easy_perform(easy);
  TCurlMulti multi(Curl().curl_multi_init());
  if (!multi) return CURLE_OUT_OF_MEMORY;
  Curl().curl_multi_add_handle(multi.get(), easy);
  std::optional<CURLcode> result;
  while (!result && !cancel->load()) {
    int running = 0;
    Curl().curl_multi_perform(multi.get(), &running);
    int queued = 0;
    while (const CURLMsg* message = Curl().curl_multi_info_read(multi.get(), &queued))
      if (message->msg == CURLMSG_DONE) result = message->data.result;
    if (!result) Curl().curl_multi_poll(multi.get(), nullptr, 0, kCancelLookMs, nullptr);
  }
  Curl().curl_multi_remove_handle(multi.get(), easy);
  return result;
}

}  // namespace

std::string FetchText(const std::string& url, std::size_t maxBytes, int timeoutMs, const std::atomic<bool>* cancel) {
  char errorText[CURL_ERROR_SIZE];
  TCurlEasy easy = NewEasyHandle(url.c_str(), errorText);
  if (!easy) throw EStreamError("The network library could not start a connection.");
  TFetch fetch;
  fetch.maxBytes = maxBytes;
  Curl().curl_easy_setopt(easy.get(), CURLOPT_HEADERFUNCTION, &TFetch::TakeHeader);
  Curl().curl_easy_setopt(easy.get(), CURLOPT_HEADERDATA, &fetch);
  Curl().curl_easy_setopt(easy.get(), CURLOPT_WRITEFUNCTION, &TFetch::TakeBody);
  Curl().curl_easy_setopt(easy.get(), CURLOPT_WRITEDATA, &fetch);
  Curl().curl_easy_setopt(easy.get(), CURLOPT_TIMEOUT_MS, long{std::max(timeoutMs, 1)});
  Curl().curl_easy_setopt(easy.get(), CURLOPT_MAXFILESIZE_LARGE, curl_off_t(maxBytes));

  const std::optional<CURLcode> result = Perform(easy.get(), cancel);
  if (!result) throw EStreamError("Fetching the address was cancelled.");
  if (fetch.refused) throw EStreamError(StatusSentence("address", fetch.answer.Status(), fetch.answer.Reason()));
  if (fetch.tooLarge || *result == CURLE_FILESIZE_EXCEEDED)
    throw EStreamError("The address sends more than " + std::to_string(maxBytes) + " bytes.");
  if (*result != CURLE_OK)
    throw EStreamError(CurlFailureSentence("address", *result, errorText, fetch.answered));
  return std::move(fetch.body);
}

}  // namespace orvana::player
