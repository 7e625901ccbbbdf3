#include "platform/headless/HeadlessLocale.h"

namespace {

// The presets match what the Qt locale service derives from the same host locales.

const std::array<std::string, 12> kEnglishMonths = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
const std::array<std::string, 7> kEnglishDays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// Built whole rather than assigned field by field: GCC 12 at -O3 misreads assigning a short
// literal to a string as an overlapping copy.
TFormatSettings ChineseChina() {
  return {.ShortDateFormat = "yyyy/m/d",
          .DateSeparator = "/",
          .LongTimeFormat = "hh:nn:ss",
          .TimeAMString = "上午",
          .TimePMString = "下午",
          .LongMonthNames = {"一月", "二月", "三月", "四月", "五月", "六月", "七月", "八月", "九月",
                             "十月", "十一月", "十二月"},
          .ShortDayNames = {"周日", "周一", "周二", "周三", "周四", "周五", "周六"},
          .FirstDayOfWeek = 6};
}

TFormatSettings EnglishUnitedStates() {
  return {.ShortDateFormat = "m/d/yyyy",
          .DateSeparator = "/",
          .LongTimeFormat = "h:nn:ss ampm",
          .LongMonthNames = kEnglishMonths,
          .ShortDayNames = kEnglishDays,
          .FirstDayOfWeek = 6};
}

TFormatSettings GermanGermany() {
  return {.ShortDateFormat = "dd/mm/yyyy",
          .DateSeparator = ".",
          .LongTimeFormat = "hh:nn:ss",
          .LongMonthNames = {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August",
                             "September", "Oktober", "November", "Dezember"},
          .ShortDayNames = {"So.", "Mo.", "Di.", "Mi.", "Do.", "Fr.", "Sa."},
          .FirstDayOfWeek = 0};
}

TFormatSettings Posix() {
  return {.ShortDateFormat = "d/mm/yyyy",
          .DateSeparator = " ",
          .LongTimeFormat = "hh:nn:ss",
          .LongMonthNames = kEnglishMonths,
          .ShortDayNames = kEnglishDays,
          .FirstDayOfWeek = 0};
}

}  // namespace

THeadlessLocale::THeadlessLocale() : settings_(ChineseChina()) {}

TFormatSettings THeadlessLocale::LocalePreset(std::string_view name) {
  if (name == "zh_CN") return ChineseChina();
  if (name == "en_US") return EnglishUnitedStates();
  if (name == "de_DE") return GermanGermany();
  return Posix();
}
