#pragma once
// The cover of the song that plays as a file others can open (the media
// controls' artUrl, a notification's image): written once per picture into
// the cache folder, named by a hash of its bytes, the file of the picture
// before removed, so the folder holds one cover at most.
#include <QByteArray>
#include <QString>

namespace orvana::app {

class TCoverCache {
 public:
  // `folder` is made (0700) when a cover is first kept.
  explicit TCoverCache(QString folder);

  // $XDG_CACHE_HOME/orvana, ~/.cache/orvana when unset.
  static QString DefaultFolder();

  // The file holding `bytes`, written unless there already; every other
  // cover file of the folder is removed. Empty when it cannot be written.
  QString Keep(const QByteArray& bytes, const QString& extension);
  // No cover is pointed to any more: the folder's cover files are removed.
  void Clear();

 private:
  void RemoveCoversBut(const QString& kept) const;

  QString folder_;
};

}  // namespace orvana::app
