#include "platform/win32/Win32IconHandle.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Deletes a GDI bitmap at the end of its scope; the icon keeps copies of its bitmaps.
class TBitmapHandle {
 public:
  explicit TBitmapHandle(HBITMAP bitmap) : bitmap_(bitmap) {}
  ~TBitmapHandle() {
    if (bitmap_) DeleteObject(bitmap_);
  }
  TBitmapHandle(const TBitmapHandle&) = delete;
  TBitmapHandle& operator=(const TBitmapHandle&) = delete;
  HBITMAP Get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

bool Usable(const TIconImage& image) {
  return image.width > 0 && image.height > 0 && image.width <= TIcon::kMaxSide &&
         image.height <= TIcon::kMaxSide &&
         image.pixels.size() == size_t(image.width) * size_t(image.height);
}

// A top-down 32-bit section holding the straight ARGB words as they are: icons take straight
// alpha, and BGRA bytes in memory are exactly the little-endian ARGB words.
HBITMAP ColorBitmap(const TIconImage& image) {
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = image.width;
  header.bV5Height = -image.height;
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(&header),
                                    DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!bitmap) return nullptr;
  std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(uint32_t));
  GdiFlush();
  return bitmap;
}

}  // namespace

TWin32IconHandle TWin32IconHandle::FromImages(const std::vector<TIconImage>& images, int side) {
  const TIconImage* best = nullptr;
  for (const TIconImage& image : images) {
    if (!Usable(image)) continue;
    const int size = std::max(image.width, image.height);
    const int bestSize = best ? std::max(best->width, best->height) : 0;
    const int distance = std::abs(size - side);
    const int bestDistance = std::abs(bestSize - side);
    if (!best || distance < bestDistance || (distance == bestDistance && size > bestSize))
      best = &image;
  }
  return best ? FromImage(*best) : TWin32IconHandle();
}

TWin32IconHandle TWin32IconHandle::FromImage(const TIconImage& image) {
  if (!Usable(image)) return {};
  const TBitmapHandle color(ColorBitmap(image));
  // An all-zero mask: the alpha channel alone decides what shows.
  const std::vector<uint8_t> zeros(size_t((image.width + 15) / 16 * 2) * size_t(image.height));
  const TBitmapHandle mask(CreateBitmap(image.width, image.height, 1, 1, zeros.data()));
  if (!color.Get() || !mask.Get()) return {};
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = color.Get();
  info.hbmMask = mask.Get();
  return TWin32IconHandle(CreateIconIndirect(&info));
}
