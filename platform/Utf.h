#pragma once

#include <string>
#include <string_view>

// UTF-8 to UTF-16; a malformed, overlong or surrogate sequence becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
