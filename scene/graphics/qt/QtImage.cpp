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
#include "scene/graphics/EncodedImage.h"

bool TvxQtImage::FitsBitmap(int width, int height) {
  return width > 0 && height > 0 && uint64_t(width) * uint64_t(height) <= MaxBitmapPixels;
}

QImage TvxQtImage::Premultiplied(QImage image) {
  if (image.isNull() || !FitsBitmap(image.width(), image.height())) return {};
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage TvxQtImage::Decode(std::span<const uint8_t> bytes, QSize scaledSize) {
  if (bytes.empty() || !TvxEncodedImage::LooksComplete(bytes)) return {};
  QByteArray data =
      QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  if (scaledSize.isValid()) reader.setScaledSize(scaledSize);
  return Premultiplied(reader.read());
}

std::vector<uint8_t> TvxQtImage::ReadFile(const std::string& fileName) {
  std::ifstream file(fileName, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
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
