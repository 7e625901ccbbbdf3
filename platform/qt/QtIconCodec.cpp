#include "platform/qt/QtIconCodec.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <climits>
#include <cstring>

bool TQtIconCodec::Decode(std::span<const uint8_t> data, TIconImage& image) {
  if (data.size() > size_t(INT_MAX)) return false;
  QByteArray bytes =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  // Refused before decoding, so that a crafted header cannot make us allocate a huge image.
  const QSize size = reader.size();
  if (size.width() > TIcon::kMaxSide || size.height() > TIcon::kMaxSide) return false;
  QImage decoded = reader.read();
  if (decoded.isNull()) return false;
  decoded.convertTo(QImage::Format_ARGB32);
  image.width = decoded.width();
  image.height = decoded.height();
  image.pixels.resize(size_t(image.width) * size_t(image.height));
  for (int row = 0; row < image.height; ++row) {
    std::memcpy(&image.pixels[size_t(row) * size_t(image.width)], decoded.constScanLine(row),
                size_t(image.width) * sizeof(uint32_t));
  }
  return true;
}

std::string TQtIconCodec::EncodePng(const TIconImage& image) {
  const QImage source = ToQImage(image);
  if (source.isNull()) return {};
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!source.save(&buffer, "PNG")) return {};
  return bytes.toStdString();
}

QImage TQtIconCodec::ToQImage(const TIconImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != size_t(image.width) * size_t(image.height)) {
    return {};
  }
  QImage result(image.width, image.height, QImage::Format_ARGB32);
  for (int row = 0; row < image.height; ++row) {
    std::memcpy(result.scanLine(row), &image.pixels[size_t(row) * size_t(image.width)],
                size_t(image.width) * sizeof(uint32_t));
  }
  return result;
}

QIcon TQtIconCodec::ToQIcon(const std::vector<TIconImage>& images) {
  QIcon icon;
  for (const TIconImage& image : images) {
    const QImage pixels = ToQImage(image);
    if (!pixels.isNull()) icon.addPixmap(QPixmap::fromImage(pixels));
  }
  return icon;
}
