#pragma once

// The one blur of the engine: a stack blur (a tent kernel of 2r + 1 taps, applied across the
// rows and then down the columns) on premultiplied 32-bit pixels. Running sums make the cost
// per pixel independent of the radius.

#include <cstdint>
#include <span>

class TvxBitmap;

// The largest radius honoured; larger ones blur with it. Keeps the division table bounded.
inline constexpr int StackBlurMaxRadius = 254;

// Blurs `pixels` (rows of `width` pixels, top to bottom, no padding) in place on all four
// channels. Pixels beyond the edges count as copies of the edge pixel. A radius <= 0, an
// empty image or a block smaller than width × height does nothing.
void StackBlur(std::span<uint32_t> pixels, int width, int height, int radius);
// The same on a bitmap's pixels, announcing the change.
void StackBlur(TvxBitmap& bitmap, int radius);
