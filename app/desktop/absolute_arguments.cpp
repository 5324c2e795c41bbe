#include "app/desktop/absolute_arguments.h"

#include <cctype>
#include <filesystem>

namespace orvana::app {
namespace {

bool IsUrl(const std::string& argument) {
  const std::size_t colon = argument.find("://");
  if (colon == std::string::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(argument[0])))
    return false;
  for (std::size_t i = 1; i < colon; ++i) {
    const unsigned char c = static_cast<unsigned char>(argument[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

std::string Normalised(const std::filesystem::path& path) {
  std::string text = path.lexically_normal().string();
  if (text.size() > 1 && text.back() == '/') text.pop_back();
  return text;
}

}  // namespace

std::vector<std::string> AbsoluteArguments(const std::vector<std::string>& arguments, const std::string& cwd) {
  std::vector<std::string> absolute;
  absolute.reserve(arguments.size());
  for (const std::string& argument : arguments) {
    if (argument.empty()) continue;
    if (IsUrl(argument)) {
      absolute.push_back(argument);
    } else if (argument.front() == '/' || cwd.empty()) {
      absolute.push_back(Normalised(argument));
    } else {
      absolute.push_back(Normalised(std::filesystem::path(cwd) / argument));
    }
  }
  return absolute;
}

std::string CurrentFolder() {
  std::error_code error;
  std::filesystem::path cwd = std::filesystem::current_path(error);
  return error ? std::string() : cwd.string();
}

}  // namespace orvana::app
