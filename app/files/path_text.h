#pragma once
// The parts of a path the program looks at, and ASCII case folding for the
// names it compares without regard to case.
#include <string>
#include <string_view>

namespace orvana::app {

// What follows the last "/" (all of it without one).
std::string_view FileNamePart(std::string_view path);
// What precedes the file name, with its trailing "/" ("" for a bare name).
std::string_view FolderPart(std::string_view path);

// The file name's extension from its last ".", ASCII lower-cased (".mp3");
// empty when the file name has no ".".
std::string LowerCaseExtension(std::string_view path);

char AsciiLower(char c);
std::string AsciiLower(std::string_view text);

}  // namespace orvana::app
