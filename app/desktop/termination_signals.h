#pragma once
// SIGTERM, SIGINT and SIGHUP as one Qt signal on the event loop, so that a
// logout, a kill or Ctrl+C ends the program the way its exit command does.
// The handler only writes a byte to a pipe (all it may safely do); the loop
// reads it and emits. The request is emitted once: signals that follow while
// the program is ending are swallowed.
#include <QObject>
#include <csignal>

class QSocketNotifier;

namespace orvana::app {

class TTerminationSignals : public QObject {
  Q_OBJECT

 public:
  // Installs the handlers. One object at a time: a second one throws
  // std::logic_error, as does a failure to set up the pipe.
  explicit TTerminationSignals(QObject* parent = nullptr);
  // Puts back the handlers that were there before.
  ~TTerminationSignals() override;
  TTerminationSignals(const TTerminationSignals&) = delete;
  TTerminationSignals& operator=(const TTerminationSignals&) = delete;

  bool Requested() const { return requested_; }

 signals:
  void terminationRequested();

 private:
  void TakeSignals();

  QSocketNotifier* notifier_ = nullptr;
  struct sigaction previous_[3];
  bool requested_ = false;
};

}  // namespace orvana::app
