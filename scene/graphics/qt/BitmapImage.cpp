#include "scene/graphics/qt/BitmapImage.h"

#include <memory>

TvxQtBitmapImage::TvxQtBitmapImage(TvxBitmap& bitmap) : image_(Wrap(bitmap)) {}

QImage TvxQtBitmapImage::Wrap(TvxBitmap& bitmap) {
  return QImage(reinterpret_cast<uchar*>(bitmap.Pixels().data()), bitmap.Width(), bitmap.Height(),
                qsizetype(bitmap.Width()) * 4, QImage::Format_ARGB32_Premultiplied);
}

const QImage* TvxQtBitmapImage::Of(TvxBitmap& bitmap) {
  if (bitmap.IsEmpty()) return nullptr;
  auto* cached = dynamic_cast<TvxQtBitmapImage*>(bitmap.Handle());
  const bool stale =
      !cached || cached->image_.width() != bitmap.Width() ||
      cached->image_.height() != bitmap.Height() ||
      cached->image_.constBits() != reinterpret_cast<const uchar*>(bitmap.Pixels().data());
  if (stale) {
    auto image = std::make_unique<TvxQtBitmapImage>(bitmap);
    cached = image.get();
    bitmap.SetHandle(std::move(image));
  }
  bitmap.SetNeedUpdate(false);
  return &cached->image_;
}
