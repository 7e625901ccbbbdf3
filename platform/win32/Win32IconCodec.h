#pragma once

// Icon images through the Windows Imaging Component: every format it reads (PNG, ICO, BMP,
// GIF, JPEG, TIFF), PNG written. WIC tells an image's size before it decodes the pixels, so
// a crafted header is refused before anything is allocated for it, and it hands out straight
// BGRA pixels, which are the icon's ARGB words as they are, where GDI+ would premultiply and
// divide again and lose the colour of faint pixels.
//
// The codec starts COM (single-threaded apartment) for the thread that creates it, unless
// the thread has chosen its apartment already, and must be used on that thread.

#include <windows.h>
// These need windows.h before them.
#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

#include "platform/IconCodec.h"

class TWin32IconCodec : public IIconCodec {
 public:
  TWin32IconCodec();
  ~TWin32IconCodec() override;
  TWin32IconCodec(const TWin32IconCodec&) = delete;
  TWin32IconCodec& operator=(const TWin32IconCodec&) = delete;

  // Reads the first image of the file.
  bool Decode(std::span<const uint8_t> data, TIconImage& image) override;
  std::string EncodePng(const TIconImage& image) override;

 private:
  bool comStarted_;
  Microsoft::WRL::ComPtr<IWICImagingFactory> factory_;
};
