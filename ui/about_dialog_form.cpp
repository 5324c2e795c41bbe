#include "ui/about_dialog_form.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFontInfo>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/physical_memory.h"

namespace orvana::ui {
namespace {

constexpr int kMargin = 12;
constexpr int kTextLeft = 56;  // right of the icon
constexpr int kIconSize = 32;
constexpr int kBannerHeight = 56;
constexpr int kCommentGap = 8;  // below lblComment when it is shown
constexpr int kMailGap = 4;
constexpr int kButtonWidth = 75;

QFont Resized(QFont font, double factor, bool bold) {
  font.setPixelSize(std::max(1, int(QFontInfo(font).pixelSize() * factor)));
  font.setBold(bold);
  return font;
}

QLabel* NewLabel(const char* name, QWidget* parent, const QString& text = {}) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::Text, colour);
  widget->setPalette(palette);
}

QFrame* NewSeparator(const char* name, QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setObjectName(name);
  line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  return line;
}

// Height of one line of the widget's font, as a label shows it.
int LineHeight(const QWidget* widget) { return widget->fontMetrics().height() + 2; }

// The banner: the program's name on a night-blue band, the web address below it.
QPixmap DrawBanner(QSize size, const QFont& font) {
  QPixmap banner(size);
  QPainter painter(&banner);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient band(0, 0, size.width(), 0);
  band.setColorAt(0, QColor(0x10, 0x18, 0x38));
  band.setColorAt(1, QColor(0x3a, 0x5c, 0xa8));
  painter.fillRect(banner.rect(), band);
  const int disc = size.height() - 16;
  painter.setPen(QPen(Qt::white, 2));
  painter.setBrush(Qt::black);
  painter.drawEllipse(QRect(12, 8, disc, disc));
  const QRect text = banner.rect().adjusted(disc + 28, 4, -12, -4);
  painter.setPen(Qt::white);
  painter.setFont(Resized(font, 2.0, true));
  painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Orvana"));
  painter.setFont(Resized(font, 1.0, false));
  painter.drawText(text, Qt::AlignRight | Qt::AlignBottom, QString::fromUtf8(kMakerWebPage));
  return banner;
}

}  // namespace

void OpenWithDesktop(const QUrl& url) { QDesktopServices::openUrl(url); }

TdlgAbout::TdlgAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("dlgAbout");
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::Base, Qt::white);
  setPalette(white);
  CreateWidgets();
  LayOut();
}

void TdlgAbout::CreateWidgets() {
  imgIcon = NewLabel("imgIcon", this);
  lblTitle = NewLabel("lblTitle", this);
  lblTitle->setFont(Resized(font(), 2.0, true));
  lblVersion = NewLabel("lblVersion", this);
  lblYear = NewLabel("lblYear", this);
  lblYear->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblAuthor = NewLabel("lblAuthor", this, QString::fromUtf8(kMakerName));
  lblMail = NewLabel("lblMail", this, QStringLiteral("mail"));
  lblMail->setFont(Resized(font(), 0.8, false));
  SetTextColour(lblMail, Qt::red);
  edtURL = new QLineEdit(QString::fromUtf8(kMakerWebPage), this);
  edtURL->setObjectName("edtURL");
  edtURL->setReadOnly(true);
  edtURL->setFrame(false);
  edtURL->setTextMargins(0, 0, 0, 0);
  QFont underlined = font();
  underlined.setUnderline(true);
  edtURL->setFont(underlined);
  SetTextColour(edtURL, palette().color(QPalette::Link));
  imgBanner = NewLabel("imgBanner", this);
  lblMemory = NewLabel("lblMemory", this);
  lblMemory->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  SetTextColour(lblMemory, Qt::gray);
  Bevel1 = NewSeparator("Bevel1", this);
  lblNews1 = NewLabel("lblNews1", this, QCoreApplication::translate("About", "新しいバージョンの公開やOrvanaのニュースを"));
  lblNews2 = NewLabel("lblNews2", this, QCoreApplication::translate("About", "メールでお知らせしています。"));
  lblEntry = NewLabel("lblEntry", this, QCoreApplication::translate("About", "ニュースレターに登録する"));
  lblEntry->setFont(underlined);
  SetTextColour(lblEntry, palette().color(QPalette::Link));
  Bevel2 = NewSeparator("Bevel2", this);
  lblComment = NewLabel("lblComment", this);
  lblComment->setWordWrap(true);
  lblComment->hide();
  Button1 = new QPushButton(QStringLiteral("ok"), this);
  Button1->setObjectName("Button1");
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  for (QWidget* link : std::initializer_list<QWidget*>{lblAuthor, lblMail, edtURL, imgBanner, lblEntry}) MakeLink(link);
}

void TdlgAbout::MakeLink(QWidget* link) {
  link->setCursor(Qt::PointingHandCursor);
  link->installEventFilter(this);
  const QUrl target = LinkTarget(link);
  if (!target.isEmpty()) link->setToolTip(target.toString());
}

// Fixed places as the dialog was designed, with heights taken from the font
// so that larger faces push the rows down instead of cutting them.
void TdlgAbout::LayOut() {
  const int wide = kClientWidth - 2 * kMargin;
  imgIcon->setGeometry(kMargin, kMargin, kIconSize, kIconSize);
  int y = kMargin - 2;
  const auto row = [&y](QWidget* widget, int left, int width, int height, int gapAfter) {
    widget->setGeometry(left, y, width, height);
    y += height + gapAfter;
  };
  const int textWidth = kClientWidth - kTextLeft - kMargin;
  row(lblTitle, kTextLeft, textWidth, LineHeight(lblTitle), 2);
  row(lblVersion, kTextLeft, textWidth, LineHeight(lblVersion), 2);
  row(lblYear, kTextLeft, 0, LineHeight(lblYear), 2);
  PlaceMakerLinks();
  row(edtURL, kTextLeft, edtURL->fontMetrics().horizontalAdvance(edtURL->text()) + 8, LineHeight(edtURL), 8);
  y = std::max(y, kMargin + kIconSize + 8);
  imgBanner->setPixmap(DrawBanner(QSize(wide, kBannerHeight), font()));
  row(imgBanner, kMargin, wide, kBannerHeight, 2);
  row(lblMemory, kMargin, wide, LineHeight(lblMemory), 6);
  row(Bevel1, kMargin, wide, 2, 8);
  const int newsTop = y;
  for (QLabel* line : {lblNews1, lblNews2}) row(line, kMargin, wide - kButtonWidth - 8, LineHeight(line), 0);
  y += 4;
  row(lblEntry, kMargin, lblEntry->sizeHint().width(), LineHeight(lblEntry), 0);
  const int buttonHeight = std::max(Button1->sizeHint().height(), 25);
  const int buttonTop = std::max(newsTop, y - buttonHeight);
  Button1->setGeometry(kClientWidth - kMargin - kButtonWidth, buttonTop, kButtonWidth, buttonHeight);
  y = std::max(y, buttonTop + buttonHeight) + 10;
  row(Bevel2, kMargin, wide, 2, 8);
  lblComment->setGeometry(kMargin, y, wide, LineHeight(lblComment));
  // The comment area stays below the window's edge until there is a comment.
  setFixedSize(kClientWidth, Bevel2->y());
}

void TdlgAbout::DrawIcon(const QIcon& icon) {
  QPixmap image(kIconSize, kIconSize);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  icon.paint(&painter, image.rect());
  painter.end();
  imgIcon->setPixmap(image);
}

void TdlgAbout::PlaceMakerLinks() {
  lblYear->resize(lblYear->sizeHint().width(), lblYear->height());
  const int nameLeft = lblYear->x() + lblYear->width() + kMakerGap;
  lblAuthor->setGeometry(nameLeft, lblYear->y(), lblAuthor->sizeHint().width(), lblYear->height());
  // Behind the name rather than over it; the small text sits on the name's baseline.
  const QSize mail = lblMail->sizeHint();
  const int baseline = lblAuthor->y() + (lblAuthor->height() + lblAuthor->fontMetrics().ascent()) / 2;
  lblMail->setGeometry(nameLeft + lblAuthor->width() + kMailGap, baseline - lblMail->fontMetrics().ascent() - 1,
                       mail.width(), mail.height());
}

void TdlgAbout::SetComment(const QString& comment) {
  lblComment->setText(comment);
  lblComment->setVisible(!comment.isEmpty());
  if (!comment.isEmpty()) lblComment->setFixedHeight(lblComment->heightForWidth(lblComment->width()));
}

QUrl TdlgAbout::LinkTarget(const QObject* link) const {
  if (link == lblAuthor || link == lblMail) return QUrl(QStringLiteral("mailto:") + QString::fromUtf8(kMakerMail));
  if (link == edtURL || link == imgBanner) return QUrl(QString::fromUtf8(kMakerWebPage));
  return {};
}

void TdlgAbout::LinkClick(const QObject* sender) {
  const QUrl target = LinkTarget(sender);
  if (!target.isEmpty() && opener_) opener_(target);
}

void TdlgAbout::showEvent(QShowEvent* event) {
  lblMemory->setText(PhysicalMemoryText(PhysicalMemoryKilobytes()));
  if (!lblComment->isHidden()) setFixedHeight(lblComment->y() + lblComment->height() + kCommentGap);
  QDialog::showEvent(event);
}

void TdlgAbout::mousePressEvent(QMouseEvent* event) {
  Button1->setFocus();
  QDialog::mousePressEvent(event);
}

bool TdlgAbout::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    const auto* release = static_cast<QMouseEvent*>(event);
    const auto* link = static_cast<QWidget*>(watched);
    // A release outside the link takes the click back.
    if (release->button() == Qt::LeftButton && link->rect().contains(release->position().toPoint())) LinkClick(watched);
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace orvana::ui
