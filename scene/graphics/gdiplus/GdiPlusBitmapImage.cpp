#include "scene/graphics/gdiplus/GdiPlusBitmapImage.h"

TvxGdiPlusBitmapImage::TvxGdiPlusBitmapImage(TvxBitmap& bitmap)
    : image_(Wrap(bitmap)), bits_(bitmap.Pixels().data()) {}

std::unique_ptr<Gdiplus::Bitmap> TvxGdiPlusBitmapImage::Wrap(TvxBitmap& bitmap) {
  auto image = std::make_unique<Gdiplus::Bitmap>(bitmap.Width(), bitmap.Height(),
                                                 bitmap.Width() * 4, PixelFormat32bppPARGB,
                                                 reinterpret_cast<BYTE*>(bitmap.Pixels().data()));
  if (image->GetLastStatus() != Gdiplus::Ok) return nullptr;
  return image;
}

Gdiplus::Bitmap* TvxGdiPlusBitmapImage::Of(TvxBitmap& bitmap) {
  if (bitmap.IsEmpty()) return nullptr;
  auto* cached = dynamic_cast<TvxGdiPlusBitmapImage*>(bitmap.Handle());
  const bool stale = !cached || !cached->image_ || cached->bits_ != bitmap.Pixels().data() ||
                     int(cached->image_->GetWidth()) != bitmap.Width() ||
                     int(cached->image_->GetHeight()) != bitmap.Height();
  if (stale) {
    auto image = std::make_unique<TvxGdiPlusBitmapImage>(bitmap);
    cached = image.get();
    bitmap.SetHandle(std::move(image));
  }
  bitmap.SetNeedUpdate(false);
  return cached->image_.get();
}
