// The window's images are read without asking every image plugin installed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>

#include "app/window/lean_style.h"
#include "app/window/tool_icons.h"
#include "qt_test_application.h"

namespace orvana::app {
namespace {

bool ImagePluginLoaded() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

TEST(LeanStyle, ToolBarsAndToolImagesLoadNoImagePlugin) {
  orvana::testing::TestApplication();
  if (ImagePluginLoaded()) GTEST_SKIP() << "an earlier test of this process loaded them";
  QApplication::setStyle(new TLeanStyle);
  QToolBar bar;
  for (const TActionId action : kToolButtonActions) {
    const QIcon icon = ToolIcon(action);
    EXPECT_FALSE(icon.pixmap(16).isNull()) << action;
    bar.addAction(icon, QStringLiteral("tool"));
  }
  const auto* overflow = bar.findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
  ASSERT_NE(overflow, nullptr);
  EXPECT_FALSE(overflow->icon().pixmap(16).isNull());
  QStyleOption rightToLeft;
  rightToLeft.direction = Qt::RightToLeft;
  const QStyle& style = *QApplication::style();
  const QImage rtl = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, &rightToLeft).pixmap(16).toImage();
  const QImage ltr = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16).toImage();
  EXPECT_FALSE(rtl.isNull());
  EXPECT_NE(rtl, ltr);  // the arrow points the other way
  EXPECT_FALSE(style.standardIcon(QStyle::SP_ToolBarVerticalExtensionButton).pixmap(16).isNull());
  EXPECT_FALSE(ImagePluginLoaded());
}

// A theme of one red play image, as `name` under `folder`.
void WriteTheme(const QString& folder, const QString& name) {
  const QString images = folder + QLatin1Char('/') + name + QStringLiteral("/16x16/actions");
  QDir().mkpath(images);
  QFile index(folder + QLatin1Char('/') + name + QStringLiteral("/index.theme"));
  index.open(QIODevice::WriteOnly);
  index.write("[Icon Theme]\nName=" + name.toUtf8() +
              "\nDirectories=16x16/actions\n\n[16x16/actions]\nSize=16\nType=Fixed\n");
  QImage red(16, 16, QImage::Format_ARGB32);
  red.fill(Qt::red);
  red.save(images + QStringLiteral("/media-playback-start.png"));
}

TEST(ToolImages, ComeFromTheThemeTheDesktopNamesElseTheProgramsOwn) {
  orvana::testing::TestApplication();
  QTemporaryDir folder;
  WriteTheme(folder.path(), QStringLiteral("named"));
  WriteTheme(folder.path(), QStringLiteral("hicolor"));
  QIcon::setThemeSearchPaths({folder.path()});
  const auto playColour = [] { return ToolIcon(aiPlay).pixmap(16).toImage().pixelColor(8, 8); };
  QIcon::setThemeName(QStringLiteral("named"));
  EXPECT_EQ(playColour(), QColor(Qt::red));
  QIcon::setThemeName(QStringLiteral("hicolor"));  // no theme named: the program's own
  EXPECT_NE(playColour(), QColor(Qt::red));
  EXPECT_FALSE(ToolIcon(aiPlay).pixmap(16).isNull());
}

}  // namespace
}  // namespace orvana::app
