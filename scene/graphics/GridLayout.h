#pragma once

// An invisible container that places its visible children in cells of one size, left to
// right and wrapping into the next row (or top to bottom and wrapping into the next column),
// inside its Margins.

#include "scene/graphics/Layouts.h"

enum TvxOrientation { vxHorizontal, vxVertical };

class TvxGridLayout : public TvxLayout {
  LC_CLASS(TvxGridLayout, TvxLayout)

 public:
  explicit TvxGridLayout(TComponent* owner);

  float ItemWidth() const { return itemWidth_; }
  void SetItemWidth(float value);
  float ItemHeight() const { return itemHeight_; }
  void SetItemHeight(float value);
  TvxOrientation Orientation() const { return orientation_; }
  void SetOrientation(TvxOrientation value);

  void Realign() override;

 private:
  void PlaceItems();

  float itemWidth_ = 64;
  float itemHeight_ = 64;
  TvxOrientation orientation_ = vxHorizontal;
  bool placing_ = false;
};
