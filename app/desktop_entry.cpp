// The desktop program's body, entered from the launcher once this start is
// known to be the one that runs the program.
#include <malloc.h>

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "app/desktop/instance_server.h"
#include "app/desktop/mpris_service.h"
#include "app/desktop/song_notifier.h"
#include "app/desktop/termination_signals.h"
#include "app/desktop_entry.h"
#include "app/language/interface_translator.h"
#include "app/settings/program_settings.h"
#include "app/settings/files_location.h"
#include "app/window/app_icon.h"
#include "app/window/japanese_fonts.h"
#include "app/window/lean_style.h"
#include "app/window/main_window.h"

namespace {

using namespace orvana::app;

constexpr int kSettleMs = 1000;
// glibc's own starting values.
constexpr int kMallocThresholdBytes = 128 * 1024;
constexpr int kStartUpThresholdBytes = 64 << 20;

// Start-up reads and frees megabytes (the list file, its lines, the fonts'
// tables): freed pages are kept for the next allocation rather than handed
// back and faulted in again, until the window has been drawn.
void KeepFreedMemoryDuringStartUp() {
  ::mallopt(M_MMAP_THRESHOLD, kStartUpThresholdBytes);
  ::mallopt(M_TRIM_THRESHOLD, kStartUpThresholdBytes);
}

void GiveFreedMemoryBack() {
  ::mallopt(M_MMAP_THRESHOLD, kMallocThresholdBytes);
  ::mallopt(M_TRIM_THRESHOLD, kMallocThresholdBytes);
  ::malloc_trim(0);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int OrvanaDesktopMain(TDesktopStart* start) {
  KeepFreedMemoryDuringStartUp();
  QApplication application(start->argc, start->argv);
  QApplication::setApplicationName(QStringLiteral(ORVANA_PRODUCT_NAME));
  QApplication::setApplicationVersion(QStringLiteral(ORVANA_VERSION));  // the about window shows them
  QGuiApplication::setDesktopFileName(QStringLiteral("orvana"));
  QApplication::setWindowIcon(ApplicationIcon());
  QApplication::setQuitOnLastWindowClosed(false);  // it lives on behind its icon
  QApplication::setStyle(new TLeanStyle);  // the application owns it
  InstallJapaneseFontSubstitutes();
  QApplication::setFont(WindowFont());  // one face for every widget, menu and box
  // Before the first window: every text is translated as it is built.
  const std::unique_ptr<QTranslator> translator = InstallInterfaceTranslator(
      InterfaceLanguage(ReadLanguageSetting(SettingsFilePath()), ProcessEnvironment()));

  TForm1 form({SettingsFilePath(), ListFilePath()});
  QObject::connect(&form, &TForm1::exitRequested, &application, &QCoreApplication::quit, Qt::QueuedConnection);
  // Any other way out (the session manager) still saves.
  QObject::connect(&application, &QCoreApplication::aboutToQuit, &form, [&form] { form.FormClose(); });
  QObject::connect(&application, &QGuiApplication::commitDataRequest, &form, [&form] { form.ExitUnattended(); });
  TTerminationSignals terminationSignals;
  QObject::connect(&terminationSignals, &TTerminationSignals::terminationRequested, &form,
                   [&form] { form.ExitUnattended(); });

  std::unique_ptr<TInstanceServer> server;
  TInstanceClaim& claim = start->claim;
  if (claim.listener.Get() >= 0) {
    server = std::make_unique<TInstanceServer>(std::move(claim.listener), claim.socketPath);
    QObject::connect(server.get(), &TInstanceServer::argumentsReceived, &form,
                     [&form](const QStringList& names) { form.OpenHandedOver(FileNames(names)); });
  }

  form.FormCreate(start->arguments);
  // Media keys and the desktop's media controls; nothing without a session bus.
  TMprisService mpris(form, QDBusConnection::sessionBus());
  mpris.Register();
  TSongNotifier notifier(form, QDBusConnection::sessionBus());
  QTimer::singleShot(kSettleMs, [] { GiveFreedMemoryBack(); });
  return application.exec();
}
