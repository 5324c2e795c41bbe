#pragma once
// A D-Bus session bus of a test's own: dbus-daemon started in a fresh 0700
// folder that also holds its socket, HOME and the configuration and runtime
// folders; it starts no services on demand, and is ended by its process id
// when the owner goes.
#include <memory>
#include <string>
#include <vector>

#include "desktop/child_process.h"
#include "desktop/fresh_folder.h"

namespace orvana::testing {

class TPrivateSessionBus {
 public:
  TPrivateSessionBus();
  ~TPrivateSessionBus();
  TPrivateSessionBus(const TPrivateSessionBus&) = delete;
  TPrivateSessionBus& operator=(const TPrivateSessionBus&) = delete;

  bool Ready() const { return !address_.empty(); }
  const std::string& Address() const { return address_; }
  const std::string& Folder() const { return folder_.Path(); }
  // PATH, HOME, XDG_CONFIG_HOME, XDG_RUNTIME_DIR and DBUS_SESSION_BUS_ADDRESS
  // for a program that is to use this bus.
  std::vector<std::string> Environment() const;

 private:
  TFreshFolder folder_{"bus"};  // first made, last removed
  std::string address_;
  std::unique_ptr<TChildProcess> daemon_;
};

}  // namespace orvana::testing
