#include "app/desktop/instance_server.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>

#include "app/desktop/hand_over_connection.h"

namespace orvana::app {
namespace {

// Accepting stops for a while when descriptors run out; the listener would
// otherwise stay readable and spin the loop.
constexpr int kAcceptPauseMs = 100;
constexpr int kAcceptsPerWake = 16;

QStringList ToQStrings(const std::vector<std::string>& arguments) {
  QStringList paths;
  paths.reserve(static_cast<qsizetype>(arguments.size()));
  for (const std::string& argument : arguments) paths.append(QFile::decodeName(QByteArray::fromStdString(argument)));
  return paths;
}

}  // namespace

class TInstanceServer::TClient : public QObject {
 public:
  TClient(TUniqueFd fd, QObject* parent)
      : QObject(parent), connection(std::move(fd)), notifier(connection.Fd(), QSocketNotifier::Read) {
    deadline.setSingleShot(true);
  }

  THandOverConnection connection;
  QSocketNotifier notifier;
  QTimer deadline;
};

TInstanceServer::TInstanceServer(TUniqueFd listener, std::string socketPath, QObject* parent)
    : QObject(parent), listener_(std::move(listener)), socketPath_(std::move(socketPath)) {
  // Remembered so that closing removes this server's socket file and never
  // one a later program bound under the same name.
  struct stat status {};
  if (!socketPath_.empty() && ::stat(socketPath_.c_str(), &status) == 0) {
    socketFileKnown_ = true;
    socketDevice_ = status.st_dev;
    socketInode_ = status.st_ino;
  }
  if (!listener_) return;
  listenNotifier_ = new QSocketNotifier(listener_.Get(), QSocketNotifier::Read, this);
  connect(listenNotifier_, &QSocketNotifier::activated, this, &TInstanceServer::AcceptWaitingClients);
}

TInstanceServer::~TInstanceServer() { Close(); }

void TInstanceServer::Close() {
  delete listenNotifier_;
  listenNotifier_ = nullptr;
  listener_.Reset();
  for (TClient* client : clients_) delete client;
  clients_.clear();
  struct stat status {};
  if (socketFileKnown_ && ::stat(socketPath_.c_str(), &status) == 0 && status.st_dev == socketDevice_ &&
      status.st_ino == socketInode_)
    ::unlink(socketPath_.c_str());
  socketFileKnown_ = false;
}

void TInstanceServer::AcceptWaitingClients() {
  for (int accepted = 0; accepted < kAcceptsPerWake && listener_; ++accepted) {
    TUniqueFd fd = AcceptSameUserClient(listener_.Get());
    if (!fd) {
      if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) PauseAccepting();
      return;
    }
    // Turned away unanswered: the sender reports that nobody acknowledged.
    if (clients_.size() >= static_cast<std::size_t>(kMaxPendingClients)) continue;
    auto* client = new TClient(std::move(fd), this);
    clients_.push_back(client);
    connect(&client->notifier, &QSocketNotifier::activated, this, [this, client] { ReadClient(client); });
    connect(&client->deadline, &QTimer::timeout, this, [this, client] { FinishClient(client); });
    client->deadline.start(kClientTimeoutMs);
  }
}

void TInstanceServer::PauseAccepting() {
  listenNotifier_->setEnabled(false);
  QTimer::singleShot(kAcceptPauseMs, this, [this] {
    if (listenNotifier_) listenNotifier_->setEnabled(true);
  });
}

void TInstanceServer::ReadClient(TClient* client) {
  if (client->connection.Fd() < 0) return;
  switch (client->connection.ReadAvailable()) {
    case THandOverConnection::TProgress::kWaiting:
      return;
    case THandOverConnection::TProgress::kDropped:
      FinishClient(client);
      return;
    case THandOverConnection::TProgress::kComplete: {
      const QStringList paths = ToQStrings(client->connection.Arguments());
      // Answered before the receivers run: they may take their time (or open
      // a dialog), and the sender has only a second to wait.
      client->connection.AcknowledgeAndClose();
      FinishClient(client);
      emit argumentsReceived(paths);  // receivers may even delete this server
      return;
    }
  }
}

void TInstanceServer::FinishClient(TClient* client) {
  client->notifier.setEnabled(false);
  client->deadline.stop();
  client->connection.Close();
  clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
  // Deleted later: this may run inside the client's own notifier or timer.
  client->deleteLater();
}

}  // namespace orvana::app
