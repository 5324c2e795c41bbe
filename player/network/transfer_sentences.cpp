#include "player/network/transfer_sentences.h"

#include <cstring>

#include "player/network/curl_setup.h"

namespace orvana::player {
namespace {

std::string_view StandardReason(int status) {
  switch (status) {
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 410: return "Gone";
    case 429: return "Too Many Requests";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    case 502: return "Bad Gateway";
    case 503: return "Service Unavailable";
    case 504: return "Gateway Timeout";
    default: return {};
  }
}

const char* CurlErrorText(CURLcode code) {
  return Curl().loaded ? Curl().curl_easy_strerror(code) : "libcurl cannot be loaded";
}

// curl's text without its line end and closing full stop, to sit in brackets.
std::string CurlText(CURLcode code, const char* errorText) {
  std::string text = ShownText(errorText != nullptr && errorText[0] != '\0' ? errorText : CurlErrorText(code), 160);
  while (!text.empty() && text.back() == '.') text.pop_back();
  return text;
}

}  // namespace

std::string ShownText(std::string_view text, std::size_t limit) {
  std::string shown;
  for (const char c : text) {
    if (shown.size() == limit) break;
    const bool printable = c >= 0x20 && c < 0x7F;
    if (printable && !(c == ' ' && (shown.empty() || shown.back() == ' '))) shown += c;
  }
  while (!shown.empty() && shown.back() == ' ') shown.pop_back();
  return shown;
}

std::string StatusSentence(std::string_view subject, int status, std::string_view reason) {
  std::string shown = ShownText(reason);
  if (shown.empty()) shown = StandardReason(status);
  std::string sentence = "The " + std::string(subject) + " answered " + std::to_string(status);
  if (!shown.empty()) sentence += " " + shown;
  return sentence + ".";
}

std::string CurlFailureSentence(std::string_view subject, CURLcode code, const char* errorText, bool answered) {
  const std::string the = "The " + std::string(subject);
  const std::string why = " (" + CurlText(code, errorText) + ").";
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return the + "'s host name cannot be resolved" + why;
    case CURLE_COULDNT_CONNECT:
      return the + " does not answer" + why;
    case CURLE_OPERATION_TIMEDOUT:
      return answered ? the + " sends too slowly" + why : the + " does not answer in time" + why;
    case CURLE_TOO_MANY_REDIRECTS:
      return the + " redirects more than " + std::to_string(kMaxRedirects) + " times.";
    case CURLE_UNSUPPORTED_PROTOCOL:
      return the + " speaks neither http nor https" + why;
    case CURLE_URL_MALFORMAT:
      return the + " is not a valid web address" + why;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
      return the + "'s secure connection failed" + why;
    default:
      return "The connection to the " + std::string(subject) + " failed" + why;
  }
}

}  // namespace orvana::player
