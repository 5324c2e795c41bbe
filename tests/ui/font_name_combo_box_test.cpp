#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <memory>

#include "panel_bar_support.h"
#include "ui/font_name_combo_box.h"
#include "ui/font_type_icons.h"

namespace orvana::ui {
namespace {

using namespace font_word;
using orvana::ui::testing::ApplicationFirst;
using orvana::ui::testing::ProcessEvents;
using orvana::ui::testing::Render;

// The front T of the TrueType icon.
const QColor kTrueTypeBlue(0x1c, 0x4f, 0xa8);

class FontBox : public ::testing::Test {
 protected:
  FontBox() {
    QObject::connect(&box, &TFontNameComboBox::changed, [this] { events.push_back("changed"); });
    QObject::connect(&box, &TFontNameComboBox::clicked, [this] { events.push_back("clicked"); });
  }

  QStringList Items() const {
    QStringList items;
    for (int i = 0; i < box.count(); ++i) items.append(box.itemText(i));
    return items;
  }

  QStringList TakeEvents() { return std::exchange(events, {}); }

  ApplicationFirst application;
  const TFontList fonts{{{"Times", kTrueType | kOnPrinter},
                         {"Arial", kTrueType},
                         {"Bodoni", kDevice | kOnPrinter | kPrinterOnly},
                         {"Courier", kRaster | kFixedPitch},
                         {"Gothic", kTrueType | CharsetBits(kJapaneseCharset)},
                         {"@Gothic", kTrueType | CharsetBits(kJapaneseCharset)},
                         {"Small", kRaster}}};
  TFontNameComboBox box{fonts};
  QStringList events;
};

TEST_F(FontBox, StartsWithEveryFontButLyingOnesAndTheFirstSelected) {
  EXPECT_EQ(Items(), (QStringList{"Arial", "Bodoni", "Courier", "Gothic", "Small", "Times"}));
  EXPECT_EQ(box.ItemAttributes(1), kDevice | kOnPrinter | kPrinterOnly);
  EXPECT_EQ(box.Value(), "Arial");
}

TEST_F(FontBox, ValueSelectsANameInAnyCaseOrElseTheFirstFont) {
  box.setCurrentIndex(box.findText("Gothic"));  // as the settings dialog restores a stored name
  EXPECT_EQ(box.Value(), "Gothic");
  box.setCurrentIndex(box.findText("Missing"));
  EXPECT_EQ(box.Value(), "");

  box.SetValue("times");
  EXPECT_EQ(box.Value(), "Times");
  box.SetValue("Times");
  EXPECT_EQ(TakeEvents(), QStringList{"changed"}) << "setting the same value again changes nothing";
  box.SetValue("No Such Font 7f3e9a");
  EXPECT_EQ(box.Value(), "Arial");
  EXPECT_EQ(TakeEvents(), QStringList{"changed"});
}

TEST_F(FontBox, FiltersListAnewAndKeepTheValueWhileItIsListed) {
  box.SetValue("Bodoni");
  box.SetCollectFilters(box.CollectFilters().Exclude(fnfPrinter));
  EXPECT_FALSE(Items().contains("Bodoni")) << "a printer-only font needs fnfPrinter";
  EXPECT_EQ(box.Value(), "Arial");

  box.SetValue("Times");
  TakeEvents();
  box.SetExclusiveFilters({fnfTrueType});
  EXPECT_EQ(Items(), (QStringList{"Arial", "Gothic", "Times"}));
  EXPECT_EQ(box.Value(), "Times");
  EXPECT_TRUE(TakeEvents().isEmpty());

  box.SetExclusiveFilters({fnfTrueType, fnfRaster});
  EXPECT_EQ(box.ExclusiveFilters(), TFontNameFilters{fnfRaster});
  EXPECT_EQ(Items(), (QStringList{"Courier", "Small"}));
  EXPECT_EQ(box.Value(), "Courier");
  EXPECT_EQ(TakeEvents(), QStringList{"changed"});
}

TEST_F(FontBox, NameListsTakeTheirNamesOutOfEachOther) {
  box.SetCollectFilters({fnfTrueType});
  box.SetInvisibleFontNames({"Arial", "Small"});
  box.SetVisibleFontNames({"small", "@Gothic"});
  EXPECT_EQ(box.InvisibleFontNames(), QStringList{"Arial"});
  EXPECT_EQ(Items(), (QStringList{"@Gothic", "Small", "Times"})) << "visible names are listed whatever the filters say";
  box.SetInvisibleFontNames({"@GOTHIC"});
  EXPECT_EQ(box.VisibleFontNames(), QStringList{"small"});
  EXPECT_EQ(Items(), (QStringList{"Arial", "Small", "Times"}));
}

TEST_F(FontBox, ChangeControlFollowsTheValueButNeverTakesAnEmptyOne) {
  auto label = std::make_unique<QLabel>();
  QFont gothic = label->font();
  gothic.setFamily("Gothic");
  label->setFont(gothic);
  box.SetChangeControl(label.get());
  EXPECT_EQ(box.Value(), "Gothic") << "the control's family is adopted";

  box.SetValue("Times");
  EXPECT_EQ(label->font().family(), "Times");
  TakeEvents();
  box.SetCollectFilters({});
  EXPECT_EQ(box.Value(), "");
  EXPECT_EQ(TakeEvents(), QStringList{"changed"});
  EXPECT_EQ(label->font().family(), "Times");

  label.reset();
  EXPECT_EQ(box.ChangeControl(), nullptr);
  box.SetCollectFilters(TFontNameFilters::All());
  EXPECT_EQ(box.Value(), "@Gothic");
}

TEST_F(FontBox, APickByKeyAppliesTheChangeBeforeTheClick) {
  QLabel label;
  box.SetChangeControl(&label);
  box.SetValue("Courier");
  TakeEvents();
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QApplication::sendEvent(&box, &down);
  EXPECT_EQ(box.Value(), "Gothic");
  EXPECT_EQ(label.font().family(), "Gothic");
  EXPECT_EQ(TakeEvents(), (QStringList{"changed", "clicked"}));
}

TEST_F(FontBox, WhileLoadingChangesWaitForLoaded) {
  box.BeginLoad();
  box.SetCollectFilters({fnfRaster, fnfFixedPitch});
  box.SetValue("Small");
  EXPECT_EQ(box.count(), 6);
  EXPECT_EQ(box.Value(), "Arial");
  box.Loaded();
  EXPECT_EQ(Items(), (QStringList{"Courier", "Small"}));
  EXPECT_EQ(box.Value(), "Small");
  EXPECT_EQ(TakeEvents(), QStringList{"changed"});
}

TEST_F(FontBox, HeightSetsItemHeightAndItemHeightBoundsTheFont) {
  box.show();
  ProcessEvents();
  EXPECT_EQ(box.ItemHeight(), 16) << "shown at its own height";
  box.SetValue("Gothic");
  box.resize(150, 40);
  ProcessEvents();
  EXPECT_EQ(box.ItemHeight(), 34);
  box.resize(150, 6);
  ProcessEvents();
  EXPECT_EQ(box.ItemHeight(), 34);

  QFont font = box.font();
  font.setPixelSize(20);
  box.setFont(font);
  box.SetItemHeight(8);
  EXPECT_EQ(box.font().pixelSize(), 12);
  EXPECT_EQ(box.ItemHeight(), 12) << "raised to the font's height";

  font.setPixelSize(30);
  box.setFont(font);
  EXPECT_EQ(box.ItemHeight(), 30);
  EXPECT_GE(box.sizeHint().height(), 36);
  EXPECT_EQ(box.Value(), "Gothic");

  int dropDowns = 0;
  QObject::connect(&box, &TFontNameComboBox::dropDown, [&] { ++dropDowns; });
  box.showPopup();
  EXPECT_EQ(dropDowns, 1);
  EXPECT_EQ(box.view()->visualRect(box.model()->index(0, 0)).height(), 30);
  box.hidePopup();
}

// Columns from `from` on holding some pixel other than white.
int FirstInkColumn(const QImage& image, int from = 0) {
  for (int x = from; x < image.width(); ++x)
    for (int y = 0; y < image.height(); ++y)
      if (image.pixelColor(x, y) != Qt::white) return x;
  return -1;
}

class FontItemPainting : public ::testing::Test {
 protected:
  FontItemPainting() { look.collectFilters = TFontNameFilters::All(); }

  QImage Paint(const TFontEntry& font) {
    QImage image(160, 24, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintFontItem(painter, image.rect(), font, look, Qt::white, Qt::black);
    return image;
  }

  ApplicationFirst application;
  TFontItemLook look;
};

TEST_F(FontItemPainting, IconCentredInItsColumnAndTextAfterIt) {
  const QImage trueType = Paint({"Sans", kTrueType});
  EXPECT_EQ(trueType.pixelColor(2 + 7, (24 - kFontIconSize) / 2 + 5), kTrueTypeBlue);
  EXPECT_GE(FirstInkColumn(trueType, 2 + kFontIconSize), 20);

  const QImage raster = Paint({"Sans", kRaster});
  EXPECT_GE(FirstInkColumn(raster), 20) << "no icon for a raster font, the text stays in place";
  look.iconVisible = false;
  const int left = FirstInkColumn(Paint({"Sans", kTrueType}));
  EXPECT_GE(left, 2);
  EXPECT_LT(left, 6);
}

TEST_F(FontBox, DrawsTheSelectedFontWithItsIconAndGreyWhenDisabled) {
  box.resize(160, 24);
  const auto blueCount = [](const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < 24; ++x) count += image.pixelColor(x, y) == kTrueTypeBlue;
    return count;
  };
  EXPECT_GT(blueCount(Render(box)), 10);
  box.SetIconVisible(false);
  EXPECT_EQ(blueCount(Render(box)), 0);

  TFontItemDelegate delegate([] { return TFontItemLook{}; });
  QImage image(160, 20, QImage::Format_RGB32);
  QPainter painter(&image);
  QStyleOptionViewItem option;
  option.rect = image.rect();
  option.palette.setColor(QPalette::Base, Qt::white);
  option.palette.setColor(QPalette::Disabled, QPalette::Text, Qt::red);
  option.state = QStyle::State_None;
  delegate.paint(&painter, option, box.model()->index(0, 0));
  bool reddish = false;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      reddish |= pixel.red() > 200 && pixel.green() < 120 && pixel.blue() < 120;
    }
  EXPECT_TRUE(reddish) << "a disabled item's name is in the disabled text colour";
}

TEST(DesktopFontBox, ListsTheInstalledFontsAndFallsBackToTheFirst) {
  ApplicationFirst application;
  TFontNameComboBox box;
  ASSERT_GT(box.count(), 0);
  box.SetValue("No Such Font 7f3e9a");
  EXPECT_EQ(box.Value(), box.itemText(0));
}

}  // namespace
}  // namespace orvana::ui
