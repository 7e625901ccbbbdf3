#pragma once

// The only drawing surface objects see. A canvas holds the drawing state (fill and stroke
// brushes, pen settings, font, matrix) and offers a fixed set of operations; a backend
// implements the abstract ones over a 2D library. Rectangles are (Left, Top, Right, Bottom)
// in drawing coordinates; Opacity (0..1) applies on top of the brush.

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/component/Stream.h"
#include "scene/core/Color.h"
#include "scene/core/Geometry.h"
#include "scene/graphics/Bitmap.h"
#include "scene/graphics/Brush.h"
#include "scene/graphics/Font.h"
#include "scene/graphics/GraphicsTypes.h"
#include "scene/graphics/PathData.h"

// Platform handles a backend hands through to the scene host; their type is the backend's.
using TvxWindowHandle = void*;
using TvxDeviceContext = void*;

// One saved canvas state. Slots are reused: a free slot keeps its copies for the next save.
struct TvxSaveData {
  int Handle = -1;  // the backend's saved state; -1 marks a free slot
  TvxMatrix Matrix = IdentityMatrix;
  std::unique_ptr<TvxBrush> Stroke;
  std::unique_ptr<TvxBrush> Fill;
  float StrokeThickness = 1;
  TvxStrokeCap StrokeCap = vxCapFlat;
  TvxStrokeJoin StrokeJoin = vxJoinMiter;
  TvxStrokeDash StrokeDash = vxDashSolid;
  std::vector<float> DashArray;
  float DashOffset = 0;
  std::unique_ptr<TvxFont> Font;
};
using TvxSaveDataArray = std::vector<TvxSaveData>;

// The public operations are not virtual: they make the checks every backend would repeat
// (nothing to fill or stroke, resource brushes, visual fills, empty input) and hand the rest
// to the protected On... hooks, which are all a backend implements.
class TvxCanvas {
 public:
  virtual ~TvxCanvas();
  TvxCanvas(const TvxCanvas&) = delete;
  TvxCanvas& operator=(const TvxCanvas&) = delete;

  // State.
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The matrix last set; while a visual fill paints its object, the filled shape's matrix
  // applies on top of it (see DeviceMatrix).
  const TvxMatrix& Matrix() const { return matrix_; }
  // Surface pixels per drawing unit, applied after every matrix, to clipping and to ClearRect:
  // a window's buffer on a high-density screen holds Width() x Height() device pixels while
  // everything drawn into it keeps its logical coordinates. At most 16; anything not above 0
  // counts as 1.
  float DeviceScale() const { return deviceScale_; }
  void SetDeviceScale(float value);
  // Created solid white.
  TvxBrush& Fill() const { return *fill_; }
  // Created solid black.
  TvxBrush& Stroke() const { return *stroke_; }
  float StrokeThickness() const { return strokeThickness_; }
  void SetStrokeThickness(float value) { strokeThickness_ = value; }
  TvxStrokeCap StrokeCap() const { return strokeCap_; }
  void SetStrokeCap(TvxStrokeCap value) { strokeCap_ = value; }
  TvxStrokeJoin StrokeJoin() const { return strokeJoin_; }
  void SetStrokeJoin(TvxStrokeJoin value) { strokeJoin_ = value; }
  TvxStrokeDash StrokeDash() const { return strokeDash_; }
  // Fills DashArray with the preset and zeroes DashOffset; vxDashCustom keeps both for the
  // caller to fill.
  void SetStrokeDash(TvxStrokeDash value);
  // Dash and gap lengths in multiples of StrokeThickness; empty draws solid.
  std::span<const float> DashArray() const { return dashArray_; }
  void SetDashArray(std::span<const float> value);
  float DashOffset() const { return dashOffset_; }
  void SetDashOffset(float value) { dashOffset_ = value; }
  // Its changes reach FontChanged.
  TvxFont& Font() const { return *font_; }
  // The bitmap drawn into, for a canvas made from one.
  TvxBitmap* Bitmap() const { return bitmap_; }
  // The canvas owns an off-screen buffer (window painting).
  bool Buffered() const { return buffered_; }
  TvxWindowHandle WindowHandle() const { return windowHandle_; }
  void SetWindowHandle(TvxWindowHandle value) { windowHandle_ = value; }
  // The off-screen buffer of a buffered canvas: Width * Height premultiplied pixels, rows top
  // to bottom, and the backend's context for presenting them.
  TvxDeviceContext DC() const { return dc_; }
  TvxColor* Bits() const { return bits_; }

  // Frames.
  // Rebuilds the backend's font from Font.
  void FontChanged(TObject* sender);
  // Painting proceeds only when true.
  bool BeginScene();
  void EndScene();
  // Copies the whole buffer to (x, y) of `dc`.
  void FlushBuffer(int x, int y, TvxDeviceContext dc);
  // Copies rect (Left/Top truncated, Right/Bottom truncated + 1) to (x + Left, y + Top).
  void FlushBufferRect(int x, int y, TvxDeviceContext dc, const TvxRect& rect);
  void FreeBuffer();
  // Reallocates the buffer at the size, at least 1 x 1; an unchanged size keeps it.
  void ResizeBuffer(int width, int height);
  // Replaces every pixel, no blending.
  void Clear(TvxColor color);
  // Writes color into rect (Left/Top truncated, Right/Bottom rounded, clipped); under a device
  // scale the scaled rect widened to whole device pixels.
  void ClearRect(const TvxRect& rect, TvxColor color);
  // Address of a bitmap row; null outside 0..Height-1 or without pixels.
  static TvxColor* GetBitmapScanline(TvxBitmap& bitmap, int row);

  // Transform and state stack.
  void SetMatrix(const TvxMatrix& matrix);
  // Multiplies the backend transform, the given matrix applying first; Matrix stays.
  void MultiplyMatrix(const TvxMatrix& matrix);
  // Pushes the state into a free slot and returns its index; -1 when the backend cannot.
  int SaveCanvas();
  // Restores a saved slot and frees it; nested saves unwind as a stack. Other indexes do
  // nothing.
  void RestoreCanvas(int index);

  // Clipping.
  void SetClipRects(std::span<const TvxRect> rects);
  void IntersectClipRect(const TvxRect& rect);
  void ExcludeClipRect(const TvxRect& rect);
  void ResetClipRect();

  // Shapes. Draw... strokes with Stroke and the pen settings, Fill... fills with Fill. A
  // resource brush is first replaced by the brush it names. A visual fill paints its object
  // over the rectangle, clipped to the shape.
  void DrawLine(const TvxPoint& p1, const TvxPoint& p2, float opacity);
  // A plain rectangle when both radii are 0 or no corner is shaped.
  void FillRect(const TvxRect& rect, float xRadius, float yRadius, TvxCorners corners,
                float opacity, TvxCornerType cornerType);
  // A plain rectangle when both radii are (almost) 0.
  void DrawRect(const TvxRect& rect, float xRadius, float yRadius, TvxCorners corners,
                float opacity, TvxCornerType cornerType);
  void FillEllipse(const TvxRect& rect, float opacity);
  void DrawEllipse(const TvxRect& rect, float opacity);
  // Paths are stretched from their bounds into rect; a path without area draws nothing.
  bool PtInPath(const TvxPoint& point, const TvxRect& rect, const TvxPathData& path);
  void FillPath(const TvxPathData& path, const TvxRect& rect, float opacity);
  void DrawPath(const TvxPathData& path, const TvxRect& rect, float opacity);
  // Draws srcRect of the bitmap scaled into dstRect; highSpeed picks nearest-pixel sampling.
  void DrawBitmap(TvxBitmap& bitmap, const TvxRect& srcRect, const TvxRect& dstRect, float opacity,
                  bool highSpeed);
  // Draws the whole bitmap scaled to a thumbnail size (canvas made from a bitmap only).
  void DrawThumbnail(TvxBitmap& bitmap, float width, float height);
  // Polygon points in drawing coordinates; PolygonCloseMarker closes a figure and the next
  // point starts another. Filling also closes an open last figure.
  void FillPolygon(std::span<const TvxPoint> points, float opacity);
  void DrawPolygon(std::span<const TvxPoint> points, float opacity);
  // Angles in degrees, 0 at 3 o'clock, positive sweeps clockwise on screen.
  void FillArc(const TvxPoint& center, const TvxPoint& radius, float startAngle, float sweepAngle,
               float opacity);
  void DrawArc(const TvxPoint& center, const TvxPoint& radius, float startAngle, float sweepAngle,
               float opacity);
  // Strokes only the given sides of the rectangle, lifting the pen over the others; corner
  // controls lie at half the radius.
  void DrawRectSides(const TvxRect& rect, float xRadius, float yRadius, TvxCorners corners,
                     float opacity, TvxSides sides, TvxCornerType cornerType);

  // Text.
  // Adds a font file held in the stream to the canvas's private fonts.
  void LoadFontFromStream(TMemoryStream& stream);
  // Opacity 1 draws at 0.99, which keeps text on the anti-aliased path of every backend.
  void FillText(const TvxRect& rect, const std::u16string& text, bool wordWrap, float opacity,
                TvxTextAlign horzAlign, TvxTextAlign vertAlign);
  // Replaces rect by the box the text occupies when laid out in it; without word wrap the
  // box starts at the left edge.
  void MeasureText(TvxRect& rect, const std::u16string& text, bool wordWrap, TvxTextAlign horzAlign,
                   TvxTextAlign vertAlign);
  // Replaces the path by the text's glyph outlines; false when there are none to give.
  bool TextToPath(TvxPathData& path, const TvxRect& rect, const std::u16string& text, bool wordWrap,
                  TvxTextAlign horzAlign, TvxTextAlign vertAlign);
  // Width of one line of text.
  float TextWidth(const std::u16string& text);

 protected:
  // A canvas with its own buffer: the derived constructor allocates it with ResizeBuffer.
  TvxCanvas();
  // A canvas drawing into the bitmap's pixels, sized like it (at least 1 x 1).
  explicit TvxCanvas(TvxBitmap& bitmap);

  // Matrix as it reaches the surface: Matrix times the matrix of the shapes whose visual
  // fills are being painted, times DeviceScale.
  TvxMatrix DeviceMatrix() const;
  // Records the surface size (at least 1 x 1) without touching the buffer.
  void SetSize(int width, int height);
  void SetBuffer(TvxDeviceContext dc, TvxColor* bits) {
    dc_ = dc;
    bits_ = bits;
  }

  // Backend hooks. Brushes come resolved and are never vxBrushNone or vxBrushVisual where a
  // hook fills or strokes; paths have an area; opacities are above 0.
  virtual void OnFontChanged();
  virtual bool OnBeginScene();
  virtual void OnEndScene();
  // Called with a context only.
  virtual void OnFlushBufferRect(int x, int y, TvxDeviceContext dc, const TvxRect& rect) = 0;
  virtual void OnFreeBuffer() = 0;
  // The size is at least 1 x 1. The base records it.
  virtual void OnResizeBuffer(int width, int height);
  virtual void OnClear(TvxColor color) = 0;
  virtual void OnClearRect(const TvxRect& rect, TvxColor color) = 0;
  // The device matrix (see DeviceMatrix).
  virtual void OnSetMatrix(const TvxMatrix& matrix) = 0;
  virtual void OnMultiplyMatrix(const TvxMatrix& matrix) = 0;
  // The backend's part of SaveCanvas / RestoreCanvas: save its own state and return a handle
  // (-1 when it has no drawing context), restore the state of a handle.
  virtual int OnSaveState() = 0;
  virtual void OnRestoreState(int state) = 0;
  virtual void OnSetClipRects(std::span<const TvxRect> rects) = 0;
  virtual void OnIntersectClipRect(const TvxRect& rect) = 0;
  virtual void OnExcludeClipRect(const TvxRect& rect) = 0;
  virtual void OnResetClipRect() = 0;
  // Clip := clip ∩ the path stretched into rect.
  virtual void OnIntersectClipPath(const TvxPathData& path, const TvxRect& rect) = 0;
  virtual void OnDrawLine(const TvxPoint& p1, const TvxPoint& p2, float opacity) = 0;
  virtual void OnFillRect(const TvxRect& rect, float opacity) = 0;
  virtual void OnDrawRect(const TvxRect& rect, float opacity) = 0;
  // Strokes a closed outline in drawing coordinates as one joined figure; the brush spans rect.
  virtual void OnDrawOutline(const TvxPathData& outline, const TvxRect& rect, float opacity) = 0;
  virtual void OnFillEllipse(const TvxRect& rect, float opacity) = 0;
  virtual void OnDrawEllipse(const TvxRect& rect, float opacity) = 0;
  virtual bool OnPtInPath(const TvxPoint& point, const TvxRect& rect, const TvxPathData& path) = 0;
  virtual void OnFillPath(const TvxPathData& path, const TvxRect& rect, float opacity) = 0;
  virtual void OnDrawPath(const TvxPathData& path, const TvxRect& rect, float opacity) = 0;
  // Opacity at most 1.
  virtual void OnDrawBitmap(TvxBitmap& bitmap, const TvxRect& srcRect, const TvxRect& dstRect,
                            float opacity, bool highSpeed) = 0;
  // Called for a canvas made from a bitmap only.
  virtual void OnDrawThumbnail(TvxBitmap& bitmap, float width, float height) = 0;
  virtual void OnLoadFontFromStream(TMemoryStream& stream);
  // Text is not empty.
  virtual void OnFillText(const TvxRect& rect, const std::u16string& text, bool wordWrap,
                          float opacity, TvxTextAlign horzAlign, TvxTextAlign vertAlign) = 0;
  virtual void OnMeasureText(TvxRect& rect, const std::u16string& text, bool wordWrap,
                             TvxTextAlign horzAlign, TvxTextAlign vertAlign) = 0;
  virtual bool OnTextToPath(TvxPathData& path, const TvxRect& rect, const std::u16string& text,
                            bool wordWrap, TvxTextAlign horzAlign, TvxTextAlign vertAlign) = 0;

 private:
  void SaveInto(TvxSaveData& slot, int handle);
  // Replaces a resource brush by the brush it names; false when there is nothing to paint with.
  static bool Resolve(TvxBrush& brush);
  // Paints the fill's visual object over rect, clipped to rect or to the outline stretched
  // into it, under the current matrix.
  void FillVisual(const TvxRect& rect, float opacity, const TvxPathData* outline);
  static void BuildPolygonPath(TvxPathData& path, std::span<const TvxPoint> points, bool closeLast);
  // Runs `build` on the cleared scratch path (or on a temporary one when it is in use).
  template <class Build>
  void WithScratchPath(Build&& build);

  int width_ = 0;
  int height_ = 0;
  TvxMatrix matrix_ = IdentityMatrix;
  // Matrix times the visual base, before the device scale.
  TvxMatrix DrawingMatrix() const;

  // The drawing matrix of the shape whose visual fill is being painted.
  std::optional<TvxMatrix> visualBase_;
  float deviceScale_ = 1;
  bool paintingVisual_ = false;
  std::unique_ptr<TvxBrush> fill_;
  std::unique_ptr<TvxBrush> stroke_;
  float strokeThickness_ = 1;
  TvxStrokeCap strokeCap_ = vxCapFlat;
  TvxStrokeJoin strokeJoin_ = vxJoinMiter;
  TvxStrokeDash strokeDash_ = vxDashSolid;
  std::vector<float> dashArray_;
  float dashOffset_ = 0;
  std::unique_ptr<TvxFont> font_;
  TvxBitmap* bitmap_ = nullptr;
  bool buffered_ = false;
  TvxWindowHandle windowHandle_ = nullptr;
  TvxDeviceContext dc_ = nullptr;
  TvxColor* bits_ = nullptr;
  TvxSaveDataArray saved_;
  // Reused by the polygon, arc, outline and side operations so that they do not allocate per
  // call.
  TvxPathData scratch_;
  bool scratchBusy_ = false;
};
