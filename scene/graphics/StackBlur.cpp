#include "scene/graphics/StackBlur.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "scene/graphics/Bitmap.h"

// Along a line of pixels p, with tent weights r + 1 - |k|, the sum at x moves to x + 1 as
//   sum    += sumIn - sumOut + p[x + r + 1]
//   sumOut += p[x + 1] - p[x - r]        (taps x - r … x)
//   sumIn  += p[x + r + 1] - p[x + 1]    (taps x + 1 … x + r)
// with positions clamped to the line. The classic formulation keeps the window in a circular
// stack; here the window is read back from the untouched source, which gives the same sums.

namespace {

constexpr int kChannels = 4;

// Trunc(sum / (r + 1)²) for every sum the kernel can produce. Effects blur many bitmaps with
// the same radius, so the table of the last radius is kept.
const uint8_t* DivisionTable(int radius) {
  thread_local std::vector<uint8_t> table;
  thread_local int tableRadius = -1;
  if (tableRadius != radius) {
    const size_t divisor = size_t(radius + 1) * size_t(radius + 1);
    table.resize(256 * divisor);
    for (size_t value = 0; value < 256; ++value)
      std::fill_n(table.begin() + long(value * divisor), divisor, uint8_t(value));
    tableRadius = radius;
  }
  return table.data();
}

constexpr int32_t Channel(uint32_t pixel, int channel) {
  return int32_t((pixel >> (8 * channel)) & 0xFF);
}

// Weight of all taps left of and at the centre when they repeat the first pixel.
constexpr int32_t LeftHalfWeight(int radius) {
  return (radius + 1) * (radius + 2) / 2;
}

struct LineSums {
  std::array<int32_t, kChannels> sum{}, in{}, out{};
};

// Blurs one row of `width` pixels into the channel planes at `offset`.
void BlurRow(const uint32_t* row, int width, int radius, const uint8_t* divide,
             const std::array<uint8_t*, kChannels>& planes, size_t offset) {
  const int last = width - 1;
  LineSums s;
  for (int c = 0; c < kChannels; ++c) {
    const int32_t first = Channel(row[0], c);
    s.sum[c] = first * LeftHalfWeight(radius);
    s.out[c] = first * (radius + 1);
  }
  for (int k = 1; k <= radius; ++k) {
    const uint32_t pixel = row[std::min(k, last)];
    for (int c = 0; c < kChannels; ++c) {
      s.sum[c] += Channel(pixel, c) * (radius + 1 - k);
      s.in[c] += Channel(pixel, c);
    }
  }
  for (int x = 0; x < width; ++x) {
    const uint32_t leaving = row[std::max(x - radius, 0)];
    const uint32_t centre = row[std::min(x + 1, last)];
    const uint32_t entering = row[std::min(x + radius + 1, last)];
    for (int c = 0; c < kChannels; ++c) {
      planes[size_t(c)][offset + size_t(x)] = divide[s.sum[c]];
      const int32_t e = Channel(entering, c);
      const int32_t m = Channel(centre, c);
      s.sum[c] += s.in[c] - s.out[c] + e;
      s.out[c] += m - Channel(leaving, c);
      s.in[c] += e - m;
    }
  }
}

// The column pass runs down all columns at once, one row at a time, so every access is
// sequential. Sums are kept per channel plane.
class ColumnPass {
 public:
  ColumnPass(const std::array<uint8_t*, kChannels>& planes, int width, int height, int radius)
      : planes_(planes), width_(size_t(width)), last_(height - 1), radius_(radius) {
    for (auto* sums : {&sum_, &in_, &out_})
      for (auto& plane : *sums) plane.assign(width_, 0);
    Prime();
  }

  void Run(uint32_t* pixels, const uint8_t* divide) {
    for (int y = 0; y <= last_; ++y) {
      Emit(pixels + size_t(y) * width_, divide);
      Advance(std::max(y - radius_, 0), std::min(y + 1, last_), std::min(y + radius_ + 1, last_));
    }
  }

 private:
  const uint8_t* Row(int c, int y) const { return planes_[size_t(c)] + size_t(y) * width_; }

  void Prime() {
    for (int c = 0; c < kChannels; ++c) {
      const uint8_t* first = Row(c, 0);
      for (size_t x = 0; x < width_; ++x) {
        sum_[c][x] = first[x] * LeftHalfWeight(radius_);
        out_[c][x] = first[x] * (radius_ + 1);
      }
      for (int k = 1; k <= radius_; ++k) {
        const uint8_t* row = Row(c, std::min(k, last_));
        const int32_t weight = radius_ + 1 - k;
        for (size_t x = 0; x < width_; ++x) {
          sum_[c][x] += row[x] * weight;
          in_[c][x] += row[x];
        }
      }
    }
  }

  void Emit(uint32_t* row, const uint8_t* divide) const {
    for (size_t x = 0; x < width_; ++x)
      row[x] = uint32_t(divide[sum_[0][x]]) | uint32_t(divide[sum_[1][x]]) << 8 |
               uint32_t(divide[sum_[2][x]]) << 16 | uint32_t(divide[sum_[3][x]]) << 24;
  }

  void Advance(int leavingRow, int centreRow, int enteringRow) {
    for (int c = 0; c < kChannels; ++c) {
      const uint8_t* leaving = Row(c, leavingRow);
      const uint8_t* centre = Row(c, centreRow);
      const uint8_t* entering = Row(c, enteringRow);
      int32_t* sum = sum_[c].data();
      int32_t* in = in_[c].data();
      int32_t* out = out_[c].data();
      for (size_t x = 0; x < width_; ++x) {
        sum[x] += in[x] - out[x] + entering[x];
        out[x] += centre[x] - leaving[x];
        in[x] += entering[x] - centre[x];
      }
    }
  }

  std::array<uint8_t*, kChannels> planes_;
  size_t width_;
  int last_;
  int radius_;
  std::array<std::vector<int32_t>, kChannels> sum_, in_, out_;
};

}  // namespace

void StackBlur(std::span<uint32_t> pixels, int width, int height, int radius) {
  if (radius <= 0 || width <= 0 || height <= 0) return;
  const size_t count = size_t(width) * size_t(height);
  if (pixels.size() < count) return;
  radius = std::min(radius, StackBlurMaxRadius);
  const uint8_t* divide = DivisionTable(radius);
  const std::unique_ptr<uint8_t[]> buffer(new uint8_t[count * kChannels]);
  const std::array<uint8_t*, kChannels> planes = {
      buffer.get(), buffer.get() + count, buffer.get() + 2 * count, buffer.get() + 3 * count};
  for (int y = 0; y < height; ++y) {
    const size_t offset = size_t(y) * size_t(width);
    BlurRow(pixels.data() + offset, width, radius, divide, planes, offset);
  }
  ColumnPass(planes, width, height, radius).Run(pixels.data(), divide);
}

void StackBlur(TvxBitmap& bitmap, int radius) {
  if (radius <= 0 || bitmap.IsEmpty()) return;
  StackBlur(bitmap.Pixels(), bitmap.Width(), bitmap.Height(), radius);
  bitmap.Changed();
}
