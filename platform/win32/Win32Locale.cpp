#include "platform/win32/Win32Locale.h"

#include <string>

#include "platform/LocalePattern.h"
#include "platform/win32/WideText.h"

namespace {

// The locale's text for `type`; empty when the system has none.
std::string LocaleText(const wchar_t* name, LCTYPE type) {
  const int size = GetLocaleInfoEx(name, type, nullptr, 0);
  if (size <= 1) return {};
  std::wstring text(size_t(size), L'\0');
  if (GetLocaleInfoEx(name, type, text.data(), size) != size) return {};
  text.resize(size_t(size - 1));
  return Narrow(text);
}

void ReadText(const wchar_t* name, LCTYPE type, std::string& field) {
  std::string text = LocaleText(name, type);
  if (!text.empty()) field = std::move(text);
}

}  // namespace

TFormatSettings TWin32Locale::FromLocale(const wchar_t* name) {
  TFormatSettings settings;
  // Eras ("g") are not printed.
  ApplyShortDatePattern(LocaleText(name, LOCALE_SSHORTDATE), "g", settings);
  ApplyLongTimePattern(LocaleText(name, LOCALE_STIMEFORMAT), "t", "", settings);
  ReadText(name, LOCALE_S1159, settings.TimeAMString);
  ReadText(name, LOCALE_S2359, settings.TimePMString);
  for (int i = 0; i < 12; ++i) ReadText(name, LOCALE_SMONTHNAME1 + i, settings.LongMonthNames[i]);
  // The system counts the days from Monday, the settings from Sunday.
  for (int i = 0; i < 7; ++i) {
    ReadText(name, i == 0 ? LOCALE_SABBREVDAYNAME7 : LOCALE_SABBREVDAYNAME1 + i - 1,
             settings.ShortDayNames[i]);
  }
  DWORD first = 0;
  if (GetLocaleInfoEx(name, LOCALE_IFIRSTDAYOFWEEK | LOCALE_RETURN_NUMBER,
                      reinterpret_cast<wchar_t*>(&first), sizeof first / sizeof(wchar_t)) > 0 &&
      first <= 6) {
    settings.FirstDayOfWeek = int(first);  // 0 Monday .. 6 Sunday, as the settings count
  }
  return settings;
}
