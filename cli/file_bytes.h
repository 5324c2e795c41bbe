#pragma once
// Reads a whole file into memory for the commands that walk its frames.
#include <cstdint>
#include <string>
#include <vector>

namespace orvana::cli {

// False with the system's error text in `error` when the file cannot be read.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);

}  // namespace orvana::cli
