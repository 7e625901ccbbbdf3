#include "scene/controls/NumericValue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/component/Unicode.h"

namespace {

std::u16string Truncated(float value) {
  char buffer[64];
  const double whole = std::trunc(double(value));
  std::snprintf(buffer, sizeof buffer, "%.0f", whole == 0 ? 0.0 : whole);
  return Utf8ToUtf16(buffer);
}

}  // namespace

const TEnumInfo& ValueTypeNames() {
  static const TEnumInfo names{{"vxValueInteger", "vxValueFloat"}};
  return names;
}

float TvxNumericValue::Clamped(float candidate) const {
  if (candidate > max) candidate = max;
  if (!(candidate >= min)) candidate = min;
  return candidate;
}

bool TvxNumericValue::Set(float candidate, bool loading) {
  if (candidate == value) return false;
  value = loading ? candidate : Clamped(candidate);
  return true;
}

bool TvxNumericValue::ClampStored() {
  const float loaded = value;
  value = Clamped(loaded);
  return !(value == loaded);
}

bool TvxNumericValue::ShowsFraction() const {
  return valueType == vxValueFloat && std::isfinite(value) && value != std::trunc(value);
}

std::u16string TvxNumericValue::FixedText() const {
  if (!ShowsFraction()) return Truncated(value);
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%.*f", std::clamp(decimalDigits, 0, 30), double(value));
  return Utf8ToUtf16(buffer);
}

std::u16string TvxNumericValue::GeneralText() const {
  if (!ShowsFraction()) return Truncated(value);
  char buffer[64];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return error == std::errc() ? Utf8ToUtf16(std::string(buffer, end)) : Truncated(value);
}

bool ParseNumber(const std::u16string& text, float& result) {
  const size_t first = text.find_first_not_of(u' ');
  if (first == std::u16string::npos) return false;
  const size_t last = text.find_last_not_of(u' ');
  std::string number;
  for (size_t i = first; i <= last; ++i) {
    const char16_t ch = text[i];
    if (!((ch >= u'0' && ch <= u'9') || ch == u'.' || ch == u'-' || ch == u'+' || ch == u'e' ||
          ch == u'E'))
      return false;
    number += char(ch);
  }
  // from_chars takes no plus sign of its own.
  if (number[0] == '+') number.erase(0, 1);
  if (number.empty() || number[0] == '+' || (number[0] == '-' && text[first] == u'+')) return false;
  double parsed = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
  if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(parsed))
    return false;
  result = NearestFloat(parsed);
  return true;
}

float NearestFloat(double value) {
  // A double beyond the float range has no float value.
  constexpr double largest = std::numeric_limits<float>::max();
  return std::isnan(value) ? float(value) : float(std::clamp(value, -largest, largest));
}

float VariantToFloat(const TVariant& value) {
  if (const auto* number = std::get_if<double>(&value)) return NearestFloat(*number);
  if (const auto* whole = std::get_if<int64_t>(&value)) return NearestFloat(double(*whole));
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? 1 : 0;
  float parsed = 0;
  if (const auto* text = std::get_if<std::string>(&value)) ParseNumber(Utf8ToUtf16(*text), parsed);
  return parsed;
}
