#pragma once

// A canvas that draws nothing: test doubles derive from it and override only the hooks they
// watch. Header-only, so that every test folder shares it.

#include <span>
#include <string>

#include "scene/graphics/Canvas.h"

class TCanvasStub : public TvxCanvas {
 public:
  TCanvasStub(int width, int height) { ResizeBuffer(width, height); }
  explicit TCanvasStub(TvxBitmap& bitmap) : TvxCanvas(bitmap) {}

 protected:
  void OnFlushBufferRect(int, int, TvxDeviceContext, const TvxRect&) override {}
  void OnFreeBuffer() override {}
  void OnClear(TvxColor) override {}
  void OnClearRect(const TvxRect&, TvxColor) override {}
  void OnSetMatrix(const TvxMatrix&) override {}
  void OnMultiplyMatrix(const TvxMatrix&) override {}
  int OnSaveState() override { return 1; }
  void OnRestoreState(int) override {}
  void OnSetClipRects(std::span<const TvxRect>) override {}
  void OnIntersectClipRect(const TvxRect&) override {}
  void OnExcludeClipRect(const TvxRect&) override {}
  void OnResetClipRect() override {}
  void OnIntersectClipPath(const TvxPathData&, const TvxRect&) override {}
  void OnDrawLine(const TvxPoint&, const TvxPoint&, float) override {}
  void OnFillRect(const TvxRect&, float) override {}
  void OnDrawRect(const TvxRect&, float) override {}
  void OnDrawOutline(const TvxPathData&, const TvxRect&, float) override {}
  void OnFillEllipse(const TvxRect&, float) override {}
  void OnDrawEllipse(const TvxRect&, float) override {}
  bool OnPtInPath(const TvxPoint&, const TvxRect&, const TvxPathData&) override { return false; }
  void OnFillPath(const TvxPathData&, const TvxRect&, float) override {}
  void OnDrawPath(const TvxPathData&, const TvxRect&, float) override {}
  void OnDrawBitmap(TvxBitmap&, const TvxRect&, const TvxRect&, float, bool) override {}
  void OnDrawThumbnail(TvxBitmap&, float, float) override {}
  void OnFillText(const TvxRect&, const std::u16string&, bool, float, TvxTextAlign,
                  TvxTextAlign) override {}
  void OnMeasureText(TvxRect&, const std::u16string&, bool, TvxTextAlign, TvxTextAlign) override {}
  bool OnTextToPath(TvxPathData&, const TvxRect&, const std::u16string&, bool, TvxTextAlign,
                    TvxTextAlign) override {
    return false;
  }
};
