#pragma once

#include <cstdint>
#include <span>
#include <string_view>

// 32-bit ARGB: alpha in bits 24-31, then red, green, blue. Not premultiplied unless an operation
// says so.
using TvxColor = uint32_t;

constexpr uint32_t ColorAlpha(TvxColor c) {
  return c >> 24;
}
constexpr uint32_t ColorRed(TvxColor c) {
  return (c >> 16) & 0xFF;
}
constexpr uint32_t ColorGreen(TvxColor c) {
  return (c >> 8) & 0xFF;
}
constexpr uint32_t ColorBlue(TvxColor c) {
  return c & 0xFF;
}

constexpr TvxColor MakeColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  return TvxColor(a) << 24 | TvxColor(r) << 16 | TvxColor(g) << 8 | TvxColor(b);
}

// Scales alpha by opacity (truncating); opacity >= 1 leaves c as it is, opacity <= 0 (or NaN)
// makes it fully transparent.
TvxColor ColorWithOpacity(TvxColor c, float opacity);
TvxColor PremultiplyColor(TvxColor c);
// Channels above alpha (not a valid premultiplied colour) saturate at 255.
TvxColor UnpremultiplyColor(TvxColor c);
// Per channel start + Trunc(t * (stop - start)), each kept to its 8 bits.
TvxColor InterpolateColor(TvxColor start, TvxColor stop, float t);

constexpr float InterpolateSingle(float start, float stop, float t) {
  return start + (stop - start) * t;
}

// Hue, saturation and lightness, each in [0, 1]; alpha is ignored.
void RGBtoHSL(TvxColor c, float& h, float& s, float& l);
// An opaque colour.
TvxColor HSLtoRGB(float h, float s, float l);
// Shifts hue, saturation and lightness, each clamped to [0, 1] (hue is not wrapped); keeps alpha.
TvxColor ChangeHSL(TvxColor c, float dh, float ds, float dl);

struct TvxColorKeyword {
  std::string_view Name;  // lower case
  TvxColor Color;         // opaque
};

// The 147 SVG 1.1 / CSS3 colour keywords in alphabetical order, both gray and grey spellings.
std::span<const TvxColorKeyword> ColorKeywords();
// Case-insensitive keyword lookup; false when name is no keyword.
bool FindColorKeyword(std::string_view name, TvxColor& color);
