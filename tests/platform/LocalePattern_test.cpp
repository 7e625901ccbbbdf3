#include "platform/LocalePattern.h"

#include <gtest/gtest.h>

namespace {

TFormatSettings Date(std::string_view pattern, std::string_view other = "") {
  TFormatSettings settings;
  ApplyShortDatePattern(pattern, other, settings);
  return settings;
}

TFormatSettings Time(std::string_view pattern, std::string_view markers = "t",
                     std::string_view other = "") {
  TFormatSettings settings;
  ApplyLongTimePattern(pattern, markers, other, settings);
  return settings;
}

TEST(LocalePattern, DatesBecomeNumericWithAFourDigitYear) {
  EXPECT_EQ(Date("yyyy/M/d").ShortDateFormat, "yyyy/m/d");
  EXPECT_EQ(Date("yyyy/M/d").DateSeparator, "/");
  EXPECT_EQ(Date("dd.MM.yy").ShortDateFormat, "dd/mm/yyyy");
  EXPECT_EQ(Date("dd.MM.yy").DateSeparator, ".");
  // Two letters make two digits, one letter as few as needed; a month name becomes digits.
  EXPECT_EQ(Date("d-M-yyyy").ShortDateFormat, "d/m/yyyy");
  EXPECT_EQ(Date("dd-MMM-yyyy").ShortDateFormat, "dd/mm/yyyy");
}

TEST(LocalePattern, WeekdaysErasAndQuotedTextAreNotFields) {
  EXPECT_EQ(Date("ddd M/d/yyyy").ShortDateFormat, "m/d/yyyy");
  EXPECT_EQ(Date("gg yyyy/M/d", "g").ShortDateFormat, "yyyy/m/d");
  // Quoted letters are text: "d" inside quotes is no day.
  const TFormatSettings quoted = Date("yyyy'年'M'月'd'日 d'");
  EXPECT_EQ(quoted.ShortDateFormat, "yyyy/m/d");
  EXPECT_EQ(quoted.DateSeparator, "-");  // the separators differ
}

TEST(LocalePattern, DatesWithoutDayMonthAndYearKeepTheDefault) {
  const TFormatSettings defaults;
  EXPECT_EQ(Date("MMMM yyyy").ShortDateFormat, defaults.ShortDateFormat);
  EXPECT_EQ(Date("").ShortDateFormat, defaults.ShortDateFormat);
  EXPECT_EQ(Date("d/M/yyyy/d").ShortDateFormat, defaults.ShortDateFormat);
}

TEST(LocalePattern, SeparatorsHoldingDigitsOrDifferingFallBack) {
  EXPECT_EQ(Date("yyyy'1'M'1'd").DateSeparator, "-");
  EXPECT_EQ(Date("yyyy/M-d").DateSeparator, "-");
  EXPECT_EQ(Time("H.mm:ss").TimeSeparator, ":");
  EXPECT_EQ(Time("H.mm.ss").TimeSeparator, ".");
}

TEST(LocalePattern, TimesKeepTheirDigitsAndAmPmMarker) {
  EXPECT_EQ(Time("HH:mm:ss").LongTimeFormat, "hh:nn:ss");
  EXPECT_EQ(Time("H:mm:ss").LongTimeFormat, "h:nn:ss");
  EXPECT_EQ(Time("h:m:ss").LongTimeFormat, "h:n:ss");
  EXPECT_EQ(Time("h:mm:ss tt").LongTimeFormat, "h:nn:ss ampm");
  EXPECT_EQ(Time("tt h:mm:ss").LongTimeFormat, "ampm h:nn:ss");
  // Another host's markers and letters.
  EXPECT_EQ(Time("h:mm:ss AP t", "aA", "Ppzt").LongTimeFormat, "h:nn:ss ampm");
  EXPECT_EQ(Time("HH:mm:ss.zzz t", "aA", "Ppzt").LongTimeFormat, "hh:nn:ss");
}

TEST(LocalePattern, TimesOutOfOrderOrIncompleteKeepTheDefault) {
  const TFormatSettings defaults;
  EXPECT_EQ(Time("mm:HH:ss").LongTimeFormat, defaults.LongTimeFormat);
  EXPECT_EQ(Time("HH:mm").LongTimeFormat, defaults.LongTimeFormat);
  EXPECT_EQ(Time("'HH:mm:ss'").LongTimeFormat, defaults.LongTimeFormat);
}

}  // namespace
