#include "BitmapIconCodec_support.h"

#include "scene/graphics/Bitmap.h"
#include "scene/graphics/RasterBackend.h"

TBitmapIconCodec::TBitmapIconCodec() : previous_(InstallIconCodec(this)) {
  UseRasterBackend();
}

TBitmapIconCodec::~TBitmapIconCodec() {
  InstallIconCodec(previous_);
}

bool TBitmapIconCodec::Decode(std::span<const uint8_t> data, TIconImage& image) {
  TMemoryStream stream({data.begin(), data.end()});
  TvxBitmap bitmap;
  if (!bitmap.LoadFromStream(stream)) return false;
  image = {bitmap.Width(), bitmap.Height(), {bitmap.Pixels().begin(), bitmap.Pixels().end()}};
  return true;
}
