#pragma once

// Date and time as text, in the pattern letters documented in platform/Locale.h.

#include <string>
#include <string_view>

#include "platform/DateTime.h"
#include "platform/Locale.h"

std::string FormatDateTime(std::string_view pattern, TDateTime value,
                           const TFormatSettings& settings);

// The short date, then a blank and the long time unless the time of day is 00:00:00.
std::string DateTimeToText(TDateTime value, const TFormatSettings& settings);

// A date in the short date format's field order, then, if text remains, one time of day:
// hours, optionally minutes, seconds and a fraction joined by the time separator, with an
// optional AM/PM marker before or after. Whatever follows that first time is not examined.
bool TryStrToDateTime(std::string_view text, const TFormatSettings& settings, TDateTime& out);
// As above; throws EConvertError "'<text>' is not a valid date and time".
TDateTime StrToDateTime(std::string_view text, const TFormatSettings& settings);

// "h:m:s" with a colon whatever the locale, hours 0-23, as the countdown joins its boxes;
// throws EConvertError "'<text>' is not a valid time".
TDateTime StrToTimeOfDay(std::string_view text);

// The time of day of the value as "hh:mm:ss", always with colons; the fraction is rounded to
// the millisecond and then cut to whole seconds, and negative values count by their size.
std::string TimeOfDayText(TDateTime value);
