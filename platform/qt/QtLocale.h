#pragma once

#include <QLocale>

#include "platform/Locale.h"

// The host's regional settings, read once. Qt's patterns are turned into numeric ones with a
// four-digit year and one separator throughout, so that every printed date reads back.
class TQtLocale : public ILocale {
 public:
  TQtLocale() : settings_(FromQLocale(QLocale::system())) {}
  const TFormatSettings& Settings() const override { return settings_; }

  static TFormatSettings FromQLocale(const QLocale& locale);

 private:
  TFormatSettings settings_;
};
