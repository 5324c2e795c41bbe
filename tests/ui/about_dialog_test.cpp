#include "ui/about_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <limits>
#include <stdexcept>

#include "qt_test_application.h"
#include "ui/physical_memory.h"

namespace orvana::ui {
namespace {

void Click(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
  const QPointF global(widget->mapToGlobal(at));
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, button, button, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, button, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QApplication::sendEvent(widget, &release);
}

// The main window's about dialog, with the product name and version set as
// the program sets them at start; links are only recorded.
class AboutDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    orvana::testing::TestApplication();
    QCoreApplication::setApplicationName(QStringLiteral("Orvana"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3"));
    about.SetCaption(QStringLiteral("Orvanaのバージョン情報"));
    about.SetYear(QStringLiteral("2026"));
    about.SetUrlOpener([this](const QUrl& url) { opened << url.toString(); });
  }
  void TearDown() override {
    QCoreApplication::setApplicationName(savedName_);
    QCoreApplication::setApplicationVersion(savedVersion_);
  }

  // Executes with a runner that hands the shown form to `check`.
  void Execute(const std::function<void(TdlgAbout&)>& check = {}) {
    about.Execute(nullptr, [&](QDialog& dialog) {
      ++runs;
      auto& form = dynamic_cast<TdlgAbout&>(dialog);
      form.show();
      if (check) check(form);
      form.hide();
      return int(QDialog::Accepted);
    });
  }

  TAboutDialog about;
  QStringList opened;
  int runs = 0;

 private:
  const QString savedName_ = QCoreApplication::applicationName();
  const QString savedVersion_ = QCoreApplication::applicationVersion();
};

TEST_F(AboutDialogTest, FillsTheFormFromItsTextsAndTheProductNameAndVersion) {
  Execute([](TdlgAbout& form) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Orvanaのバージョン情報"));
    EXPECT_EQ(form.lblTitle->text(), QStringLiteral("Orvana"));
    EXPECT_EQ(form.lblVersion->text(), QStringLiteral("Version 1.2.3"));
    EXPECT_EQ(form.lblYear->text(), QStringLiteral("Copyright (C) 2026"));
    EXPECT_EQ(form.lblMemory->text(), PhysicalMemoryText(PhysicalMemoryKilobytes()));
    EXPECT_EQ(form.imgIcon->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(form.width(), 400);
    EXPECT_TRUE(form.Button1->isDefault());
    form.Button1->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
  });
  EXPECT_EQ(runs, 1);
  EXPECT_GT(PhysicalMemoryKilobytes(), 0u);
}

TEST_F(AboutDialogTest, TitleAndVersionWhenSetReplaceTheTrimmedProductValues) {
  QCoreApplication::setApplicationName(QStringLiteral("  Orvana "));
  QCoreApplication::setApplicationVersion(QStringLiteral(" 2.0\t"));
  Execute([](TdlgAbout& form) {
    EXPECT_EQ(form.lblTitle->text(), QStringLiteral("Orvana"));
    EXPECT_EQ(form.lblVersion->text(), QStringLiteral("Version 2.0"));
  });
  about.SetTitle(QStringLiteral("Orvana Player"));
  about.SetVersion(QStringLiteral("Build 7"));
  // Only the product version is read when needed.
  QCoreApplication::setApplicationVersion({});
  Execute([](TdlgAbout& form) {
    EXPECT_EQ(form.lblTitle->text(), QStringLiteral("Orvana Player"));
    EXPECT_EQ(form.lblVersion->text(), QStringLiteral("Build 7"));
  });
}

TEST_F(AboutDialogTest, MissingVersionDataThrowsAndShowsNothing) {
  const auto expectRefused = [this] {
    try {
      Execute();
      ADD_FAILURE() << "shown";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), "バージョン情報が取得できません");
    }
    EXPECT_EQ(runs, 0);
  };
  QCoreApplication::setApplicationVersion({});
  expectRefused();
  QCoreApplication::setApplicationVersion(QStringLiteral("   "));
  expectRefused();
  // The product name is read even with a Title of its own.
  QCoreApplication::setApplicationVersion(QStringLiteral("1.2.3"));
  QCoreApplication::setApplicationName(QStringLiteral(" "));
  about.SetTitle(QStringLiteral("Orvana"));
  expectRefused();
}

TEST_F(AboutDialogTest, TheWindowEndsAtTheSecondSeparatorUnlessThereIsAComment) {
  Execute([](TdlgAbout& form) {
    EXPECT_TRUE(form.lblComment->isHidden());
    EXPECT_EQ(form.height(), form.Bevel2->y());
    EXPECT_LE(form.Button1->geometry().bottom(), form.Bevel2->y());
  });
  about.SetComment(QStringLiteral("テスト版です。不具合があればお知らせ下さい。"));
  Execute([](TdlgAbout& form) {
    ASSERT_TRUE(form.lblComment->isVisible());
    EXPECT_EQ(form.lblComment->text(), QStringLiteral("テスト版です。不具合があればお知らせ下さい。"));
    EXPECT_GT(form.lblComment->y(), form.Bevel2->geometry().bottom());
    EXPECT_EQ(form.height(), form.lblComment->y() + form.lblComment->height() + 8);
  });
}

TEST_F(AboutDialogTest, MakerLinksFollowTheRightsLineWithoutOverlapping) {
  about.SetYear(QStringLiteral("2024-2026"));
  Execute([](TdlgAbout& form) {
    const QRect year = form.lblYear->geometry();
    const QRect name = form.lblAuthor->geometry();
    const QRect mail = form.lblMail->geometry();
    EXPECT_GE(year.width(), form.lblYear->sizeHint().width());
    EXPECT_EQ(name.left(), year.left() + year.width() + 8);
    EXPECT_GE(name.width(), form.lblAuthor->sizeHint().width());
    EXPECT_GT(mail.left(), name.right());
    EXPECT_LE(mail.right(), form.width());
  });
}

TEST_F(AboutDialogTest, LinksOpenTheMakersMailAndWebPageOnALeftClickOnly) {
  Execute([](TdlgAbout& form) {
    for (QWidget* link :
         std::initializer_list<QWidget*>{form.lblAuthor, form.lblMail, form.edtURL, form.imgBanner, form.lblEntry})
      Click(link, link->rect().center());
    Click(form.lblAuthor, form.lblAuthor->rect().center(), Qt::RightButton);
    Click(form.imgBanner, QPoint(-3, 5));  // released beside it
  });
  // The newsletter sign-up leads nowhere.
  EXPECT_EQ(opened, QStringList({"mailto:team@orvana.org", "mailto:team@orvana.org", "https://orvana.org/",
                                 "https://orvana.org/"}));
}

TEST_F(AboutDialogTest, AClickOnTheBackgroundFocusesTheButton) {
  Execute([](TdlgAbout& form) {
    form.edtURL->setFocus();
    Click(&form, QPoint(2, form.height() - 2));
    EXPECT_EQ(form.focusWidget(), form.Button1);
  });
}

TEST(PhysicalMemoryText, GroupsDigitsByThreesWritesNothingForZeroAndKeepsTheHistoricWording) {
  EXPECT_EQ(ThousandsSeparated(0), QString());
  EXPECT_EQ(ThousandsSeparated(7), QStringLiteral("7"));
  EXPECT_EQ(ThousandsSeparated(999), QStringLiteral("999"));
  EXPECT_EQ(ThousandsSeparated(1000), QStringLiteral("1,000"));
  EXPECT_EQ(ThousandsSeparated(123456), QStringLiteral("123,456"));
  EXPECT_EQ(ThousandsSeparated(std::numeric_limits<std::uint64_t>::max()),
            QStringLiteral("18,446,744,073,709,551,615"));
  EXPECT_EQ(PhysicalMemoryText(16384000), QStringLiteral("Physical Memory Aviailable to Linux: 16,384,000 KB"));
  EXPECT_EQ(PhysicalMemoryText(0), QStringLiteral("Physical Memory Aviailable to Linux:  KB"));
}

}  // namespace
}  // namespace orvana::ui
