#pragma once

// The user's regional settings as the date and time texts need them.
//
// Patterns use these letters (case-insensitive): yyyy four-digit year, yy two-digit year;
// m/mm month with one/two digits, or minute when it directly follows an hour; d/dd day;
// h/hh hour (12-hour when the pattern holds an AM/PM marker); n/nn minute; s/ss second;
// "ampm" the locale's AM/PM string; "am/pm" the literal am or pm. '/' stands for
// DateSeparator and ':' for TimeSeparator; text in double or single quotes is copied as is,
// as is every other character.

#include <array>
#include <string>

struct TFormatSettings {
  std::string ShortDateFormat = "yyyy/mm/dd";
  std::string DateSeparator = "-";
  std::string LongTimeFormat = "hh:nn:ss";
  std::string TimeSeparator = ":";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::array<std::string, 12> LongMonthNames;  // [0] January
  std::array<std::string, 7> ShortDayNames;    // [0] Sunday
  int FirstDayOfWeek = 0;                      // 0 Monday .. 6 Sunday
};

class ILocale {
 public:
  virtual ~ILocale() = default;
  virtual const TFormatSettings& Settings() const = 0;
};
