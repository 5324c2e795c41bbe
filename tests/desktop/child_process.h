#pragma once
// Programs the desktop tests start: each with an environment of its own,
// ended by its process id, every wait bounded.
#include <sys/types.h>

#include <string>
#include <vector>

namespace orvana::testing {

struct TCommandResult {
  int status = -1;  // exit status; -1 when it did not end in time or was killed
  std::string output;
};

class TChildProcess {
 public:
  // Output goes to `logPath` (appended), or is thrown away when it is empty;
  // `passFd`, when given, is the child's descriptor 3.
  TChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                const std::string& logPath = "", int passFd = -1);
  ~TChildProcess();  // kills and reaps a child still running
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  pid_t Pid() const { return pid_; }
  bool Running();
  // True when it ended within the time; its exit status then in *status.
  bool WaitForExit(int timeoutMs, int* status = nullptr);
  void Signal(int signal);
  void Kill();

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
  int status_ = 0;
};

// Runs a command in `folder` (empty: here) to its end, killed after
// timeoutMs, and returns its output.
TCommandResult RunCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                          int timeoutMs, const std::string& folder = "");

// The first line written to `fd` within `timeoutMs`, without its newline;
// empty when none came.
std::string ReadFirstLine(int fd, int timeoutMs);

}  // namespace orvana::testing
