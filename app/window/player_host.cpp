#include "app/window/player_host.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>

#include "player/host_hooks.h"

namespace orvana::app {

TPlayerHost::TPlayerHost(player::TMP3Player& player, Display display, QObject* parent)
    : QObject(parent), player_(player), display_(std::move(display)),
      notifier_(player.Messages().NotifyFd(), QSocketNotifier::Read) {
  connect(&notifier_, &QSocketNotifier::activated, this, [this] { player_.Messages().DispatchPending(); });
  player::SetExceptionDisplay([this](const std::exception& error) {
    const QString text = QString::fromUtf8(error.what());
    // A box belongs to the event loop's thread; others hand it over.
    QMetaObject::invokeMethod(this, [this, text] { display_(text); },
                              QThread::currentThread() == thread() ? Qt::DirectConnection : Qt::QueuedConnection);
  });
  player::SetMessagePump([] { QCoreApplication::processEvents(); });
}

TPlayerHost::~TPlayerHost() {
  player::SetExceptionDisplay({});
  player::SetMessagePump({});
}

void ShowErrorMessage(QWidget* window, const QString& text) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Orvana"), text, QMessageBox::Ok, window);
  box.exec();
}

}  // namespace orvana::app
