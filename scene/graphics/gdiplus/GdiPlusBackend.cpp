// The GDI+ canvas and codec as the engine's graphics backend.

// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <memory>

#include "platform/component/Exceptions.h"
#include "scene/graphics/Backend.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/graphics/gdiplus/CanvasGdiPlus.h"
#include "scene/graphics/gdiplus/FilterGdiPlus.h"

namespace {

// Started once and kept for the process: canvases, cached fonts and bitmap handles may live
// in static storage until the very end, after which shutting GDI+ down gains nothing.
void StartGdiPlus() {
  static const bool started = [] {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  if (!started) throw Exception("GDI+ could not be started");
}

}  // namespace

void UseRasterBackend() {
  StartGdiPlus();
  SetGraphicsBackend({
      [](int width, int height) { return std::make_unique<TvxCanvasGdiPlus>(width, height); },
      [](TvxBitmap& bitmap) { return std::make_unique<TvxCanvasGdiPlus>(bitmap); },
      [] { return std::make_unique<TvxFilterGdiPlus>(); },
  });
}
