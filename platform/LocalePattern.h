#pragma once

// The host's date and time patterns turned into the settings' numeric ones: a four-digit
// year, one separator throughout, so that every printed date reads back. Hosts write their
// patterns alike (d, M, y for the date; h, H, m, s for the time; quoted text is literal) and
// differ in their other letters, which each host names.

#include <string_view>

#include "platform/Locale.h"

// Reads a short date pattern; `otherLetters` are the host's further date letters (eras).
// A pattern without day, month and year leaves the settings as they are.
void ApplyShortDatePattern(std::string_view pattern, std::string_view otherLetters,
                           TFormatSettings& settings);

// Reads a long time pattern; `markerLetters` mark the AM/PM text, `otherLetters` are the
// host's further time letters. A pattern without hour, minute and second in this order
// leaves the settings as they are.
void ApplyLongTimePattern(std::string_view pattern, std::string_view markerLetters,
                          std::string_view otherLetters, TFormatSettings& settings);
