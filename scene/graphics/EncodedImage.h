#pragma once

// What codecs check of encoded image data before they decode it: some decoders turn data
// cut short into a partial image instead of failing, which would load half a picture.

#include <cstdint>
#include <span>

class TvxEncodedImage {
 public:
  // False for PNG, JPEG, GIF or uncompressed BMP data that ends before its image does; other
  // data is left to the decoder.
  static bool LooksComplete(std::span<const uint8_t> bytes);

 private:
  static bool BmpComplete(std::span<const uint8_t> bytes);
};
