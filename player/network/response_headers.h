#pragma once
// TResponseHeaders: the header lines of an HTTP answer as libcurl hands
// them over, one line a call, for every answer of a redirect chain in turn.
// SHOUTcast's "ICY 200 OK" status line counts as HTTP.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvana::player {

class TResponseHeaders {
 public:
  // Takes one line (with or without its CR LF); true when it is the blank
  // line that ends an answer's headers. A status line starts a new answer.
  bool Feed(std::string_view line);

  int Status() const { return status_; }          // 0 before a status line
  const std::string& Reason() const { return reason_; }
  // A redirect that libcurl follows: somewhere to go, and a code that means it.
  bool IsRedirect() const;
  bool Has(std::string_view name) const;
  // The field's value, trimmed; empty when absent. Names in any case.
  std::string Value(std::string_view name) const;

 private:
  int status_ = 0;
  std::string reason_;
  std::vector<std::pair<std::string, std::string>> fields_;  // names in lower case
};

}  // namespace orvana::player
