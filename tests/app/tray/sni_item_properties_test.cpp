// What hosts read from an item: its fixed properties, its pictures and tip,
// its interface as introspected (no Menu, so hosts call ContextMenu), and
// the signals that tell them to read again.
#include <QDBusArgument>
#include <QPixmap>

#include "app/tray/sni_dbus_types.h"
#include "sni_bus_fixture.h"

namespace orvana::app {
namespace {

QIcon SolidIcon(QColor color) {
  QPixmap pixmap(48, 48);
  pixmap.fill(color);
  return QIcon(pixmap);
}

class TSignalCounter : public QObject {
  Q_OBJECT

 public:
  int count = 0;

 public slots:
  void Count() { ++count; }
};

class SniItemPropertiesTest : public SniBusTest {
 protected:
  void SetUp() override {
    SniBusTest::SetUp();
    ASSERT_TRUE(Watcher().Start(true));
    ASSERT_TRUE(MakeHost().SetIcon(1, SolidIcon(QColor(0x12, 0x34, 0x56)), QStringLiteral("曲名 - 歌手")));
  }

  QVariantMap AllProperties() {
    const QDBusMessage reply =
        Call(TSniTrayHost::ServiceName(1), QStringLiteral("/StatusNotifierItem"),
             QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("GetAll"),
             {QStringLiteral("org.kde.StatusNotifierItem")});
    return qdbus_cast<QVariantMap>(reply.arguments().value(0).value<QDBusArgument>());
  }

  TSniToolTip ToolTip() {
    return qdbus_cast<TSniToolTip>(ItemProperty(1, QStringLiteral("ToolTip")).value<QDBusArgument>());
  }

  void Follow(const char* signal, TSignalCounter* counter) {
    ASSERT_TRUE(client_.connect(TSniTrayHost::ServiceName(1), QStringLiteral("/StatusNotifierItem"),
                                QStringLiteral("org.kde.StatusNotifierItem"), QString::fromLatin1(signal), counter,
                                SLOT(Count())));
  }
};

TEST_F(SniItemPropertiesTest, FixedPropertiesAndNoMenu) {
  const QVariantMap all = AllProperties();
  EXPECT_EQ(all.value("Category").toString(), "ApplicationStatus");
  EXPECT_EQ(all.value("Id").toString(), "orvana");
  EXPECT_EQ(all.value("Title").toString(), "Orvana");
  EXPECT_EQ(all.value("Status").toString(), "Active");
  EXPECT_EQ(all.value("WindowId").metaType(), QMetaType::fromType<int>());
  EXPECT_EQ(all.value("WindowId").toInt(), 0);
  for (const char* empty : {"IconName", "OverlayIconName", "AttentionIconName"}) {
    ASSERT_TRUE(all.contains(empty)) << empty;
    EXPECT_EQ(all.value(empty).toString(), QString()) << empty;
  }
  ASSERT_TRUE(all.contains("ItemIsMenu"));
  EXPECT_FALSE(all.value("ItemIsMenu").toBool());
  EXPECT_FALSE(all.contains("Menu"));
}

TEST_F(SniItemPropertiesTest, IntrospectionShowsTheCallsAndTypesHostsExpect) {
  const QDBusMessage reply = Call(TSniTrayHost::ServiceName(1), QStringLiteral("/StatusNotifierItem"),
                                  QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect"));
  const QString xml = reply.arguments().value(0).toString();
  ASSERT_TRUE(xml.contains(R"(<interface name="org.kde.StatusNotifierItem">)")) << xml.toStdString();
  for (const char* method : {"Activate", "ContextMenu", "SecondaryActivate", "Scroll"})
    EXPECT_TRUE(xml.contains(QStringLiteral(R"(<method name="%1">)").arg(method))) << method;
  EXPECT_TRUE(xml.contains(R"x(<property name="IconPixmap" type="a(iiay)" access="read")x"));
  EXPECT_TRUE(xml.contains(R"x(<property name="ToolTip" type="(sa(iiay)ss)" access="read")x"));
  EXPECT_FALSE(xml.contains(R"(name="Menu")"));
}

TEST_F(SniItemPropertiesTest, IconPixmapHoldsEverySizeInNetworkByteOrder) {
  const QVariant property = ItemProperty(1, QStringLiteral("IconPixmap"));
  const auto argument = property.value<QDBusArgument>();
  EXPECT_EQ(argument.currentSignature(), "a(iiay)");
  const auto pixmaps = qdbus_cast<TSniPixmapList>(argument);
  ASSERT_EQ(pixmaps.size(), 5);
  const int sizes[] = {16, 22, 24, 32, 48};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(pixmaps[i].width, sizes[i]);
    EXPECT_EQ(pixmaps[i].height, sizes[i]);
    ASSERT_EQ(pixmaps[i].argb.size(), sizes[i] * sizes[i] * 4);
  }
  // Alpha first, then red, green, blue, whatever this machine's byte order.
  const QByteArray& last = pixmaps[4].argb;
  EXPECT_EQ(QByteArray(last.constData() + last.size() - 4, 4), QByteArray("\xff\x12\x34\x56", 4));
}

TEST_F(SniItemPropertiesTest, ToolTipTitleIsTheTip) {
  TSniToolTip tip = ToolTip();
  EXPECT_EQ(tip.title, QStringLiteral("曲名 - 歌手"));
  EXPECT_EQ(tip.iconName, QString());
  EXPECT_TRUE(tip.pixmaps.isEmpty());
  EXPECT_EQ(tip.text, QString());

  ASSERT_TRUE(host_->SetIcon(1, SolidIcon(Qt::red), QString()));
  tip = ToolTip();
  EXPECT_EQ(tip.title, QString());
}

TEST_F(SniItemPropertiesTest, OnlyWhatChangedIsSignalled) {
  TSignalCounter icon, tip;
  Follow("NewIcon", &icon);
  Follow("NewToolTip", &tip);
  const auto settle = [&] {
    // Signals sent before this answer arrive before it.
    ItemProperty(1, QStringLiteral("Id"));
    QCoreApplication::processEvents();
  };

  ASSERT_TRUE(host_->SetIcon(1, SolidIcon(QColor(0x12, 0x34, 0x56)), QStringLiteral("曲名 - 歌手")));
  settle();
  EXPECT_EQ(icon.count, 0);
  EXPECT_EQ(tip.count, 0);

  ASSERT_TRUE(host_->SetIcon(1, SolidIcon(QColor(0x12, 0x34, 0x56)), QStringLiteral("次の曲")));
  ASSERT_TRUE(SpinUntil([&] { return tip.count == 1; }));
  settle();
  EXPECT_EQ(icon.count, 0);
  EXPECT_EQ(ToolTip().title, QStringLiteral("次の曲"));

  ASSERT_TRUE(host_->SetIcon(1, SolidIcon(Qt::white), QStringLiteral("次の曲")));
  ASSERT_TRUE(SpinUntil([&] { return icon.count == 1; }));
  settle();
  EXPECT_EQ(tip.count, 1);
}

}  // namespace
}  // namespace orvana::app

#include "sni_item_properties_test.moc"
