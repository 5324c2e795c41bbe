#pragma once
// TdlgAbout: the about window's form. TAboutDialog fills in its texts; the
// form lays itself out, reports the physical memory when shown, and turns a
// click on one of the maker's links into an address for its URL opener.
#include <QDialog>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <functional>

namespace orvana::ui {

// The program's maker, named here only.
inline constexpr const char* kMakerName = "Orvana Project";
inline constexpr const char* kMakerWebPage = "https://orvana.org/";
inline constexpr const char* kMakerMail = "team@orvana.org";

using TUrlOpener = std::function<void(const QUrl& url)>;

// Hands the address to the desktop (browser, mail program).
void OpenWithDesktop(const QUrl& url);

class TdlgAbout : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 400;
  // Gap between lblYear and the maker's name.
  static constexpr int kMakerGap = 8;

  explicit TdlgAbout(QWidget* parent = nullptr);

  void SetUrlOpener(TUrlOpener opener) { opener_ = std::move(opener); }
  // The icon as a 32 x 32 image.
  void DrawIcon(const QIcon& icon);
  // Fits lblYear to its text and puts the maker's links behind it.
  void PlaceMakerLinks();
  // An empty comment hides lblComment.
  void SetComment(const QString& comment);

  // Where a click on `link` leads: mail for the maker's name and the red
  // label, the web page for the address and the banner; nothing otherwise
  // (the newsletter sign-up included).
  QUrl LinkTarget(const QObject* link) const;
  // The one handler of every link.
  void LinkClick(const QObject* sender);

  QLabel* imgIcon;
  QLabel* lblTitle;
  QLabel* lblVersion;
  QLabel* lblYear;
  QLabel* lblAuthor;  // the maker's name
  QLabel* lblMail;    // small and red, after the name
  QLineEdit* edtURL;
  QLabel* imgBanner;
  QLabel* lblMemory;
  QFrame* Bevel1;
  QLabel* lblNews1;
  QLabel* lblNews2;
  QLabel* lblEntry;  // the newsletter sign-up
  QFrame* Bevel2;
  QLabel* lblComment;
  QPushButton* Button1;

 protected:
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateWidgets();
  void LayOut();
  void MakeLink(QWidget* link);

  TUrlOpener opener_ = OpenWithDesktop;
};

}  // namespace orvana::ui
