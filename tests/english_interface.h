#pragma once
// The English interface for one test, put in place as the program does it,
// and one walker over everything a user can read in a window: the texts of
// its widgets, their tips, list and header captions, its actions and menus.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QWidget>
#include <memory>
#include <set>
#include <string>

#include "app/language/interface_translator.h"

namespace orvana::testing {

class TEnglishInterface {
 public:
  bool Loaded() const { return translator_ != nullptr; }

 private:
  std::unique_ptr<QTranslator> translator_ = app::InstallInterfaceTranslator(app::TInterfaceLanguage::English);
};

inline bool HasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF)) return true;
  }
  return false;
}

// Every readable text under `root` (hidden pages and menus included) that
// holds a Japanese character, each as "object: text".
class TJapaneseTexts {
 public:
  explicit TJapaneseTexts(const QWidget& root) { Widget(root); }
  const std::set<std::string>& Found() const { return found_; }

 private:
  void Check(const QObject& where, const QString& text) {
    if (!HasJapanese(text)) return;
    const QString name = where.objectName().isEmpty() ? QString::fromLatin1(where.metaObject()->className())
                                                       : where.objectName();
    found_.insert((name + QStringLiteral(": ") + text).toStdString());
  }

  void Actions(const QWidget& widget) {
    for (const QAction* action : widget.actions()) {
      Check(*action, action->text());
      Check(*action, action->toolTip());
      if (action->menu() != nullptr && visitedMenus_.insert(action->menu()).second) Widget(*action->menu());
    }
  }

  void Model(const QAbstractItemView& view) {
    const QAbstractItemModel* model = view.model();
    if (model == nullptr) return;
    for (int column = 0; column < model->columnCount(); ++column)
      Check(view, model->headerData(column, Qt::Horizontal).toString());
    for (int row = 0; row < model->rowCount(); ++row)
      for (int column = 0; column < model->columnCount(); ++column)
        for (const int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)})
          Check(view, model->data(model->index(row, column), role).toString());
  }

  void Widget(const QWidget& widget) {
    if (widget.isWindow()) Check(widget, widget.windowTitle());
    Check(widget, widget.toolTip());
    Check(widget, widget.accessibleName());
    Actions(widget);
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) Check(widget, label->text());
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) Check(widget, button->text());
    if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) Check(widget, group->title());
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) Check(widget, edit->placeholderText());
    if (const auto* box = qobject_cast<const QComboBox*>(&widget)) {
      Check(widget, box->placeholderText());
      for (int item = 0; item < box->count(); ++item) Check(widget, box->itemText(item));
    }
    if (const auto* tabs = qobject_cast<const QTabWidget*>(&widget)) {
      for (int tab = 0; tab < tabs->count(); ++tab) {
        Check(widget, tabs->tabText(tab));
        Check(widget, tabs->tabToolTip(tab));
      }
    }
    if (const auto* view = qobject_cast<const QAbstractItemView*>(&widget)) Model(*view);
    for (const QWidget* child : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) Widget(*child);
  }

  std::set<std::string> found_;
  std::set<const QMenu*> visitedMenus_;
};

}  // namespace orvana::testing
