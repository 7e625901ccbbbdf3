#include "platform/qt/QtLocale.h"

#include <gtest/gtest.h>

#include "platform/DateTimeText.h"
#include "platform/headless/HeadlessLocale.h"

namespace {

TEST(QtLocale, EveryHostLocalePrintsDatesThatReadBack) {
  const TDateTime values[] = {EncodeDate(2010, 11, 29),
                              EncodeDate(2010, 11, 29) + EncodeTime(13, 45, 10, 0),
                              EncodeDate(2024, 2, 9) + EncodeTime(0, 5, 9, 0),
                              EncodeDate(1999, 12, 31) + EncodeTime(12, 0, 1, 0)};
  const auto locales =
      QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
  ASSERT_GT(locales.size(), 100);
  for (const QLocale& locale : locales) {
    const TFormatSettings settings = TQtLocale::FromQLocale(locale);
    for (TDateTime value : values) {
      const std::string text = DateTimeToText(value, settings);
      TDateTime back = -1;
      EXPECT_TRUE(TryStrToDateTime(text, settings, back) && back == value)
          << locale.name().toStdString() << ": " << text;
    }
  }
}

TEST(QtLocale, MatchesTheHeadlessPresets) {
  for (const char* name : {"zh_CN", "en_US", "de_DE", "C"}) {
    const TFormatSettings qt = TQtLocale::FromQLocale(QLocale(name));
    const TFormatSettings preset = THeadlessLocale::LocalePreset(name);
    EXPECT_EQ(preset.ShortDateFormat, qt.ShortDateFormat) << name;
    EXPECT_EQ(preset.DateSeparator, qt.DateSeparator) << name;
    EXPECT_EQ(preset.LongTimeFormat, qt.LongTimeFormat) << name;
    EXPECT_EQ(preset.TimeSeparator, qt.TimeSeparator) << name;
    EXPECT_EQ(preset.TimeAMString, qt.TimeAMString) << name;
    EXPECT_EQ(preset.LongMonthNames, qt.LongMonthNames) << name;
    EXPECT_EQ(preset.ShortDayNames, qt.ShortDayNames) << name;
    EXPECT_EQ(preset.FirstDayOfWeek, qt.FirstDayOfWeek) << name;
  }
}

}  // namespace
