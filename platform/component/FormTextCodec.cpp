#include "platform/component/FormTextCodec.h"

#include <strings.h>

#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

bool IsDecimal(std::string_view text) {
  size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  const size_t digits = i;
  while (i < text.size() && (std::isdigit(uint8_t(text[i])) || text[i] == '.')) ++i;
  if (i == digits || !std::isdigit(uint8_t(text[digits]))) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (i == text.size()) return false;
    while (i < text.size() && std::isdigit(uint8_t(text[i]))) ++i;
  }
  return i == text.size() && text.find('.') == text.rfind('.');
}

std::optional<long double> Special(std::string_view text) {
  if (text.size() != 4 || (text[0] != '+' && text[0] != '-')) return std::nullopt;
  long double value;
  if (strncasecmp(text.data() + 1, "INF", 3) == 0) {
    value = std::numeric_limits<long double>::infinity();
  } else if (strncasecmp(text.data() + 1, "NAN", 3) == 0) {
    value = std::numeric_limits<long double>::quiet_NaN();
  } else {
    return std::nullopt;
  }
  return text[0] == '-' ? -value : value;
}

bool ReadsBackAs(const std::string& text, const TExtended& value) {
  TExtended back;
  return ParseFormFloat(text, &back) && back == value;
}

std::string ToChars(long double value, std::chars_format format, int precision = -1) {
  char buffer[64];
  const auto result = precision < 0
                          ? std::to_chars(buffer, buffer + sizeof buffer, value, format)
                          : std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  return std::string(buffer, result.ptr);
}

}  // namespace

bool ParseFormFloat(std::string_view text, TExtended* out) {
  if (const std::optional<long double> special = Special(text)) {
    *out = ExtendedFromLongDouble(*special);
    return true;
  }
  if (!IsDecimal(text)) return false;
  // strtold reads the decimal point of the C locale the program runs in (the user's, once a
  // toolkit has set it), and form text always has '.'; std::from_chars would lose denormals.
  std::string copy(text);
  if (const size_t point = copy.find('.'); point != std::string::npos)
    copy.replace(point, 1, std::localeconv()->decimal_point);
  const long double value = std::strtold(copy.c_str(), nullptr);
  if (std::isinf(value)) return false;
  *out = ExtendedFromLongDouble(value);
  return true;
}

std::optional<std::string> FormFloatText(const TExtended& value) {
  const long double v = ExtendedToLongDouble(value);
  if (ExtendedFromLongDouble(v) != value) return std::nullopt;
  if (std::isnan(v)) return std::signbit(v) ? "-NAN" : "+NAN";
  if (std::isinf(v)) return v < 0 ? "-INF" : "+INF";
  // Below 1e18 the fixed form stays short enough to read; beyond it only exponents are sensible.
  if (std::fabs(v) < 1e18L) {
    std::string fixed = ToChars(v, std::chars_format::fixed, 18);
    if (ReadsBackAs(fixed, value)) return fixed;
  }
  return ToChars(v, std::chars_format::scientific);
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += char16_t(c);
  } else {
    out += char16_t(0xD800 + ((c - 0x10000) >> 10));
    out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

bool NextUtf8(std::string_view text, size_t* pos, char32_t* c) {
  const uint8_t lead = uint8_t(text[*pos]);
  size_t length;
  char32_t value;
  char32_t minimum;
  if (lead < 0x80) {
    *c = lead;
    ++*pos;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, value = lead & 0x07, minimum = 0x10000;
  } else {
    return false;
  }
  if (length > text.size() - *pos) return false;
  for (size_t i = 1; i < length; ++i) {
    const uint8_t next = uint8_t(text[*pos + i]);
    if ((next & 0xC0) != 0x80) return false;
    value = (value << 6) | (next & 0x3F);
  }
  if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return false;
  *c = value;
  *pos += length;
  return true;
}

bool IsShownChar(char32_t c) {
  if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0xAD) return false;
  if (c >= 0xD800 && c <= 0xDFFF) return false;
  if ((c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F))
    return false;
  return c != 0xFEFF && (c < 0xFFF0 || c > 0xFFFF) && c <= 0x10FFFF;
}
