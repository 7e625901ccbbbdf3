#pragma once

// The GDI+ bitmap kept over a TvxBitmap's own pixels (PixelFormat32bppPARGB, stride Width * 4),
// so drawing from a bitmap copies nothing. The bitmap drops it whenever its pixels reallocate.

// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <memory>

#include "scene/graphics/Bitmap.h"

class TvxGdiPlusBitmapImage : public TvxBitmapHandle {
 public:
  explicit TvxGdiPlusBitmapImage(TvxBitmap& bitmap);

  // The bitmap's image, made (or remade after a size change) on demand; null for a bitmap
  // without pixels. Clears the bitmap's NeedUpdate.
  static Gdiplus::Bitmap* Of(TvxBitmap& bitmap);
  // A new GDI+ bitmap over the pixels of a bitmap that has them; null when GDI+ refuses.
  static std::unique_ptr<Gdiplus::Bitmap> Wrap(TvxBitmap& bitmap);

 private:
  std::unique_ptr<Gdiplus::Bitmap> image_;
  const TvxColor* bits_;
};
