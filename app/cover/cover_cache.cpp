#include "app/cover/cover_cache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include "app/files/atomic_file.h"

namespace orvana::app {

namespace {

// Only the files this cache names are ever removed.
bool IsCoverFileName(const QString& name) {
  static const QRegularExpression pattern(QStringLiteral("^[0-9a-f]{40}\\.[a-z0-9]{1,5}$"));
  return pattern.match(name).hasMatch();
}

}  // namespace

TCoverCache::TCoverCache(QString folder) : folder_(std::move(folder)) {}

QString TCoverCache::DefaultFolder() {
  QString base = qEnvironmentVariable("XDG_CACHE_HOME");
  if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + QStringLiteral("/.cache");
  return base + QStringLiteral("/orvana");
}

QString TCoverCache::Keep(const QByteArray& bytes, const QString& extension) {
  if (bytes.isEmpty() || extension.isEmpty()) {
    Clear();
    return {};
  }
  const QString name =
      QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()) + '.' + extension;
  const QString path = QDir(folder_).filePath(name);
  if (!QFileInfo(path).isFile()) {
    try {
      WriteFileAtomically(path.toStdString(), std::string_view(bytes.constData(), std::size_t(bytes.size())));
    } catch (const TFileWriteError&) {
      RemoveCoversBut({});
      return {};
    }
  }
  RemoveCoversBut(name);
  return path;
}

void TCoverCache::Clear() { RemoveCoversBut({}); }

void TCoverCache::RemoveCoversBut(const QString& kept) const {
  QDir folder(folder_);
  if (!folder.exists()) return;
  for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
    if (name != kept && IsCoverFileName(name)) folder.remove(name);
}

}  // namespace orvana::app
