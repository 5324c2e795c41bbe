#pragma once
// TTaskTray: the program's icon in the notification area, with its tip. It
// turns what the mouse does on the icon into down, up, move and
// double-click events with the cursor in screen coordinates, and wheel
// turns into notches, and pops up its menus. Icons are told apart by IconID, unique within the program.
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <stdexcept>

namespace orvana::app {

// What the icon's setters raise; the texts are the user's.
class ETrayError : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// The tip as the tray gets it: at most 63 bytes of UTF-8, cut between
// characters.
QString TrayTipText(const QString& tip);

class TTaskTray : public QObject {
  Q_OBJECT

 public:
  explicit TTaskTray(QWidget* owner);
  ~TTaskTray() override;

  QMenu* PopupMenuL() const { return popupMenuL_; }
  void SetPopupMenuL(QMenu* menu) { popupMenuL_ = menu; }
  QMenu* PopupMenuR() const { return popupMenuR_; }
  void SetPopupMenuR(QMenu* menu) { popupMenuR_ = menu; }
  const QString& TipString() const { return tipString_; }
  void SetTipString(const QString& tip);
  const QIcon& Icon() const { return icon_; }
  // A null icon takes the picture away and the icon out of the tray.
  void SetIcon(const QIcon& icon);
  int IconID() const { return iconID_; }
  void SetIconID(int id);
  bool Registered() const { return registered_; }
  void SetRegistered(bool registered);
  // Whether a tray shows the icon now (false with no notification area).
  bool Shown() const;

  virtual void RemoveIcon();
  virtual void UpdateIcon();
  virtual void DblClick(Qt::MouseButton button);
  virtual void MouseDown(Qt::MouseButton button, QPoint screenPos);
  virtual void MouseMove(QPoint screenPos);
  virtual void MouseUp(Qt::MouseButton button, QPoint screenPos);
  virtual void Wheel(int notches);

 signals:
  void dblClick(Qt::MouseButton button);
  void mouseDown(Qt::MouseButton button, QPoint screenPos);
  void mouseMove(QPoint screenPos);
  void mouseUp(Qt::MouseButton button, QPoint screenPos);
  // The wheel turned over the icon by whole `notches`, up positive.
  void wheel(int notches);
  // A tray came or went; see Shown().
  void shownChanged(bool shown);

 private:
  QWidget* owner_;
  QPointer<QMenu> popupMenuL_;
  QPointer<QMenu> popupMenuR_;
  QString tipString_;
  QIcon icon_;
  int iconID_;
  bool registered_ = false;
  bool added_ = false;
};

}  // namespace orvana::app
