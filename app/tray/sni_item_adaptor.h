#pragma once
// What a StatusNotifierItem shows on the bus: its properties, the calls a
// host makes when the icon is clicked, and the signals that tell hosts to
// read a property again. It has no Menu property, so hosts ask for the
// context menu with ContextMenu instead of drawing one of their own.
#include <QDBusAbstractAdaptor>
#include <QString>

#include "app/tray/sni_dbus_types.h"

namespace orvana::app {

class TSniItem;

class TSniItemAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
  Q_PROPERTY(QString Category READ Category)
  Q_PROPERTY(QString Id READ Id)
  Q_PROPERTY(QString Title READ Title)
  Q_PROPERTY(QString Status READ Status)
  Q_PROPERTY(int WindowId READ WindowId)
  Q_PROPERTY(QString IconName READ IconName)
  Q_PROPERTY(orvana::app::TSniPixmapList IconPixmap READ IconPixmap)
  Q_PROPERTY(QString OverlayIconName READ OverlayIconName)
  Q_PROPERTY(orvana::app::TSniPixmapList OverlayIconPixmap READ OverlayIconPixmap)
  Q_PROPERTY(QString AttentionIconName READ AttentionIconName)
  Q_PROPERTY(orvana::app::TSniPixmapList AttentionIconPixmap READ AttentionIconPixmap)
  Q_PROPERTY(QString AttentionMovieName READ AttentionMovieName)
  Q_PROPERTY(orvana::app::TSniToolTip ToolTip READ ToolTip)
  Q_PROPERTY(bool ItemIsMenu READ ItemIsMenu)

 public:
  explicit TSniItemAdaptor(TSniItem* item);

  QString Category() const { return QStringLiteral("ApplicationStatus"); }
  QString Id() const { return QStringLiteral("orvana"); }
  QString Title() const { return QStringLiteral("Orvana"); }
  QString Status() const { return QStringLiteral("Active"); }
  int WindowId() const { return 0; }
  QString IconName() const { return {}; }
  TSniPixmapList IconPixmap() const;
  QString OverlayIconName() const { return {}; }
  TSniPixmapList OverlayIconPixmap() const { return {}; }
  QString AttentionIconName() const { return {}; }
  TSniPixmapList AttentionIconPixmap() const { return {}; }
  QString AttentionMovieName() const { return {}; }
  TSniToolTip ToolTip() const;
  bool ItemIsMenu() const { return false; }

 public slots:
  void Activate(int x, int y);
  void ContextMenu(int x, int y);
  void SecondaryActivate(int x, int y);
  void Scroll(int delta, const QString& orientation);

 signals:
  void NewIcon();
  void NewToolTip();
  void NewTitle();
  void NewStatus(const QString& status);

 private:
  TSniItem* item_;
};

}  // namespace orvana::app
