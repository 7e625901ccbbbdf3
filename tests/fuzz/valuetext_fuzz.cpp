// Arbitrary text into the value readers, which must never crash nor throw, and the float text
// form checked to read back to the value it was written from.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "scene/core/ValueText.h"

namespace {

void CheckFloatRoundTrip(float v) {
  if (!std::isfinite(v)) return;
  const std::string text = FloatToText(v);
  float back = 0;
  if (!TryTextToFloat(text, back)) std::abort();
  if (v == std::trunc(v)) {
    if (back != v) std::abort();
    return;
  }
  // The text itself lies within half a unit of its last decimal (ties such as 2834.8125 sit
  // right on that bound, so allow for the double that holds the text)...
  const double slack = std::fabs(double(v)) * 1e-15;
  double written = 0;
  std::from_chars(text.data(), text.data() + text.size(), written);
  if (std::fabs(written - double(v)) > 0.0005 + slack) std::abort();
  // ...and reading it into a float costs at most another half unit in the last place of the
  // float read (0.0015 is written as 0.002, which lies in a coarser binade).
  const double ulp = std::max(double(std::nextafter(back, INFINITY)) - double(back),
                              double(back) - double(std::nextafter(back, -INFINITY)));
  if (std::fabs(double(back) - double(v)) > 0.0005 + ulp / 2 + slack) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TextToPoint(text);
  TextToRect(text);
  TextToColor(text);
  float value = 0;
  if (TryTextToFloat(text, value)) CheckFloatRoundTrip(value);
  if (size >= sizeof(float)) {
    float raw;
    std::memcpy(&raw, data, sizeof raw);
    CheckFloatRoundTrip(raw);
  }
  return 0;
}
