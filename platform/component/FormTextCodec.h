#pragma once

// Spellings of single values in form text, shared by its reader and its writer.

#include <optional>
#include <string>
#include <string_view>

#include "platform/component/FormData.h"

// Reads a decimal float ("479.0", "1.5e-3") or one of "+INF", "-INF", "+NAN", "-NAN" into the
// nearest 80-bit value, independent of the process locale. False for malformed text and for
// finite text beyond the range of the type.
bool ParseFormFloat(std::string_view text, TExtended* out);

// The shortest text that ParseFormFloat reads back to the identical bytes, preferring the fixed
// form with 18 decimals. Empty for byte patterns that no value produces (NaN payloads,
// unnormals), which need the raw spelling.
std::optional<std::string> FormFloatText(const TExtended& value);

void AppendUtf8(std::string& out, char32_t c);
void AppendUtf16(std::u16string& out, char32_t c);
// Decodes one well-formed UTF-8 character at `*pos` and advances past it; false, leaving `*pos`
// alone, for overlong forms, surrogates, values above U+10FFFF and cut sequences.
bool NextUtf8(std::string_view text, size_t* pos, char32_t* c);

// Whether a character may stand literally in a quoted text; control, format and unassigned
// special characters are written as codes so the file shows what it holds.
bool IsShownChar(char32_t c);
