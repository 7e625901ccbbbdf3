#include "platform/win32/Win32Locale.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/DateTime.h"
#include "platform/DateTimeText.h"

namespace {

using testing::MatchesRegex;
using testing::StartsWith;

TEST(Win32Locale, AmericanEnglish) {
  const TFormatSettings settings = TWin32Locale::FromLocale(L"en-US");
  EXPECT_EQ(settings.ShortDateFormat, "m/d/yyyy");
  EXPECT_EQ(settings.DateSeparator, "/");
  EXPECT_EQ(settings.LongTimeFormat, "h:nn:ss ampm");
  EXPECT_EQ(settings.TimeSeparator, ":");
  EXPECT_EQ(settings.TimeAMString, "AM");
  EXPECT_EQ(settings.TimePMString, "PM");
  EXPECT_EQ(settings.LongMonthNames[0], "January");
  EXPECT_EQ(settings.LongMonthNames[11], "December");
  EXPECT_EQ(settings.ShortDayNames[0], "Sun");
  EXPECT_EQ(settings.ShortDayNames[1], "Mon");
  EXPECT_EQ(settings.ShortDayNames[6], "Sat");
  EXPECT_EQ(settings.FirstDayOfWeek, 6);  // Sunday
}

// Systems differ in the details of their locale data (one or two digits, a dot after an
// abbreviation), so the fields are held to what every system agrees on.
TEST(Win32Locale, German) {
  const TFormatSettings settings = TWin32Locale::FromLocale(L"de-DE");
  EXPECT_THAT(settings.ShortDateFormat, MatchesRegex("dd?/mm?/yyyy"));
  EXPECT_EQ(settings.DateSeparator, ".");
  EXPECT_EQ(settings.LongTimeFormat, "hh:nn:ss");
  EXPECT_EQ(settings.LongMonthNames[2], "März");
  EXPECT_THAT(settings.ShortDayNames[0], StartsWith("So"));
  EXPECT_EQ(settings.FirstDayOfWeek, 0);  // Monday
}

TEST(Win32Locale, SimplifiedChinese) {
  const TFormatSettings settings = TWin32Locale::FromLocale(L"zh-CN");
  EXPECT_EQ(settings.ShortDateFormat, "yyyy/m/d");
  EXPECT_EQ(settings.DateSeparator, "/");
  EXPECT_THAT(settings.LongTimeFormat, MatchesRegex("hh?:nn:ss"));
  EXPECT_EQ(settings.TimeAMString, "上午");
  EXPECT_EQ(settings.TimePMString, "下午");
  EXPECT_EQ(settings.LongMonthNames[0], "一月");
  EXPECT_EQ(settings.ShortDayNames[0], "周日");
  EXPECT_EQ(settings.FirstDayOfWeek, 0);
}

TEST(Win32Locale, AnUnknownLocaleKeepsTheDefaults) {
  const TFormatSettings settings = TWin32Locale::FromLocale(L"qq-ZZ-nonsense");
  const TFormatSettings defaults;
  EXPECT_EQ(settings.ShortDateFormat, defaults.ShortDateFormat);
  EXPECT_EQ(settings.LongTimeFormat, defaults.LongTimeFormat);
  EXPECT_EQ(settings.TimeAMString, defaults.TimeAMString);
  EXPECT_EQ(settings.FirstDayOfWeek, defaults.FirstDayOfWeek);
}

TEST(Win32Locale, TheUsersDatesReadBack) {
  const TWin32Locale locale;
  const TFormatSettings& settings = locale.Settings();
  EXPECT_EQ(settings.ShortDateFormat, TWin32Locale::FromLocale(nullptr).ShortDateFormat);
  for (const wchar_t* name : {L"en-US", L"de-DE", L"zh-CN", L"fr-FR", L"ja-JP", L"ko-KR"}) {
    const TFormatSettings named = TWin32Locale::FromLocale(name);
    const TDateTime moment = EncodeDate(2026, 12, 31) + EncodeTime(21, 5, 9, 0);
    const std::string text = DateTimeToText(moment, named);
    TDateTime read = 0;
    EXPECT_TRUE(TryStrToDateTime(text, named, read)) << text;
    EXPECT_NEAR(read, moment, 1e-8) << text;
  }
}

}  // namespace
