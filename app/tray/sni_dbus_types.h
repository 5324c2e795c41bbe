#pragma once
// The structures a StatusNotifierItem hands to hosts, and how QtDBus writes
// them: a picture is (iiay), a tool tip (sa(iiay)ss).
#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

class QDBusArgument;

namespace orvana::app {

// One picture: ARGB32, one 32-bit big-endian word a pixel, rows top down.
struct TSniPixmap {
  int width = 0;
  int height = 0;
  QByteArray argb;

  bool operator==(const TSniPixmap&) const = default;
};
using TSniPixmapList = QList<TSniPixmap>;

struct TSniToolTip {
  QString iconName;
  TSniPixmapList pixmaps;
  QString title;
  QString text;
};

QDBusArgument& operator<<(QDBusArgument& argument, const TSniPixmap& pixmap);
const QDBusArgument& operator>>(const QDBusArgument& argument, TSniPixmap& pixmap);
QDBusArgument& operator<<(QDBusArgument& argument, const TSniToolTip& tip);
const QDBusArgument& operator>>(const QDBusArgument& argument, TSniToolTip& tip);

// Makes the types above known to QtDBus; needed once before an item is
// exported or its properties are read. Safe to call again.
void RegisterSniDbusTypes();

}  // namespace orvana::app

Q_DECLARE_METATYPE(orvana::app::TSniPixmap)
Q_DECLARE_METATYPE(orvana::app::TSniToolTip)
