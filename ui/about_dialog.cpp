#include "ui/about_dialog.h"

#include <QApplication>
#include <stdexcept>

namespace orvana::ui {
namespace {

constexpr const char* kRightsPrefix = "Copyright (C) ";

// A product value as the version data gives it; empty counts as missing.
QString ProductValue(const QString& value) {
  const QString trimmed = value.trimmed();
  if (trimmed.isEmpty()) throw std::runtime_error(kNoVersionInfo);
  return trimmed;
}

}  // namespace

TAboutDialog::TAboutDialog(QObject* owner) : QObject(owner) {}

void TAboutDialog::Execute(QWidget* owner, const TDialogRunner& run) {
  // Everything is read before the form exists: a failure shows nothing.
  const QString productName = ProductValue(QCoreApplication::applicationName());
  const QString version =
      version_.isEmpty() ? QStringLiteral("Version ") + ProductValue(QCoreApplication::applicationVersion()) : version_;

  TdlgAbout form(owner);
  form.SetUrlOpener(opener_);
  form.setWindowTitle(caption_);
  form.DrawIcon(QApplication::windowIcon());
  form.lblTitle->setText(title_.isEmpty() ? productName : title_);
  form.lblVersion->setText(version);
  form.lblYear->setText(QString::fromUtf8(kRightsPrefix) + year_);
  form.PlaceMakerLinks();
  form.SetComment(comment_);
  if (run)
    run(form);
  else
    form.exec();  // Qt opens a dialog centred over its parent
}

}  // namespace orvana::ui
