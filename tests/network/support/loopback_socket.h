#pragma once
// Small blocking HTTP exchanges over 127.0.0.1 for the test servers'
// helpers, every wait bounded.
#include <string>
#include <string_view>

namespace orvana::testing {

// A port nothing listens on right now (the kernel's choice, released).
int FreeLoopbackPort();
// True when something accepts connections on the port.
bool LoopbackPortAnswers(int port);

// A connected socket, or -1 when nothing accepted within the time.
int ConnectLoopback(int port, int timeoutMs);
bool SendAll(int fd, std::string_view bytes, int timeoutMs);
// What comes up to the blank line after the headers (without it); empty
// when the connection ends or the time runs out first.
std::string ReceiveHead(int fd, int timeoutMs);

// The status code of an answer head ("HTTP/1.0 200 OK": 200), 0 if none.
int StatusOfHead(std::string_view head);

std::string Base64(std::string_view bytes);
// Percent-encodes everything but letters, digits and -._~.
std::string UrlEncoded(std::string_view text);

}  // namespace orvana::testing
