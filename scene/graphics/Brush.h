#pragma once

// Paint descriptions: a brush with its gradient, bitmap, resource and visual sources. Each
// sub-object belongs to its brush and reports changes through the brush's OnChange; setters
// notify only on a real change so that owners repaint only when something differs.

#include <memory>
#include <string>

#include "platform/component/Collection.h"
#include "platform/component/Publisher.h"
#include "scene/core/Color.h"
#include "scene/core/Object.h"
#include "scene/core/Position.h"
#include "scene/core/ResourceLink.h"
#include "scene/core/Transform.h"
#include "scene/core/Visual.h"
#include "scene/graphics/Bitmap.h"
#include "scene/graphics/GraphicsTypes.h"

class TvxBrush;
class TvxBrushObject;

class TvxGradientPoint : public TCollectionItem {
  LC_CLASS(TvxGradientPoint, TCollectionItem)

 public:
  using TCollectionItem::TCollectionItem;

  TvxColor Color() const { return color_; }
  void SetColor(TvxColor value);
  float Offset() const { return offset_; }
  void SetOffset(float value);
  // The colour as form text.
  std::string ColorText() const;
  void SetColorText(const std::string& text);

 private:
  TvxColor color_ = 0;
  float offset_ = 0;
};

class TvxGradientPoints : public TCollection {
  LC_CLASS(TvxGradientPoints, TCollection)

 public:
  TvxGradientPoints();

  TvxGradientPoint* Point(int index) const;
  TvxGradientPoint* AddPoint(TvxColor color, float offset);

  // A change of any point or of the list.
  TNotifyEvent OnChange;

 protected:
  void Update(TCollectionItem*) override { OnChange(this); }
};

class TvxGradient : public TPersistent {
  LC_CLASS(TvxGradient, TPersistent)

 public:
  // Top to bottom, from opaque black at 0 to opaque white at 1.
  TvxGradient();
  TvxGradient(const TvxGradient&) = delete;
  TvxGradient& operator=(const TvxGradient&) = delete;

  TvxGradientPoints* Points() const { return &points_; }
  TvxGradientStyle Style() const { return style_; }
  void SetStyle(TvxGradientStyle value);
  // Fractions of the filled rectangle (linear gradients).
  TvxPosition* StartPosition() const { return &startPosition_; }
  TvxPosition* StopPosition() const { return &stopPosition_; }
  TvxTransform* RadialTransform() const { return &radialTransform_; }

  // The colour at an offset in 0..1, points taken in collection order; 0 with fewer than
  // two points.
  TvxColor GradientColorAt(float offset) const;
  void Assign(const TPersistent& source) override;
  // Stored rules: the positions for linear gradients, the transform for radial ones.
  bool IsLinear() const { return style_ == vxLinearGradient; }
  bool IsRadial() const { return style_ == vxRadialGradient; }

  TNotifyEvent OnChange;

 private:
  void Changed();

  mutable TvxGradientPoints points_;
  TvxGradientStyle style_ = vxLinearGradient;
  mutable TvxPosition startPosition_{{0, 0}};
  mutable TvxPosition stopPosition_{{0, 1}};
  mutable TvxTransform radialTransform_;
  bool assigning_ = false;
};

class TvxBrushBitmap : public TPersistent {
  LC_CLASS(TvxBrushBitmap, TPersistent)

 public:
  TvxBrushBitmap();
  TvxBrushBitmap(const TvxBrushBitmap&) = delete;
  TvxBrushBitmap& operator=(const TvxBrushBitmap&) = delete;

  TvxBitmap* Bitmap() const { return &bitmap_; }
  TvxWrapMode WrapMode() const { return wrapMode_; }
  void SetWrapMode(TvxWrapMode value);
  void Assign(const TPersistent& source) override;

  TNotifyEvent OnChange;

 private:
  mutable TvxBitmap bitmap_;
  TvxWrapMode wrapMode_ = vxWrapTile;
};

// A brush taken from a named brush resource.
class TvxBrushResource : public TPersistent {
  LC_CLASS(TvxBrushResource, TPersistent)

 public:
  TvxBrushResource() = default;
  TvxBrushResource(const TvxBrushResource&) = delete;
  TvxBrushResource& operator=(const TvxBrushResource&) = delete;

  // Binds to the resource of ResourceName on first need.
  TvxBrushObject* Resource() const { return link_.Get(); }
  // Also takes the resource's name.
  void SetResource(TvxBrushObject* resource);
  const std::string& ResourceName() const { return link_.Name(); }
  void SetResourceName(const std::string& name);
  // The resource's brush, or null.
  TvxBrush* Brush() const;
  void Assign(const TPersistent& source) override;

  TNotifyEvent OnChange;

 private:
  TvxResourceLink<TvxBrushObject> link_;
};

class TvxBrush : public TPersistent {
  LC_CLASS(TvxBrush, TPersistent)

 public:
  TvxBrush(TvxBrushStyle defaultStyle, TvxColor defaultColor);
  TvxBrush(const TvxBrush&) = delete;
  TvxBrush& operator=(const TvxBrush&) = delete;

  TvxBrushStyle Style() const { return style_; }
  void SetStyle(TvxBrushStyle value);
  TvxColor Color() const { return color_; }
  // On a gradient brush also recolours the gradient's first point.
  void SetColor(TvxColor value);
  TvxBrushStyle DefaultStyle() const { return defaultStyle_; }
  TvxColor DefaultColor() const { return defaultColor_; }
  TvxGradient* Gradient() const { return gradient_.get(); }
  TvxBrushBitmap* Bitmap() const { return bitmap_.get(); }
  TvxBrushResource* Resource() const { return resource_.get(); }
  TvxVisual* Visual() const { return visual_.get(); }

  // A resource brush's resolved brush colour (followed through chains), else Color.
  TvxColor EffectiveColor() const;
  // The brush a resource brush stands for, or null when it has none.
  TvxBrush* ResolvedResource() const;
  // Copies the colour and style and only the sub-object the style uses, with one OnChange.
  // The defaults stay the destination's own, so that what it streams still reads back.
  void Assign(const TPersistent& source) override;

  // Streaming: the colour as form text, and what is written for the current style.
  std::string ColorText() const;
  void SetColorText(const std::string& text);
  bool StyleStored() const { return style_ != defaultStyle_; }
  bool ColorStored() const { return style_ == vxBrushSolid && color_ != defaultColor_; }
  bool GradientStored() const { return style_ == vxBrushGradient; }
  bool BitmapStored() const { return style_ == vxBrushBitmap; }
  bool ResourceStored() const { return style_ == vxBrushResource; }
  bool VisualStored() const { return style_ == vxBrushVisual; }

  TNotifyEvent OnChange;
  // True while OnChange reports a new solid colour of the same alpha: what the brush covers
  // and how opaquely stays the same.
  bool ChangeKeepsAlpha() const { return keepsAlpha_; }

 private:
  void Changed();

  TvxBrushStyle defaultStyle_;
  TvxColor defaultColor_;
  TvxBrushStyle style_;
  TvxColor color_;
  std::unique_ptr<TvxGradient> gradient_;
  std::unique_ptr<TvxBrushBitmap> bitmap_;
  std::unique_ptr<TvxBrushResource> resource_;
  std::unique_ptr<TvxVisual> visual_;
  bool assigning_ = false;
  bool keepsAlpha_ = false;
};

// A named brush among the style resources.
class TvxBrushObject : public TvxObject {
  LC_CLASS(TvxBrushObject, TvxObject)

 public:
  explicit TvxBrushObject(TComponent* owner);
  ~TvxBrushObject() override;

  TvxBrush* Brush() const { return &brush_; }

 private:
  mutable TvxBrush brush_{vxBrushSolid, 0xFFFFFFFF};
};
