#include "scene/graphics/Backend.h"

#include "scene/graphics/Canvas.h"
#include "scene/graphics/Filter.h"

namespace {

TvxGraphicsBackend& Registered() {
  static TvxGraphicsBackend backend;
  return backend;
}

}  // namespace

void SetGraphicsBackend(TvxGraphicsBackend backend) {
  Registered() = std::move(backend);
}

const TvxGraphicsBackend& GraphicsBackend() {
  return Registered();
}

std::unique_ptr<TvxCanvas> CreateDefaultCanvas(int width, int height) {
  const auto& create = Registered().CreateCanvas;
  return create ? create(width, height) : nullptr;
}

std::unique_ptr<TvxCanvas> CreateDefaultCanvasForBitmap(TvxBitmap& bitmap) {
  const auto& create = Registered().CreateCanvasForBitmap;
  return create ? create(bitmap) : nullptr;
}

std::unique_ptr<TvxFilter> CreateDefaultFilter() {
  const auto& create = Registered().CreateCodec;
  return create ? create() : nullptr;
}
