#include "scene/graphics/qt/QtImage.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "scene/graphics/Bitmap.h"

bool TvxQtImage::FitsBitmap(int width, int height) {
  return width > 0 && height > 0 && uint64_t(width) * uint64_t(height) <= MaxBitmapPixels;
}

QImage TvxQtImage::Premultiplied(QImage image) {
  if (image.isNull() || !FitsBitmap(image.width(), image.height())) return {};
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage TvxQtImage::Decode(std::span<const uint8_t> bytes, QSize scaledSize) {
  if (bytes.empty()) return {};
  QByteArray data =
      QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  // Asked before reading: afterwards the reader no longer recognises the data.
  if (!LooksComplete(reader.format(), bytes)) return {};
  if (scaledSize.isValid()) reader.setScaledSize(scaledSize);
  return Premultiplied(reader.read());
}

std::vector<uint8_t> TvxQtImage::ReadFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

bool TvxQtImage::LooksComplete(const QByteArray& format, std::span<const uint8_t> bytes) {
  const auto last = [bytes](std::initializer_list<uint8_t> marker) {
    return std::find_end(bytes.begin(), bytes.end(), marker.begin(), marker.end()) - bytes.begin();
  };
  const ptrdiff_t size = ptrdiff_t(bytes.size());
  // The end chunk: its type and its checksum.
  if (format == "png") return last({'I', 'E', 'N', 'D'}) + 8 <= size;
  // An end-of-image marker after the last scan.
  if (format == "jpeg") {
    const ptrdiff_t end = last({0xFF, 0xD9});
    return end < size && end > last({0xFF, 0xDA});
  }
  if (format == "gif") return bytes.back() == 0x3B;
  if (format == "bmp") return BmpComplete(bytes);
  return true;
}

// Uncompressed pixel rows must all be there.
bool TvxQtImage::BmpComplete(std::span<const uint8_t> bytes) {
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

QImage TvxQtImage::DecodeFile(const std::string& fileName) {
  return Decode(ReadFile(fileName));
}

QSize TvxQtImage::FileImageSize(const std::string& fileName) {
  QImageReader reader(QString::fromStdString(fileName));
  reader.setDecideFormatFromContent(true);
  QSize size = reader.size();
  if (!size.isValid()) size = DecodeFile(fileName).size();
  return size.isValid() ? size : QSize(0, 0);
}

QImage TvxQtImage::DecodeFileScaled(const std::string& fileName, QSize size, bool decoderScaling) {
  if (size.isEmpty()) return {};
  const std::vector<uint8_t> bytes = ReadFile(fileName);
  if (decoderScaling) {
    QImage image = Decode(bytes, size);
    if (image.size() == size) return image;
  }
  const QImage image = Decode(bytes);
  if (image.isNull() || image.size() == size) return image;
  return Premultiplied(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QImage TvxQtImage::Rotated(const QImage& image, float degrees) {
  if (image.isNull() || !std::isfinite(degrees)) return image;
  if (degrees != std::trunc(degrees) || std::fmod(degrees, 90.0f) != 0) {
    return RotatedFree(image, degrees);
  }
  int quarter = int(std::fmod(degrees, 360.0f)) / 90;
  if (quarter < 0) quarter += 4;
  if (quarter == 0) return image;
  return Premultiplied(image.transformed(QTransform().rotate(90.0 * quarter)));
}

QImage TvxQtImage::RotatedFree(const QImage& image, float degrees) {
  QTransform turn;
  turn.rotate(degrees);
  const QRectF box = turn.mapRect(QRectF(image.rect()));
  const int width = std::max(1, int(std::lround(box.width())));
  const int height = std::max(1, int(std::lround(box.height())));
  // Refused before the turned image is allocated.
  if (!FitsBitmap(width, height)) return {};
  QImage result(width, height, QImage::Format_ARGB32_Premultiplied);
  result.fill(Qt::transparent);
  QPainter painter(&result);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(width / 2.0, height / 2.0);
  painter.rotate(degrees);
  painter.drawImage(QPointF(-image.width() / 2.0, -image.height() / 2.0), image);
  return result;
}

bool TvxQtImage::Encode(const QImage& image, const QByteArray& format, int quality,
                        QByteArray& out) {
  if (image.isNull() || !QImageWriter::supportedImageFormats().contains(format)) return false;
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (quality >= 0) writer.setQuality(quality);
  if (!writer.write(image)) return false;
  out = data;
  return true;
}
