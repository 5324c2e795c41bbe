#pragma once
// TAboutDialog: the program's about window as a component. It keeps the texts
// the window shows and, on Execute, fills a TdlgAbout from them and from the
// program's product name and version (QCoreApplication's application name
// and version, which the program sets at start).
#include <QObject>
#include <QString>
#include <QWidget>

#include "ui/about_dialog_form.h"
#include "ui/dialog_runner.h"

namespace orvana::ui {

// What Execute throws when the product name or the needed version is missing.
inline constexpr const char* kNoVersionInfo = QT_TRANSLATE_NOOP("Errors", "バージョン情報が取得できません");

class TAboutDialog : public QObject {
  Q_OBJECT

 public:
  explicit TAboutDialog(QObject* owner = nullptr);

  // All empty until set. An empty Title shows the product name, an empty
  // Version "Version " and the product version, an empty Comment nothing.
  const QString& Caption() const { return caption_; }
  void SetCaption(const QString& caption) { caption_ = caption; }
  const QString& Title() const { return title_; }
  void SetTitle(const QString& title) { title_ = title; }
  const QString& Version() const { return version_; }
  void SetVersion(const QString& version) { version_ = version; }
  // Shown after "Copyright (C) ".
  const QString& Year() const { return year_; }
  void SetYear(const QString& year) { year_ = year; }
  const QString& Comment() const { return comment_; }
  void SetComment(const QString& comment) { comment_ = comment; }

  // Where the window's links go; the desktop's browser and mail program
  // until set.
  void SetUrlOpener(TUrlOpener opener) { opener_ = std::move(opener); }

  // Shows TdlgAbout modally over `owner`: through `run` when given, else
  // exec() centred on the owner. Throws std::runtime_error(kNoVersionInfo)
  // when the version data is missing, and shows nothing then.
  void Execute(QWidget* owner, const TDialogRunner& run = {});

 private:
  QString caption_;
  QString title_;
  QString version_;
  QString year_;
  QString comment_;
  TUrlOpener opener_ = OpenWithDesktop;
};

}  // namespace orvana::ui
