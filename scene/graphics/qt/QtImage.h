#pragma once

// Decoding and encoding through Qt's image plugins. Decoded images are always 32-bit
// premultiplied ARGB (the engine bitmap's pixel layout); anything unreadable, truncated,
// empty or larger than a bitmap holds decodes to a null image.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TvxQtImage {
 public:
  // With a valid `scaledSize` the decoder scales while reading.
  static QImage Decode(std::span<const uint8_t> bytes, QSize scaledSize = {});
  static QImage DecodeFile(const std::string& fileName);
  // Size as the file announces it; (0, 0) when it cannot be read.
  static QSize FileImageSize(const std::string& fileName);
  // The image scaled to `size`. With `decoderScaling` the decoder scales while reading (fast
  // for JPEG), else the decoded image is scaled smoothly.
  static QImage DecodeFileScaled(const std::string& fileName, QSize size, bool decoderScaling);
  // Turned clockwise by `degrees`; quarter turns are exact, other angles are drawn through the
  // rotation into the bounding box of the turned image. An angle that is not finite turns
  // nothing.
  static QImage Rotated(const QImage& image, float degrees);
  // Encodes with the Qt writer of `format` ("png", "jpeg", "bmp", "tiff"); false (and `out`
  // untouched) when there is no such writer or writing fails. `quality` < 0: the default.
  static bool Encode(const QImage& image, const QByteArray& format, int quality, QByteArray& out);

 private:
  static bool FitsBitmap(int width, int height);
  static QImage Premultiplied(QImage image);
  static std::vector<uint8_t> ReadFile(const std::string& fileName);
  static QImage RotatedFree(const QImage& image, float degrees);
};
