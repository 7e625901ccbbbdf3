#include "platform/headless/HeadlessLocale.h"

namespace {

// The presets match what the Qt locale service derives from the same host locales.

const std::array<std::string, 12> kEnglishMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
const std::array<std::string, 7> kEnglishDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

TFormatSettings ChineseChina() {
  TFormatSettings s;
  s.ShortDateFormat = "yyyy/m/d";
  s.DateSeparator = "/";
  s.LongTimeFormat = "hh:nn:ss";
  s.TimeAMString = "上午";
  s.TimePMString = "下午";
  s.LongMonthNames = {"一月", "二月", "三月", "四月", "五月",   "六月",
                      "七月", "八月", "九月", "十月", "十一月", "十二月"};
  s.ShortDayNames = {"周日", "周一", "周二", "周三", "周四", "周五", "周六"};
  s.FirstDayOfWeek = 6;
  return s;
}

TFormatSettings EnglishUnitedStates() {
  TFormatSettings s;
  s.ShortDateFormat = "m/d/yyyy";
  s.DateSeparator = "/";
  s.LongTimeFormat = "h:nn:ss ampm";
  s.LongMonthNames = kEnglishMonths;
  s.ShortDayNames = kEnglishDays;
  s.FirstDayOfWeek = 6;
  return s;
}

TFormatSettings GermanGermany() {
  TFormatSettings s;
  s.ShortDateFormat = "dd/mm/yyyy";
  s.DateSeparator = ".";
  s.LongTimeFormat = "hh:nn:ss";
  s.LongMonthNames = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                      "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
  s.ShortDayNames = {"So.", "Mo.", "Di.", "Mi.", "Do.", "Fr.", "Sa."};
  s.FirstDayOfWeek = 0;
  return s;
}

TFormatSettings Posix() {
  TFormatSettings s;
  s.ShortDateFormat = "d/mm/yyyy";
  s.DateSeparator = " ";
  s.LongTimeFormat = "hh:nn:ss";
  s.LongMonthNames = kEnglishMonths;
  s.ShortDayNames = kEnglishDays;
  s.FirstDayOfWeek = 0;
  return s;
}

}  // namespace

THeadlessLocale::THeadlessLocale() : settings_(ChineseChina()) {}

TFormatSettings THeadlessLocale::LocalePreset(std::string_view name) {
  if (name == "zh_CN") return ChineseChina();
  if (name == "en_US") return EnglishUnitedStates();
  if (name == "de_DE") return GermanGermany();
  return Posix();
}
