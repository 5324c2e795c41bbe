// The window's images are read without asking every image plugin installed.
#include <gtest/gtest.h>

#include <QFile>
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

}  // namespace
}  // namespace orvana::app
