#pragma once

// A bitmap shown at its size, fitted, stretched, tiled or, with margins, cut into nine cells
// whose corners keep their size while edges and centre stretch.

#include <memory>

#include "scene/core/Bounds.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/Bitmap.h"

enum TvxImageWrap { vxImageOriginal, vxImageFit, vxImageStretch, vxImageTile };
extern const TEnumInfo ImageWrapNames;

class TvxImage : public TvxVisualObject {
  LC_CLASS(TvxImage, TvxVisualObject)

 public:
  explicit TvxImage(TComponent* owner);
  ~TvxImage() override;

  TvxBitmap* Bitmap() const { return bitmap_.get(); }
  // Margins cutting the bitmap into nine cells; all zero draws by WrapMode.
  TvxBounds* BitmapMargins() const { return bitmapMargins_.get(); }
  TvxImageWrap WrapMode() const { return wrapMode_; }
  void SetWrapMode(TvxImageWrap value);
  // Fitted and stretched images are drawn with nearest-pixel sampling.
  bool DisableInterpolation() const { return disableInterpolation_; }
  void SetDisableInterpolation(bool value);

  // A text value names an image file to load; an object value (a bitmap resource or another
  // image) gives its bitmap.
  void SetData(const TVariant& value) override;

  void Paint() override;

  TNotifyEvent OnBitmapLoaded;

 private:
  void BitmapChanged(TObject*);
  void Changed();
  // The bitmap to draw: the bound resource's, else the own one; null when empty.
  TvxBitmap* Source() const;
  void PaintWrapped(TvxCanvas& canvas, TvxBitmap& source, float opacity);
  void PaintTiles(TvxCanvas& canvas, TvxBitmap& source, float opacity);
  void PaintNineSlice(TvxCanvas& canvas, TvxBitmap& source, float opacity);

  std::unique_ptr<TvxBitmap> bitmap_;
  std::unique_ptr<TvxBounds> bitmapMargins_;
  TvxImageWrap wrapMode_ = vxImageFit;
  bool disableInterpolation_ = false;
};
