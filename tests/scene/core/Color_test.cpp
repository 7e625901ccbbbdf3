#include "scene/core/Color.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "scene/core/ValueText.h"

namespace {

TEST(Color, OpacityScalesAlphaOnly) {
  EXPECT_EQ(ColorWithOpacity(0x80FFFFFF, 0.5f), 0x40FFFFFFu);
  EXPECT_EQ(ColorWithOpacity(0xFF123456, 0.999f), 0xFE123456u);  // truncated
  EXPECT_EQ(ColorWithOpacity(0x80FFFFFF, 1), 0x80FFFFFFu);
  EXPECT_EQ(ColorWithOpacity(0x80FFFFFF, 7), 0x80FFFFFFu);
}

TEST(Color, NegativeOrUndefinedOpacityIsTransparent) {
  EXPECT_EQ(ColorWithOpacity(0x80FFFFFF, -0.5f), 0x00FFFFFFu);
  EXPECT_EQ(ColorWithOpacity(0x80FFFFFF, NAN), 0x00FFFFFFu);
}

TEST(Color, PremultiplyTruncatesEachChannel) {
  EXPECT_EQ(PremultiplyColor(0x00FFFFFF), 0u);
  EXPECT_EQ(PremultiplyColor(0xFF123456), 0xFF123456u);
  // 255 * 128 / 255 is exactly 128; 128 * 128 / 255 = 64.25 truncates to 64.
  EXPECT_EQ(PremultiplyColor(0x80FF8001), 0x80804000u);
}

TEST(Color, UnpremultiplyTruncatesAndSaturates) {
  EXPECT_EQ(UnpremultiplyColor(0x00FFFFFF), 0u);
  EXPECT_EQ(UnpremultiplyColor(0xFF123456), 0xFF123456u);
  EXPECT_EQ(UnpremultiplyColor(0x80804000), 0x80FF7F00u);
  EXPECT_EQ(UnpremultiplyColor(0x10FF0810), 0x10FF7FFFu);  // channels above alpha
}

TEST(Color, InterpolateTruncatesTowardZeroPerChannel) {
  // Red: 0xFA + Trunc(0.5 * -26) = 0xED; green and blue: 0x17 + Trunc(0.5 * 201) = 0x7B.
  EXPECT_EQ(InterpolateColor(0xFFFA1717, 0xFFE0E0E0, 0.5f), 0xFFED7B7Bu);
  EXPECT_EQ(InterpolateColor(0x10203040, 0xF0E0D0C0, 0), 0x10203040u);
  EXPECT_EQ(InterpolateColor(0x10203040, 0xF0E0D0C0, 1), 0xF0E0D0C0u);
}

TEST(Color, InterpolateKeepsEachChannelToItsBits) {
  // 0x10 + 2 * 0xE0 = 0x1D0: the carry must not reach the neighbouring channel.
  EXPECT_EQ(InterpolateColor(0x00001000, 0x0000F000, 2), 0x0000D000u);
  EXPECT_EQ(InterpolateColor(0x00001000, 0x0000F000, -1), 0x00003000u);
  EXPECT_EQ(InterpolateColor(0x12345678, 0x9ABCDEF0, NAN), 0x12345678u);
  EXPECT_EQ(InterpolateColor(0x12345678, 0x9ABCDEF0, INFINITY), 0x12345678u);
}

TEST(Hsl, KnownColours) {
  float h, s, l;
  RGBtoHSL(0x80FF0000, h, s, l);
  EXPECT_FLOAT_EQ(h, 0);
  EXPECT_FLOAT_EQ(s, 1);
  EXPECT_FLOAT_EQ(l, 0.5f);
  RGBtoHSL(0xFF0000FF, h, s, l);
  EXPECT_FLOAT_EQ(h, 2.0f / 3);
  RGBtoHSL(0xFFFF00FF, h, s, l);  // magenta: negative hue wraps to 5/6
  EXPECT_FLOAT_EQ(h, 5.0f / 6);
  RGBtoHSL(0xFF808080, h, s, l);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(s, 0);
  EXPECT_EQ(HSLtoRGB(0, 0, 0.5f), 0xFF808080u);  // 127.5 ties to even 128
  EXPECT_EQ(HSLtoRGB(1.0f / 3, 1, 0.5f), 0xFF00FF00u);
}

TEST(Hsl, RoundTripGivesTheOpaqueColourBack) {
  for (uint32_t r = 0; r < 256; r += 15) {
    for (uint32_t g = 0; g < 256; g += 17) {
      for (uint32_t b = 0; b < 256; b += 13) {
        const TvxColor c = MakeColor(uint8_t(r), uint8_t(g), uint8_t(b), 0x40);
        float h, s, l;
        RGBtoHSL(c, h, s, l);
        ASSERT_EQ(HSLtoRGB(h, s, l), c | 0xFF000000) << std::hex << c;
      }
    }
  }
}

TEST(Hsl, OutOfRangeArgumentsStayWithinChannels) {
  EXPECT_EQ(HSLtoRGB(0, 0, 2), 0xFFFFFFFFu);
  EXPECT_EQ(HSLtoRGB(0, 0, -1), 0xFF000000u);
  EXPECT_EQ(HSLtoRGB(0.5f, NAN, 0.5f), 0xFF000000u);
}

TEST(Hsl, ChangeClampsHueInsteadOfWrappingAndKeepsAlpha) {
  EXPECT_EQ(ChangeHSL(0x80FF0000, 0, 0, 1), 0x80FFFFFFu);
  EXPECT_EQ(ChangeHSL(0x800000FF, 0.5f, 0, 0), 0x80FF0000u);  // hue 2/3 + 1/2 stops at 1
  EXPECT_EQ(ChangeHSL(0xFFFF0000, -0.5f, 0, 0), 0xFFFF0000u);
  EXPECT_EQ(ChangeHSL(0xFFFF0000, 0, -1, 0), 0xFF808080u);
}

TEST(ColorKeywords, TableIsCompleteSortedAndOpaque) {
  const auto keywords = ColorKeywords();
  ASSERT_EQ(keywords.size(), 147u);
  std::set<std::string_view> names;
  for (const TvxColorKeyword& k : keywords) {
    EXPECT_EQ(ColorAlpha(k.Color), 0xFFu) << k.Name;
    EXPECT_TRUE(names.insert(k.Name).second) << k.Name;
  }
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_EQ(keywords.front().Name, "aliceblue");
  EXPECT_EQ(keywords.back().Name, "yellowgreen");
}

TEST(ColorKeywords, LookupIgnoresCaseAndKnowsBothGreys) {
  TvxColor c = 0;
  EXPECT_TRUE(FindColorKeyword("DarkSlateGrey", c));
  EXPECT_EQ(c, 0xFF2F4F4Fu);
  EXPECT_TRUE(FindColorKeyword("darkslategray", c));
  EXPECT_EQ(c, 0xFF2F4F4Fu);
  const std::pair<const char*, TvxColor> samples[] = {{"Gray", 0xFF808080},
                                                      {"grey", 0xFF808080},
                                                      {"LightGoldenrodYellow", 0xFFFAFAD2},
                                                      {"RED", 0xFFFF0000},
                                                      {"rebeccapurple", 0},
                                                      {"Aqua", 0xFF00FFFF},
                                                      {"lime", 0xFF00FF00},
                                                      {"green", 0xFF008000},
                                                      {"Fuchsia", 0xFFFF00FF},
                                                      {"navy", 0xFF000080},
                                                      {"MediumSpringGreen", 0xFF00FA9A}};
  for (const auto& [name, color] : samples) {
    TvxColor found = 0;
    EXPECT_EQ(FindColorKeyword(name, found), color != 0) << name;
    EXPECT_EQ(found, color) << name;
  }
  EXPECT_FALSE(FindColorKeyword("", c));
  EXPECT_FALSE(FindColorKeyword("re", c));
  EXPECT_FALSE(FindColorKeyword("redd", c));
}

TEST(ColorKeywords, EveryKeywordReadsInAnyCase) {
  for (const TvxColorKeyword& k : ColorKeywords()) {
    std::string upper(k.Name);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char ch) { return char(ch - 32); });
    EXPECT_EQ(TextToColor(upper), k.Color) << upper;
  }
}

}  // namespace
