// The program body. Whether another Orvana already runs is settled before
// anything of Qt exists, so that a second start (a file manager opening a
// file) hands its files over and ends at once.
#include <QApplication>
#include <cstdio>

#include "app/app_icon.h"
#include "app/desktop/absolute_arguments.h"
#include "app/desktop/instance_server.h"
#include "app/desktop/single_instance.h"
#include "app/desktop/termination_signals.h"
#include "app/japanese_fonts.h"
#include "app/main_window.h"
#include "app/settings/files_location.h"

namespace {

using namespace orvana::app;

constexpr int kHandOverTimeoutMs = 1000;

std::vector<std::string> ToNames(const QStringList& list) {
  std::vector<std::string> names;
  for (const QString& name : list) names.push_back(name.toStdString());
  return names;
}

int HandOverAndEnd(const TInstanceClaim& claim, const std::vector<std::string>& arguments) {
  std::string problem;
  if (HandOver(claim, arguments, kHandOverTimeoutMs, &problem)) return 0;
  std::fprintf(stderr, "orvana: Orvana is already running, but it did not take the files: %s\n", problem.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments =
      AbsoluteArguments(std::vector<std::string>(argv + 1, argv + argc), CurrentFolder());
  TInstanceClaim claim = ClaimInstance(ProgramFilesFolder(), RuntimeFolderFromEnvironment());
  if (claim.role == TInstanceRole::kSecondary) return HandOverAndEnd(claim, arguments);
  if (!claim.problem.empty()) std::fprintf(stderr, "orvana: %s\n", claim.problem.c_str());

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orvana"));
  QGuiApplication::setDesktopFileName(QStringLiteral("orvana"));
  QApplication::setWindowIcon(ApplicationIcon());
  QApplication::setQuitOnLastWindowClosed(false);  // it lives on behind its icon
  InstallJapaneseFontSubstitutes();

  TForm1 form({SettingsFilePath(), ListFilePath()});
  QObject::connect(&form, &TForm1::exitRequested, &application, &QCoreApplication::quit, Qt::QueuedConnection);
  // Any other way out (the session manager) still saves.
  QObject::connect(&application, &QCoreApplication::aboutToQuit, &form, [&form] { form.FormClose(); });
  QObject::connect(&application, &QGuiApplication::commitDataRequest, &form, [&form] { form.ExitUnattended(); });
  TTerminationSignals terminationSignals;
  QObject::connect(&terminationSignals, &TTerminationSignals::terminationRequested, &form, [&form] { form.ExitUnattended(); });

  std::unique_ptr<TInstanceServer> server;
  if (claim.listener.Get() >= 0) {
    server = std::make_unique<TInstanceServer>(std::move(claim.listener), claim.socketPath);
    QObject::connect(server.get(), &TInstanceServer::argumentsReceived, &form,
                     [&form](const QStringList& names) { form.OpenHandedOver(ToNames(names)); });
  }

  form.FormCreate(arguments);
  return application.exec();
}
