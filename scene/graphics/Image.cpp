#include "scene/graphics/Image.h"

#include <algorithm>
#include <array>

#include "scene/graphics/Canvas.h"
#include "scene/graphics/CanvasStateGuard.h"
#include "scene/graphics/Shape.h"

const TEnumInfo ImageWrapNames{{"vxImageOriginal", "vxImageFit", "vxImageStretch", "vxImageTile"}};

namespace {

// The three cells of one axis cut by two margins: edges (0, a, b, size) with a = near margin
// and b = size - far margin.
std::array<float, 4> Cuts(float size, float nearMargin, float farMargin) {
  return {0, nearMargin, size - farMargin, size};
}

}  // namespace

LC_PUBLISH(TvxImage) {
  using C = TvxImage;
  p.Object("Bitmap", &C::Bitmap);
  p.Object("BitmapMargins", &C::BitmapMargins);
  p.Enum("WrapMode", ImageWrapNames, &C::WrapMode, &C::SetWrapMode, vxImageFit);
  p.Bool("DisableInterpolation", &C::DisableInterpolation, &C::SetDisableInterpolation, false);
  p.Event("OnBitmapLoaded", &C::OnBitmapLoaded);
}

TvxImage::TvxImage(TComponent* owner)
    : TvxVisualObject(owner),
      bitmap_(std::make_unique<TvxBitmap>()),
      bitmapMargins_(std::make_unique<TvxBounds>()) {
  bitmap_->OnChange = TNotifyEvent(this, &TvxImage::BitmapChanged);
  bitmapMargins_->OnChange = [this](TObject*) { Changed(); };
}

TvxImage::~TvxImage() {
  DestroyTree();
}

void TvxImage::SetWrapMode(TvxImageWrap value) {
  if (value == wrapMode_) return;
  wrapMode_ = value;
  Changed();
}

void TvxImage::SetDisableInterpolation(bool value) {
  if (value == disableInterpolation_) return;
  disableInterpolation_ = value;
  Changed();
}

void TvxImage::BitmapChanged(TObject*) {
  if (HasState(csDestroying)) return;
  OnBitmapLoaded(this);
  Changed();
}

void TvxImage::Changed() {
  InvalidateEffectCache();
  Repaint();
}

void TvxImage::SetData(const TVariant& value) {
  TvxObject* object = VariantToObject(value);
  if (!object) {
    bitmap_->LoadFromFile(VariantToText(value));
  } else if (auto* resource = dynamic_cast<TvxBitmapObject*>(object)) {
    bitmap_->Assign(*resource->Bitmap());
  } else if (auto* image = dynamic_cast<TvxImage*>(object); image && image != this) {
    bitmap_->Assign(*image->Bitmap());
  }
}

TvxBitmap* TvxImage::Source() const {
  TvxBitmap* source = bitmap_->ResourceBitmap();
  if (!source) source = bitmap_.get();
  return source->IsEmpty() ? nullptr : source;
}

void TvxImage::Paint() {
  TvxCanvas* canvas = Canvas();
  if (!canvas) return;
  if (TvxBitmap* source = Source()) {
    const float opacity = GetAbsoluteOpacity();
    if (bitmapMargins_->AllZero()) {
      PaintWrapped(*canvas, *source, opacity);
    } else {
      PaintNineSlice(*canvas, *source, opacity);
    }
  }
  DrawDesignFrame(*this, *canvas);
}

void TvxImage::PaintWrapped(TvxCanvas& canvas, TvxBitmap& source, float opacity) {
  const TvxRect local = GetLocalRect();
  const TvxRect whole{0, 0, float(source.Width()), float(source.Height())};
  switch (wrapMode_) {
    case vxImageOriginal: {
      const TvxCanvasStateGuard clip(canvas);
      canvas.IntersectClipRect(local);
      return canvas.DrawBitmap(source, whole, whole, opacity, true);
    }
    case vxImageFit: {
      TvxRect fitted = whole;
      FitRect(fitted, local);
      return canvas.DrawBitmap(source, whole, fitted, opacity, disableInterpolation_);
    }
    case vxImageStretch:
      return canvas.DrawBitmap(source, whole, local, opacity, disableInterpolation_);
    case vxImageTile:
      return PaintTiles(canvas, source, opacity);
  }
}

void TvxImage::PaintTiles(TvxCanvas& canvas, TvxBitmap& source, float opacity) {
  const TvxCanvasStateGuard clip(canvas);
  canvas.IntersectClipRect(GetLocalRect());
  const float w = float(source.Width()), h = float(source.Height());
  const TvxRect whole{0, 0, w, h};
  const int columns = TileRepeats(Width(), w);
  const int rows = TileRepeats(Height(), h);
  for (int i = 0; i < columns; ++i) {
    for (int j = 0; j < rows; ++j) {
      const TvxRect tile{i * w, j * h, (i + 1) * w, (j + 1) * h};
      canvas.DrawBitmap(source, whole, tile, opacity, true);
    }
  }
}

// Corners keep their size, edges stretch along one axis and the centre both ways. Cells that
// the margins leave without extent are skipped.
void TvxImage::PaintNineSlice(TvxCanvas& canvas, TvxBitmap& source, float opacity) {
  const TvxBounds& m = *bitmapMargins_;
  const auto sx = Cuts(float(source.Width()), m.Left(), m.Right());
  const auto sy = Cuts(float(source.Height()), m.Top(), m.Bottom());
  const auto dx = Cuts(Width(), m.Left(), m.Right());
  const auto dy = Cuts(Height(), m.Top(), m.Bottom());
  for (size_t col = 0; col < 3; ++col) {
    for (size_t row = 0; row < 3; ++row) {
      const TvxRect src{sx[col], sy[row], sx[col + 1], sy[row + 1]};
      const TvxRect dst{dx[col], dy[row], dx[col + 1], dy[row + 1]};
      if (IsRectEmpty(src) || IsRectEmpty(dst)) continue;
      canvas.DrawBitmap(source, src, dst, opacity, true);
    }
  }
}
