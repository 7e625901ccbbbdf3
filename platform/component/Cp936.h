#pragma once

// Code page 936 (GBK), the 8-bit encoding of the application's Chinese texts.

#include <string>
#include <string_view>

// Bytes that do not decode, and characters that have no code in the page, become '?'.
std::u16string Cp936ToUtf16(std::string_view text);
std::string Utf16ToCp936(std::u16string_view text);
