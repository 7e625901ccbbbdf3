#include "platform/win32/Win32FrameBuffer.h"

#include <algorithm>
#include <cstring>

TWin32FrameBuffer::~TWin32FrameBuffer() {
  Release();
}

void TWin32FrameBuffer::Release() {
  if (dc_) {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  if (bitmap_) DeleteObject(bitmap_);
  dc_ = nullptr;
  bitmap_ = nullptr;
  previous_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}

bool TWin32FrameBuffer::Resize(int width, int height) {
  if (width == width_ && height == height_) return false;
  Release();
  // Past a gigabyte the size is taken for a fault; refusing it also keeps the byte count of
  // the bitmap from overflowing.
  constexpr int64_t kMaxPixels = int64_t(1) << 28;
  if (width <= 0 || height <= 0 || int64_t(width) * height > kMaxPixels) return true;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = bitmap_ ? CreateCompatibleDC(nullptr) : nullptr;
  if (!dc_) {
    Release();
    return true;
  }
  previous_ = SelectObject(dc_, bitmap_);
  bits_ = static_cast<uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

void TWin32FrameBuffer::Copy(const TPixelFrame& frame, const TBoundsI& area) {
  if (!bits_ || !frame.pixels) return;
  const int left = std::max(area.left, 0);
  const int top = std::max(area.top, 0);
  const int right = std::min({area.left + area.width, frame.width, width_});
  const int bottom = std::min({area.top + area.height, frame.height, height_});
  if (left >= right || top >= bottom) return;
  GdiFlush();  // drawing GDI may still have queued on the bitmap ends before its bits change
  for (int y = top; y < bottom; ++y) {
    const auto* from = reinterpret_cast<const uint32_t*>(
        reinterpret_cast<const uint8_t*>(frame.pixels) + size_t(y) * size_t(frame.stride));
    std::memcpy(bits_ + size_t(y) * size_t(width_) + left, from + left,
                size_t(right - left) * sizeof(uint32_t));
  }
}

uint32_t TWin32FrameBuffer::PixelAt(int x, int y) const {
  if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return bits_[size_t(y) * size_t(width_) + size_t(x)];
}
