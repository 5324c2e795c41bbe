#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>

#include "qt_test_application.h"
#include "ui/known_folders.h"

namespace orvana::ui {
namespace {

// HOME is a fresh directory for the test; the XDG variables are unset.
class FakeHome : public ::testing::Test {
 protected:
  void SetUp() override {
    orvana::testing::TestApplication();
    ASSERT_TRUE(home.isValid());
    for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) {
      saved.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
      qunsetenv(name);
    }
    qputenv("HOME", QFile::encodeName(home.path()));
  }

  void TearDown() override {
    for (const auto& [name, value] : saved) value ? void(qputenv(name, *value)) : void(qunsetenv(name));
  }

  QString Make(const QString& relative) {
    EXPECT_TRUE(QDir(home.path()).mkpath(relative));
    return home.path() + QLatin1Char('/') + relative;
  }

  QTemporaryDir home;
  std::vector<std::pair<const char*, std::optional<QByteArray>>> saved;
};

TEST_F(FakeHome, PlacesThatExistAreUsedAndMissingOnesBecomeHome) {
  for (TRootFolder folder : {rfDesktop, rfManual, rfStartup, rfTemplates, rfRecent})
    EXPECT_EQ(KnownFolderPath(folder), home.path()) << folder;
  EXPECT_EQ(KnownFolderPath(static_cast<TRootFolder>(99)), home.path());
  EXPECT_EQ(KnownFolderPath(rfDrives), QStringLiteral("/"));

  const QString desktop = Make(QStringLiteral("Desktop"));
  EXPECT_EQ(KnownFolderPath(rfDesktop), desktop);
  EXPECT_EQ(KnownFolderPath(rfDesktopDir), desktop);
  EXPECT_EQ(KnownFolderPath(rfStartup), Make(QStringLiteral(".config/autostart")));
  EXPECT_EQ(KnownFolderPath(rfTemplates), Make(QStringLiteral("Templates")));
}

TEST_F(FakeHome, AManualNameCountsOnlyWhenItIsAFolder) {
  const QString desktop = Make(QStringLiteral("Desktop"));
  const QString albums = Make(QStringLiteral("Music/Albums"));
  QFile file(home.path() + QStringLiteral("/notes.txt"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));

  EXPECT_EQ(ManualFolderPath(albums + QStringLiteral("/../Albums/")), albums);
  EXPECT_EQ(ManualFolderPath(QStringLiteral("Mixes")), std::nullopt);
  Make(QStringLiteral("Desktop/Mixes"));
  EXPECT_EQ(ManualFolderPath(QStringLiteral("Mixes")), desktop + QStringLiteral("/Mixes")) << "relative to the desktop";

  for (const QString& name : {file.fileName(), home.path() + QStringLiteral("/missing"), QString(),
                              QString::fromUtf8("a\0b", 3)}) {
    EXPECT_EQ(ManualFolderPath(name), std::nullopt) << name.toStdString();
    EXPECT_EQ(ResolveFolder(rfManual, name), desktop);
  }
  EXPECT_EQ(ResolveFolder(rfManual, albums), albums);
  EXPECT_EQ(ResolveFolder(rfDrives, albums), QStringLiteral("/")) << "the name is for rfManual only";
}

}  // namespace
}  // namespace orvana::ui
