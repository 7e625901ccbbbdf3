#include "scene/graphics/EncodedImage.h"

#include <algorithm>
#include <cstdlib>
#include <initializer_list>

namespace {

bool StartsWith(std::span<const uint8_t> bytes, std::initializer_list<uint8_t> magic) {
  return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

}  // namespace

bool TvxEncodedImage::LooksComplete(std::span<const uint8_t> bytes) {
  const auto last = [bytes](std::initializer_list<uint8_t> marker) {
    return std::find_end(bytes.begin(), bytes.end(), marker.begin(), marker.end()) - bytes.begin();
  };
  const ptrdiff_t size = ptrdiff_t(bytes.size());
  // The end chunk: its type and its checksum.
  if (StartsWith(bytes, {0x89, 'P', 'N', 'G'})) return last({'I', 'E', 'N', 'D'}) + 8 <= size;
  // An end-of-image marker after the last scan.
  if (StartsWith(bytes, {0xFF, 0xD8})) {
    const ptrdiff_t end = last({0xFF, 0xD9});
    return end < size && end > last({0xFF, 0xDA});
  }
  if (StartsWith(bytes, {'G', 'I', 'F', '8'})) return bytes.back() == 0x3B;
  if (StartsWith(bytes, {'B', 'M'})) return BmpComplete(bytes);
  return true;
}

// Uncompressed pixel rows must all be there.
bool TvxEncodedImage::BmpComplete(std::span<const uint8_t> bytes) {
  if (bytes.size() < 34) return false;
  const auto u32 = [bytes](size_t at) {
    return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
           uint32_t(bytes[at + 3]) << 24;
  };
  const uint32_t compression = u32(30);
  if (compression != 0 && compression != 3) return true;
  const int64_t width = int32_t(u32(18));
  const int64_t height = int32_t(u32(22));
  const int64_t bitsPerPixel = uint32_t(bytes[28]) | uint32_t(bytes[29]) << 8;
  const int64_t stride = (std::abs(width) * bitsPerPixel + 31) / 32 * 4;
  // In floating point: a header may claim more rows than any integer product can count.
  return double(u32(10)) + double(stride) * double(std::abs(height)) <= double(bytes.size());
}
