#include "scene/graphics/Bitmap.h"

#include <algorithm>
#include <array>
#include <filesystem>

#include "platform/component/FormData.h"
#include "platform/component/Unicode.h"
#include "scene/graphics/Backend.h"
#include "scene/graphics/Canvas.h"
#include "scene/graphics/Filter.h"

namespace {

// A float edge as a pixel index within [low, high]; NaN counts as low.
int PixelEdge(double value, int low, int high) {
  if (!(value >= low)) return low;
  if (value > high) return high;
  return int(value);
}

TvxColor WithAlpha(TvxColor color, uint32_t alpha) {
  return (color & 0x00FFFFFF) | alpha << 24;
}

}  // namespace

LC_PUBLISH(TvxBitmap) {
  p.Component("Resource", &TvxBitmap::Resource, &TvxBitmap::SetResource).NoStore();
  p.String("ResourceName", &TvxBitmap::ResourceName, &TvxBitmap::SetResourceName);
}

LC_PUBLISH(TvxBitmapObject) {
  p.Object("Bitmap", &TvxBitmapObject::Bitmap);
}

TvxBitmap::TvxBitmap(int width, int height) {
  SetSize(width, height);
}

TvxBitmap::TvxBitmap(TMemoryStream& stream) {
  LoadFromStream(stream);
}

TvxBitmap::~TvxBitmap() {
  // The canvas may draw through the backend's image, so it goes first.
  canvas_.reset();
  handle_.reset();
}

// Pixels.

TvxColor* TvxBitmap::Scanline(int row) {
  return TvxCanvas::GetBitmapScanline(*this, row);
}

void TvxBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (uint64_t(width) * uint64_t(height) > MaxBitmapPixels) width = height = 0;
  if (width == width_ && height == height_ && pixels_.size() == size_t(width) * size_t(height))
    return;
  width_ = width;
  height_ = height;
  Reallocate();
}

void TvxBitmap::Reallocate() {
  OnReallocate(this);
  canvas_.reset();
  handle_.reset();
  std::vector<TvxColor>(size_t(width_) * size_t(height_)).swap(pixels_);
  Changed();
}

void TvxBitmap::Changed() {
  needUpdate_ = true;
  OnChange(this);
}

void TvxBitmap::Clear(TvxColor color) {
  std::fill(pixels_.begin(), pixels_.end(), PremultiplyColor(color));
  Changed();
}

void TvxBitmap::ClearRect(const TvxRect& rect, TvxColor color) {
  const int left = PixelEdge(std::trunc(rect.Left), 0, width_);
  const int top = PixelEdge(std::trunc(rect.Top), 0, height_);
  const int right = PixelEdge(RoundHalfEven(rect.Right), 0, width_);
  const int bottom = PixelEdge(RoundHalfEven(rect.Bottom), 0, height_);
  const TvxColor value = PremultiplyColor(color);
  for (int y = top; y < bottom; ++y) {
    TvxColor* row = pixels_.data() + size_t(y) * size_t(width_);
    std::fill(row + left, row + std::max(left, right), value);
  }
  Changed();
}

void TvxBitmap::FlipVertical() {
  const auto w = size_t(width_);
  for (size_t top = 0, bottom = size_t(height_); top + 1 < bottom; ++top, --bottom) {
    std::swap_ranges(pixels_.begin() + long(top * w), pixels_.begin() + long((top + 1) * w),
                     pixels_.begin() + long((bottom - 1) * w));
  }
  Changed();
}

void TvxBitmap::InvertAlpha() {
  for (TvxColor& pixel : pixels_) {
    const TvxColor plain = UnpremultiplyColor(pixel);
    pixel = PremultiplyColor(WithAlpha(plain, 255 - ColorAlpha(plain)));
  }
  Changed();
}

void TvxBitmap::FillColor(TvxColor color) {
  std::array<TvxColor, 256> byAlpha;
  for (uint32_t a = 0; a < 256; ++a)
    byAlpha[a] = PremultiplyColor(ColorWithOpacity(color, float(a) / 255));
  for (TvxColor& pixel : pixels_)
    if (ColorAlpha(pixel) > 0) pixel = byAlpha[ColorAlpha(pixel)];
  Changed();
}

std::vector<uint8_t> TvxBitmap::CreateAlphaMask() const {
  std::vector<uint8_t> mask(pixels_.size());
  std::transform(pixels_.begin(), pixels_.end(), mask.begin(),
                 [](TvxColor pixel) { return uint8_t(ColorAlpha(pixel)); });
  return mask;
}

void TvxBitmap::ApplyMask(std::span<const uint8_t> mask, int dx, int dy) {
  for (int64_t y = 0; y < height_; ++y) {
    const int64_t my = y - dy;
    if (my < 0 || my >= height_) continue;
    for (int64_t x = 0; x < width_; ++x) {
      const int64_t mx = x - dx;
      if (mx < 0 || mx >= width_) continue;
      const auto at = size_t(my * width_ + mx);
      const uint32_t m = at < mask.size() ? mask[at] : 0;
      if (m == 0) continue;
      TvxColor& pixel = pixels_[size_t(y * width_ + x)];
      const TvxColor plain = UnpremultiplyColor(pixel);
      pixel = PremultiplyColor(WithAlpha(plain, ColorAlpha(plain) * (255 - m) / 255));
    }
  }
  Changed();
}

TvxCanvas* TvxBitmap::Canvas() {
  if (!canvas_ && !IsEmpty()) {
    canvas_ = CreateDefaultCanvasForBitmap(*this);
    if (canvas_) canvas_->SetMatrix(IdentityMatrix);
  }
  return canvas_.get();
}

// Encoded images.

bool TvxBitmap::LoadFromStream(TMemoryStream& stream) {
  const auto codec = CreateDefaultFilter();
  if (!codec || !codec->LoadFromStream(stream, *this)) return false;
  Changed();
  return true;
}

bool TvxBitmap::SaveToStream(TMemoryStream& stream) const {
  const auto codec = CreateDefaultFilter();
  if (!codec || IsEmpty()) return false;
  const bool opaque = std::all_of(pixels_.begin(), pixels_.end(),
                                  [](TvxColor pixel) { return ColorAlpha(pixel) == 255; });
  return opaque ? codec->SaveToStream(stream, *this, "jpeg", "quality=100")
                : codec->SaveToStream(stream, *this, "png", "");
}

bool TvxBitmap::LoadFromFile(const std::string& fileName, float rotate) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName, error)) return false;
  const auto codec = CreateDefaultFilter();
  if (!codec || !codec->LoadFromFile(fileName, *this, rotate)) return false;
  Changed();
  return true;
}

bool TvxBitmap::SaveToFile(const std::string& fileName, const std::string& params) const {
  const auto codec = CreateDefaultFilter();
  return codec && codec->SaveToFile(fileName, *this, params);
}

std::string TvxBitmap::EncodedBytes() const {
  TMemoryStream stream;
  SaveToStream(stream);
  return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

void TvxBitmap::ReadEncodedBytes(const std::string& bytes) {
  TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  LoadFromStream(stream);
}

void TvxBitmap::DefineProperties(TFiler& filer) {
  // Without a codec the pixels cannot be written at all.
  const bool hasData = !IsEmpty() && GraphicsBackend().CreateCodec;
  filer.DefineProperty(
      "PNG",
      [this](const TFormValue& value) {
        if (value.type == TValueType::Binary) ReadEncodedBytes(value.text);
      },
      [this] { return TFormValue::Bytes(EncodedBytes()); }, hasData);
}

// Resource binding.

void TvxBitmap::SetResource(TvxBitmapObject* resource) {
  if (link_.Set(resource)) OnChange(this);
}

void TvxBitmap::SetResourceName(const std::string& name) {
  if (link_.SetName(name)) OnChange(this);
}

TvxBitmap* TvxBitmap::ResourceBitmap() const {
  const TvxBitmapObject* resource = Resource();
  return resource ? resource->Bitmap() : nullptr;
}

void TvxBitmap::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TvxBitmap*>(&source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  link_.Follow(other->link_);
  if (link_.Get()) return OnChange(this);
  SetSize(other->width_, other->height_);
  std::copy(other->pixels_.begin(), other->pixels_.end(), pixels_.begin());
  Changed();
}

// Resource object.

TvxBitmapObject::TvxBitmapObject(TComponent* owner) : TvxObject(owner) {}

TvxBitmapObject::~TvxBitmapObject() {
  // Holders are told while the bitmap is still alive.
  DestroyTree();
}
