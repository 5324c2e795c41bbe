#pragma once
// TIcecastServer: a private Icecast 2 on a free 127.0.0.1 port, with a
// configuration of its own in a fresh 0700 folder (its logs there too),
// started as `icecast2 -c CONFIG` and ready once its port answers. It is
// ended by its process id, and can be killed and started again on the same
// port, as a server that crashes and comes back. As root, Icecast is told
// to change to the user "nobody", who then owns the folder.
#include <sys/types.h>

#include <filesystem>
#include <memory>
#include <string>

namespace orvana::testing {

class TChildProcess;

class TIcecastServer {
 public:
  static constexpr const char* kSourcePassword = "orvana-source";
  static constexpr const char* kAdminUser = "admin";
  static constexpr const char* kAdminPassword = "orvana-admin";

  TIcecastServer();
  ~TIcecastServer();
  TIcecastServer(const TIcecastServer&) = delete;
  TIcecastServer& operator=(const TIcecastServer&) = delete;

  bool Running() const { return process_ != nullptr; }
  // What went wrong while starting, with Icecast's log.
  const std::string& Failure() const { return failure_; }
  int Port() const { return port_; }
  // "http://127.0.0.1:PORT" + mount.
  std::string Url(const std::string& mount) const;
  pid_t Pid() const;
  std::string Log() const;

  // Kills Icecast at once (SIGKILL).
  void Kill();
  // Starts it again on the same port; false (see Failure) if it does not come up.
  bool Restart();

 private:
  bool WriteConfig();
  bool StartProcess();
  void Stop();

  std::filesystem::path dir_;
  int port_ = 0;
  std::unique_ptr<TChildProcess> process_;
  std::string failure_;
};

}  // namespace orvana::testing
