#pragma once
// Where the chooser's known folders are on a Linux desktop:
//
//   rfDesktop, rfDesktopDir   the XDG desktop directory
//   rfDrives                  /
//   rfFavorites, rfRecent,
//   rfSendTo                  the home directory (no such folders here)
//   rfPrograms, rfStartMenu   /usr/share/applications
//   rfStartup                 $XDG_CONFIG_HOME/autostart
//   rfTemplates               the XDG templates directory
//   rfManual                  the desktop (a manual folder has no place of its own)
//
// A place that does not exist is replaced by the home directory.
#include <QString>
#include <optional>

#include "ui/browse_folder_types.h"

namespace orvana::ui {

QString KnownFolderPath(TRootFolder folder);

// `name` as an absolute, clean path when it names an existing directory
// (relative names count from the desktop); nothing otherwise.
std::optional<QString> ManualFolderPath(const QString& name);

// The folder of `folder`, or of `name` for rfManual; a manual name that is
// not a directory falls back to the desktop.
QString ResolveFolder(TRootFolder folder, const QString& name);

}  // namespace orvana::ui
