#include "app/dialogs/open_url_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/playlist/stream_address.h"

namespace orvana::app {

TdlgOpenUrl::TdlgOpenUrl(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("dlgOpenUrl");
  setWindowTitle(QCoreApplication::translate("OpenUrl", "URLを開く"));
  lblUrl = new QLabel(QStringLiteral("URL:"), this);
  lblUrl->setObjectName("lblUrl");
  edtUrl = new QLineEdit(this);
  edtUrl->setObjectName("edtUrl");
  edtUrl->setMaxLength(int(kMaxAddressBytes));
  edtUrl->setPlaceholderText(QStringLiteral("https://"));
  lblUrl->setBuddy(edtUrl);

  auto* buttons = new QDialogButtonBox(this);
  btnOk = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  btnOk->setObjectName("btnOk");
  btnOk->setDefault(true);
  btnCancel = buttons->addButton(QCoreApplication::translate("OpenUrl", "キャンセル"), QDialogButtonBox::RejectRole);
  btnCancel->setObjectName("btnCancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(edtUrl, &QLineEdit::textChanged, this, &TdlgOpenUrl::UpdateOk);

  auto* row = new QHBoxLayout;
  row->addWidget(lblUrl);
  row->addWidget(edtUrl, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addLayout(row);
  layout->addWidget(buttons);
  setFixedSize(kClientWidth, layout->sizeHint().height());
  UpdateOk();
}

std::string TdlgOpenUrl::Address() const { return edtUrl->text().trimmed().toStdString(); }

void TdlgOpenUrl::UpdateOk() {
  // Enter presses OK, which must not take what the player cannot open.
  btnOk->setEnabled(IsStationAddress(Address()));
}

}  // namespace orvana::app
