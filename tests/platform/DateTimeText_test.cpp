#include "platform/DateTimeText.h"

#include <gtest/gtest.h>

#include "platform/component/Exceptions.h"
#include "platform/headless/HeadlessLocale.h"

namespace {

TFormatSettings Preset(const char* name) {
  return THeadlessLocale::LocalePreset(name);
}

TDateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
}

std::string ErrorOf(std::string_view text, const TFormatSettings& settings) {
  try {
    StrToDateTime(text, settings);
  } catch (const EConvertError& e) {
    return e.what();
  }
  return "no error";
}

TEST(DateTimeToText, PrintsTheShortDateAndTheLongTimeOfEachLocale) {
  const TDateTime afternoon = At(2010, 11, 29, 13, 45, 10);
  EXPECT_EQ("2010/11/29 13:45:10", DateTimeToText(afternoon, Preset("zh_CN")));
  EXPECT_EQ("11/29/2010 1:45:10 PM", DateTimeToText(afternoon, Preset("en_US")));
  EXPECT_EQ("29.11.2010 13:45:10", DateTimeToText(afternoon, Preset("de_DE")));
  EXPECT_EQ("29 11 2010 13:45:10", DateTimeToText(afternoon, Preset("C")));
  EXPECT_EQ("3/5/2024 12:05:09 AM", DateTimeToText(At(2024, 3, 5, 0, 5, 9), Preset("en_US")));
  EXPECT_EQ("2024/3/5 09:05:09", DateTimeToText(At(2024, 3, 5, 9, 5, 9), Preset("zh_CN")));
}

TEST(DateTimeToText, LeavesOutTheTimeAtMidnight) {
  EXPECT_EQ("2010/11/29", DateTimeToText(40511, Preset("zh_CN")));
  EXPECT_EQ("2010/11/29", DateTimeToText(40511 + 400 * OneMillisecond, Preset("zh_CN")));
}

TEST(FormatDateTime, ReadsPatternLettersLikeTheLocaleFormats) {
  const TFormatSettings zh = Preset("zh_CN");
  const TDateTime value = At(2024, 3, 5, 7, 8, 9);
  EXPECT_EQ("24-03-05 07:08", FormatDateTime("yy-mm-dd hh:mm", value, zh));
  EXPECT_EQ("7:08 am|AM", FormatDateTime("h:nn am/pm|AM/PM", value, zh));
  EXPECT_EQ("上午 7 at 08", FormatDateTime("ampm h 'at' nn", value, zh));
  EXPECT_EQ("day \"d\" 5", FormatDateTime("'day \"d\"' d", value, zh));
}

class DateTimeRoundTrip : public testing::TestWithParam<const char*> {};

TEST_P(DateTimeRoundTrip, EveryPrintedValueReadsBackExactly) {
  const TFormatSettings settings = Preset(GetParam());
  const TDateTime values[] = {At(2010, 11, 29),           At(2010, 11, 29, 13, 45, 10),
                              At(2024, 2, 29, 0, 0, 1),   At(2024, 12, 31, 12, 0, 0),
                              At(2024, 1, 1, 12, 59, 59), At(2024, 7, 4, 23, 59, 59),
                              At(1, 1, 1, 0, 30, 0),      At(9999, 12, 31, 11, 59, 59)};
  for (TDateTime value : values) {
    const std::string text = DateTimeToText(value, settings);
    TDateTime back = -1;
    ASSERT_TRUE(TryStrToDateTime(text, settings, back)) << text;
    EXPECT_EQ(value, back) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, DateTimeRoundTrip,
                         testing::Values("zh_CN", "en_US", "de_DE", "C"));

TEST(StrToDateTime, TakesTheFirstTimeOfDayAndIgnoresWhatFollows) {
  const TFormatSettings zh = Preset("zh_CN");
  EXPECT_EQ(At(2010, 11, 29, 13, 45, 10), StrToDateTime("2010/11/29 13:45:10 11:05:03", zh));
  EXPECT_EQ(At(2010, 11, 29, 11, 5, 3), StrToDateTime("2010/11/29 11:05:03", zh));
  const TFormatSettings us = Preset("en_US");
  EXPECT_EQ(At(2010, 11, 29, 13, 45, 10), StrToDateTime("11/29/2010 1:45:10 PM 11:5:3", us));
}

TEST(StrToDateTime, ReadsPartialTimesFractionsAndMarkersOnEitherSide) {
  const TFormatSettings zh = Preset("zh_CN");
  EXPECT_EQ(At(2024, 3, 5, 13), StrToDateTime("2024/3/5 13", zh));
  EXPECT_EQ(At(2024, 3, 5, 13, 7), StrToDateTime(" 2024/03/05  13:07", zh));
  EXPECT_EQ(At(2024, 3, 5, 13, 7, 1, 500), StrToDateTime("2024/3/5 13:07:01.5", zh));
  EXPECT_EQ(At(2024, 3, 5, 13, 7, 1), StrToDateTime("2024/3/5 下午1:07:01", zh));
  EXPECT_EQ(At(2024, 3, 5, 0, 7, 1), StrToDateTime("2024/3/5 12:07:01 am", zh));
  EXPECT_EQ(At(2024, 3, 5, 12, 7, 1), StrToDateTime("2024/3/5 PM 12:07:01", zh));
}

TEST(StrToDateTime, RefusesTextThatIsNoDateAndTime) {
  const TFormatSettings zh = Preset("zh_CN");
  EXPECT_EQ("'29.11.2010 11:0:0' is not a valid date and time", ErrorOf("29.11.2010 11:0:0", zh));
  for (const char* text : {"", " ", "2010/11", "2010/2/30", "2010/11/29 x", "2010/11/29 25:00",
                           "2010/11/29 13:00 PM x", "2010/11/29 下午13:00", "20100/1/1",
                           "2010/11/29 1:60", "2010-11-29"}) {
    TDateTime out = 0;
    EXPECT_FALSE(TryStrToDateTime(text, zh, out)) << text;
  }
  EXPECT_EQ("'2010/2/30' is not a valid date and time", ErrorOf("2010/2/30", zh));
}

TEST(StrToTimeOfDay, ReadsTheCountdownBoxesWithColonsInAnyLocale) {
  EXPECT_EQ(0, StrToTimeOfDay("0:0:0"));
  EXPECT_EQ(EncodeTime(0, 0, 1, 0), StrToTimeOfDay("0:0:1"));
  EXPECT_EQ(EncodeTime(23, 59, 59, 0), StrToTimeOfDay("23:59:59"));
  EXPECT_EQ(EncodeTime(1, 2, 3, 0), StrToTimeOfDay(" 01:02:03 "));
}

TEST(StrToTimeOfDay, RefusesAnythingButThreeFieldsInRange) {
  for (const char* text :
       {"24:0:0", "0:60:0", "0:0:60", "1:2", "::", "a:b:c", "1:2:3:4", "", "-1:0:0", "1:2:3 PM"}) {
    EXPECT_THROW(StrToTimeOfDay(text), EConvertError) << text;
  }
  try {
    StrToTimeOfDay("24:0:0");
  } catch (const EConvertError& e) {
    EXPECT_STREQ("'24:0:0' is not a valid time", e.what());
  }
}

TEST(TimeOfDayText, RoundsToTheMillisecondThenCutsToSeconds) {
  EXPECT_EQ("00:00:00", TimeOfDayText(0));
  EXPECT_EQ("12:00:00", TimeOfDayText(40511.5));
  EXPECT_EQ("23:59:59", TimeOfDayText(EncodeTime(23, 59, 59, 999)));
  EXPECT_EQ("00:00:59", TimeOfDayText(59.9994 / 86400));
  EXPECT_EQ("00:01:00", TimeOfDayText(59.9996 / 86400));
  EXPECT_EQ("06:00:00", TimeOfDayText(-0.25));
}

}  // namespace
