#include "ui/known_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace orvana::ui {
namespace {

QString ExistingOrHome(const QString& path) {
  return !path.isEmpty() && QFileInfo(path).isDir() ? QDir::cleanPath(path) : QDir::homePath();
}

QString StandardPlace(QStandardPaths::StandardLocation location) {
  return ExistingOrHome(QStandardPaths::writableLocation(location));
}

constexpr char kApplicationMenu[] = "/usr/share/applications";

}  // namespace

QString KnownFolderPath(TRootFolder folder) {
  switch (folder) {
    case rfDrives:
      return QDir::rootPath();
    case rfFavorites:
    case rfRecent:
    case rfSendTo:
      return QDir::homePath();
    case rfPrograms:
    case rfStartMenu:
      return ExistingOrHome(QString::fromLatin1(kApplicationMenu));
    case rfStartup:
      return ExistingOrHome(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                            QStringLiteral("/autostart"));
    case rfTemplates:
      return StandardPlace(QStandardPaths::TemplatesLocation);
    case rfDesktop:
    case rfManual:
    case rfDesktopDir:
      break;
  }
  return StandardPlace(QStandardPaths::DesktopLocation);
}

std::optional<QString> ManualFolderPath(const QString& name) {
  if (name.isEmpty()) return std::nullopt;
  const QFileInfo info(QDir(KnownFolderPath(rfDesktop)), name);
  if (!info.isDir()) return std::nullopt;
  return QDir::cleanPath(info.absoluteFilePath());
}

QString ResolveFolder(TRootFolder folder, const QString& name) {
  if (folder == rfManual) {
    if (std::optional<QString> manual = ManualFolderPath(name)) return *manual;
  }
  return KnownFolderPath(folder);
}

}  // namespace orvana::ui
