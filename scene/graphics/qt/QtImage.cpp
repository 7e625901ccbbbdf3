#include "scene/graphics/qt/QtImage.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTransform>
#include <cmath>

QImage TvxQtImage::Premultiplied(QImage image) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) return {};
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage TvxQtImage::Decode(std::span<const uint8_t> bytes) {
  if (bytes.empty()) return {};
  QByteArray data =
      QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  return Premultiplied(reader.read());
}

QImage TvxQtImage::DecodeFile(const std::string& fileName) {
  QImageReader reader(QString::fromStdString(fileName));
  reader.setDecideFormatFromContent(true);
  return Premultiplied(reader.read());
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
  if (decoderScaling) {
    QImageReader reader(QString::fromStdString(fileName));
    reader.setDecideFormatFromContent(true);
    reader.setScaledSize(size);
    QImage image = Premultiplied(reader.read());
    if (image.size() == size) return image;
  }
  const QImage image = DecodeFile(fileName);
  if (image.isNull() || image.size() == size) return image;
  return Premultiplied(image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QImage TvxQtImage::Rotated(const QImage& image, float degrees) {
  if (image.isNull()) return {};
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
