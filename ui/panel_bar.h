#pragma once
// TPanelBar: a status bar for the bottom of a window. It paints an optional
// bevel, one line of text and a size grip in its bottom-right corner; a left
// press on the grip resizes the window the bar sits in. Other widgets may be
// placed on the bar; whoever places them lays them out (GripExtent tells how
// much of the right edge the grip takes).
//
// Colours: the fill is Color (the palette's Button colour until set), the
// bevel's and the grip's shadow is QPalette::Dark and their highlight
// QPalette::Light (the roles Qt's own shaded frames use), the text is the
// foreground role's colour.
#include <QColor>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "ui/window_resize_drag.h"

class QPainter;

namespace orvana::ui {

enum TPanelBevel { pbNone, pbLowered, pbRaised };

class TPanelBar : public QWidget {
  Q_OBJECT

 public:
  // Replaces all of the bar's own painting while set.
  using TDrawPanelEvent = std::function<void(TPanelBar& sender, QPainter& painter)>;

  static constexpr int kDefaultGripSize = 13;
  static constexpr int kDefaultMargin = 2;

  explicit TPanelBar(QWidget* parent = nullptr);

  // Each setter repaints only when the value changes.
  TPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TPanelBevel bevel);
  // A fixed grip is GripSize pixels; a free one is the bar's height - 2.
  bool FixedGrip() const { return fixedGrip_; }
  void SetFixedGrip(bool fixed);
  int GripSize() const { return gripSize_; }
  void SetGripSize(int size);
  // Left margin of the text.
  int Margin() const { return margin_; }
  void SetMargin(int margin);
  bool ShowGrip() const { return showGrip_; }
  void SetShowGrip(bool show);
  const QString& Text() const { return text_; }
  // Repaints only the text area (see TextAreaRect).
  void SetText(const QString& text);
  QColor Color() const;
  void SetColor(const QColor& color);
  void SetOnDrawPanel(TDrawPanelEvent handler);

  // Edge of the square grip in the bottom-right corner; 0 without a grip.
  int GripExtent() const;
  bool IsOnGrip(QPoint point) const;
  // Where the text is drawn.
  QRect TextRect() const;
  // What a change of the text repaints: the whole bar while OnDrawPanel is set
  // or the text would overlap the bevel, the text's background otherwise.
  QRect TextAreaRect() const;

  QSize sizeHint() const override;

 signals:
  // After every change of the bar's size.
  void resized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void PaintPanel(QPainter& painter) const;
  void PaintBevel(QPainter& painter) const;
  void PaintText(QPainter& painter) const;
  void PaintGrip(QPainter& painter) const;
  void StartWindowResize(QPointF globalPosition);
  void UpdateCursor(QPoint point);

  TPanelBevel bevel_ = pbNone;
  bool fixedGrip_ = true;
  int gripSize_ = kDefaultGripSize;
  int margin_ = kDefaultMargin;
  bool showGrip_ = true;
  QString text_;
  std::optional<QColor> color_;
  TDrawPanelEvent onDrawPanel_;
  TWindowResizeDrag resizeDrag_;
};

}  // namespace orvana::ui
