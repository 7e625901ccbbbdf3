#pragma once

// Soft-edged rectangles: the shape is drawn inset by its blur radius into a cached bitmap,
// blurred, and the bitmap is drawn over the object. The cache is rebuilt only when the size
// or the look changes.

#include <functional>
#include <memory>

#include "scene/graphics/Rectangles.h"

class TvxBitmap;

// The blurred image of one shape. Drawn at full opacity: the object's opacity applies when
// the image is drawn, so that a change of opacity needs no rebuild.
class TvxBlurCache {
 public:
  TvxBlurCache();
  ~TvxBlurCache();
  TvxBlurCache(const TvxBlurCache&) = delete;
  TvxBlurCache& operator=(const TvxBlurCache&) = delete;

  void Invalidate() { stale_ = true; }
  // Draws the cached image of `shape` into its local rectangle, first rebuilding it when
  // stale or sized differently: `drawInner` draws the shape into the inset rectangle on the
  // bitmap's canvas, whose brushes and pen are the shape's.
  void Paint(TvxShape& shape, float softness,
             const std::function<void(TvxCanvas&, const TvxRect& inner)>& drawInner);
  // The blur radius of a softness: 0.3 blurs by 4 pixels.
  static int BlurRadius(float softness);

 private:
  void Rebuild(const TvxShape& shape, int radius,
               const std::function<void(TvxCanvas&, const TvxRect& inner)>& drawInner);

  std::unique_ptr<TvxBitmap> bitmap_;
  bool stale_ = true;
};

// The softness and the cached blur shared by the soft-edged shapes, which only say how their
// shape is drawn into the inset rectangle.
template <class Base>
class TvxBlurred : public Base {
 public:
  float Softness() const { return softness_; }
  void SetSoftness(float value) {
    if (value == softness_) return;
    softness_ = value;
    ShapeChanged();
  }

  void Paint() override {
    cache_.Paint(*this, softness_,
                 [this](TvxCanvas& canvas, const TvxRect& inner) { DrawInner(canvas, inner); });
  }

 protected:
  using Base::Base;

  virtual void DrawInner(TvxCanvas& canvas, const TvxRect& inner) = 0;
  void ShapeChanged() override {
    cache_.Invalidate();
    Base::ShapeChanged();
  }
  // The cached blur holds the colours too.
  void ColoursChanged() override { ShapeChanged(); }

 private:
  float softness_ = 0.3f;
  TvxBlurCache cache_;
};

class TvxBlurRectangle : public TvxBlurred<TvxRectangle> {
  LC_CLASS(TvxBlurRectangle, TvxRectangle)

 public:
  explicit TvxBlurRectangle(TComponent* owner);

 protected:
  void DrawInner(TvxCanvas& canvas, const TvxRect& inner) override;
};

class TvxBlurRoundRect : public TvxBlurred<TvxRoundRect> {
  LC_CLASS(TvxBlurRoundRect, TvxRoundRect)

 public:
  explicit TvxBlurRoundRect(TComponent* owner);

 protected:
  void DrawInner(TvxCanvas& canvas, const TvxRect& inner) override;
};
