#include "scene/core/ValueText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "platform/component/Exceptions.h"

namespace {

// Sign, the 39 integral digits of the largest float and room for ".000".
constexpr size_t kFloatTextSize = 48;

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Drops surrounding blanks and control characters.
std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// std::to_chars never consults the locale; its fixed form rounds exactly as "%.3f" does.
char* WriteFloat(char* out, float value) {
  char* const last = out + kFloatTextSize;
  if (value == 0) {
    *out = '0';  // also for -0, whose truncation is the integer 0
    return out + 1;
  }
  const bool integral = std::isfinite(value) && value == std::trunc(value);
  return std::to_chars(out, last, double(value), std::chars_format::fixed, integral ? 0 : 3).ptr;
}

// The pieces of a decimal number: [sign] digits [. digits] [e [sign] digits].
struct NumberParts {
  bool negative = false;
  std::string_view body;  // the number without its sign
  std::string_view integral;
  std::string_view fraction;
  long exponent = 0;  // saturated: only its sign and rough size matter
};

std::string_view TakeDigits(std::string_view& s) {
  size_t n = 0;
  while (n < s.size() && IsDigit(s[n])) ++n;
  const std::string_view digits = s.substr(0, n);
  s.remove_prefix(n);
  return digits;
}

bool SplitNumber(std::string_view s, NumberParts& parts) {
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    parts.negative = s.front() == '-';
    s.remove_prefix(1);
  }
  parts.body = s;
  parts.integral = TakeDigits(s);
  if (!s.empty() && s.front() == '.') {
    s.remove_prefix(1);
    parts.fraction = TakeDigits(s);
  }
  if (parts.integral.empty() && parts.fraction.empty()) return false;
  if (s.empty()) return true;
  if (s.front() != 'e' && s.front() != 'E') return false;
  s.remove_prefix(1);
  bool negativeExponent = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negativeExponent = s.front() == '-';
    s.remove_prefix(1);
  }
  const std::string_view digits = TakeDigits(s);
  if (digits.empty() || !s.empty()) return false;
  for (char d : digits) parts.exponent = std::min(parts.exponent * 10 + (d - '0'), 1000000L);
  if (negativeExponent) parts.exponent = -parts.exponent;
  return true;
}

// True when a number too far from 1 for a float lies below it rather than above.
bool IsUnderflow(const NumberParts& parts) {
  const size_t lead = parts.integral.find_first_not_of('0');
  if (lead != std::string_view::npos)
    return long(parts.integral.size() - lead) - 1 + parts.exponent < 0;
  const size_t first = parts.fraction.find_first_not_of('0');
  return first == std::string_view::npos || parts.exponent - long(first) - 1 < 0;
}

bool ParseFloat(std::string_view text, float& value) {
  value = 0;
  NumberParts parts;
  if (!SplitNumber(Trim(text), parts)) return false;
  float magnitude = 0;
  const auto [end, error] =
      std::from_chars(parts.body.data(), parts.body.data() + parts.body.size(), magnitude);
  if (error == std::errc::result_out_of_range) {
    // Too small for a float reads as zero; too large is no float at all.
    if (!IsUnderflow(parts)) return false;
    magnitude = 0;
  } else if (error != std::errc() || end != parts.body.data() + parts.body.size()) {
    return false;
  }
  value = parts.negative ? -magnitude : magnitude;
  return true;
}

// Cuts the next token off text: everything up to the first of ",()" (which is dropped) or the
// end. Token and rest are trimmed.
std::string_view NextToken(std::string_view& text) {
  const size_t at = text.find_first_of(",()");
  const std::string_view token = text.substr(0, at);
  text = Trim(at == std::string_view::npos ? std::string_view() : text.substr(at + 1));
  return Trim(token);
}

// Reads the numbers that follow the discarded first token, as in "(29,51)".
template <size_t N>
bool ReadNumbers(std::string_view text, float (&numbers)[N]) {
  NextToken(text);
  for (float& number : numbers) {
    if (!ParseFloat(NextToken(text), number)) return false;
  }
  return true;
}

int HexDigit(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseUnsigned(std::string_view digits, uint64_t base, uint64_t& value) {
  if (digits.empty()) return false;
  value = 0;
  for (char c : digits) {
    const int digit = base == 16 ? HexDigit(c) : (IsDigit(c) ? c - '0' : -1);
    if (digit < 0) return false;
    value = value * base + uint64_t(digit);
    if (value > UINT32_MAX) return false;
  }
  return true;
}

// Decimal or "$"-hexadecimal, optionally signed; negatives wrap as 32-bit two's complement.
bool ParseInteger(std::string_view s, TvxColor& color) {
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  uint64_t base = 10;
  if (!s.empty() && s.front() == '$') {
    base = 16;
    s.remove_prefix(1);
  }
  uint64_t magnitude = 0;
  if (!ParseUnsigned(s, base, magnitude)) return false;
  if (negative && magnitude > uint64_t(INT32_MAX) + 1) return false;
  color = TvxColor(negative ? 0 - magnitude : magnitude);
  return true;
}

}  // namespace

std::string FloatToText(float value) {
  char text[kFloatTextSize];
  return std::string(text, WriteFloat(text, value));
}

bool TryTextToFloat(const std::string& text, float& value) {
  return ParseFloat(text, value);
}

float TextToFloat(const std::string& text) {
  float value = 0;
  if (!ParseFloat(text, value)) {
    throw EConvertError("'" + text + "' is not a valid floating point value");
  }
  return value;
}

std::string PointToText(const TvxPoint& point) {
  char text[2 * kFloatTextSize + 3];
  char* out = text;
  *out++ = '(';
  out = WriteFloat(out, point.X);
  *out++ = ',';
  out = WriteFloat(out, point.Y);
  *out++ = ')';
  return std::string(text, out);
}

std::string RectToText(const TvxRect& rect) {
  char text[4 * kFloatTextSize + 5];
  char* out = text;
  *out++ = '(';
  for (float side : {rect.Left, rect.Top, rect.Right, rect.Bottom}) {
    if (out != text + 1) *out++ = ',';
    out = WriteFloat(out, side);
  }
  *out++ = ')';
  return std::string(text, out);
}

TvxPoint TextToPoint(const std::string& text) {
  float numbers[2];
  if (!ReadNumbers(text, numbers)) return {};
  return {numbers[0], numbers[1]};
}

TvxRect TextToRect(const std::string& text) {
  float numbers[4];
  if (!ReadNumbers(text, numbers)) return {};
  return {numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::string ColorToText(TvxColor color) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(9, '#');
  for (int i = 8; i >= 1; --i, color >>= 4) text[size_t(i)] = kDigits[color & 0xF];
  return text;
}

TvxColor TextToColor(const std::string& text) {
  const std::string_view s = Trim(text);
  TvxColor color = 0;
  if (!s.empty() && s.front() == '#') {
    uint64_t value = 0;
    return ParseUnsigned(s.substr(1), 16, value) ? TvxColor(value) : 0;
  }
  if (FindColorKeyword(s, color)) return color;
  return ParseInteger(s, color) ? color : 0;
}
