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

  void FontChanged(TObject* sender) override;
  void FlushBuffer(int x, int y, TvxDeviceContext dc) override;
  void FlushBufferRect(int x, int y, TvxDeviceContext dc, const TvxRect& rect) override;
  void FreeBuffer() override;
  void ResizeBuffer(int width, int height) override;
  void Clear(TvxColor color) override;
  void ClearRect(const TvxRect& rect, TvxColor color) override;

  void SetMatrix(const TvxMatrix& matrix) override;
  void MultiplyMatrix(const TvxMatrix& matrix) override;

  void SetClipRects(std::span<const TvxRect> rects) override;
  void IntersectClipRect(const TvxRect& rect) override;
  void ExcludeClipRect(const TvxRect& rect) override;
  void ResetClipRect() override;

  void DrawLine(const TvxPoint& p1, const TvxPoint& p2, float opacity) override;
  void FillRect(const TvxRect& rect, float xRadius, float yRadius, TvxCorners corners,
                float opacity, TvxCornerType cornerType) override;
  void DrawRect(const TvxRect& rect, float xRadius, float yRadius, TvxCorners corners,
                float opacity, TvxCornerType cornerType) override;
  void FillEllipse(const TvxRect& rect, float opacity) override;
  void DrawEllipse(const TvxRect& rect, float opacity) override;
  bool PtInPath(const TvxPoint& point, const TvxRect& rect, const TvxPathData& path) override;
  void FillPath(const TvxPathData& path, const TvxRect& rect, float opacity) override;
  void DrawPath(const TvxPathData& path, const TvxRect& rect, float opacity) override;
  void DrawBitmap(TvxBitmap& bitmap, const TvxRect& srcRect, const TvxRect& dstRect, float opacity,
                  bool highSpeed) override;
  void DrawThumbnail(TvxBitmap& bitmap, float width, float height) override;

  void LoadFontFromStream(TMemoryStream& stream) override;
  void FillText(const TvxRect& rect, const std::u16string& text, bool wordWrap, float opacity,
                TvxTextAlign horzAlign, TvxTextAlign vertAlign) override;
  void MeasureText(TvxRect& rect, const std::u16string& text, bool wordWrap, TvxTextAlign horzAlign,
                   TvxTextAlign vertAlign) override;
  bool TextToPath(TvxPathData& path, const TvxRect& rect, const std::u16string& text, bool wordWrap,
                  TvxTextAlign horzAlign, TvxTextAlign vertAlign) override;

  // The Qt font the current Font resolves to.
  const QFont& QtFont();

 protected:
  int SaveState() override;
  void RestoreState(int state) override;

 private:
  // The painter, ready to draw; null without a surface. A bitmap whose pixels moved since
  // they were wrapped is wrapped again first.
  QPainter* Painter();
  void Begin(uchar* bits, int width, int height);
  void End();
  std::span<TvxColor> Surface();
  void ResolveResource(TvxBrush& brush);
  TvxQtBrush FillSetup(const TvxRect& r, float opacity);
  bool StrokeSetup(const TvxRect& r, float opacity);
  void FillShape(const QPainterPath& shape, const TvxRect& r, float opacity);
  void FillVisual(const TvxRect& r, float opacity, const QPainterPath* shape);
  QFont TextFont();
  QPaintDevice* TextDevice();
  TvxQtTextLayout Layout(const TvxRect& rect, bool wordWrap, TvxTextAlign horzAlign,
                         TvxTextAlign vertAlign) const;

  std::vector<TvxColor> buffer_;
  QImage image_;
  QPainter painter_;
  int saveDepth_ = 0;
  bool paintingVisual_ = false;
  QFont font_;
  bool fontValid_ = false;
  std::vector<int> privateFonts_;
  QStringList privateFamilies_;
};
