#pragma once
// The running program's side of the one-instance hand-over, on the Qt event
// loop: it accepts later starts on the instance socket, reads each one's
// arguments without ever blocking the loop, answers, and reports them.
#include <sys/types.h>

#include <QObject>
#include <QStringList>
#include <string>
#include <vector>

#include "app/files/unique_fd.h"

class QSocketNotifier;

namespace orvana::app {

class TInstanceServer : public QObject {
  Q_OBJECT

 public:
  // A client that has not sent its whole message by then is dropped.
  static constexpr int kClientTimeoutMs = 1000;
  // Clients beyond this many at once are turned away, so that a flood costs
  // a bounded number of descriptors.
  static constexpr int kMaxPendingClients = 32;

  // Takes the listener of a primary claim; socketPath is the file it is bound
  // to, removed again when the server closes.
  TInstanceServer(TUniqueFd listener, std::string socketPath, QObject* parent = nullptr);
  ~TInstanceServer() override;
  TInstanceServer(const TInstanceServer&) = delete;
  TInstanceServer& operator=(const TInstanceServer&) = delete;

  // Stops listening, drops waiting clients, removes the socket file.
  void Close();
  bool IsListening() const { return listener_.Get() >= 0; }

 signals:
  // Absolute names in the order given; an empty list asks for the window.
  void argumentsReceived(const QStringList& absolutePaths);

 private:
  class TClient;

  void AcceptWaitingClients();
  void PauseAccepting();
  void ReadClient(TClient* client);
  // Closes the client (unanswered unless it was acknowledged) and forgets it.
  void FinishClient(TClient* client);

  TUniqueFd listener_;
  std::string socketPath_;
  bool socketFileKnown_ = false;
  dev_t socketDevice_ = 0;
  ino_t socketInode_ = 0;
  QSocketNotifier* listenNotifier_ = nullptr;
  std::vector<TClient*> clients_;
};

}  // namespace orvana::app
