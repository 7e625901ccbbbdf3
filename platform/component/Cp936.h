#pragma once

// Code page 936 (simplified Chinese GBK), the 8-bit encoding of older form data.

#include <string>
#include <string_view>

// Undecodable bytes become '?'.
std::u16string Cp936ToUtf16(std::string_view bytes);
// Characters the code page lacks become '?'.
std::string Utf16ToCp936(std::u16string_view text);
