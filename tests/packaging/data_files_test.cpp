// The files a desktop reads beside the programs: the painted icon sizes and
// the hand-written scalable icon must show the same disc, and the menu entry
// and the AppStream metainfo must name the same program, types and version.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <algorithm>
#include <cstdlib>
#include <map>

namespace {

const QString kDataDir = QStringLiteral(ORVANA_DATA_DIR);
const QString kIconBuildDir = QStringLiteral(ORVANA_ICON_BUILD_DIR);
const QString kScalableIcon = kDataDir + QStringLiteral("/icons/hicolor/scalable/apps/orvana.svg");
const QString kDesktopFile = kDataDir + QStringLiteral("/orvana.desktop");
const QString kMetainfoFile = kDataDir + QStringLiteral("/org.orvana.orvana.metainfo.xml");

QString PaintedIcon(int size) { return kIconBuildDir + QStringLiteral("/%1x%1/apps/orvana.png").arg(size); }

// Pixels whose colour or opacity differ by more than a quarter of the range.
double DifferingShare(const QImage& a, const QImage& b) {
  int differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
      const int limit = 64;
      if (std::abs(p.alpha() - q.alpha()) > limit || std::abs(p.red() - q.red()) > limit ||
          std::abs(p.green() - q.green()) > limit || std::abs(p.blue() - q.blue()) > limit)
        ++differing;
    }
  return double(differing) / (a.width() * a.height());
}

QImage RenderedSvg(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QSvgRenderer renderer(kScalableIcon);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

// The [Desktop Entry] group's keys (comments and other groups left out).
std::map<QString, QString> DesktopEntryKeys() {
  QFile file(kDesktopFile);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << kDesktopFile.toStdString();
  std::map<QString, QString> keys;
  bool inEntry = false;
  for (const QByteArray& rawLine : file.readAll().split('\n')) {
    const QString line = QString::fromUtf8(rawLine).trimmed();
    if (line.startsWith('[')) inEntry = line == QStringLiteral("[Desktop Entry]");
    const qsizetype equals = line.indexOf('=');
    if (inEntry && equals > 0 && !line.startsWith('#')) keys[line.left(equals).trimmed()] = line.mid(equals + 1).trimmed();
  }
  return keys;
}

QSet<QString> ListValue(const QString& value) {
  QSet<QString> items;
  for (const QString& item : value.split(';', Qt::SkipEmptyParts)) items.insert(item);
  return items;
}

struct TMetainfo {
  QString id;
  QString desktopId;
  QSet<QString> binaries;
  QSet<QString> mediaTypes;
  QStringList releases;  // in the file's order: newest first
  // The texts of summary, p and li by language ("" for the default).
  std::map<QString, QStringList> texts;
};

TMetainfo ReadMetainfo() {
  QFile file(kMetainfoFile);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << kMetainfoFile.toStdString();
  TMetainfo info;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    const auto name = xml.name();
    if (name == QLatin1String("release")) {
      info.releases << xml.attributes().value(QLatin1String("version")).toString();
    } else if (name == QLatin1String("launchable") &&
               xml.attributes().value(QLatin1String("type")) == QLatin1String("desktop-id")) {
      info.desktopId = xml.readElementText();
    } else if (name == QLatin1String("id")) {
      info.id = xml.readElementText();
    } else if (name == QLatin1String("binary")) {
      info.binaries.insert(xml.readElementText());
    } else if (name == QLatin1String("mediatype")) {
      info.mediaTypes.insert(xml.readElementText());
    } else if (name == QLatin1String("summary") || name == QLatin1String("p") || name == QLatin1String("li")) {
      const QString language = xml.attributes().value(QLatin1String("xml:lang")).toString();
      info.texts[language] << xml.readElementText().simplified();
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return info;
}

TEST(PackagingIcons, EverySizeIsPaintedAsADiscOnATransparentSquare) {
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    QImageReader reader(PaintedIcon(size));
    EXPECT_EQ(reader.format(), "png");
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), QSize(size, size));
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(image.pixelColor(size - 1, size - 1).alpha(), 0);
    EXPECT_EQ(image.pixelColor(size / 2, size / 2), QColor(Qt::black));
  }
}

TEST(PackagingIcons, ScalableIconIsWellFormedSvg) {
  QFile file(kScalableIcon);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  ASSERT_TRUE(xml.readNextStartElement());
  EXPECT_EQ(xml.name(), QLatin1String("svg"));
  EXPECT_EQ(xml.namespaceUri(), QLatin1String("http://www.w3.org/2000/svg"));
  while (!xml.atEnd()) xml.readNext();
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();

  QSvgRenderer renderer(kScalableIcon);
  ASSERT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBoxF().width(), renderer.viewBoxF().height()) << "icons are square";
}

// From 32 pixels up the painted rim is wider than a pixel and scales with
// the size, as the SVG's does (below, it is widened to a whole pixel).
TEST(PackagingIcons, ScalableIconShowsThePaintedDisc) {
  for (int size : {32, 64, 256}) {
    SCOPED_TRACE(size);
    const QImage painted = QImage(PaintedIcon(size)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(painted.size(), QSize(size, size));
    EXPECT_LT(DifferingShare(painted, RenderedSvg(size).convertToFormat(QImage::Format_ARGB32)), 0.01);
  }
}

TEST(PackagingMetadata, MenuEntryAndMetainfoNameTheSameProgram) {
  const std::map<QString, QString> entry = DesktopEntryKeys();
  const TMetainfo info = ReadMetainfo();

  EXPECT_EQ(kMetainfoFile.section('/', -1), info.id + QStringLiteral(".metainfo.xml"));
  EXPECT_EQ(info.desktopId, kDesktopFile.section('/', -1));
  EXPECT_EQ(entry.at(QStringLiteral("Icon")) + QStringLiteral(".svg"), kScalableIcon.section('/', -1));
  const QString program = entry.at(QStringLiteral("Exec")).section(' ', 0, 0);
  EXPECT_EQ(entry.at(QStringLiteral("TryExec")), program);
  EXPECT_TRUE(info.binaries.contains(program)) << program.toStdString();
  EXPECT_EQ(ListValue(entry.at(QStringLiteral("MimeType"))), info.mediaTypes);
  // Qt names the window's WM_CLASS class after the application.
  EXPECT_EQ(entry.at(QStringLiteral("StartupWMClass")), QStringLiteral(ORVANA_PRODUCT_NAME));
  ASSERT_FALSE(info.releases.isEmpty());
  EXPECT_EQ(info.releases.front(), QStringLiteral(ORVANA_VERSION)) << "the metainfo lists this version's release";
}

bool HasJapanese(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

// English by default, Japanese beside it for a Japanese desktop: each text
// in both, and no Japanese left in the defaults.
TEST(PackagingMetadata, MenuEntryAndMetainfoSpeakEnglishWithJapaneseBeside) {
  const std::map<QString, QString> entry = DesktopEntryKeys();
  for (const char* key : {"Name", "GenericName", "Comment", "Keywords"}) {
    const QString english = QString::fromLatin1(key);
    const QString japanese = english + QStringLiteral("[ja]");
    ASSERT_TRUE(entry.count(english) && entry.count(japanese)) << key;
    EXPECT_FALSE(HasJapanese(entry.at(english))) << key;
  }
  EXPECT_TRUE(HasJapanese(entry.at(QStringLiteral("Comment[ja]"))));

  const TMetainfo info = ReadMetainfo();
  const QStringList english = info.texts.at(QString());
  const QStringList japanese = info.texts.at(QStringLiteral("ja"));
  EXPECT_EQ(english.size(), japanese.size());
  for (const QString& text : english) EXPECT_FALSE(HasJapanese(text)) << text.toStdString();
  for (const QString& text : japanese) EXPECT_TRUE(HasJapanese(text)) << text.toStdString();
}

// Every kind of file the program opens is offered to it by the desktop (".mp1"
// has no registered type). A name may fit several types (".m3u" is also an
// HTTP live streaming list): one of them is enough.
TEST(PackagingMetadata, MenuEntryClaimsTheTypesOfTheFilesTheProgramOpens) {
  const QSet<QString> claimed = ListValue(DesktopEntryKeys().at(QStringLiteral("MimeType")));
  const QMimeDatabase database;
  for (const char* name : {"song.mp2", "song.mp3", "list.m3u"}) {
    QStringList types;
    for (const QMimeType& type : database.mimeTypesForFileName(QString::fromLatin1(name))) types << type.name();
    EXPECT_TRUE(std::any_of(types.begin(), types.end(), [&](const QString& type) { return claimed.contains(type); }))
        << name << ": " << types.join(' ').toStdString();
  }
}

}  // namespace
