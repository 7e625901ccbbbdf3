#pragma once

// The one place that decides which canvas and image codec classes the engine uses. A backend
// registers its factories once at start-up; bitmaps and the scene host create canvases and
// codecs only through here. Without a backend nothing is created and the operations that
// need a canvas or a codec do nothing.

#include <functional>
#include <memory>

class TvxBitmap;
class TvxCanvas;
class TvxFilter;

struct TvxGraphicsBackend {
  // An off-screen canvas with its own pixel buffer (window painting).
  std::function<std::unique_ptr<TvxCanvas>(int width, int height)> CreateCanvas;
  // A canvas drawing into the bitmap's pixels.
  std::function<std::unique_ptr<TvxCanvas>(TvxBitmap& bitmap)> CreateCanvasForBitmap;
  std::function<std::unique_ptr<TvxFilter>()> CreateCodec;
};

// Replaces the registration; an empty struct removes it.
void SetGraphicsBackend(TvxGraphicsBackend backend);
const TvxGraphicsBackend& GraphicsBackend();

// Null when no backend is registered.
std::unique_ptr<TvxCanvas> CreateDefaultCanvas(int width, int height);
std::unique_ptr<TvxCanvas> CreateDefaultCanvasForBitmap(TvxBitmap& bitmap);
std::unique_ptr<TvxFilter> CreateDefaultFilter();
