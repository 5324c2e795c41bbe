#pragma once
// Subcommands of orvana-cli register themselves here, one file per command.
#include <string_view>
#include <vector>

namespace orvana::cli {

struct Command {
  std::string_view name;
  std::string_view usage;  // one line, shown by `orvana-cli help`
  int (*run)(int argc, char** argv);  // argv[0] is the command name
};

std::vector<Command>& Commands();

struct CommandRegistration {
  explicit CommandRegistration(const Command& command) { Commands().push_back(command); }
};

}  // namespace orvana::cli
