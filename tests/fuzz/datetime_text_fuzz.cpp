// Reads arbitrary text as a date and time. With regular settings whatever reads must print
// and read back to the same second; with settings taken from the input nothing may crash.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/DateTimeText.h"
#include "platform/component/Exceptions.h"

namespace {

TFormatSettings Regular() {
  TFormatSettings settings;
  settings.ShortDateFormat = "m/d/yyyy";
  settings.DateSeparator = "/";
  settings.LongTimeFormat = "h:nn:ss ampm";
  settings.TimeAMString = "上午";
  settings.TimePMString = "下午";
  return settings;
}

std::string_view NextLine(std::string_view& rest) {
  const size_t end = rest.find('\n');
  const std::string_view line = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return line;
}

void CheckRoundTrip(std::string_view text) {
  static const TFormatSettings settings = Regular();
  TDateTime value = 0;
  if (!TryStrToDateTime(text, settings, value)) return;
  const std::string printed = DateTimeToText(value, settings);
  TDateTime back = 0;
  if (!TryStrToDateTime(printed, settings, back)) std::abort();
  // Before 1899 the time of day counts away from zero, so dropping the fraction moves
  // the value towards zero; either way the printed text never lands a second later.
  if (SecondsBetween(value, back) != 0 || std::abs(back) > std::abs(value)) std::abort();
}

void CheckAnySettings(std::string_view rest) {
  TFormatSettings settings;
  settings.ShortDateFormat = NextLine(rest);
  settings.DateSeparator = NextLine(rest);
  settings.LongTimeFormat = NextLine(rest);
  settings.TimeSeparator = NextLine(rest);
  settings.TimeAMString = NextLine(rest);
  settings.TimePMString = NextLine(rest);
  TDateTime value = 0;
  if (TryStrToDateTime(rest, settings, value)) DateTimeToText(value, settings);
  FormatDateTime(settings.ShortDateFormat, value, settings);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] & 1) {
    CheckAnySettings(text);
  } else {
    CheckRoundTrip(text);
  }
  try {
    StrToTimeOfDay(text);
  } catch (const EConvertError&) {
  }
  return 0;
}
