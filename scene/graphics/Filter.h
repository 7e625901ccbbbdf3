#pragma once

// The image codec that bitmaps load and save through. A backend provides the one in use (see
// Backend.h); decoding leaves premultiplied pixels in the target bitmap.

#include <optional>
#include <string>

#include "platform/component/Stream.h"
#include "scene/core/Geometry.h"

class TvxBitmap;

class TvxFilter {
 public:
  virtual ~TvxFilter() = default;

  // File name patterns the codec reads, such as "*.png;*.jpg"; empty in the base.
  virtual std::string GetFileTypes() const { return {}; }
  // Width and height of the image in a file; (0, 0) in the base.
  virtual TvxPoint GetImageSize(const std::string& fileName);

  // Decodes the data at the stream's position, recognising the format itself. False for
  // data that does not decode and for a zero-sized image; the bitmap is then left alone.
  virtual bool LoadFromStream(TMemoryStream& stream, TvxBitmap& bitmap) = 0;
  // Rotates by `rotate` degrees: quarter turns exactly, other angles into the bounding box of
  // the turned image.
  virtual bool LoadFromFile(const std::string& fileName, TvxBitmap& bitmap, float rotate) = 0;
  // The image scaled to fit (0, 0, width, height), never enlarged; `useEmbedded` may take a
  // thumbnail the file carries.
  virtual bool LoadThumbnailFromFile(const std::string& fileName, bool useEmbedded, float width,
                                     float height, TvxBitmap& bitmap) = 0;
  // Encodes as `format` ("png", "jpeg", "jpg", "bmp", "tif", "tiff", "gif"; unknown names mean
  // png) with `params` such as "quality=90". Writes nothing and returns false when the
  // format has no encoder.
  virtual bool SaveToStream(TMemoryStream& stream, const TvxBitmap& bitmap,
                            const std::string& format, const std::string& params) = 0;
  // The format follows the file extension; an unknown extension saves nothing.
  virtual bool SaveToFile(const std::string& fileName, const TvxBitmap& bitmap,
                          const std::string& params) = 0;

  // Shared rules for codecs.
  // "image/png" and the like for a format name, letter case ignored; png for unknown names.
  static std::string MimeTypeOfFormat(const std::string& format);
  // The MIME type for a file's extension, letter case ignored; empty when it has none.
  static std::string MimeTypeOfFile(const std::string& fileName);
  // The value of the last "quality=N" token of blank-separated parameters, if any.
  static std::optional<int> QualityParameter(const std::string& params);
};
