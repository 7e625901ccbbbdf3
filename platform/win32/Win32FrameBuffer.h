#pragma once

// The pixels a window shows: a top-down 32-bit DIB section selected into a memory device
// context, so that the same premultiplied ARGB rows serve BitBlt in WM_PAINT and
// UpdateLayeredWindow alike.

#include <windows.h>

#include <cstdint>

#include "platform/Window.h"

class TWin32FrameBuffer {
 public:
  TWin32FrameBuffer() = default;
  ~TWin32FrameBuffer();
  TWin32FrameBuffer(const TWin32FrameBuffer&) = delete;
  TWin32FrameBuffer& operator=(const TWin32FrameBuffer&) = delete;

  // Makes the buffer width x height (its pixels then undefined); a size the system cannot
  // provide leaves it empty. True when the size changed.
  bool Resize(int width, int height);
  // Copies the rectangle `area` of `frame`, clipped to both, into the same place here.
  void Copy(const TPixelFrame& frame, const TBoundsI& area);

  bool Empty() const { return !bits_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The memory device context with the bitmap selected; null while empty.
  HDC Dc() const { return dc_; }
  // Premultiplied ARGB at (x, y); 0 outside.
  uint32_t PixelAt(int x, int y) const;

 private:
  void Release();

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;  // what the context held before the bitmap
  uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};
