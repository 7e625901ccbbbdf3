#pragma once

// The raster canvas on Qt's raster engine: QPainter over either its own 32-bit premultiplied
// top-down buffer (window painting) or a bitmap's own pixels. Anti-aliasing is always on; Qt's
// pixel centres lie at half-integers, so a rectangle on whole coordinates covers whole pixels.
//
// Device contexts are QPainter pointers: DC() paints into the buffer (for platform child
// controls) and the flush operations copy into the painter they are given.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <memory>
#include <vector>

#include "scene/graphics/Canvas.h"
#include "scene/graphics/qt/QtPaint.h"
#include "scene/graphics/qt/QtText.h"

class TvxCanvasQt : public TvxCanvas {
 public:
  // A buffered canvas of at least 1 x 1 pixels.
  TvxCanvasQt(int width, int height);
  // Draws into the bitmap's pixels.
  explicit TvxCanvasQt(TvxBitmap& bitmap);
  ~TvxCanvasQt() override;

  // The Qt font the current Font resolves to.
  const QFont& QtFont();

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
  // The painter, ready to draw; null without a surface. A bitmap whose pixels moved since
  // they were wrapped is wrapped again first.
  QPainter* Painter();
  void Begin(uchar* bits, int width, int height);
  void End();
  std::span<TvxColor> Surface();
  // Set the painter up for the fill or stroke over r; call with a painter only.
  TvxQtBrush FillSetup(const TvxRect& r, float opacity);
  void StrokeSetup(const TvxRect& r, float opacity);
  QFont TextFont();
  QPaintDevice* TextDevice();
  TvxQtTextLayout Layout(const TvxRect& rect, bool wordWrap, TvxTextAlign horzAlign,
                         TvxTextAlign vertAlign) const;

  std::vector<TvxColor> buffer_;
  QImage image_;
  QPainter painter_;
  int saveDepth_ = 0;
  QFont font_;
  bool fontValid_ = false;
  std::vector<int> privateFonts_;
  QStringList privateFamilies_;
};
