#include "scene/graphics/StackBlur.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

using Image = std::vector<uint32_t>;

// The plain convolution the running sums must reproduce: tent weights, clamped edges, each
// pass truncating its channel to a byte.
Image ReferenceBlur(const Image& src, int w, int h, int r) {
  const int divisor = (r + 1) * (r + 1);
  auto pass = [&](const Image& in, bool horizontal) {
    Image out(in.size());
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        uint32_t pixel = 0;
        for (int c = 0; c < 4; ++c) {
          int sum = 0;
          for (int k = -r; k <= r; ++k) {
            const int sx = horizontal ? std::clamp(x + k, 0, w - 1) : x;
            const int sy = horizontal ? y : std::clamp(y + k, 0, h - 1);
            sum += int((in[size_t(sy * w + sx)] >> (8 * c)) & 0xFF) * (r + 1 - std::abs(k));
          }
          pixel |= uint32_t(sum / divisor) << (8 * c);
        }
        out[size_t(y * w + x)] = pixel;
      }
    return out;
  };
  return pass(pass(src, true), false);
}

Image RandomPremultiplied(int w, int h, unsigned seed) {
  std::mt19937 random(seed);
  Image image(size_t(w * h));
  for (auto& pixel : image) {
    const uint32_t a = random() & 0xFF;
    pixel = a << 24;
    for (int c = 0; c < 3; ++c) pixel |= (a ? random() % (a + 1) : 0) << (8 * c);
  }
  return image;
}

uint32_t Gray(uint32_t v) {
  return v << 24 | v << 16 | v << 8 | v;
}

TEST(StackBlur, SinglePixelSpreadsWithTentWeightsPerPass) {
  Image image(25, 0);
  image[12] = 0xFFFFFFFF;
  StackBlur(image, 5, 5, 1);
  // Rows: 255 → 63 127 63; columns of those: 63 → 15 31 15, 127 → 31 63 31.
  const Image expected = {0, 0,        0,        0,        0, 0, Gray(15), Gray(31), Gray(15), 0,
                          0, Gray(31), Gray(63), Gray(31), 0, 0, Gray(15), Gray(31), Gray(15), 0,
                          0, 0,        0,        0,        0};
  EXPECT_EQ(image, expected);
}

TEST(StackBlur, MatchesThePlainConvolutionForEveryRadius) {
  for (int r : {1, 2, 3, 7, 16, 40}) {
    const int w = 23, h = 17;
    Image image = RandomPremultiplied(w, h, unsigned(r));
    const Image expected = ReferenceBlur(image, w, h, r);
    StackBlur(image, w, h, r);
    EXPECT_EQ(image, expected) << "radius " << r;
  }
}

TEST(StackBlur, EdgesRepeatSoAUniformImageStaysUniform) {
  Image image(size_t(6 * 4), 0x80402010);
  StackBlur(image, 6, 4, 9);
  EXPECT_EQ(image, Image(size_t(6 * 4), 0x80402010));

  // A bright left column leaks right only, as if it went on beyond the edge.
  Image edge(size_t(8 * 3), 0);
  for (int y = 0; y < 3; ++y) edge[size_t(y * 8)] = Gray(255);
  StackBlur(edge, 8, 3, 2);
  // Weights 1 2 3 2 1: the white column gets 6, 3 and 1 ninths of the way in.
  EXPECT_EQ(edge[0], Gray(170));
  EXPECT_EQ(edge[1], Gray(85));
  EXPECT_EQ(edge[2], Gray(28));
  EXPECT_EQ(edge[3], 0u);
}

TEST(StackBlur, KeepsPremultipliedPixelsValid) {
  const int w = 31, h = 29;
  Image image = RandomPremultiplied(w, h, 99);
  StackBlur(image, w, h, 5);
  for (uint32_t pixel : image)
    for (int c = 0; c < 3; ++c) ASSERT_LE((pixel >> (8 * c)) & 0xFF, pixel >> 24);
}

TEST(StackBlur, DegenerateInputsAreLeftAlone) {
  Image image = RandomPremultiplied(4, 4, 1);
  const Image original = image;
  StackBlur(image, 4, 4, 0);
  StackBlur(image, 4, 4, -3);
  StackBlur(image, 0, 4, 2);
  StackBlur(image, 5, 4, 2);  // block too small for the size claimed
  EXPECT_EQ(image, original);

  Image line(7, 0);
  line[3] = Gray(255);
  StackBlur(line, 7, 1, 1);  // one row: the column pass sees repeated edges only
  EXPECT_EQ(line[3], Gray(127));

  Image huge(9, Gray(40));
  StackBlur(huge, 3, 3, 100000);
  EXPECT_EQ(huge, Image(9, Gray(40)));
}

}  // namespace
