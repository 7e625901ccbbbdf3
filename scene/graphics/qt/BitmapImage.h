#pragma once

// The Qt image kept over a bitmap's own pixels (Format_ARGB32_Premultiplied, stride Width * 4),
// so drawing from or into a bitmap copies nothing. The bitmap drops it whenever its pixels
// reallocate.

#include <QImage>

#include "scene/graphics/Bitmap.h"

class TvxQtBitmapImage : public TvxBitmapHandle {
 public:
  explicit TvxQtBitmapImage(TvxBitmap& bitmap);

  // The bitmap's image, made (or remade after a size change) on demand; null for a bitmap
  // without pixels. Clears the bitmap's NeedUpdate.
  static const QImage* Of(TvxBitmap& bitmap);
  // A new image over the pixels of a bitmap that has them.
  static QImage Wrap(TvxBitmap& bitmap);

 private:
  QImage image_;
};
