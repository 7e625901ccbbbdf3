#include "scene/core/ValueText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/component/Exceptions.h"

namespace {

std::string PrintfFixed3(float v) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", double(v));
  return text;
}

TEST(FloatToText, IntegralValuesHaveNoPoint) {
  EXPECT_EQ(FloatToText(2), "2");
  EXPECT_EQ(FloatToText(-9), "-9");
  EXPECT_EQ(FloatToText(0), "0");
  EXPECT_EQ(FloatToText(-0.0f), "0");
  EXPECT_EQ(FloatToText(16777216), "16777216");
  EXPECT_EQ(FloatToText(1e30f), "1000000015047466219876688855040");
}

TEST(FloatToText, FractionsHaveExactlyThreeDecimals) {
  EXPECT_EQ(FloatToText(0.5f), "0.500");
  EXPECT_EQ(FloatToText(98.99999f), "99.000");  // not integral, so not "99"
  EXPECT_EQ(FloatToText(-0.0001f), "-0.000");
  EXPECT_EQ(FloatToText(0.0625f), "0.062");  // exact tie goes to even, as printf does
}

TEST(FloatToText, MatchesPrintfForNonIntegralValues) {
  // The test process runs in the "C" locale, where printf is the reference.
  for (float v = -1000.3f; v < 1000; v += 0.7431f) {
    if (v == std::trunc(v)) continue;
    ASSERT_EQ(FloatToText(v), PrintfFixed3(v)) << v;
  }
  for (float v : {1e-7f, 0.0005f, 0.0015f, 0.0025f, 8192.1045f, 8388607.5f, -4194303.25f}) {
    EXPECT_EQ(FloatToText(v), PrintfFixed3(v)) << v;
  }
}

TEST(TextToFloat, ReadsDecimalNumbersWithAPoint) {
  EXPECT_EQ(TextToFloat("1.5"), 1.5f);
  EXPECT_EQ(TextToFloat("  -9 "), -9);
  EXPECT_EQ(TextToFloat("+3"), 3);
  EXPECT_EQ(TextToFloat("-.5"), -0.5f);
  EXPECT_EQ(TextToFloat("5."), 5);
  EXPECT_EQ(TextToFloat("1e3"), 1000);
  EXPECT_EQ(TextToFloat("25E-2"), 0.25f);
  EXPECT_EQ(TextToFloat("0.1"), 0.1f);
  EXPECT_EQ(TextToFloat("1e-50"), 0);  // below the smallest float: zero, not an error
  EXPECT_EQ(TextToFloat("-0.00000000000000000000000000000000000000000000000001"), 0);
}

TEST(TextToFloat, MalformedTextRaisesConversionError) {
  for (const char* text : {"",
                           " ",
                           "abc",
                           "1,5",
                           "1.5x",
                           "1 5",
                           "--1",
                           "+-1",
                           ".",
                           "-",
                           "1e",
                           "1e+",
                           "e5",
                           "0x10",
                           "inf",
                           "-infinity",
                           "nan",
                           "1e39",
                           "1e999999999999",
                           "$10"}) {
    EXPECT_THROW(TextToFloat(text), EConvertError) << text;
  }
}

TEST(TextToFloat, TryVariantReportsInsteadOfThrowing) {
  float v = 7;
  EXPECT_TRUE(TryTextToFloat("2.25", v));
  EXPECT_EQ(v, 2.25f);
  EXPECT_FALSE(TryTextToFloat("2,25", v));
  EXPECT_EQ(v, 0);
}

TEST(TextToPoint, ReadsParenthesisedPairs) {
  EXPECT_EQ(TextToPoint("(29,51)"), PointOf(29, 51));
  EXPECT_EQ(TextToPoint("(1,0.500)"), PointOf(1, 0.5f));
  EXPECT_EQ(TextToPoint(" ( 29 , 51 ) "), PointOf(29, 51));
  EXPECT_EQ(TextToPoint("(29,51"), PointOf(29, 51));         // closing parenthesis optional
  EXPECT_EQ(TextToPoint("(1,2,3)"), PointOf(1, 2));          // extra numbers ignored
  EXPECT_EQ(TextToPoint("x(-1.5,\t2)"), PointOf(-1.5f, 2));  // first token discarded
}

TEST(TextToPoint, UnreadableTextGivesZero) {
  for (const char* text :
       {"29,51", "(29)", "(,51)", "(29,)", "(29;51)", "", "(", "()", "(a,b)", "(1,2e99)"}) {
    EXPECT_EQ(TextToPoint(text), TvxPoint{}) << text;
  }
}

TEST(TextToRect, ReadsFourSidesOrNothing) {
  EXPECT_EQ(TextToRect("(2,2,2,2)"), RectOf(2, 2, 2, 2));
  EXPECT_EQ(TextToRect("(0,-9,0,0)"), RectOf(0, -9, 0, 0));
  EXPECT_EQ(TextToRect("( 1.5 , 2 , 3 , 4.25 )"), RectOf(1.5f, 2, 3, 4.25f));
  EXPECT_EQ(TextToRect("(10,10,10)"), TvxRect{});
  EXPECT_EQ(TextToRect("10,10,10,10"), TvxRect{});
  EXPECT_EQ(TextToRect("(1,2,x,4)"), TvxRect{});
}

TEST(PointAndRectText, WriteInTheirFormsAndReadBack) {
  EXPECT_EQ(PointToText(PointOf(29, 51)), "(29,51)");
  EXPECT_EQ(PointToText(PointOf(0, 0.5f)), "(0,0.500)");
  EXPECT_EQ(RectToText(RectOf(2, 2, 2, 2)), "(2,2,2,2)");
  EXPECT_EQ(RectToText(RectOf(0, -9, 0, 0)), "(0,-9,0,0)");
  const TvxRect r = RectOf(-1.25f, 3e20f, 0.125f, -7);
  EXPECT_EQ(TextToRect(RectToText(r)), r);
  const TvxPoint p = PointOf(-3.4e38f, 3.4e38f);
  EXPECT_EQ(TextToPoint(PointToText(p)), p);
}

TEST(ColorText, WritesEightUpperCaseDigits) {
  EXPECT_EQ(ColorToText(0xFFFF0000), "#FFFF0000");
  EXPECT_EQ(ColorToText(0x01000000), "#01000000");
  EXPECT_EQ(ColorToText(0xFFFA1717), "#FFFA1717");
  EXPECT_EQ(ColorToText(0x0000abcd), "#0000ABCD");
}

TEST(ColorText, ReadsHexKeywordsAndIntegers) {
  EXPECT_EQ(TextToColor("#01000000"), 0x01000000u);
  EXPECT_EQ(TextToColor("#fffa1717"), 0xFFFA1717u);
  EXPECT_EQ(TextToColor("#FF"), 0x000000FFu);  // short forms are plain numbers
  EXPECT_EQ(TextToColor("#000FFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(TextToColor("red"), 0xFFFF0000u);
  EXPECT_EQ(TextToColor("RED"), 0xFFFF0000u);
  EXPECT_EQ(TextToColor("$FF"), 0xFFu);
  EXPECT_EQ(TextToColor("255"), 0xFFu);
  EXPECT_EQ(TextToColor("4294901760"), 0xFFFF0000u);
  EXPECT_EQ(TextToColor("-16777216"), 0xFF000000u);
  EXPECT_EQ(TextToColor("-$1"), 0xFFFFFFFFu);
  EXPECT_EQ(TextToColor(ColorToText(0x80C0FFEE)), 0x80C0FFEEu);
}

TEST(ColorText, UnreadableTextIsTransparentBlack) {
  for (const char* text : {"nonsense", "", "#", "#GG", "#1FFFFFFFF", "# FF", "$", "$G",
                           "4294967296", "-2147483649", "1.5", "0x10", "+", "red blue"}) {
    EXPECT_EQ(TextToColor(text), 0u) << text;
  }
}

// Switches LC_NUMERIC to a comma-decimal locale for the test and restores it afterwards.
class GermanNumericLocale : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "de_DE@euro", "German"}) {
      if (std::setlocale(LC_NUMERIC, name)) return;
    }
    GTEST_SKIP() << "no German locale installed";
  }
  void TearDown() override { std::setlocale(LC_NUMERIC, previous_.c_str()); }

 private:
  std::string previous_;
};

TEST_F(GermanNumericLocale, TextFormsKeepThePointAndLeaveTheLocale) {
  ASSERT_EQ(PrintfFixed3(0.5f), "0,500") << "the locale should change printf";
  const std::string active = std::setlocale(LC_NUMERIC, nullptr);
  EXPECT_EQ(FloatToText(0.5f), "0.500");
  EXPECT_EQ(PointToText(PointOf(1.5f, -2)), "(1.500,-2)");
  EXPECT_EQ(RectToText(RectOf(0.25f, 0, 0, 0)), "(0.250,0,0,0)");
  EXPECT_EQ(TextToFloat("0.5"), 0.5f);
  EXPECT_THROW(TextToFloat("0,5"), EConvertError);
  EXPECT_EQ(TextToPoint("(1.5,2.25)"), PointOf(1.5f, 2.25f));
  EXPECT_EQ(TextToRect("(1.5,2,3,4)"), RectOf(1.5f, 2, 3, 4));
  EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), active);
}

}  // namespace
