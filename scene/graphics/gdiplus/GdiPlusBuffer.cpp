#include "scene/graphics/gdiplus/GdiPlusBuffer.h"

#include "platform/component/Exceptions.h"

TvxGdiPlusBuffer::TvxGdiPlusBuffer(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  section_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section_ || !bits) {
    Release();
    throw Exception("Can't allocate the DIB handle");
  }
  bits_ = static_cast<TvxColor*>(bits);
  dc_ = CreateCompatibleDC(nullptr);
  if (!dc_) {
    Release();
    throw Exception("Can't create compatible DC");
  }
  previous_ = SelectObject(dc_, section_);
  if (!previous_ || previous_ == HGDI_ERROR) {
    previous_ = nullptr;
    Release();
    throw Exception("Can't select an object into DC");
  }
}

TvxGdiPlusBuffer::~TvxGdiPlusBuffer() {
  Release();
}

void TvxGdiPlusBuffer::Release() {
  if (dc_ && previous_) SelectObject(dc_, previous_);
  if (dc_) DeleteDC(dc_);
  if (section_) DeleteObject(section_);
  dc_ = nullptr;
  section_ = nullptr;
  previous_ = nullptr;
  bits_ = nullptr;
}
