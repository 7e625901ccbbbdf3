#include "scene/graphics/Effects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "scene/core/ValueText.h"
#include "scene/graphics/Bitmap.h"
#include "scene/graphics/StackBlur.h"

LC_PUBLISH(TvxShadowEffect) {
  p.Float("Distance", &TvxShadowEffect::Distance, &TvxShadowEffect::SetDistance, 3);
  p.Float("Direction", &TvxShadowEffect::Direction, &TvxShadowEffect::SetDirection, 45);
  p.Float("Softness", &TvxShadowEffect::Softness, &TvxShadowEffect::SetSoftness, 0.3f);
  p.Float("Opacity", &TvxShadowEffect::Opacity, &TvxShadowEffect::SetOpacity, 0.6f);
  p.String("ShadowColor", &TvxShadowEffect::ShadowColorText, &TvxShadowEffect::SetShadowColorText,
           "#FF000000");
}

LC_PUBLISH(TvxBlurEffect) {
  p.Float("Softness", &TvxBlurEffect::Softness, &TvxBlurEffect::SetSoftness, 0.3f);
}

LC_PUBLISH(TvxGlowEffect) {
  p.Float("Softness", &TvxGlowEffect::Softness, &TvxGlowEffect::SetSoftness, 0.4f);
  p.Float("Opacity", &TvxGlowEffect::Opacity, &TvxGlowEffect::SetOpacity, 0.9f);
  p.String("GlowColor", &TvxGlowEffect::GlowColorText, &TvxGlowEffect::SetGlowColorText,
           "#FFFFD700");
}

LC_PUBLISH(TvxInnerGlowEffect) {}

LC_PUBLISH(TvxBevelEffect) {
  p.Float("Direction", &TvxBevelEffect::Direction, &TvxBevelEffect::SetDirection, 45);
  p.Integer("Size", &TvxBevelEffect::Size, &TvxBevelEffect::SetSize, 10);
}

LC_PUBLISH(TvxReflectionEffect) {
  p.Float("Opacity", &TvxReflectionEffect::Opacity, &TvxReflectionEffect::SetOpacity, 0.5f);
  p.Integer("Offset", &TvxReflectionEffect::Offset, &TvxReflectionEffect::SetOffset);
  p.Float("Length", &TvxReflectionEffect::Length, &TvxReflectionEffect::SetLength, 0.5f);
}

void RegisterEffectClasses(std::vector<const TClassInfo*>& out) {
  out.insert(out.end(), {&TvxShadowEffect::StaticClass(), &TvxBlurEffect::StaticClass(),
                         &TvxGlowEffect::StaticClass(), &TvxInnerGlowEffect::StaticClass(),
                         &TvxBevelEffect::StaticClass(), &TvxReflectionEffect::StaticClass()});
}

namespace {

// NaN clamps to the low end.
float ClampTo(float value, float low, float high) {
  return value >= low ? std::min(value, high) : low;
}

// Whole pixels from a computed value; NaN and values beyond any bitmap are held in range.
int WholePixels(double value) {
  constexpr double kFar = 1 << 20;
  return value >= -kFar ? int(std::min(value, kFar)) : int(-kFar);
}

int Trunc(double value) {
  return WholePixels(std::trunc(value));
}

int Round(double value) {
  return WholePixels(RoundHalfEven(value));
}

double Radians(float degrees) {
  return double(degrees) * std::numbers::pi / 180;
}

// The exact product of the stored softness, truncated.
int SoftMargin(float softness, double factor) {
  return Trunc(double(softness) * factor);
}

// Blur radii are in the pixels of the bitmap, which holds the object at `scale` (its absolute
// scale times the screen's density): the blur grows with the margin it fills.
int HaloRadius(float softness, float scale) {
  return Trunc((double(softness) * 10 + 5) * double(scale));
}

int BlurRadius(float softness, float scale) {
  return Trunc(double(softness) * 15 * double(scale));
}

TvxRect Grown(TvxRect rect, float margin) {
  return InflateRect(rect, margin, margin);
}

// The object's silhouette in `color`, blurred, faded wherever the object itself lies once the
// result is drawn (its alpha mask moved by dx, dy).
void Halo(TvxBitmap& bitmap, TvxColor color, int radius, int dx, int dy) {
  const std::vector<uint8_t> mask = bitmap.CreateAlphaMask();
  bitmap.FillColor(color);
  StackBlur(bitmap, radius);
  bitmap.ApplyMask(mask, dx, dy);
}

template <class T, class Changed>
void Store(T& field, T value, Changed changed) {
  if (field == value) return;
  field = value;
  changed();
}

}  // namespace

// Shadow.

TvxShadowEffect::TvxShadowEffect(TComponent* owner) : TvxEffect(owner, Placement::Beneath) {}

int TvxShadowEffect::Margin() const {
  return SoftMargin(softness_, 20);
}

TvxPoint TvxShadowEffect::Shift() const {
  const double angle = Radians(direction_);
  return {float(distance_ * std::cos(angle)), float(distance_ * std::sin(angle))};
}

TvxRect TvxShadowEffect::GetRect(const TvxRect& rect) const {
  TvxRect r = Grown(rect, float(Margin()));
  const TvxPoint shift = Shift();
  return OffsetRect(r, shift.X, shift.Y);
}

TvxPoint TvxShadowEffect::GetOffset() const {
  return {float(Margin()), float(Margin())};
}

void TvxShadowEffect::ProcessEffect(TvxCanvas&, TvxBitmap& bitmap, float scale) {
  const TvxPoint shift = Shift();
  Halo(bitmap, ColorWithOpacity(shadowColor_, opacity_), HaloRadius(softness_, scale),
       -Round(double(scale) * shift.X), -Round(double(scale) * shift.Y));
}

void TvxShadowEffect::SetDistance(float value) {
  Store(distance_, value, [this] { Changed(); });
}

void TvxShadowEffect::SetDirection(float value) {
  Store(direction_, value, [this] { Changed(); });
}

void TvxShadowEffect::SetSoftness(float value) {
  Store(softness_, ClampTo(value, 0, 3), [this] { Changed(); });
}

void TvxShadowEffect::SetOpacity(float value) {
  Store(opacity_, ClampTo(value, 0, 1), [this] { Changed(); });
}

void TvxShadowEffect::SetShadowColor(TvxColor value) {
  Store(shadowColor_, value, [this] { Changed(); });
}

std::string TvxShadowEffect::ShadowColorText() const {
  return ColorToText(shadowColor_);
}

void TvxShadowEffect::SetShadowColorText(const std::string& text) {
  SetShadowColor(TextToColor(text));
}

// Blur.

TvxBlurEffect::TvxBlurEffect(TComponent* owner) : TvxEffect(owner, Placement::ReplacesObject) {}

int TvxBlurEffect::Margin() const {
  return SoftMargin(softness_, 20);
}

TvxRect TvxBlurEffect::GetRect(const TvxRect& rect) const {
  return Grown(rect, float(Margin()));
}

TvxPoint TvxBlurEffect::GetOffset() const {
  return {float(Margin()), float(Margin())};
}

void TvxBlurEffect::ProcessEffect(TvxCanvas&, TvxBitmap& bitmap, float scale) {
  if (softness_ > 0) StackBlur(bitmap, BlurRadius(softness_, scale));
}

void TvxBlurEffect::SetSoftness(float value) {
  Store(softness_, ClampTo(value, 0, 9), [this] { Changed(); });
}

// Glow.

TvxGlowEffect::TvxGlowEffect(TComponent* owner) : TvxGlowEffect(owner, Placement::Beneath) {}

TvxGlowEffect::TvxGlowEffect(TComponent* owner, Placement placement)
    : TvxEffect(owner, placement) {}

int TvxGlowEffect::Margin() const {
  return SoftMargin(softness_, 23) + 4;
}

TvxRect TvxGlowEffect::GetRect(const TvxRect& rect) const {
  return Grown(rect, float(Margin()));
}

TvxPoint TvxGlowEffect::GetOffset() const {
  return {float(Margin()), float(Margin())};
}

void TvxGlowEffect::ProcessEffect(TvxCanvas&, TvxBitmap& bitmap, float scale) {
  Halo(bitmap, ColorWithOpacity(glowColor_, opacity_), HaloRadius(softness_, scale), 0, 0);
}

void TvxGlowEffect::SetSoftness(float value) {
  Store(softness_, ClampTo(value, 0, 9), [this] { Changed(); });
}

void TvxGlowEffect::SetOpacity(float value) {
  Store(opacity_, ClampTo(value, 0, 1), [this] { Changed(); });
}

void TvxGlowEffect::SetGlowColor(TvxColor value) {
  Store(glowColor_, value, [this] { Changed(); });
}

std::string TvxGlowEffect::GlowColorText() const {
  return ColorToText(glowColor_);
}

void TvxGlowEffect::SetGlowColorText(const std::string& text) {
  SetGlowColor(TextToColor(text));
}

// Inner glow.

TvxInnerGlowEffect::TvxInnerGlowEffect(TComponent* owner)
    : TvxGlowEffect(owner, Placement::Above) {}

int TvxInnerGlowEffect::Margin() const {
  return SoftMargin(Softness(), 20);
}

void TvxInnerGlowEffect::ProcessEffect(TvxCanvas& canvas, TvxBitmap& bitmap, float scale) {
  bitmap.InvertAlpha();
  TvxGlowEffect::ProcessEffect(canvas, bitmap, scale);
}

// Bevel.

TvxBevelEffect::TvxBevelEffect(TComponent* owner) : TvxEffect(owner, Placement::ReplacesObject) {}

TvxRect TvxBevelEffect::GetRect(const TvxRect& rect) const {
  return Grown(rect, 5);
}

TvxPoint TvxBevelEffect::GetOffset() const {
  return {5, 5};
}

// The blurred alpha is a relief; each covered pixel is lit by the cosine between the light
// (cos Direction, 0, sin Direction) and the relief's normal (dx, 1, dy), taken from the
// alpha differences to the right and below.
void TvxBevelEffect::ProcessEffect(TvxCanvas&, TvxBitmap& bitmap, float scale) {
  if (size_ <= 0 || bitmap.IsEmpty()) return;
  const int width = bitmap.Width();
  const int height = bitmap.Height();
  std::vector<TvxColor> relief(bitmap.Pixels().begin(), bitmap.Pixels().end());
  StackBlur(relief, width, height, Trunc(double(size_) * double(scale)));
  const auto height01 = [&](int x, int y) {
    return ColorAlpha(relief[size_t(std::min(y, height - 1)) * size_t(width) +
                             size_t(std::min(x, width - 1))]) /
           255.0;
  };
  const double lx = std::cos(Radians(direction_));
  const double lz = std::sin(Radians(direction_));
  const double strength = 0.4 * size_;
  for (int y = 0; y < height; ++y) {
    TvxColor* row = bitmap.Scanline(y);
    for (int x = 0; x < width; ++x) {
      if (ColorAlpha(row[x]) == 0) continue;
      const double here = height01(x, y);
      const double dx = height01(x + 1, y) - here;
      const double dy = height01(x, y + 1) - here;
      const double cosine = (dx * lx + dy * lz) / std::sqrt(dx * dx + 1 + dy * dy);
      row[x] =
          PremultiplyColor(ChangeHSL(UnpremultiplyColor(row[x]), 0, 0, float(strength * cosine)));
    }
  }
  bitmap.Changed();
}

void TvxBevelEffect::SetDirection(float value) {
  Store(direction_, value, [this] { Changed(); });
}

void TvxBevelEffect::SetSize(int value) {
  Store(size_, value, [this] { Changed(); });
}

// Reflection.

TvxReflectionEffect::TvxReflectionEffect(TComponent* owner)
    : TvxEffect(owner, Placement::Beneath) {}

TvxRect TvxReflectionEffect::GetRect(const TvxRect& rect) const {
  TvxRect r = Grown(rect, 2);
  return OffsetRect(r, 0, RectHeight(rect) + float(offset_));
}

TvxPoint TvxReflectionEffect::GetOffset() const {
  return {2, 2};
}

// Rows fade from Opacity at the mirrored edge to Opacity / b at b rows from it; farther rows
// are cleared. Premultiplied pixels fade by scaling every channel.
void TvxReflectionEffect::ProcessEffect(TvxCanvas&, TvxBitmap& bitmap, float) {
  bitmap.FlipVertical();
  const int rows = Round((bitmap.Height() - 1) * double(length_));
  for (int y = 0; y < bitmap.Height(); ++y) {
    const double fade = y < rows ? std::clamp(double(opacity_) * (rows - y) / rows, 0.0, 1.0) : 0.0;
    TvxColor* row = bitmap.Scanline(y);
    for (int x = 0; x < bitmap.Width(); ++x) {
      TvxColor faded = 0;
      for (int shift = 0; shift < 32; shift += 8)
        faded |= TvxColor(((row[x] >> shift) & 0xFF) * fade) << shift;
      row[x] = faded;
    }
  }
  bitmap.Changed();
}

void TvxReflectionEffect::SetOpacity(float value) {
  Store(opacity_, value, [this] { Changed(); });
}

void TvxReflectionEffect::SetOffset(int value) {
  Store(offset_, value, [this] { Changed(); });
}

void TvxReflectionEffect::SetLength(float value) {
  Store(length_, ClampTo(value, 0.1f, 1), [this] { Changed(); });
}
