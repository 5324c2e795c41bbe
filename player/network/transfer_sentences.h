#pragma once
// The one sentence a user reads when a transfer fails, about "the station"
// or "the address" (`subject`, without its article).
#include <curl/curl.h>

#include <string>
#include <string_view>

namespace orvana::player {

// "The station answered 404 Not Found." The reason is the server's own, kept
// to printable ASCII; the standard one when it sent none.
std::string StatusSentence(std::string_view subject, int status, std::string_view reason);

// libcurl's failure `code` with its `errorText` (or its generic text).
// `answered`: the answer's headers had come, so a time-out means the server
// sent too slowly rather than that it did not answer.
std::string CurlFailureSentence(std::string_view subject, CURLcode code, const char* errorText, bool answered);

// Text from the network made safe to show in a sentence: printable ASCII,
// trimmed, at most `limit` characters.
std::string ShownText(std::string_view text, std::size_t limit = 64);

}  // namespace orvana::player
