#pragma once

// The image codec on GDI+ (its WIC-backed decoders and encoders): reads bmp, jpg, jpeg, png,
// tif, tiff, gif and ico; writes png, jpeg, bmp, tiff and gif through the installed encoders.
// Encoded data reaches GDI+ through a memory IStream over the bytes.

// clang-format off
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "scene/core/Color.h"
#include "scene/graphics/Filter.h"

class TvxFilterGdiPlus : public TvxFilter {
 public:
  std::string GetFileTypes() const override;
  TvxPoint GetImageSize(const std::string& fileName) override;
  bool LoadFromStream(TMemoryStream& stream, TvxBitmap& bitmap) override;
  bool LoadFromFile(const std::string& fileName, TvxBitmap& bitmap, float rotate) override;
  bool LoadThumbnailFromFile(const std::string& fileName, bool useEmbedded, float width,
                             float height, TvxBitmap& bitmap) override;
  bool SaveToStream(TMemoryStream& stream, const TvxBitmap& bitmap, const std::string& format,
                    const std::string& params) override;
  bool SaveToFile(const std::string& fileName, const TvxBitmap& bitmap,
                  const std::string& params) override;

  // The installed encoder for a MIME type, if any.
  static std::optional<CLSID> EncoderOf(const std::string& mimeType);

 private:
  // Premultiplied pixels, rows top to bottom.
  struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<TvxColor> data;
  };
  // A decoded image with the stream it reads from (GDI+ may read it lazily).
  struct Decoded;

  static std::unique_ptr<Decoded> Decode(std::span<const uint8_t> bytes, bool checkComplete);
  static std::vector<uint8_t> ReadFile(const std::string& fileName);
  static bool FitsBitmap(UINT width, UINT height);
  // The image's own pixels, optionally turned by quarter turns first.
  static std::optional<Pixels> Read(Gdiplus::Bitmap& image);
  // The image drawn scaled into width x height with high-quality interpolation, or drawn
  // through a turn by `degrees` into the bounding box of the turned image.
  static std::optional<Pixels> Drawn(Gdiplus::Image& image, int width, int height);
  static std::optional<Pixels> Turned(Gdiplus::Bitmap& image, float degrees);
  // Copies into the bitmap; false (bitmap untouched) for no pixels.
  static bool Store(const std::optional<Pixels>& pixels, TvxBitmap& bitmap);
  static bool Encode(const TvxBitmap& bitmap, const std::string& mimeType,
                     const std::string& params, std::vector<uint8_t>& out);
};
