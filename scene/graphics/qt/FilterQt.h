#pragma once

// The image codec on Qt's image plugins: reads bmp, jpg, jpeg, png, tif, tiff, gif and ico;
// writes png, jpeg, bmp and tiff. Formats without a writer (gif) save nothing.

#include <QImage>

#include "scene/graphics/Filter.h"

class TvxFilterQt : public TvxFilter {
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

 private:
  // Copies a premultiplied image into the bitmap; false (bitmap untouched) for a null image.
  // TvxQtImage hands over no image larger than a bitmap holds.
  static bool Store(const QImage& image, TvxBitmap& bitmap);
  // Encodes for a MIME type; false when Qt has no writer for it.
  static bool Encode(const TvxBitmap& bitmap, const std::string& mimeType,
                     const std::string& params, QByteArray& out);
};
