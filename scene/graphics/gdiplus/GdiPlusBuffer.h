#pragma once

// A window canvas's off-screen pixels: a 32-bit top-down DIB section selected into a memory
// device context, so the scene host can both read its premultiplied pixels and BitBlt or
// UpdateLayeredWindow from the context.

#include <windows.h>

#include "scene/core/Color.h"

class TvxGdiPlusBuffer {
 public:
  // Throws Exception ("Can't allocate the DIB handle", "Can't create compatible DC",
  // "Can't select an object into DC") after releasing what it made.
  TvxGdiPlusBuffer(int width, int height);
  ~TvxGdiPlusBuffer();
  TvxGdiPlusBuffer(const TvxGdiPlusBuffer&) = delete;
  TvxGdiPlusBuffer& operator=(const TvxGdiPlusBuffer&) = delete;

  HDC DC() const { return dc_; }
  TvxColor* Bits() const { return bits_; }

 private:
  void Release();

  HBITMAP section_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  TvxColor* bits_ = nullptr;
};
