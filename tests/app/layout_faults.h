#pragma once
// What the layout tests look for in a window at the program's own font: a
// text cut by its control, a control outside its parent, two controls over
// each other.
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <string>
#include <vector>

namespace orvana::app::testing {

inline std::string Describe(const QWidget& widget) {
  const QString name = widget.objectName().isEmpty() ? QString::fromLatin1(widget.metaObject()->className())
                                                      : widget.objectName();
  return name.toStdString();
}

// A text control shows all of its text.
inline bool TextFits(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    if (label->text().isEmpty()) return true;
    if (label->wordWrap()) return label->heightForWidth(label->width()) <= label->height();
    return label->sizeHint().width() <= label->width() && label->sizeHint().height() <= label->height() + 2;
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
    return button->text().isEmpty() || button->sizeHint().width() <= button->width();
  if (const auto* group = qobject_cast<const QGroupBox*>(&widget))
    return group->fontMetrics().horizontalAdvance(group->title()) < group->width();
  return true;
}

// Controls that are neither containers nor parts of another control.
inline bool IsLeafControl(const QWidget& widget) {
  return qobject_cast<const QLabel*>(&widget) != nullptr || qobject_cast<const QAbstractButton*>(&widget) != nullptr ||
         qobject_cast<const QComboBox*>(&widget) != nullptr || qobject_cast<const QAbstractSlider*>(&widget) != nullptr;
}

// The faults among the visible children of `parent`, and theirs.
inline void CollectFaults(const QWidget& parent, std::vector<std::string>& faults) {
  std::vector<const QWidget*> leaves;
  for (const QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isVisible() || child->isWindow()) continue;
    if (!TextFits(*child)) faults.push_back(Describe(*child) + ": text cut");
    if (!parent.rect().contains(child->geometry())) faults.push_back(Describe(*child) + ": outside its parent");
    if (IsLeafControl(*child)) leaves.push_back(child);
    if (!qobject_cast<const QComboBox*>(child)) CollectFaults(*child, faults);
  }
  for (std::size_t i = 0; i < leaves.size(); ++i)
    for (std::size_t j = i + 1; j < leaves.size(); ++j)
      if (leaves[i]->geometry().intersects(leaves[j]->geometry()))
        faults.push_back(Describe(*leaves[i]) + " overlaps " + Describe(*leaves[j]));
}

}  // namespace orvana::app::testing
