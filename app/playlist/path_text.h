#pragma once
// The parts of a file name the playlist looks at.
#include <string>
#include <string_view>

namespace orvana::app {

// What follows the last "/" (all of it without one).
std::string_view FileNamePart(std::string_view path);

// The file name's extension from its last ".", ASCII lower-cased (".mp3");
// empty when the file name has no ".".
std::string LowerCaseExtension(std::string_view path);

}  // namespace orvana::app
