#pragma once

// The concrete effects: drop shadow, blur, outer and inner glow, bevel and reflection. Each
// gives the area its result covers (the object's rectangle grown by a margin, and moved for
// shadows and reflections), where the object lies inside the effect bitmap, and how that
// bitmap is turned into the result.

#include <string>
#include <vector>

#include "scene/core/Color.h"
#include "scene/graphics/Effect.h"

class TvxShadowEffect : public TvxEffect {
  LC_CLASS(TvxShadowEffect, TvxEffect)

 public:
  explicit TvxShadowEffect(TComponent* owner);

  TvxRect GetRect(const TvxRect& rect) const override;
  TvxPoint GetOffset() const override;
  // The object's silhouette in the shadow colour, blurred, minus where the object will lie.
  void ProcessEffect(TvxCanvas& canvas, TvxBitmap& bitmap, float scale) override;
  bool ReadsAlphaOnly() const override { return true; }

  float Distance() const { return distance_; }
  void SetDistance(float value);
  // Degrees; 0 casts to the right, 90 down.
  float Direction() const { return direction_; }
  void SetDirection(float value);
  // Clamped to 0..3.
  float Softness() const { return softness_; }
  void SetSoftness(float value);
  // Clamped to 0..1.
  float Opacity() const { return opacity_; }
  void SetOpacity(float value);
  TvxColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(TvxColor value);
  std::string ShadowColorText() const;
  void SetShadowColorText(const std::string& text);

 private:
  int Margin() const;
  // Where the shadow lies relative to the object.
  TvxPoint Shift() const;

  float distance_ = 3;
  float direction_ = 45;
  float softness_ = 0.3f;
  float opacity_ = 0.6f;
  TvxColor shadowColor_ = 0xFF000000;
};

class TvxBlurEffect : public TvxEffect {
  LC_CLASS(TvxBlurEffect, TvxEffect)

 public:
  explicit TvxBlurEffect(TComponent* owner);

  TvxRect GetRect(const TvxRect& rect) const override;
  TvxPoint GetOffset() const override;
  void ProcessEffect(TvxCanvas& canvas, TvxBitmap& bitmap, float scale) override;

  // Clamped to 0..9.
  float Softness() const { return softness_; }
  void SetSoftness(float value);

 private:
  int Margin() const;

  float softness_ = 0.3f;
};

class TvxGlowEffect : public TvxEffect {
  LC_CLASS(TvxGlowEffect, TvxEffect)

 public:
  explicit TvxGlowEffect(TComponent* owner);

  TvxRect GetRect(const TvxRect& rect) const override;
  TvxPoint GetOffset() const override;
  // A blurred halo in the glow colour around the object, nothing where the object lies.
  void ProcessEffect(TvxCanvas& canvas, TvxBitmap& bitmap, float scale) override;
  bool ReadsAlphaOnly() const override { return true; }

  // Clamped to 0..9.
  float Softness() const { return softness_; }
  void SetSoftness(float value);
  // Clamped to 0..1.
  float Opacity() const { return opacity_; }
  void SetOpacity(float value);
  TvxColor GlowColor() const { return glowColor_; }
  void SetGlowColor(TvxColor value);
  std::string GlowColorText() const;
  void SetGlowColorText(const std::string& text);

 protected:
  TvxGlowEffect(TComponent* owner, Placement placement);
  virtual int Margin() const;

 private:
  float softness_ = 0.4f;
  float opacity_ = 0.9f;
  TvxColor glowColor_ = 0xFFFFD700;
};

class TvxInnerGlowEffect : public TvxGlowEffect {
  LC_CLASS(TvxInnerGlowEffect, TvxGlowEffect)

 public:
  explicit TvxInnerGlowEffect(TComponent* owner);

  // The halo of the object's outside, kept only inside the object.
  void ProcessEffect(TvxCanvas& canvas, TvxBitmap& bitmap, float scale) override;

 protected:
  int Margin() const override;
};

class TvxBevelEffect : public TvxEffect {
  LC_CLASS(TvxBevelEffect, TvxEffect)

 public:
  explicit TvxBevelEffect(TComponent* owner);

  TvxRect GetRect(const TvxRect& rect) const override;
  TvxPoint GetOffset() const override;
  // Lightens and darkens the object's edges as if lit from Direction.
  void ProcessEffect(TvxCanvas& canvas, TvxBitmap& bitmap, float scale) override;

  float Direction() const { return direction_; }
  void SetDirection(float value);
  int Size() const { return size_; }
  void SetSize(int value);

 private:
  float direction_ = 45;
  int size_ = 10;
};

class TvxReflectionEffect : public TvxEffect {
  LC_CLASS(TvxReflectionEffect, TvxEffect)

 public:
  explicit TvxReflectionEffect(TComponent* owner);

  TvxRect GetRect(const TvxRect& rect) const override;
  TvxPoint GetOffset() const override;
  // The object upside down, fading out with the distance from its mirrored edge.
  void ProcessEffect(TvxCanvas& canvas, TvxBitmap& bitmap, float scale) override;

  float Opacity() const { return opacity_; }
  void SetOpacity(float value);
  // The gap between the object and its reflection.
  int Offset() const { return offset_; }
  void SetOffset(int value);
  // The share of the object's height reflected; clamped to 0.1..1.
  float Length() const { return length_; }
  void SetLength(float value);

 private:
  float opacity_ = 0.5f;
  int offset_ = 0;
  float length_ = 0.5f;
};

void RegisterEffectClasses(std::vector<const TClassInfo*>& out);
