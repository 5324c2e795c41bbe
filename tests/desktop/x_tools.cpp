#include "x_tools.h"

#include <fstream>

namespace orvana::testing {
namespace {

constexpr int kXdotoolMs = 5000;

constexpr const char* kPanelConfig = R"([General]
__userfile__=true

[panel1]
plugins=statusnotifier
position=Top
alignment=-1
panelSize=32
iconSize=22
lineCount=1
width=100
width-percent=true
hidable=false

[statusnotifier]
type=statusnotifier
)";

}  // namespace

std::unique_ptr<TChildProcess> StartTrayer(const std::vector<std::string>& environment, const std::string& logPath) {
  return std::make_unique<TChildProcess>(
      std::vector<std::string>{"trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height",
                               "32", "--SetDockType", "true", "--expand", "true", "--transparent", "false"},
      environment, logPath);
}

std::unique_ptr<TChildProcess> StartStatusNotifierPanel(const std::vector<std::string>& environment,
                                                        const std::string& folder) {
  const std::string config = folder + "/panel.conf";
  std::ofstream(config) << kPanelConfig;
  return std::make_unique<TChildProcess>(std::vector<std::string>{"lxqt-panel", "--configfile", config}, environment,
                                         folder + "/panel.log");
}

TCommandResult RunXdotool(const std::vector<std::string>& arguments, const std::vector<std::string>& environment) {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return RunCommand(argv, environment, kXdotoolMs);
}

}  // namespace orvana::testing
