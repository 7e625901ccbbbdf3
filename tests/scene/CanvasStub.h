#pragma once

// A canvas that draws nothing: test doubles derive from it and override only the calls they
// watch. Header-only, so that every test folder shares it.

#include <span>
#include <string>

#include "scene/graphics/Canvas.h"

class TCanvasStub : public TvxCanvas {
 public:
  TCanvasStub(int width, int height) { ResizeBuffer(width, height); }
  explicit TCanvasStub(TvxBitmap& bitmap) : TvxCanvas(bitmap) {}

  void FlushBuffer(int, int, TvxDeviceContext) override {}
  void FlushBufferRect(int, int, TvxDeviceContext, const TvxRect&) override {}
  void FreeBuffer() override {}
  void Clear(TvxColor) override {}
  void ClearRect(const TvxRect&, TvxColor) override {}
  void SetClipRects(std::span<const TvxRect>) override {}
  void IntersectClipRect(const TvxRect&) override {}
  void ExcludeClipRect(const TvxRect&) override {}
  void ResetClipRect() override {}
  void DrawLine(const TvxPoint&, const TvxPoint&, float) override {}
  void FillRect(const TvxRect&, float, float, TvxCorners, float, TvxCornerType) override {}
  void DrawRect(const TvxRect&, float, float, TvxCorners, float, TvxCornerType) override {}
  void FillEllipse(const TvxRect&, float) override {}
  void DrawEllipse(const TvxRect&, float) override {}
  bool PtInPath(const TvxPoint&, const TvxRect&, const TvxPathData&) override { return false; }
  void FillPath(const TvxPathData&, const TvxRect&, float) override {}
  void DrawPath(const TvxPathData&, const TvxRect&, float) override {}
  void DrawBitmap(TvxBitmap&, const TvxRect&, const TvxRect&, float, bool) override {}
  void DrawThumbnail(TvxBitmap&, float, float) override {}
  void FillText(const TvxRect&, const std::u16string&, bool, float, TvxTextAlign,
                TvxTextAlign) override {}
  void MeasureText(TvxRect&, const std::u16string&, bool, TvxTextAlign, TvxTextAlign) override {}
  bool TextToPath(TvxPathData&, const TvxRect&, const std::u16string&, bool, TvxTextAlign,
                  TvxTextAlign) override {
    return false;
  }

 protected:
  int SaveState() override { return 1; }
  void RestoreState(int) override {}
};
