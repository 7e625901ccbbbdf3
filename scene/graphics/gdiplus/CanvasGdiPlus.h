#pragma once

// The raster canvas on GDI+: a Graphics over either its own 32-bit premultiplied top-down DIB
// section (window painting) or a bitmap's own pixels, both wrapped as PixelFormat32bppPARGB
// bitmaps so that alpha stays premultiplied. Anti-aliasing is always on and pixel centres lie
// at half-integers (PixelOffsetModeHalf), so a rectangle on whole coordinates covers whole
// pixels.
//
// Device contexts are HDCs: DC() is the memory context the buffer is selected into, and the
// flush operations BitBlt into the context they are given.

// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <memory>
#include <string>
#include <vector>

#include "scene/graphics/Canvas.h"
#include "scene/graphics/gdiplus/GdiPlusBuffer.h"
#include "scene/graphics/gdiplus/GdiPlusText.h"

class TvxCanvasGdiPlus : public TvxCanvas {
 public:
  // A buffered canvas of at least 1 x 1 pixels.
  TvxCanvasGdiPlus(int width, int height);
  // Draws into the bitmap's pixels.
  explicit TvxCanvasGdiPlus(TvxBitmap& bitmap);
  ~TvxCanvasGdiPlus() override;

  // The face text in the current Font is drawn with.
  std::wstring FaceFor(const std::u16string& text);

 protected:
  void OnFontChanged() override;
  void OnFlushBufferRect(int x, int y, TvxDeviceContext dc, const TvxRect& rect) override;
  void OnFreeBuffer() override;
  void OnResizeBuffer(int width, int height) override;
  void OnClear(TvxColor color) override;
  void OnClearRect(const TvxRect& rect, TvxColor color) override;

  void OnSetMatrix(const TvxMatrix& matrix) override;
  void OnMultiplyMatrix(const TvxMatrix& matrix) override;
  int OnSaveState() override;
  void OnRestoreState(int state) override;

  void OnSetClipRects(std::span<const TvxRect> rects) override;
  void OnIntersectClipRect(const TvxRect& rect) override;
  void OnExcludeClipRect(const TvxRect& rect) override;
  void OnResetClipRect() override;
  void OnIntersectClipPath(const TvxPathData& path, const TvxRect& rect) override;

  void OnDrawLine(const TvxPoint& p1, const TvxPoint& p2, float opacity) override;
  void OnFillRect(const TvxRect& rect, float opacity) override;
  void OnDrawRect(const TvxRect& rect, float opacity) override;
  void OnDrawOutline(const TvxPathData& outline, const TvxRect& rect, float opacity) override;
  void OnFillEllipse(const TvxRect& rect, float opacity) override;
  void OnDrawEllipse(const TvxRect& rect, float opacity) override;
  bool OnPtInPath(const TvxPoint& point, const TvxRect& rect, const TvxPathData& path) override;
  void OnFillPath(const TvxPathData& path, const TvxRect& rect, float opacity) override;
  void OnDrawPath(const TvxPathData& path, const TvxRect& rect, float opacity) override;
  void OnDrawBitmap(TvxBitmap& bitmap, const TvxRect& srcRect, const TvxRect& dstRect,
                    float opacity, bool highSpeed) override;
  void OnDrawThumbnail(TvxBitmap& bitmap, float width, float height) override;

  void OnLoadFontFromStream(TMemoryStream& stream) override;
  void OnFillText(const TvxRect& rect, const std::u16string& text, bool wordWrap, float opacity,
                  TvxTextAlign horzAlign, TvxTextAlign vertAlign) override;
  void OnMeasureText(TvxRect& rect, const std::u16string& text, bool wordWrap,
                     TvxTextAlign horzAlign, TvxTextAlign vertAlign) override;
  bool OnTextToPath(TvxPathData& path, const TvxRect& rect, const std::u16string& text,
                    bool wordWrap, TvxTextAlign horzAlign, TvxTextAlign vertAlign) override;

 private:
  // The font text in the current Font is drawn with: the face's family, the GDI+ style it
  // offers and the font at the Font's size.
  struct TextFace {
    std::wstring name;
    std::unique_ptr<Gdiplus::FontFamily> family;
    INT style = Gdiplus::FontStyleRegular;
    std::unique_ptr<Gdiplus::Font> font;
  };

  // The graphics, ready to draw; null without a surface. A bitmap whose pixels moved since
  // they were wrapped is wrapped again first.
  Gdiplus::Graphics* Graphics();
  void Begin(TvxColor* bits, int width, int height);
  void End();
  std::span<TvxColor> Surface();
  std::unique_ptr<Gdiplus::Brush> FillBrush(const TvxRect& r, float opacity) const;
  std::unique_ptr<Gdiplus::Pen> StrokePen(const TvxRect& r, float opacity) const;
  // Fills or strokes the path; call with graphics only.
  void FillArea(const Gdiplus::GraphicsPath& path, const TvxRect& r, float opacity);
  void StrokeArea(const Gdiplus::GraphicsPath& path, const TvxRect& r, float opacity);
  // Kept until the Font changes or a text needs another face.
  const TextFace& Face(const std::u16string& text);
  TextFace MakeFace(const std::wstring& name) const;
  // Grid-fitted glyphs for ClearType, never under a non-integral scale (they would jitter).
  Gdiplus::TextRenderingHint TextHint() const;
  TvxGdiPlusTextLayout Layout(const TvxRect& rect, bool wordWrap, TvxTextAlign horzAlign,
                              TvxTextAlign vertAlign) const;

  std::unique_ptr<TvxGdiPlusBuffer> buffer_;
  std::unique_ptr<Gdiplus::Bitmap> surface_;
  std::unique_ptr<Gdiplus::Graphics> graphics_;
  const TvxColor* surfaceBits_ = nullptr;
  std::vector<Gdiplus::GraphicsState> states_;
  TextFace face_;
  std::unique_ptr<Gdiplus::PrivateFontCollection> privateFonts_;
  // GDI+ reads private fonts from memory the caller keeps.
  std::vector<std::vector<BYTE>> privateFontData_;
};
