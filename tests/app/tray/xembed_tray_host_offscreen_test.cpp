#include <gtest/gtest.h>

#include <QPixmap>

#include "app/tray/xembed_tray_host.h"
#include "qt_test_application.h"

namespace orvana::app {
namespace {

TEST(XEmbedTrayHostWithoutX11, StaysUnavailableAndKeepsNothing) {
  testing::TestApplication();  // offscreen: no X connection
  TXEmbedTrayHost host;
  EXPECT_FALSE(host.Available());
  QPixmap picture(16, 16);
  picture.fill(Qt::red);
  EXPECT_FALSE(host.SetIcon(1, QIcon(picture), "Orvana"));
  EXPECT_FALSE(host.SetIcon(0, QIcon(picture), "Orvana"));
  host.RemoveIcon(1);
  host.RemoveIcon(7);
  EXPECT_FALSE(host.Available());
}

}  // namespace
}  // namespace orvana::app
