#pragma once
// A private desktop for one test: a fresh 0700 folder holding HOME, the
// configuration and runtime folders and a copy of the program (whose
// settings and list then live beside it), an X server of its own, no
// session bus, and a sound device that swallows everything.
#include <memory>
#include <string>
#include <vector>

#include "child_process.h"

namespace orvana::testing {

class TDesktopSession {
 public:
  TDesktopSession();
  ~TDesktopSession();
  TDesktopSession(const TDesktopSession&) = delete;
  TDesktopSession& operator=(const TDesktopSession&) = delete;

  bool Ready() const { return !display_.empty(); }
  const std::string& Display() const { return display_; }
  const std::string& Folder() const { return root_; }
  std::string ProgramFolder() const { return root_ + "/bin"; }
  std::string ProgramPath() const { return ProgramFolder() + "/orvana"; }
  std::string LogPath() const { return root_ + "/orvana.log"; }
  std::string Log() const;
  std::vector<std::string> Environment() const;

  // A copy of a short tone without tags, so its title is its file name.
  std::string MakeSong(const std::string& name) const;
  void WriteFile(const std::string& path, const std::string& text) const;
  std::string ReadFile(const std::string& path) const;

  std::unique_ptr<TChildProcess> StartProgram(const std::vector<std::string>& arguments) const;
  TCommandResult RunProgram(const std::vector<std::string>& arguments, int timeoutMs) const;

  // Names of the windows whose name starts with `prefix` (mapped ones only
  // when `mappedOnly`).
  std::vector<std::string> WindowNames(const std::string& prefix, bool mappedOnly) const;
  // Waits (bounded) until the running program listens for later starts.
  bool WaitForInstanceSocket(int timeoutMs) const;
  // Waits (bounded) until a mapped window's name starts with `prefix`.
  bool WaitForWindow(const std::string& prefix, int timeoutMs) const;

 private:
  void StartDisplay();
  bool WaitUntilAccepting(int number);

  std::string root_;
  std::string display_;
  std::unique_ptr<TChildProcess> server_;
};

}  // namespace orvana::testing
