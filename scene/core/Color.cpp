#include "scene/core/Color.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "scene/core/Geometry.h"

namespace {

constexpr TvxColor WithAlpha(TvxColor c, uint32_t alpha) {
  return (c & 0x00FFFFFF) | alpha << 24;
}

uint32_t ChannelOf(double v) {
  const double x = RoundHalfEven(v * 255);
  if (!(x > 0)) return 0;
  return x > 255 ? 255 : static_cast<uint32_t>(x);
}

double HueValue(double m1, double m2, double h) {
  h -= std::floor(h);
  if (6 * h < 1) return m1 + (m2 - m1) * h * 6;
  if (2 * h < 1) return m2;
  if (3 * h < 2) return m1 + (m2 - m1) * (2.0 / 3 - h) * 6;
  return m1;
}

constexpr TvxColorKeyword Keyword(std::string_view name, TvxColor rgb) {
  return {name, 0xFF000000 | rgb};
}

constexpr std::array kKeywords{
    Keyword("aliceblue", 0xF0F8FF),
    Keyword("antiquewhite", 0xFAEBD7),
    Keyword("aqua", 0x00FFFF),
    Keyword("aquamarine", 0x7FFFD4),
    Keyword("azure", 0xF0FFFF),
    Keyword("beige", 0xF5F5DC),
    Keyword("bisque", 0xFFE4C4),
    Keyword("black", 0x000000),
    Keyword("blanchedalmond", 0xFFEBCD),
    Keyword("blue", 0x0000FF),
    Keyword("blueviolet", 0x8A2BE2),
    Keyword("brown", 0xA52A2A),
    Keyword("burlywood", 0xDEB887),
    Keyword("cadetblue", 0x5F9EA0),
    Keyword("chartreuse", 0x7FFF00),
    Keyword("chocolate", 0xD2691E),
    Keyword("coral", 0xFF7F50),
    Keyword("cornflowerblue", 0x6495ED),
    Keyword("cornsilk", 0xFFF8DC),
    Keyword("crimson", 0xDC143C),
    Keyword("cyan", 0x00FFFF),
    Keyword("darkblue", 0x00008B),
    Keyword("darkcyan", 0x008B8B),
    Keyword("darkgoldenrod", 0xB8860B),
    Keyword("darkgray", 0xA9A9A9),
    Keyword("darkgreen", 0x006400),
    Keyword("darkgrey", 0xA9A9A9),
    Keyword("darkkhaki", 0xBDB76B),
    Keyword("darkmagenta", 0x8B008B),
    Keyword("darkolivegreen", 0x556B2F),
    Keyword("darkorange", 0xFF8C00),
    Keyword("darkorchid", 0x9932CC),
    Keyword("darkred", 0x8B0000),
    Keyword("darksalmon", 0xE9967A),
    Keyword("darkseagreen", 0x8FBC8F),
    Keyword("darkslateblue", 0x483D8B),
    Keyword("darkslategray", 0x2F4F4F),
    Keyword("darkslategrey", 0x2F4F4F),
    Keyword("darkturquoise", 0x00CED1),
    Keyword("darkviolet", 0x9400D3),
    Keyword("deeppink", 0xFF1493),
    Keyword("deepskyblue", 0x00BFFF),
    Keyword("dimgray", 0x696969),
    Keyword("dimgrey", 0x696969),
    Keyword("dodgerblue", 0x1E90FF),
    Keyword("firebrick", 0xB22222),
    Keyword("floralwhite", 0xFFFAF0),
    Keyword("forestgreen", 0x228B22),
    Keyword("fuchsia", 0xFF00FF),
    Keyword("gainsboro", 0xDCDCDC),
    Keyword("ghostwhite", 0xF8F8FF),
    Keyword("gold", 0xFFD700),
    Keyword("goldenrod", 0xDAA520),
    Keyword("gray", 0x808080),
    Keyword("green", 0x008000),
    Keyword("greenyellow", 0xADFF2F),
    Keyword("grey", 0x808080),
    Keyword("honeydew", 0xF0FFF0),
    Keyword("hotpink", 0xFF69B4),
    Keyword("indianred", 0xCD5C5C),
    Keyword("indigo", 0x4B0082),
    Keyword("ivory", 0xFFFFF0),
    Keyword("khaki", 0xF0E68C),
    Keyword("lavender", 0xE6E6FA),
    Keyword("lavenderblush", 0xFFF0F5),
    Keyword("lawngreen", 0x7CFC00),
    Keyword("lemonchiffon", 0xFFFACD),
    Keyword("lightblue", 0xADD8E6),
    Keyword("lightcoral", 0xF08080),
    Keyword("lightcyan", 0xE0FFFF),
    Keyword("lightgoldenrodyellow", 0xFAFAD2),
    Keyword("lightgray", 0xD3D3D3),
    Keyword("lightgreen", 0x90EE90),
    Keyword("lightgrey", 0xD3D3D3),
    Keyword("lightpink", 0xFFB6C1),
    Keyword("lightsalmon", 0xFFA07A),
    Keyword("lightseagreen", 0x20B2AA),
    Keyword("lightskyblue", 0x87CEFA),
    Keyword("lightslategray", 0x778899),
    Keyword("lightslategrey", 0x778899),
    Keyword("lightsteelblue", 0xB0C4DE),
    Keyword("lightyellow", 0xFFFFE0),
    Keyword("lime", 0x00FF00),
    Keyword("limegreen", 0x32CD32),
    Keyword("linen", 0xFAF0E6),
    Keyword("magenta", 0xFF00FF),
    Keyword("maroon", 0x800000),
    Keyword("mediumaquamarine", 0x66CDAA),
    Keyword("mediumblue", 0x0000CD),
    Keyword("mediumorchid", 0xBA55D3),
    Keyword("mediumpurple", 0x9370DB),
    Keyword("mediumseagreen", 0x3CB371),
    Keyword("mediumslateblue", 0x7B68EE),
    Keyword("mediumspringgreen", 0x00FA9A),
    Keyword("mediumturquoise", 0x48D1CC),
    Keyword("mediumvioletred", 0xC71585),
    Keyword("midnightblue", 0x191970),
    Keyword("mintcream", 0xF5FFFA),
    Keyword("mistyrose", 0xFFE4E1),
    Keyword("moccasin", 0xFFE4B5),
    Keyword("navajowhite", 0xFFDEAD),
    Keyword("navy", 0x000080),
    Keyword("oldlace", 0xFDF5E6),
    Keyword("olive", 0x808000),
    Keyword("olivedrab", 0x6B8E23),
    Keyword("orange", 0xFFA500),
    Keyword("orangered", 0xFF4500),
    Keyword("orchid", 0xDA70D6),
    Keyword("palegoldenrod", 0xEEE8AA),
    Keyword("palegreen", 0x98FB98),
    Keyword("paleturquoise", 0xAFEEEE),
    Keyword("palevioletred", 0xDB7093),
    Keyword("papayawhip", 0xFFEFD5),
    Keyword("peachpuff", 0xFFDAB9),
    Keyword("peru", 0xCD853F),
    Keyword("pink", 0xFFC0CB),
    Keyword("plum", 0xDDA0DD),
    Keyword("powderblue", 0xB0E0E6),
    Keyword("purple", 0x800080),
    Keyword("red", 0xFF0000),
    Keyword("rosybrown", 0xBC8F8F),
    Keyword("royalblue", 0x4169E1),
    Keyword("saddlebrown", 0x8B4513),
    Keyword("salmon", 0xFA8072),
    Keyword("sandybrown", 0xF4A460),
    Keyword("seagreen", 0x2E8B57),
    Keyword("seashell", 0xFFF5EE),
    Keyword("sienna", 0xA0522D),
    Keyword("silver", 0xC0C0C0),
    Keyword("skyblue", 0x87CEEB),
    Keyword("slateblue", 0x6A5ACD),
    Keyword("slategray", 0x708090),
    Keyword("slategrey", 0x708090),
    Keyword("snow", 0xFFFAFA),
    Keyword("springgreen", 0x00FF7F),
    Keyword("steelblue", 0x4682B4),
    Keyword("tan", 0xD2B48C),
    Keyword("teal", 0x008080),
    Keyword("thistle", 0xD8BFD8),
    Keyword("tomato", 0xFF6347),
    Keyword("turquoise", 0x40E0D0),
    Keyword("violet", 0xEE82EE),
    Keyword("wheat", 0xF5DEB3),
    Keyword("white", 0xFFFFFF),
    Keyword("whitesmoke", 0xF5F5F5),
    Keyword("yellow", 0xFFFF00),
    Keyword("yellowgreen", 0x9ACD32),
};

static_assert(kKeywords.size() == 147);
static_assert(std::is_sorted(kKeywords.begin(), kKeywords.end(),
                             [](const auto& a, const auto& b) { return a.Name < b.Name; }),
              "the keyword lookup is a binary search");

constexpr char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// Compares a lower-case keyword with a name of any case.
int CompareIgnoringCase(std::string_view keyword, std::string_view name) {
  const size_t n = std::min(keyword.size(), name.size());
  for (size_t i = 0; i < n; ++i) {
    const char a = keyword[i];
    const char b = LowerAscii(name[i]);
    if (a != b) return static_cast<unsigned char>(a) < static_cast<unsigned char>(b) ? -1 : 1;
  }
  if (keyword.size() == name.size()) return 0;
  return keyword.size() < name.size() ? -1 : 1;
}

}  // namespace

TvxColor ColorWithOpacity(TvxColor c, float opacity) {
  if (opacity >= 1) return c;
  // Negative or NaN opacities would otherwise wrap into a visible alpha.
  if (!(opacity > 0)) return WithAlpha(c, 0);
  return WithAlpha(c, static_cast<uint32_t>(double(opacity) * ColorAlpha(c)));
}

TvxColor PremultiplyColor(TvxColor c) {
  const uint32_t a = ColorAlpha(c);
  if (a == 0) return 0;
  if (a == 255) return c;
  // Integer arithmetic keeps Trunc(channel * a / 255) exact: 255 at alpha 128 gives 128.
  return WithAlpha(MakeColor(uint8_t(ColorRed(c) * a / 255), uint8_t(ColorGreen(c) * a / 255),
                             uint8_t(ColorBlue(c) * a / 255), 0),
                   a);
}

TvxColor UnpremultiplyColor(TvxColor c) {
  const uint32_t a = ColorAlpha(c);
  if (a == 0) return 0;
  if (a == 255) return c;
  auto channel = [a](uint32_t v) { return uint8_t(std::min<uint32_t>(v * 255 / a, 255)); };
  return WithAlpha(
      MakeColor(channel(ColorRed(c)), channel(ColorGreen(c)), channel(ColorBlue(c)), 0), a);
}

TvxColor InterpolateColor(TvxColor start, TvxColor stop, float t) {
  TvxColor result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const int from = int(start >> shift & 0xFF);
    const int to = int(stop >> shift & 0xFF);
    // Only the low 8 bits of the step matter; an undefined step (NaN or infinite t) is none.
    double step = std::fmod(std::trunc(double(t) * (to - from)), 256.0);
    if (!std::isfinite(step)) step = 0;
    result |= TvxColor(from + int(step)) % 256 << shift;
  }
  return result;
}

void RGBtoHSL(TvxColor c, float& h, float& s, float& l) {
  const float r = ColorRed(c) / 255.0f;
  const float g = ColorGreen(c) / 255.0f;
  const float b = ColorBlue(c) / 255.0f;
  const float max = std::max({r, g, b});
  const float min = std::min({r, g, b});
  l = (max + min) / 2;
  if (max == min) {
    h = s = 0;
    return;
  }
  const float delta = max - min;
  s = l >= 0.5f ? delta / (2 - max - min) : delta / (max + min);
  if (max == r) {
    h = (g - b) / delta;
  } else if (max != g) {
    h = (r - g) / delta + 4;
  } else {
    h = (b - r) / delta + 2;
  }
  h /= 6;
  if (h < 0) h += 1;
}

TvxColor HSLtoRGB(float h, float s, float l) {
  if (s == 0) {
    const uint8_t v = uint8_t(ChannelOf(l));
    return MakeColor(v, v, v, 0xFF);
  }
  const double m2 = l > 0.5f ? double(l) + s - double(l) * s : double(l) * (1 + double(s));
  const double m1 = 2.0 * l - m2;
  return MakeColor(uint8_t(ChannelOf(HueValue(m1, m2, h + 1.0 / 3))),
                   uint8_t(ChannelOf(HueValue(m1, m2, h))),
                   uint8_t(ChannelOf(HueValue(m1, m2, h - 1.0 / 3))), 0xFF);
}

TvxColor ChangeHSL(TvxColor c, float dh, float ds, float dl) {
  float h, s, l;
  RGBtoHSL(c, h, s, l);
  h = std::clamp(h + dh, 0.0f, 1.0f);
  s = std::clamp(s + ds, 0.0f, 1.0f);
  l = std::clamp(l + dl, 0.0f, 1.0f);
  return WithAlpha(HSLtoRGB(h, s, l), ColorAlpha(c));
}

std::span<const TvxColorKeyword> ColorKeywords() {
  return kKeywords;
}

bool FindColorKeyword(std::string_view name, TvxColor& color) {
  const auto it = std::lower_bound(kKeywords.begin(), kKeywords.end(), name,
                                   [](const TvxColorKeyword& k, std::string_view n) {
                                     return CompareIgnoringCase(k.Name, n) < 0;
                                   });
  if (it == kKeywords.end() || CompareIgnoringCase(it->Name, name) != 0) return false;
  color = it->Color;
  return true;
}
