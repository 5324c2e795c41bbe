#include <gtest/gtest.h>

#include <QClipboard>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <cmath>
#include <string>

#include "qt_test_application.h"
#include "ui/drag_edit.h"
#include "ui/number_char_filter.h"
#include "ui/number_drag.h"
#include "ui/number_text.h"

namespace orvana::ui {
namespace {

// Texts compared as std::string print readably when a check fails.
std::string S(const QString& text) { return text.toStdString(); }
std::string S(const std::optional<QString>& text) { return text ? text->toStdString() : "(text stays)"; }

// ---- numbers written and read back ----

TEST(NumberText, FloatsInEachForm) {
  using enum TFloatFormat;
  const struct {
    double value;
    TFloatFormat format;
    int precision, digits;
    const char* text;
  } cases[] = {
      {1.23456789, Fixed, 8, 2, "1.23"},   {9.999, Fixed, 8, 2, "10.00"},  // the carry adds a digit
      {0.006, Fixed, 8, 2, "0.01"},        {-0.001, Fixed, 8, 2, "0.00"},  // no negative zero
      {-1.23456789, Fixed, 3, 5, "-1.23000"},                              // significant digits first
      {123456789, Fixed, 8, 2, "1.2345679E8"},                             // too long for 8 digits
      {1500, Exponent, 8, 2, "1.5000000E+03"}, {-0.00015, Exponent, 3, 0, "-1.50E-4"},
      {0, Exponent, 2, 9, "0.0E+0000"},  // at most 4 exponent digits
      {123.456, General, 4, 0, "123.5"},   {1e20, General, 8, 0, "1E20"},
      {0.0001, General, 8, 0, "0.0001"},   {-0.000012, General, 8, 2, "-1.2E-05"},
      {999.999, Number, 8, 2, "1,000.00"}, {-1234.5, Currency, 8, 2, "-$1,234.50"},
      {std::nan(""), Fixed, 8, 2, "NAN"},  {-HUGE_VAL, General, 8, 2, "-INF"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(S(FormatFloat(c.value, c.format, c.precision, c.digits, QStringLiteral("$"))), c.text) << c.value;
  EXPECT_EQ(S(FormatPlainFixed(123456789, 8, 2)), "123456790.00");
}

TEST(NumberText, ParsingTakesWholeFiniteNumbersOnly) {
  EXPECT_EQ(ParseInteger(QStringLiteral(" 42 ")), 42);
  EXPECT_EQ(ParseInteger(QStringLiteral("+5")), 5);
  for (const char* bad : {"", "-", "1.5", "12a", "0x10", "99999999999999999999"})
    EXPECT_FALSE(ParseInteger(QString::fromLatin1(bad))) << bad;
  EXPECT_EQ(ParseFloat(QStringLiteral("1.5E3")), 1500.0);
  EXPECT_EQ(ParseFloat(QStringLiteral("-2.5e-1")), -0.25);
  for (const char* bad : {"", ".", "1,5", "1E", "inf", "nan", "1e999", "1.5.2"})
    EXPECT_FALSE(ParseFloat(QString::fromLatin1(bad))) << bad;
  // Whatever the edit writes, it reads back.
  for (double value : {0.0, -1.25, 3.14159265, 1e-7, 6.02e23})
    for (TFloatFormat format : {TFloatFormat::General, TFloatFormat::Exponent, TFloatFormat::Fixed}) {
      const std::optional<double> back = ParseFloat(FormatFloat(value, format, 8, 9));
      ASSERT_TRUE(back) << value;
      EXPECT_NEAR(*back, value, std::fabs(value) * 1e-7 + 1e-9) << value;
    }
}

// ---- which typed characters are taken ----

bool Takes(QChar c, TValueType type, TFloatFormat format, const char* text, int caret, int selected = 0) {
  return IsNumberChar(c, TNumberInput{type, format, QString::fromLatin1(text), caret, selected, true});
}

bool IntTakes(QChar c, const char* text, int caret) { return Takes(c, TValueType::Int, {}, text, caret); }
bool FixedTakes(QChar c, const char* text, int caret, int selected = 0) {
  return Takes(c, TValueType::Float, TFloatFormat::Fixed, text, caret, selected);
}
bool ExponentTakes(QChar c, const char* text, int caret) {
  return Takes(c, TValueType::Float, TFloatFormat::Exponent, text, caret);
}

TEST(NumberCharFilter, DigitsAndControlCharactersButNotCarriageReturnNorWhileDisabled) {
  for (QChar c : {QChar('0'), QChar('9'), QChar('\b'), QChar('\t'), QChar(0x7f)}) EXPECT_TRUE(IntTakes(c, "12", 1));
  for (QChar c : {QChar('\r'), QChar('a'), QChar(' '), QChar(0x0663) /* Arabic-Indic 3 */, QChar('.')})
    EXPECT_FALSE(IntTakes(c, "12", 1)) << int(c.unicode());
  const TNumberInput disabled{TValueType::Int, TFloatFormat::Fixed, QStringLiteral("12"), 0, 0, false};
  for (QChar c : {QChar('5'), QChar('-'), QChar('\b')}) EXPECT_FALSE(IsNumberChar(c, disabled)) << int(c.unicode());
  EXPECT_TRUE(IsNumberChar('\t', disabled));
}

TEST(NumberCharFilter, SignsOnlyAtTheStartOrRightAfterTheExponentLetter) {
  EXPECT_TRUE(IntTakes('-', "12", 0));
  EXPECT_FALSE(IntTakes('-', "12", 1));
  EXPECT_TRUE(ExponentTakes('-', "1.5E", 4));
  EXPECT_TRUE(ExponentTakes('+', "1.5e3", 4));
  EXPECT_FALSE(ExponentTakes('-', "1.5E3", 5));
  EXPECT_FALSE(FixedTakes('-', "1E", 2)) << "fixed form has no exponent";
}

TEST(NumberCharFilter, OnePointAndInExponentFormOneLetter) {
  EXPECT_TRUE(FixedTakes('.', "15", 1));
  EXPECT_FALSE(FixedTakes('.', "1.5", 3));
  EXPECT_FALSE(FixedTakes('E', "15", 2));
  EXPECT_TRUE(ExponentTakes('e', "1.5", 3));
  EXPECT_FALSE(ExponentTakes('E', "1.5e3", 3));
  EXPECT_FALSE(ExponentTakes('.', "1.5", 1));
  EXPECT_FALSE(Takes('.', TValueType::Float, TFloatFormat::General, "15", 1)) << "general form is not typed";
}

TEST(NumberCharFilter, TheSelectionBeingReplacedDoesNotCount) {
  EXPECT_TRUE(FixedTakes('.', "1.5", 0, 3));
  EXPECT_TRUE(FixedTakes('-', "1.5", 0, 2));
  EXPECT_FALSE(FixedTakes('.', "1.5", 2, 1)) << "the point is outside the selection";
}

// ---- the arithmetic of a drag ----

class NumberDragging : public ::testing::Test {
 protected:
  std::string After(int distance, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return S(drag.TextAfter(distance, modifiers));
  }
  TNumberDrag drag;
};

TEST_F(NumberDragging, IntStepsTruncateAndShiftAndAltMakeThemCoarser) {
  drag.Start(QStringLiteral("5"));
  EXPECT_EQ(After(7), "8") << "3 whole steps of 2 pixels";
  EXPECT_EQ(After(-3), "4") << "truncated towards zero";
  EXPECT_EQ(After(7, Qt::ShiftModifier), "35");
  EXPECT_EQ(After(7, Qt::AltModifier), "305");
  EXPECT_EQ(After(7, Qt::ShiftModifier | Qt::AltModifier), "3005");
}

TEST_F(NumberDragging, AnIntIncrementIsRoundedToAtLeastOne) {
  for (auto [set, read] : {std::pair{"0.4", "1"}, {"2.6", "3"}, {"-3", "1"}}) {
    drag.SetIncrementText(QString::fromLatin1(set));
    EXPECT_EQ(S(drag.IncrementText()), read) << set;
  }
  drag.SetIncrementText(QStringLiteral("0.4"));
  drag.Start(QStringLiteral("10"));
  EXPECT_EQ(After(4), "12");
  drag.SetValueType(TValueType::Float);
  EXPECT_EQ(S(drag.IncrementText()), "0.40");
  EXPECT_FALSE(drag.SetIncrementText(QStringLiteral("x")));
  EXPECT_EQ(S(drag.IncrementText()), "0.40");
}

TEST_F(NumberDragging, RangeLimitedIntStopsAtTheLimits) {
  drag.SetMinText(QStringLiteral("1"));
  drag.SetMaxText(QStringLiteral("100"));
  drag.Start(QStringLiteral("5"));
  EXPECT_EQ(After(-1000), "-495") << "not limited yet";
  drag.SetRangeLimited(true);
  EXPECT_EQ(After(-1000), "1");
  EXPECT_EQ(After(1000), "100");
  EXPECT_EQ(After(20), "15");
  drag.SetMinText(QString());
  EXPECT_EQ(After(-1000), "-495") << "an empty limit does not limit";
}

TEST_F(NumberDragging, FixedFloatSteps) {
  drag.SetValueType(TValueType::Float);
  drag.SetIncrementText(QStringLiteral("0.1"));
  drag.Start(QStringLiteral("1.00"));
  EXPECT_EQ(After(6), "1.30");
  EXPECT_EQ(After(6, Qt::AltModifier), "31.00");
  drag.SetRangeLimited(true);
  drag.SetMinText(QStringLiteral("0.5"));
  EXPECT_EQ(After(-100), "0.50");
  drag.SetIncrementText(QStringLiteral("1e308"));
  EXPECT_EQ(After(100, Qt::AltModifier), "(text stays)") << "overflow to infinity";
}

TEST_F(NumberDragging, ExponentFormStepsTheMantissaOrWithAltTheExponent) {
  drag.SetValueType(TValueType::Float);
  drag.SetFloatFormat(TFloatFormat::Exponent);
  drag.Start(QStringLiteral("1.5E3"));
  EXPECT_EQ(After(4, Qt::AltModifier), "1.50E+5");
  EXPECT_EQ(After(-8, Qt::AltModifier), "1.50E-1");
  EXPECT_EQ(After(4), "3.50E+3");
  EXPECT_EQ(After(4, Qt::ShiftModifier), "21.50E+3");
  drag.Start(QStringLiteral("2e-2"));
  EXPECT_EQ(After(2), "3.00E-2") << "a lower-case e";
  drag.Start(QStringLiteral("2.5"));
  EXPECT_EQ(After(4, Qt::AltModifier), "2.50E+2") << "no exponent is exponent 0";

  drag.SetMaxText(QStringLiteral("100000"));
  drag.SetRangeLimited(true);
  drag.Start(QStringLiteral("1.5E3"));
  EXPECT_EQ(After(2, Qt::AltModifier), "1.50E+4");
  EXPECT_EQ(After(4, Qt::AltModifier), "(text stays)") << "out of range, and no clamping";
  EXPECT_EQ(S(drag.MaxText()), "1.0000000E+05");
}

TEST_F(NumberDragging, LimitsMoveTheStartInsideAndReadInTheValueType) {
  drag.Start(QStringLiteral("50"));
  drag.SetMaxText(QStringLiteral("20.4"));
  EXPECT_EQ(drag.StartInt(), 20);
  EXPECT_EQ(S(drag.MaxText()), "20");
  EXPECT_FALSE(drag.SetMaxText(QStringLiteral("many")));
  EXPECT_EQ(S(drag.MaxText()), "20");

  drag.SetValueType(TValueType::Float);
  drag.SetFloatFormat(TFloatFormat::Exponent);
  drag.Start(QStringLiteral("5E2"));
  drag.SetMaxText(QStringLiteral("100"));
  EXPECT_EQ(drag.StartExponent(), 2) << "the exponent stays, the value meets the limit";
  EXPECT_DOUBLE_EQ(drag.StartMantissa(), 1.0);
}

TEST_F(NumberDragging, UnreadableTextsAndBadSettingsDoNoHarm) {
  drag.Start(QStringLiteral("abc"));
  EXPECT_EQ(After(2), "1") << "starts from 0";
  drag.SetIncStep(0);
  EXPECT_EQ(drag.IncStep(), 1);
  EXPECT_EQ(After(3), "3");
  drag.SetIncrementText(QStringLiteral("1e30"));
  drag.Start(QStringLiteral("1"));
  EXPECT_EQ(After(100000, Qt::ShiftModifier | Qt::AltModifier), "9223372036854775807") << "saturates";
  EXPECT_EQ(After(-100000, Qt::ShiftModifier | Qt::AltModifier), "-9223372036854775808");

  drag.SetValueType(TValueType::Float);
  drag.SetFloatFormat(TFloatFormat::Exponent);
  drag.Start(QStringLiteral("1.5Ex"));
  EXPECT_EQ(drag.StartExponent(), 0);
  EXPECT_EQ(drag.StartMantissa(), 1.5);
  for (TFloatFormat undragged : {TFloatFormat::General, TFloatFormat::Number, TFloatFormat::Currency}) {
    drag.SetFloatFormat(undragged);
    EXPECT_EQ(After(10), "(text stays)");
  }
}

// ---- the widget ----

// Declared before a fixture's widgets, so that the application exists first.
struct ApplicationFirst {
  ApplicationFirst() { orvana::testing::TestApplication(); }
};

class DragEditWidget : public ::testing::Test {
 protected:
  void SetUp() override {
    edit.resize(120, 30);
    edit.show();  // a hidden widget gets its resize event only when shown
    edit.SetOnBeep([this] { ++beeps; });
  }

  void Mouse(QEvent::Type type, int x) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    const QPointF at(x, 5);
    QMouseEvent event(type, at, edit.Button().mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&edit.Button(), &event);
  }

  void Type(int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(&edit, &event);
  }

  ApplicationFirst application;
  TDragEdit edit;
  int beeps = 0;
};

TEST_F(DragEditWidget, TheButtonSitsInsideTheFrameAndTheTextStopsShortOfIt) {
  const QRect button = edit.Button().geometry();
  ASSERT_GT(button.top(), 0) << "the style draws a frame";
  EXPECT_EQ(button.width(), edit.ButtonWidth());
  EXPECT_TRUE(edit.rect().contains(button));
  EXPECT_EQ(edit.width() - 1 - button.right(), button.top()) << "the frame's width on the right and at the top";
  EXPECT_EQ(edit.height() - 1 - button.bottom(), button.top());
  EXPECT_EQ(edit.textMargins().right(), edit.ButtonWidth() + 2);

  edit.SetButtonWidth(10);
  EXPECT_EQ(edit.Button().geometry().right(), button.right()) << "the right edge stays";
  EXPECT_EQ(edit.textMargins().right(), 12);
  edit.resize(200, 40);
  EXPECT_EQ(edit.Button().geometry(), QRect(200 - button.top() - 10, button.top(), 10, 40 - 2 * button.top()));
}

TEST_F(DragEditWidget, DraggingTheButtonChangesTheNumberAndShowsTheDrag) {
  edit.SetMinValue(QStringLiteral("1"));
  edit.SetMaxValue(QStringLiteral("100"));
  edit.SetRangeLimited(true);
  QPalette blueText = edit.palette();
  blueText.setColor(QPalette::Text, Qt::blue);
  edit.setPalette(blueText);
  edit.SetPosition(5);

  Mouse(QEvent::MouseButtonPress, 5);
  EXPECT_TRUE(edit.Dragging());
  EXPECT_EQ(S(edit.Button().Mark()), "◆");
  EXPECT_EQ(edit.Button().MarkColor(), QColor(Qt::red));
  EXPECT_TRUE(edit.Button().Lowered());
  EXPECT_EQ(edit.palette().color(QPalette::Text), QColor(Qt::black));
  Mouse(QEvent::MouseMove, 25);
  EXPECT_EQ(edit.Position(), 15);
  edit.DragStart(25, 0);  // pressed again without a release
  Mouse(QEvent::MouseMove, -1000);
  EXPECT_EQ(edit.Position(), 1);
  Mouse(QEvent::MouseButtonRelease, -1000);
  EXPECT_FALSE(edit.Dragging());
  EXPECT_EQ(S(edit.Button().Mark()), "◇");
  EXPECT_FALSE(edit.Button().Lowered());
  EXPECT_EQ(edit.palette().color(QPalette::Text), QColor(Qt::blue)) << "the edit's own colour comes back";
  Mouse(QEvent::MouseMove, 500);
  EXPECT_EQ(edit.Position(), 1) << "no drag after the release";
}

TEST_F(DragEditWidget, AnEmptyTextStartsAtZeroAndReadOnlyOrDisabledEditsDoNotDrag) {
  edit.DragStart(0, 0);
  EXPECT_EQ(S(edit.text()), "0");
  edit.DragMove(Qt::NoModifier, 4, 0);
  edit.setReadOnly(true);
  edit.DragMove(Qt::NoModifier, 40, 0);
  EXPECT_EQ(S(edit.text()), "2");
  edit.DragEnd();
  edit.DragStart(0, 0);
  EXPECT_FALSE(edit.Dragging());
  edit.setReadOnly(false);
  edit.setEnabled(false);
  edit.DragStart(0, 0);
  EXPECT_FALSE(edit.Dragging());
}

TEST_F(DragEditWidget, RefusedCharactersBeepAndInsertNothing) {
  edit.SetValueType(TValueType::Float);
  Type(Qt::Key_1, QStringLiteral("1"));
  Type(Qt::Key_Period, QStringLiteral("."));
  Type(Qt::Key_5, QStringLiteral("5"));
  EXPECT_EQ(beeps, 0);
  Type(Qt::Key_Period, QStringLiteral("."));
  Type(Qt::Key_Left, QString());
  Type(Qt::Key_Minus, QStringLiteral("-"));
  EXPECT_EQ(beeps, 2);
  EXPECT_EQ(S(edit.text()), "1.5");

  Type(Qt::Key_Home, QString());
  Type(Qt::Key_Minus, QStringLiteral("-"));
  EXPECT_EQ(S(edit.text()), "-1.5");
  int returns = 0;
  QObject::connect(&edit, &QLineEdit::returnPressed, [&] { ++returns; });
  Type(Qt::Key_Return, QStringLiteral("\r"));
  EXPECT_EQ(returns, 1) << "Enter still reaches the dialog";
  Type(Qt::Key_A, QStringLiteral("a"), Qt::ControlModifier);
  EXPECT_EQ(S(edit.selectedText()), "-1.5") << "shortcuts are not typing";
  EXPECT_EQ(beeps, 2);
}

// The overridable operations are what the button and the keys reach.
class LoggingDragEdit : public TDragEdit {
 public:
  bool IsValidChar(QChar c) const override { return c == QLatin1Char('x'); }
  void DragMove(Qt::KeyboardModifiers shift, int x, int) override {
    log += QStringLiteral("move %1%2;").arg(x).arg(shift == Qt::AltModifier ? QStringLiteral(" alt") : QString());
  }
  QString log;
};

TEST_F(DragEditWidget, OverridesAreCalled) {
  LoggingDragEdit logging;
  QKeyEvent x(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
  QApplication::sendEvent(&logging, &x);
  EXPECT_EQ(S(logging.text()), "x");
  QMouseEvent move(QEvent::MouseMove, QPointF(9, 1), QPointF(9, 1), Qt::NoButton, Qt::LeftButton, Qt::AltModifier);
  QApplication::sendEvent(&logging.Button(), &move);
  EXPECT_EQ(S(logging.log), "move 9 alt;");
}

TEST_F(DragEditWidget, CutAndPasteOnlyWhenEditable) {
  QApplication::clipboard()->setText(QStringLiteral("77"));
  edit.setText(QStringLiteral("12"));
  edit.selectAll();
  edit.setReadOnly(true);
  edit.paste();
  edit.cut();
  edit.setReadOnly(false);
  edit.setEnabled(false);
  edit.paste();
  EXPECT_EQ(S(edit.text()), "12");
  edit.setEnabled(true);
  edit.selectAll();
  edit.paste();
  EXPECT_EQ(S(edit.text()), "77");
}

TEST_F(DragEditWidget, EnteringSelectsEverythingOnlyWithAutoSelect) {
  edit.setText(QStringLiteral("123"));
  QFocusEvent programmatic(QEvent::FocusIn, Qt::OtherFocusReason);
  QApplication::sendEvent(&edit, &programmatic);
  EXPECT_EQ(S(edit.selectedText()), "123");
  edit.deselect();
  edit.SetAutoSelect(false);
  QFocusEvent tab(QEvent::FocusIn, Qt::TabFocusReason);
  QApplication::sendEvent(&edit, &tab);
  EXPECT_FALSE(edit.hasSelectedText());
}

TEST_F(DragEditWidget, TheButtonIsPaintedRaisedOrLoweredInItsColour) {
  QPalette palette = edit.palette();
  palette.setColor(QPalette::Light, Qt::green);
  palette.setColor(QPalette::Dark, Qt::darkRed);
  edit.setPalette(palette);
  edit.SetButtonColor(Qt::yellow);
  edit.SetInactiveMark(QString());
  edit.SetActiveMark(QString());
  const QRect button = edit.Button().geometry();
  auto render = [&] {
    QImage image(edit.size(), QImage::Format_RGB32);
    image.fill(Qt::blue);
    edit.render(&image);
    return image;
  };
  QImage image = render();
  EXPECT_EQ(image.pixelColor(button.topLeft()), QColor(Qt::green));
  EXPECT_EQ(image.pixelColor(button.center()), QColor(Qt::yellow));
  edit.DragStart(0, 0);
  image = render();
  EXPECT_EQ(image.pixelColor(button.topLeft()), QColor(Qt::darkRed));
  EXPECT_EQ(image.pixelColor(button.bottomRight()), QColor(Qt::green));
}

}  // namespace
}  // namespace orvana::ui
