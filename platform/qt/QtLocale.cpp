#include "platform/qt/QtLocale.h"

#include "platform/LocalePattern.h"

TFormatSettings TQtLocale::FromQLocale(const QLocale& locale) {
  TFormatSettings settings;
  ApplyShortDatePattern(locale.dateFormat(QLocale::ShortFormat).toStdString(), "", settings);
  // "a" and "A" (also as "ap", "AP") mark the AM/PM text; "z" and "t" are milliseconds and
  // the zone.
  ApplyLongTimePattern(locale.timeFormat(QLocale::LongFormat).toStdString(), "aA", "Ppzt",
                       settings);
  settings.TimeAMString = locale.amText().toStdString();
  settings.TimePMString = locale.pmText().toStdString();
  for (int i = 0; i < 12; ++i) {
    settings.LongMonthNames[i] = locale.monthName(i + 1, QLocale::LongFormat).toStdString();
  }
  for (int i = 0; i < 7; ++i) {
    settings.ShortDayNames[i] = locale.dayName(i == 0 ? 7 : i, QLocale::ShortFormat).toStdString();
  }
  settings.FirstDayOfWeek = static_cast<int>(locale.firstDayOfWeek()) - 1;
  return settings;
}
