#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <ostream>

#include "qt_test_application.h"
#include "ui/font_classification.h"
#include "ui/font_list.h"
#include "ui/system_fonts.h"

namespace orvana::ui {

void PrintTo(TFontNameFilters filters, std::ostream* out) { *out << "filters 0x" << std::hex << filters.Bits(); }
void PrintTo(const TFontEntry& font, std::ostream* out) {
  *out << font.name.toStdString() << " 0x" << std::hex << font.attributes;
}

namespace {

using namespace font_word;

constexpr std::uint32_t kJapanese = CharsetBits(kJapaneseCharset);
constexpr std::uint32_t kSymbol = CharsetBits(kSymbolCharset);

std::vector<QString> Names(const std::vector<TFontEntry>& fonts) {
  std::vector<QString> names;
  for (const TFontEntry& font : fonts) names.push_back(font.name);
  return names;
}

TEST(FontNameFilters, StrayValuesAreIgnoredAndAllLeavesNoneOut) {
  TFontNameFilters filters{fnfRaster, static_cast<TFontNameFilter>(40), static_cast<TFontNameFilter>(-1)};
  EXPECT_EQ(filters, TFontNameFilters{fnfRaster});
  EXPECT_FALSE(filters.Contains(static_cast<TFontNameFilter>(16)));
  EXPECT_TRUE(filters.Exclude(fnfRaster).Empty());
  for (int f = fnfDevice; f <= fnfLyingFont; ++f) EXPECT_TRUE(TFontNameFilters::All().Contains(TFontNameFilter(f)));
}

TEST(FontList, SortsInAnyCaseAndKeepsTheFirstOfRepeatedNames) {
  const TFontList list({{"zeta", kTrueType}, {"Alpha", kRaster}, {"", kTrueType}, {"ZETA", kRaster}, {"beta", 0}});
  EXPECT_EQ(list.Fonts(), (std::vector<TFontEntry>{{"Alpha", kRaster}, {"beta", 0}, {"zeta", kTrueType}}));
  ASSERT_NE(list.Find("ALPHA"), nullptr);
  EXPECT_EQ(list.Find("ALPHA")->name, "Alpha");
  EXPECT_EQ(list.Find("Alph"), nullptr);
  EXPECT_EQ(TFontList().Find("Alpha"), nullptr);
}

TEST(FontList, PrinterFontsAreMergedInTheirSortedPlaces) {
  const TFontList list(
      {{"Courier", kRaster | kFixedPitch}, {"Times", kTrueType}},
      {{"Zapf", kDevice}, {"times", kDevice}, {"Arial", kTrueType}, {"Bodoni", kDevice}, {"Bodoni", kVector}});
  EXPECT_EQ(list.Fonts(), (std::vector<TFontEntry>{{"Arial", kTrueType | kOnPrinter | kPrinterOnly},
                                                   {"Bodoni", kDevice | kOnPrinter | kPrinterOnly},
                                                   {"Courier", kRaster | kFixedPitch},
                                                   {"Times", kTrueType | kDevice | kOnPrinter},
                                                   {"Zapf", kDevice | kOnPrinter | kPrinterOnly}}));
  EXPECT_EQ(Names(TFontList({}, {{"b", 0}, {"a", 0}}).Fonts()), (std::vector<QString>{"a", "b"}));
}

TEST(FontAttributeWord, OutlineOrRasterWithTheCharacterSetTheFamilyWrites) {
  EXPECT_EQ(FontAttributeWord({.outline = true, .latin = true}), kTrueType);
  EXPECT_EQ(FontAttributeWord({.fixedPitch = true}), kRaster | kFixedPitch);
  EXPECT_EQ(FontAttributeWord({.outline = true, .japanese = true, .symbol = true}), kTrueType | kJapanese);
  EXPECT_EQ(FontAttributeWord({.outline = true, .symbol = true}), kTrueType | kSymbol);
  EXPECT_EQ(FontAttributeWord({.outline = true, .symbol = true, .latin = true}), kTrueType)
      << "a text font with some symbols is no symbol font";
}

TEST(FontAttributeWord, FamiliesLoseTheFoundryTheDatabaseAddsToTheirName) {
  EXPECT_EQ(FamilyWithoutFoundry("Nimbus Sans [urw]"), "Nimbus Sans");
  EXPECT_EQ(FamilyWithoutFoundry("Odd [a] [b]"), "Odd [a]");
  for (const char* kept : {"[urw]", "Sans]", "Sans[urw]", "Sans"}) EXPECT_EQ(FamilyWithoutFoundry(kept), kept);
}

TEST(FontAttributes, ReadFromTheWordAndTheName) {
  const TFontEntry font{"@Gothic", kTrueType | kFixedPitch | kJapanese | kOnPrinter};
  EXPECT_EQ(FontAttributes(font, TPrinterAttribute::kAvailableOnPrinter),
            (TFontNameFilters{fnfTrueType, fnfFixedPitch, fnfJapanese, fnfLyingFont, fnfPrinter}));
  EXPECT_EQ(FontAttributes(font, TPrinterAttribute::kOnlyOnPrinter),
            (TFontNameFilters{fnfTrueType, fnfFixedPitch, fnfJapanese, fnfLyingFont}));
  EXPECT_EQ(FontAttributes({"Sym", kVector | kDevice | kSymbol}, TPrinterAttribute::kOnlyOnPrinter),
            (TFontNameFilters{fnfVector, fnfDevice, fnfSymbolFont}));
  EXPECT_EQ(FontAttributes({"Other", CharsetBits(129)}, TPrinterAttribute::kOnlyOnPrinter), TFontNameFilters{});
}

class ListFilter : public ::testing::Test {
 protected:
  ListFilter() { filter.collect = TFontNameFilters::All().Exclude(fnfLyingFont); }

  bool Listed(const TFontEntry& font) const { return IsListed(font, filter); }

  TFontListFilter filter;
};

TEST_F(ListFilter, AFontOnlyThePrinterHasNeedsThePrinterFilter) {
  const TFontEntry printerOnly{"Bodoni", kDevice | kOnPrinter | kPrinterOnly};
  const TFontEntry onBoth{"Times", kTrueType | kOnPrinter};
  EXPECT_TRUE(Listed(printerOnly));
  filter.collect.Exclude(fnfPrinter);
  EXPECT_FALSE(Listed(printerOnly));
  EXPECT_TRUE(Listed(onBoth));
}

TEST_F(ListFilter, EachSpecialAttributeMustBeCollected) {
  const std::pair<TFontEntry, TFontNameFilter> cases[] = {{{"Gothic", kTrueType | kJapanese}, fnfJapanese},
                                                          {{"Wingdings", kTrueType | kSymbol}, fnfSymbolFont},
                                                          {{"Courier", kRaster | kFixedPitch}, fnfFixedPitch},
                                                          {{"@Gothic", kTrueType | kJapanese}, fnfLyingFont}};
  for (const auto& [font, attribute] : cases) {
    TFontListFilter without = filter;
    without.collect.Exclude(attribute);
    TFontListFilter with = filter;
    with.collect.Include(fnfLyingFont);
    EXPECT_FALSE(IsListed(font, without)) << font.name.toStdString();
    EXPECT_TRUE(IsListed(font, with)) << font.name.toStdString();
  }
}

TEST_F(ListFilter, AKindMustBeCollectedAndEveryExclusiveFilterMet) {
  filter.collect = {fnfTrueType, fnfFixedPitch};
  EXPECT_TRUE(Listed({"Arial", kTrueType}));
  EXPECT_FALSE(Listed({"Fixed", kRaster | kFixedPitch}));
  EXPECT_FALSE(Listed({"Kindless", 0}));
  filter.exclusive = {fnfTrueType, fnfFixedPitch};
  EXPECT_FALSE(Listed({"Arial", kTrueType}));
  EXPECT_TRUE(Listed({"Mono", kTrueType | kFixedPitch}));
}

TEST_F(ListFilter, NameListsOverrideTheFiltersInAnyCase) {
  filter.collect = {fnfTrueType};
  filter.visibleNames = {"fixed", "Arial"};
  filter.invisibleNames = {"ARIAL", "mono"};
  EXPECT_TRUE(Listed({"Fixed", kRaster | kFixedPitch})) << "listed although no filter lets it in";
  EXPECT_TRUE(Listed({"Arial", kTrueType})) << "the visible list wins";
  EXPECT_FALSE(Listed({"Mono", kTrueType}));
  const TFontList fonts({{"Mono", kTrueType}, {"Fixed", kRaster}, {"Sans", kTrueType}, {"Bitmap", kRaster}});
  EXPECT_EQ(Names(ListedFonts(fonts, filter)), (std::vector<QString>{"Fixed", "Sans"}));
  EXPECT_EQ(WithoutNames({"a", "B", "c", "b"}, {"b", "x"}), (QStringList{"a", "c"}));
}

TEST(ExclusiveKinds, TheNewestKindReplacesTheOthers) {
  EXPECT_EQ(NarrowExclusiveKinds({fnfTrueType}, {fnfTrueType, fnfRaster}), TFontNameFilters{fnfRaster});
  EXPECT_EQ(NarrowExclusiveKinds({}, {fnfTrueType, fnfVector, fnfJapanese}), (TFontNameFilters{fnfVector, fnfJapanese}))
      << "of kinds added together the first in order stays";
  EXPECT_EQ(NarrowExclusiveKinds({fnfRaster}, {fnfRaster, fnfPrinter}), (TFontNameFilters{fnfRaster, fnfPrinter}));
  EXPECT_EQ(NarrowExclusiveKinds({fnfRaster, fnfPrinter}, {}), TFontNameFilters{});
}

TEST(FontIcon, ShownForCollectedKindsInTheOrderOfThePriority) {
  const std::uint32_t both = kTrueType | kOnPrinter;
  const TFontNameFilters all = TFontNameFilters::All();
  EXPECT_EQ(ChooseFontIcon(both, fipTrueType, all), TFontIcon::kTrueType);
  EXPECT_EQ(ChooseFontIcon(both, fipPrinter, all), TFontIcon::kPrinter);
  EXPECT_EQ(ChooseFontIcon(both, fipPrinter, all - TFontNameFilters{fnfPrinter}), TFontIcon::kTrueType);
  EXPECT_EQ(ChooseFontIcon(both, fipTrueType, all - TFontNameFilters{fnfTrueType}), TFontIcon::kPrinter);
  EXPECT_EQ(ChooseFontIcon(kRaster | kFixedPitch, fipTrueType, all), TFontIcon::kNone);
  EXPECT_EQ(ChooseFontIcon(kTrueType | kPrinterOnly, fipPrinter, all), TFontIcon::kTrueType)
      << "the printer icon marks fonts the printer has, not the printer-only bit";
}

TEST(SystemFonts, BuiltOnceSortedAndMadeOfOutlineOrRasterFonts) {
  orvana::testing::TestApplication();
  QElapsedTimer timer;
  timer.start();
  const TFontList& fonts = SystemFontList();
  ::testing::Test::RecordProperty("first_build_ms", static_cast<int>(timer.elapsed()));
  EXPECT_EQ(&SystemFontList(), &fonts);
  ASSERT_FALSE(fonts.Fonts().empty());
  for (size_t i = 0; i < fonts.Fonts().size(); ++i) {
    const TFontEntry& font = fonts.Fonts()[i];
    const std::uint32_t type = font.attributes & (kRaster | kDevice | kTrueType);
    EXPECT_TRUE(type == kTrueType || type == kRaster) << font.name.toStdString();
    EXPECT_EQ(font.attributes & (kVector | kOnPrinter | kPrinterOnly), 0u) << font.name.toStdString();
    EXPECT_EQ(FamilyWithoutFoundry(font.name), font.name);
    if (i > 0) {
      EXPECT_LT(QString::compare(fonts.Fonts()[i - 1].name, font.name, Qt::CaseInsensitive), 0);
    }
  }
}

}  // namespace
}  // namespace orvana::ui
