#pragma once

// Pixel access for the raster tests, which run on every raster backend. Backends rasterise
// anti-aliased edges and blends a little differently; the tolerances below are the most two
// backends may differ on the same drawing, and checks use them only where an edge or a blend
// is involved.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "scene/graphics/Backend.h"
#include "scene/graphics/Canvas.h"

// How far a channel of a blended pixel may lie from its expected value.
inline constexpr int kChannelTolerance = 3;
// How far an edge may lie from where the other backend puts it: a rasteriser that does not
// anti-alias, or puts pixel centres on whole coordinates, moves edges by up to a pixel.
inline constexpr int kEdgeTolerance = 1;

inline std::unique_ptr<TvxCanvas> MakeCanvas(int width, int height) {
  return CreateDefaultCanvas(width, height);
}
inline std::unique_ptr<TvxCanvas> MakeCanvas(TvxBitmap& bitmap) {
  return CreateDefaultCanvasForBitmap(bitmap);
}

inline uint32_t PixelAt(const TvxCanvas& canvas, int x, int y) {
  return canvas.Bits()[y * canvas.Width() + x];
}
inline uint32_t AlphaAt(const TvxCanvas& canvas, int x, int y) {
  return PixelAt(canvas, x, y) >> 24;
}
inline uint32_t RedAt(const TvxCanvas& canvas, int x, int y) {
  return (PixelAt(canvas, x, y) >> 16) & 0xFF;
}
inline uint32_t BlueAt(const TvxCanvas& canvas, int x, int y) {
  return PixelAt(canvas, x, y) & 0xFF;
}

// The largest alpha within kEdgeTolerance of (x, y), for checks of pixels on an edge.
inline uint32_t AlphaNear(const TvxCanvas& canvas, int x, int y) {
  uint32_t most = 0;
  for (int v = std::max(0, y - kEdgeTolerance);
       v <= std::min(canvas.Height() - 1, y + kEdgeTolerance); ++v) {
    for (int u = std::max(0, x - kEdgeTolerance);
         u <= std::min(canvas.Width() - 1, x + kEdgeTolerance); ++u) {
      most = std::max(most, AlphaAt(canvas, u, v));
    }
  }
  return most;
}

// Whether a pixel within kEdgeTolerance of (x, y) has exactly the colour.
inline bool ColorNearby(const TvxCanvas& canvas, int x, int y, uint32_t color) {
  for (int v = std::max(0, y - kEdgeTolerance);
       v <= std::min(canvas.Height() - 1, y + kEdgeTolerance); ++v) {
    for (int u = std::max(0, x - kEdgeTolerance);
         u <= std::min(canvas.Width() - 1, x + kEdgeTolerance); ++u) {
      if (PixelAt(canvas, u, v) == color) return true;
    }
  }
  return false;
}

// Every channel within kChannelTolerance.
inline testing::AssertionResult ColorsNear(const char* actualText, const char* expectedText,
                                           uint32_t actual, uint32_t expected) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = int(actual >> shift & 0xFF);
    const int e = int(expected >> shift & 0xFF);
    if (std::abs(a - e) > kChannelTolerance) {
      return testing::AssertionFailure() << actualText << " is " << std::hex << actual
                                         << ", not near " << expectedText << " = " << expected;
    }
  }
  return testing::AssertionSuccess();
}
