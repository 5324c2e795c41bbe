#include "x_tools.h"

namespace orvana::testing {
namespace {

constexpr int kXdotoolMs = 5000;

}  // namespace

std::unique_ptr<TChildProcess> StartTrayer(const std::vector<std::string>& environment, const std::string& logPath) {
  return std::make_unique<TChildProcess>(
      std::vector<std::string>{"trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height",
                               "32", "--SetDockType", "true", "--expand", "true", "--transparent", "false"},
      environment, logPath);
}

TCommandResult RunXdotool(const std::vector<std::string>& arguments, const std::vector<std::string>& environment) {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return RunCommand(argv, environment, kXdotoolMs);
}

}  // namespace orvana::testing
