// Build-time tool: writes the program's own icon (the black disc its windows
// and tray show) as the hicolor theme's PNG sizes, so that the desktop's menu
// shows the same drawing without a second copy of it.
// Usage: orvana-render-icons FOLDER SIZE...  writes FOLDER/NxN/apps/orvana.png
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

#include "app/window/app_icon.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s FOLDER SIZE...\n", argv[0]);
    return 2;
  }
  // Painting needs a GUI application, but a build has no display; and Qt's
  // start looks into the runtime folder, making /tmp/runtime-$USER where
  // there is none: a private one leaves nothing behind.
  qputenv("QT_QPA_PLATFORM", "minimal");
  const QTemporaryDir runtimeFolder;
  if (runtimeFolder.isValid()) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder.path()));
  QGuiApplication application(argc, argv);
  const QDir top(QString::fromLocal8Bit(argv[1]));
  for (int i = 2; i < argc; ++i) {
    bool isNumber = false;
    const int size = QByteArray(argv[i]).toInt(&isNumber);
    if (!isNumber || size <= 0) {
      std::fprintf(stderr, "%s: not a size: %s\n", argv[0], argv[i]);
      return 2;
    }
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    const QString path = top.filePath(folder + QStringLiteral("/orvana.png"));
    if (!top.mkpath(folder) || !orvana::app::BlackDisc(size).save(path, "PNG")) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(path));
      return 1;
    }
  }
  return 0;
}
