// Arbitrary bytes as encoded image data, as a bitmap's stored "PNG" property or an image file
// hands them to the codec. Decoding either fails and leaves the bitmap as it was, or yields
// a whole image of premultiplied pixels.
#include <QImageReader>
#include <QtGlobal>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "scene/graphics/Bitmap.h"
#include "scene/graphics/qt/FilterQt.h"

namespace {

constexpr TvxColor kUntouched = 0x01020304;

bool Premultiplied(TvxColor pixel) {
  const uint32_t alpha = pixel >> 24;
  return ((pixel >> 16) & 0xFF) <= alpha && ((pixel >> 8) & 0xFF) <= alpha &&
         (pixel & 0xFF) <= alpha;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Decoders complain about every damaged input; the complaints are expected here.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  // Loads the format plugins once, before inputs are timed and checked for leaks.
  QImageReader::supportedImageFormats();
  // Headers that claim huge sizes are refused early, so time goes to parsing rather than to
  // filling large images (the size limits have unit tests of their own).
  QImageReader::setAllocationLimit(16);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TvxFilterQt codec;
  TvxBitmap bitmap(1, 1);
  bitmap.Pixels()[0] = kUntouched;
  TMemoryStream stream(std::vector<uint8_t>(data, data + size));
  if (!codec.LoadFromStream(stream, bitmap)) {
    if (bitmap.Width() != 1 || bitmap.Height() != 1 || bitmap.Pixels()[0] != kUntouched)
      std::abort();
    return 0;
  }
  if (bitmap.IsEmpty() || bitmap.Pixels().size() != size_t(bitmap.Width()) * bitmap.Height())
    std::abort();
  for (TvxColor pixel : bitmap.Pixels())
    if (!Premultiplied(pixel)) std::abort();
  return 0;
}
