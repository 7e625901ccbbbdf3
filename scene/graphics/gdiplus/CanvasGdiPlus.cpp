#include "scene/graphics/gdiplus/CanvasGdiPlus.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/component/Unicode.h"
#include "platform/win32/WideText.h"
#include "scene/graphics/PathSegments.h"
#include "scene/graphics/gdiplus/GdiPlusBitmapImage.h"
#include "scene/graphics/gdiplus/GdiPlusFontSubstitution.h"
#include "scene/graphics/gdiplus/GdiPlusPaint.h"
#include "scene/graphics/gdiplus/GdiPlusPaths.h"

using namespace Gdiplus;

namespace {

Matrix ToGdiPlus(const TvxMatrix& m) {
  return Matrix(m.m11, m.m12, m.m21, m.m22, m.m31, m.m32);
}

// Left, top, width, height; empty when the rectangle is inverted or not a number.
RectF ToGdiPlus(const TvxRect& r) {
  const float width = RectWidth(r);
  const float height = RectHeight(r);
  if (!(width >= 0 && height >= 0)) return RectF();
  return RectF(r.Left, r.Top, width, height);
}

// A coordinate as a pixel index within [low, high]; NaN counts as `low`.
int PixelIndex(double value, int low, int high) {
  if (!(value >= low)) return low;
  if (value >= high) return high;
  return int(value);
}

bool HasFraction(float value) {
  return value != std::trunc(value);
}

INT StyleOf(TvxFontStyle style) {
  switch (style) {
    case vxFontBold:
      return FontStyleBold;
    case vxFontItalic:
      return FontStyleItalic;
    case vxFontBoldItalic:
      return FontStyleBoldItalic;
    case vxFontUnderline:
      return FontStyleUnderline;
    case vxFontStrikeout:
      return FontStyleStrikeout;
    default:
      return FontStyleRegular;
  }
}

// Sets a graphics setting for the scope and puts the old value back.
template <class Value, class Get, class Set>
class TSettingGuard {
 public:
  TSettingGuard(Graphics& graphics, Value value, Get get, Set set)
      : graphics_(graphics), old_((graphics.*get)()), set_(set) {
    (graphics_.*set_)(value);
  }
  ~TSettingGuard() { (graphics_.*set_)(old_); }
  TSettingGuard(const TSettingGuard&) = delete;
  TSettingGuard& operator=(const TSettingGuard&) = delete;

 private:
  Graphics& graphics_;
  Value old_;
  Set set_;
};

auto HintGuard(Graphics& graphics, TextRenderingHint hint) {
  return TSettingGuard<TextRenderingHint, decltype(&Graphics::GetTextRenderingHint),
                       decltype(&Graphics::SetTextRenderingHint)>(
      graphics, hint, &Graphics::GetTextRenderingHint, &Graphics::SetTextRenderingHint);
}

auto InterpolationGuard(Graphics& graphics, InterpolationMode mode) {
  return TSettingGuard<InterpolationMode, decltype(&Graphics::GetInterpolationMode),
                       decltype(&Graphics::SetInterpolationMode)>(
      graphics, mode, &Graphics::GetInterpolationMode, &Graphics::SetInterpolationMode);
}

void Configure(Graphics& graphics) {
  graphics.SetSmoothingMode(SmoothingModeAntiAlias);
  graphics.SetInterpolationMode(InterpolationModeHighQualityBicubic);
  graphics.SetPixelOffsetMode(PixelOffsetModeHalf);
  graphics.SetCompositingMode(CompositingModeSourceOver);
  graphics.SetTextRenderingHint(TextRenderingHintAntiAlias);
}

// Measuring without a surface of its own.
Graphics& MeasureGraphics() {
  static Bitmap device(1, 1, PixelFormat32bppARGB);
  static Graphics graphics(&device);
  static const bool configured = (Configure(graphics), true);
  (void)configured;
  return graphics;
}

// Edge pixels repeat instead of fading into the transparent outside when scaling smoothly.
std::unique_ptr<ImageAttributes> SamplingAttributes(float opacity) {
  std::unique_ptr<ImageAttributes> attributes = TvxGdiPlusPaint::Fading(opacity);
  if (!attributes) attributes = std::make_unique<ImageAttributes>();
  attributes->SetWrapMode(WrapModeTileFlipXY);
  return attributes;
}

}  // namespace

TvxCanvasGdiPlus::TvxCanvasGdiPlus(int width, int height) {
  ResizeBuffer(width, height);
}

TvxCanvasGdiPlus::TvxCanvasGdiPlus(TvxBitmap& bitmap) : TvxCanvas(bitmap) {
  Graphics();
}

TvxCanvasGdiPlus::~TvxCanvasGdiPlus() {
  End();
}

// ---- surface -------------------------------------------------------------------------------

void TvxCanvasGdiPlus::Begin(TvxColor* bits, int width, int height) {
  surface_ = std::make_unique<Gdiplus::Bitmap>(width, height, width * 4, PixelFormat32bppPARGB,
                                               reinterpret_cast<BYTE*>(bits));
  if (surface_->GetLastStatus() != Ok) {
    surface_.reset();
    return;
  }
  graphics_ = std::make_unique<Gdiplus::Graphics>(surface_.get());
  if (graphics_->GetLastStatus() != Ok) {
    End();
    return;
  }
  Configure(*graphics_);
  const Gdiplus::Matrix transform = ToGdiPlus(DeviceMatrix());
  graphics_->SetTransform(&transform);
  surfaceBits_ = bits;
  states_.clear();
}

void TvxCanvasGdiPlus::End() {
  graphics_.reset();
  surface_.reset();
  surfaceBits_ = nullptr;
  states_.clear();
}

Gdiplus::Graphics* TvxCanvasGdiPlus::Graphics() {
  if (!Buffered() && Bitmap()) {
    TvxBitmap& bitmap = *Bitmap();
    if (bitmap.IsEmpty()) {
      End();
      return nullptr;
    }
    if (!graphics_ || surfaceBits_ != bitmap.Pixels().data() ||
        int(surface_->GetWidth()) != bitmap.Width() ||
        int(surface_->GetHeight()) != bitmap.Height()) {
      End();
      SetSize(bitmap.Width(), bitmap.Height());
      Begin(bitmap.Pixels().data(), bitmap.Width(), bitmap.Height());
    }
  }
  return graphics_.get();
}

std::span<TvxColor> TvxCanvasGdiPlus::Surface() {
  if (!Graphics()) return {};
  return {const_cast<TvxColor*>(surfaceBits_), size_t(Width()) * size_t(Height())};
}

void TvxCanvasGdiPlus::OnFreeBuffer() {
  End();
  if (Buffered()) {
    buffer_.reset();
    SetBuffer(nullptr, nullptr);
  }
}

void TvxCanvasGdiPlus::OnResizeBuffer(int width, int height) {
  if (width == Width() && height == Height() && graphics_) return;
  FreeBuffer();
  SetSize(width, height);
  if (!Buffered()) {
    Graphics();
    return;
  }
  buffer_ = std::make_unique<TvxGdiPlusBuffer>(width, height);
  Begin(buffer_->Bits(), width, height);
  SetBuffer(buffer_->DC(), buffer_->Bits());
}

void TvxCanvasGdiPlus::OnFlushBufferRect(int x, int y, TvxDeviceContext dc, const TvxRect& rect) {
  if (!Buffered() || !buffer_ || !graphics_) return;
  graphics_->Flush(FlushIntentionSync);
  GdiFlush();
  const int left = PixelIndex(rect.Left, 0, Width());
  const int top = PixelIndex(rect.Top, 0, Height());
  const int right = PixelIndex(std::trunc(rect.Right) + 1, left, Width());
  const int bottom = PixelIndex(std::trunc(rect.Bottom) + 1, top, Height());
  BitBlt(static_cast<HDC>(dc), x + left, y + top, right - left, bottom - top, buffer_->DC(), left,
         top, SRCCOPY);
}

void TvxCanvasGdiPlus::OnClear(TvxColor color) {
  const std::span<TvxColor> pixels = Surface();
  std::fill(pixels.begin(), pixels.end(), PremultiplyColor(color));
}

// Writes the colour value as it is, ignoring matrix and clip.
void TvxCanvasGdiPlus::OnClearRect(const TvxRect& rect, TvxColor color) {
  const std::span<TvxColor> pixels = Surface();
  if (pixels.empty()) return;
  const int left = PixelIndex(rect.Left, 0, Width());
  const int top = PixelIndex(rect.Top, 0, Height());
  const int right = PixelIndex(RoundHalfEven(rect.Right), left, Width());
  const int bottom = PixelIndex(RoundHalfEven(rect.Bottom), top, Height());
  for (int y = top; y < bottom; ++y) {
    auto row = pixels.begin() + ptrdiff_t(y) * Width();
    std::fill(row + left, row + right, color);
  }
}

// ---- transform, state and clip ---------------------------------------------------------------

void TvxCanvasGdiPlus::OnSetMatrix(const TvxMatrix& matrix) {
  const Gdiplus::Matrix transform = ToGdiPlus(matrix);
  if (Gdiplus::Graphics* g = Graphics()) g->SetTransform(&transform);
}

void TvxCanvasGdiPlus::OnMultiplyMatrix(const TvxMatrix& matrix) {
  const Gdiplus::Matrix transform = ToGdiPlus(matrix);
  if (Gdiplus::Graphics* g = Graphics()) g->MultiplyTransform(&transform, MatrixOrderPrepend);
}

int TvxCanvasGdiPlus::OnSaveState() {
  Gdiplus::Graphics* g = Graphics();
  if (!g) return -1;
  states_.push_back(g->Save());
  return int(states_.size()) - 1;
}

// Restoring a state also drops every state saved after it, as GDI+ does.
void TvxCanvasGdiPlus::OnRestoreState(int state) {
  Gdiplus::Graphics* g = Graphics();
  if (!g || state < 0 || state >= int(states_.size())) return;
  g->Restore(states_[state]);
  states_.resize(state);
}

void TvxCanvasGdiPlus::OnSetClipRects(std::span<const TvxRect> rects) {
  Gdiplus::Graphics* g = Graphics();
  if (!g) return;
  Region area;
  area.MakeEmpty();
  for (const TvxRect& r : rects) area.Union(ToGdiPlus(r));
  g->SetClip(&area, CombineModeReplace);
}

void TvxCanvasGdiPlus::OnIntersectClipRect(const TvxRect& rect) {
  if (Gdiplus::Graphics* g = Graphics()) g->SetClip(ToGdiPlus(rect), CombineModeIntersect);
}

void TvxCanvasGdiPlus::OnExcludeClipRect(const TvxRect& rect) {
  if (Gdiplus::Graphics* g = Graphics()) g->SetClip(ToGdiPlus(rect), CombineModeExclude);
}

void TvxCanvasGdiPlus::OnResetClipRect() {
  if (Gdiplus::Graphics* g = Graphics()) g->ResetClip();
}

void TvxCanvasGdiPlus::OnIntersectClipPath(const TvxPathData& path, const TvxRect& rect) {
  Gdiplus::Graphics* g = Graphics();
  if (!g) return;
  GraphicsPath area;
  TvxGdiPlusPaths::Append(path, TvxGdiPlusPaths::FitMapping(path, rect), area);
  g->SetClip(&area, CombineModeIntersect);
}

// ---- brushes ---------------------------------------------------------------------------------

std::unique_ptr<Brush> TvxCanvasGdiPlus::FillBrush(const TvxRect& r, float opacity) const {
  return TvxGdiPlusPaint::FillBrush(TvxCanvas::Fill(), r, opacity, StrokeThickness());
}

std::unique_ptr<Pen> TvxCanvasGdiPlus::StrokePen(const TvxRect& r, float opacity) const {
  const auto brush = TvxGdiPlusPaint::StrokeBrush(TvxCanvas::Stroke(), r, opacity);
  const TvxGdiPlusPenStyle style{StrokeThickness(), StrokeCap(), StrokeJoin(), DashArray(),
                                 DashOffset()};
  return TvxGdiPlusPaint::Pen(*brush, style);
}

void TvxCanvasGdiPlus::FillArea(const GraphicsPath& path, const TvxRect& r, float opacity) {
  graphics_->FillPath(FillBrush(r, opacity).get(), &path);
}

void TvxCanvasGdiPlus::StrokeArea(const GraphicsPath& path, const TvxRect& r, float opacity) {
  graphics_->DrawPath(StrokePen(r, opacity).get(), &path);
}

// ---- shapes ----------------------------------------------------------------------------------

void TvxCanvasGdiPlus::OnDrawLine(const TvxPoint& p1, const TvxPoint& p2, float opacity) {
  if (!Graphics()) return;
  graphics_->DrawLine(StrokePen(RectOf(p1.X, p1.Y, p2.X, p2.Y), opacity).get(), p1.X, p1.Y, p2.X,
                      p2.Y);
}

void TvxCanvasGdiPlus::OnFillRect(const TvxRect& rect, float opacity) {
  if (!Graphics()) return;
  graphics_->FillRectangle(FillBrush(rect, opacity).get(), ToGdiPlus(rect));
}

void TvxCanvasGdiPlus::OnDrawRect(const TvxRect& rect, float opacity) {
  if (!Graphics()) return;
  graphics_->DrawRectangle(StrokePen(rect, opacity).get(), ToGdiPlus(rect));
}

void TvxCanvasGdiPlus::OnDrawOutline(const TvxPathData& outline, const TvxRect& rect,
                                     float opacity) {
  if (!Graphics()) return;
  GraphicsPath path;
  TvxGdiPlusPaths::Append(outline, TvxGdiPlusPaths::Identity(), path);
  StrokeArea(path, rect, opacity);
}

void TvxCanvasGdiPlus::OnFillEllipse(const TvxRect& rect, float opacity) {
  if (!Graphics()) return;
  graphics_->FillEllipse(FillBrush(rect, opacity).get(), ToGdiPlus(rect));
}

void TvxCanvasGdiPlus::OnDrawEllipse(const TvxRect& rect, float opacity) {
  if (!Graphics()) return;
  graphics_->DrawEllipse(StrokePen(rect, opacity).get(), ToGdiPlus(rect));
}

bool TvxCanvasGdiPlus::OnPtInPath(const TvxPoint& point, const TvxRect& rect,
                                  const TvxPathData& path) {
  GraphicsPath area;
  TvxGdiPlusPaths::Append(path, TvxGdiPlusPaths::FitMapping(path, rect), area);
  return area.IsVisible(point.X, point.Y);
}

void TvxCanvasGdiPlus::OnFillPath(const TvxPathData& path, const TvxRect& rect, float opacity) {
  if (!Graphics()) return;
  GraphicsPath area;
  TvxGdiPlusPaths::Append(path, TvxGdiPlusPaths::FitMapping(path, rect), area);
  FillArea(area, rect, opacity);
}

// Segment by segment, so every segment gets the pen's caps and none is joined to the next.
void TvxCanvasGdiPlus::OnDrawPath(const TvxPathData& path, const TvxRect& rect, float opacity) {
  if (!Graphics()) return;
  const auto pen = StrokePen(path.GetBounds(), opacity);
  ForEachPathSegment<Gdiplus::PointF>(path, TvxGdiPlusPaths::FitMapping(path, rect),
                                      [this, &pen](const TvxPathSegment<Gdiplus::PointF>& s) {
                                        if (s.curve) {
                                          graphics_->DrawBezier(pen.get(), s.from, s.c1, s.c2,
                                                                s.to);
                                        } else {
                                          graphics_->DrawLine(pen.get(), s.from, s.to);
                                        }
                                      });
}

void TvxCanvasGdiPlus::OnDrawBitmap(TvxBitmap& bitmap, const TvxRect& srcRect,
                                    const TvxRect& dstRect, float opacity, bool highSpeed) {
  if (!Graphics()) return;
  Gdiplus::Bitmap* image = TvxGdiPlusBitmapImage::Of(bitmap);
  if (!image) return;
  const auto sampling =
      InterpolationGuard(*graphics_, highSpeed ? InterpolationModeNearestNeighbor
                                               : InterpolationModeHighQualityBicubic);
  const RectF source = ToGdiPlus(srcRect);
  graphics_->DrawImage(image, ToGdiPlus(dstRect), source.X, source.Y, source.Width, source.Height,
                       UnitPixel, SamplingAttributes(opacity).get());
}

void TvxCanvasGdiPlus::OnDrawThumbnail(TvxBitmap& bitmap, float width, float /*height*/) {
  if (!Graphics()) return;
  Gdiplus::Bitmap* image = TvxGdiPlusBitmapImage::Of(bitmap);
  if (!image) return;
  const REAL scale = width / REAL(bitmap.Width());
  const GraphicsState state = graphics_->Save();
  graphics_->ScaleTransform(scale, scale);
  const RectF whole(0, 0, REAL(bitmap.Width()), REAL(bitmap.Height()));
  graphics_->DrawImage(image, whole, 0, 0, whole.Width, whole.Height, UnitPixel,
                       SamplingAttributes(1).get());
  graphics_->Restore(state);
}

// ---- text ------------------------------------------------------------------------------------

void TvxCanvasGdiPlus::OnFontChanged() {
  face_ = {};
}

std::wstring TvxCanvasGdiPlus::FaceFor(const std::u16string& text) {
  return TvxGdiPlusFontSubstitution::Face(TvxCanvas::Font().Family(), text);
}

const TvxCanvasGdiPlus::TextFace& TvxCanvasGdiPlus::Face(const std::u16string& text) {
  const std::wstring name = FaceFor(text);
  if (!face_.font || face_.name != name) face_ = MakeFace(name);
  return face_;
}

// A family loaded into the private fonts under the Font's name comes first.
TvxCanvasGdiPlus::TextFace TvxCanvasGdiPlus::MakeFace(const std::wstring& name) const {
  const TvxFont& font = TvxCanvas::Font();
  TextFace face{name, nullptr, StyleOf(font.Style()), nullptr};
  if (privateFonts_) {
    const std::wstring own = Widen(font.Family());
    auto loaded = std::make_unique<FontFamily>(own.c_str(), privateFonts_.get());
    if (loaded->GetLastStatus() == Ok) face.family = std::move(loaded);
  }
  if (!face.family) {
    face.family = std::make_unique<FontFamily>(name.c_str());
    if (face.family->GetLastStatus() != Ok) {
      face.family.reset(FontFamily::GenericSansSerif()->Clone());
    }
  }
  if (TvxGdiPlusFontSubstitution::ForcesBold(font.Family())) face.style |= FontStyleBold;
  if (!face.family->IsStyleAvailable(face.style)) {
    for (INT offered : {FontStyleRegular, FontStyleBold, FontStyleItalic, FontStyleBoldItalic,
                        FontStyleUnderline, FontStyleStrikeout}) {
      if (face.family->IsStyleAvailable(offered)) {
        face.style = offered;
        break;
      }
    }
  }
  const float size = font.Size();
  face.font = std::make_unique<Gdiplus::Font>(face.family.get(), size > 0 ? size : 1, face.style,
                                              UnitPixel);
  return face;
}

TextRenderingHint TvxCanvasGdiPlus::TextHint() const {
  const TvxMatrix m = DeviceMatrix();
  if (HasFraction(m.m11) || HasFraction(m.m22)) return TextRenderingHintAntiAlias;
  return TvxCanvas::Font().ClearType() ? TextRenderingHintAntiAliasGridFit
                                       : TextRenderingHintAntiAlias;
}

TvxGdiPlusTextLayout TvxCanvasGdiPlus::Layout(const TvxRect& rect, bool wordWrap,
                                              TvxTextAlign horzAlign,
                                              TvxTextAlign vertAlign) const {
  return {
      RectF(rect.Left, rect.Top, std::max(RectWidth(rect), 0.0f), std::max(RectHeight(rect), 0.0f)),
      wordWrap, horzAlign, vertAlign};
}

void TvxCanvasGdiPlus::OnLoadFontFromStream(TMemoryStream& stream) {
  const auto bytes = stream.Remaining();
  if (bytes.empty()) return;
  if (!privateFonts_) privateFonts_ = std::make_unique<PrivateFontCollection>();
  std::vector<BYTE>& data = privateFontData_.emplace_back(bytes.begin(), bytes.end());
  if (privateFonts_->AddMemoryFont(data.data(), INT(data.size())) != Ok) {
    privateFontData_.pop_back();
    return;
  }
  face_ = {};
}

void TvxCanvasGdiPlus::OnFillText(const TvxRect& rect, const std::u16string& text, bool wordWrap,
                                  float opacity, TvxTextAlign horzAlign, TvxTextAlign vertAlign) {
  if (!Graphics()) return;
  const TextFace& face = Face(text);
  const auto hint = HintGuard(*graphics_, TextHint());
  TvxGdiPlusText::Draw(*graphics_, *face.font, *FillBrush(rect, opacity),
                       Layout(rect, wordWrap, horzAlign, vertAlign), WidenU16(text));
}

void TvxCanvasGdiPlus::OnMeasureText(TvxRect& rect, const std::u16string& text, bool wordWrap,
                                     TvxTextAlign horzAlign, TvxTextAlign vertAlign) {
  Gdiplus::Graphics& graphics = Graphics() ? *graphics_ : MeasureGraphics();
  const TextFace& face = Face(text);
  const auto hint = HintGuard(graphics, TextHint());
  const RectF box = TvxGdiPlusText::Measure(
      graphics, *face.font, Layout(rect, wordWrap, horzAlign, vertAlign), WidenU16(text));
  rect = RectOf(box.X, box.Y, box.GetRight(), box.GetBottom());
}

bool TvxCanvasGdiPlus::OnTextToPath(TvxPathData& path, const TvxRect& rect,
                                    const std::u16string& text, bool wordWrap,
                                    TvxTextAlign horzAlign, TvxTextAlign vertAlign) {
  const TextFace& face = Face(text);
  GraphicsPath outline;
  if (!TvxGdiPlusText::Outline(Graphics() ? *graphics_ : MeasureGraphics(), *face.font,
                               *face.family, face.style, face.font->GetSize(),
                               Layout(rect, wordWrap, horzAlign, vertAlign), WidenU16(text),
                               outline)) {
    return false;
  }
  path.Clear();
  TvxGdiPlusPaths::AppendToPathData(outline, path);
  return true;
}
