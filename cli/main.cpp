#include <cstdio>
#include <cstring>

#include "cli/command.h"

namespace orvana::cli {

std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}

namespace {

void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage: orvana-cli COMMAND [ARGS...]\n\ncommands:\n");
  for (const Command& command : Commands())
    std::fprintf(out, "  %.*s\n", static_cast<int>(command.usage.size()), command.usage.data());
}

}  // namespace
}  // namespace orvana::cli

int main(int argc, char** argv) {
  using namespace orvana::cli;
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  if (std::strcmp(argv[1], "help") == 0 || std::strcmp(argv[1], "--help") == 0) {
    PrintUsage(stdout);
    return 0;
  }
  for (const Command& command : Commands())
    if (command.name == argv[1]) return command.run(argc - 1, argv + 1);
  std::fprintf(stderr, "orvana-cli: unknown command '%s'\n", argv[1]);
  PrintUsage(stderr);
  return 2;
}
