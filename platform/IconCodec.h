#pragma once

// Reading and writing icon images is the window system's business: the platform installs a
// codec. Without one, icons read from data stay empty and keep the data as it was.

#include <cstdint>
#include <span>
#include <string>

#include "platform/Icon.h"

class IIconCodec {
 public:
  virtual ~IIconCodec() = default;
  // One image from an encoded file; false when the data cannot be read.
  virtual bool Decode(std::span<const uint8_t> data, TIconImage& image) = 0;
  // The image as a PNG file; empty on failure.
  virtual std::string EncodePng(const TIconImage& image) = 0;
};

// The installed codec, or null.
IIconCodec* IconCodec();
// Installs `codec` (null removes it) and returns the previous one.
IIconCodec* InstallIconCodec(IIconCodec* codec);
