#pragma once

// Pixel access for the raster tests.

#include <cstdint>

#include "scene/graphics/qt/CanvasQt.h"

inline uint32_t PixelAt(const TvxCanvasQt& canvas, int x, int y) {
  return canvas.Bits()[y * canvas.Width() + x];
}
inline uint32_t AlphaAt(const TvxCanvasQt& canvas, int x, int y) {
  return PixelAt(canvas, x, y) >> 24;
}
inline uint32_t RedAt(const TvxCanvasQt& canvas, int x, int y) {
  return (PixelAt(canvas, x, y) >> 16) & 0xFF;
}
inline uint32_t BlueAt(const TvxCanvasQt& canvas, int x, int y) {
  return PixelAt(canvas, x, y) & 0xFF;
}
