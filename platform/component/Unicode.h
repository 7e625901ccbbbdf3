#pragma once

// Conversions between the 8-bit (UTF-8) texts of the program and the 16-bit texts of scenes.
// Malformed input is replaced by U+FFFD rather than rejected, so nothing is lost silently
// beyond the broken unit itself.

#include <string>
#include <string_view>

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);
bool IsAscii(std::string_view text);
// Letter-case-insensitive comparison of ASCII letters, as every lookup by name needs.
bool SameText(std::string_view a, std::string_view b);
std::string LowerAscii(std::string_view text);
