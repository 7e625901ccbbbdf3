#pragma once

// The user's regional settings (or a named locale's), read once through GetLocaleInfoEx.
// Windows' patterns are turned into numeric ones with a four-digit year and one separator
// throughout, so that every printed date reads back.

#include <windows.h>

#include "platform/Locale.h"

class TWin32Locale : public ILocale {
 public:
  TWin32Locale() : settings_(FromLocale(LOCALE_NAME_USER_DEFAULT)) {}
  const TFormatSettings& Settings() const override { return settings_; }

  // The settings of the locale named like "zh-CN"; null for the user's. Fields the system
  // does not know for the name keep their defaults.
  static TFormatSettings FromLocale(const wchar_t* name);

 private:
  TFormatSettings settings_;
};
