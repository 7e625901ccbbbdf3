#pragma once

#include <string_view>

#include "platform/Locale.h"

// Fixed regional settings that tests choose: a preset or their own.
class THeadlessLocale : public ILocale {
 public:
  THeadlessLocale();
  const TFormatSettings& Settings() const override { return settings_; }
  void Set(const TFormatSettings& settings) { settings_ = settings; }
  // "zh_CN", "en_US", "de_DE" or "C"; any other name gives "C".
  void Use(std::string_view name) { settings_ = LocalePreset(name); }

  static TFormatSettings LocalePreset(std::string_view name);

 private:
  TFormatSettings settings_;
};
