#pragma once
// TDragButton: the small bevelled button at the right end of a TDragEdit,
// showing a mark. It only paints and reports the left button's press, moves
// and release; the edit it sits in does the dragging. It is not meant to
// hold child widgets.
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <optional>

namespace orvana::ui {

// Where the button sits in an edit of `editSize`: against the inside of the
// edit's frame on the right, as tall as the space inside the frame.
QRect DragButtonGeometry(QSize editSize, int buttonWidth, int frameWidth);

class TDragButton : public QWidget {
  Q_OBJECT

 public:
  explicit TDragButton(QWidget* parent = nullptr);

  // Each setter repaints only when the value changes.
  const QString& Mark() const { return mark_; }
  void SetMark(const QString& mark);
  QColor MarkColor() const { return markColor_; }
  void SetMarkColor(const QColor& color);
  // The palette's Button colour until set.
  QColor Color() const;
  void SetColor(const QColor& color);
  // Lowered while pressed in, raised otherwise.
  bool Lowered() const { return lowered_; }
  void SetLowered(bool lowered);

 signals:
  // Positions are in the button's own coordinates.
  void leftPressed(Qt::KeyboardModifiers modifiers, QPoint position);
  void leftMoved(Qt::KeyboardModifiers modifiers, QPoint position);
  void leftReleased(Qt::KeyboardModifiers modifiers, QPoint position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QString mark_;
  QColor markColor_ = Qt::black;
  std::optional<QColor> color_;
  bool lowered_ = false;
};

}  // namespace orvana::ui
