#include "scene/graphics/qt/FilterQt.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "scene/graphics/Bitmap.h"
#include "scene/graphics/qt/QtImage.h"

namespace {

QByteArray QtFormatOf(const std::string& mimeType) {
  const std::string prefix = "image/";
  if (mimeType.rfind(prefix, 0) != 0) return {};
  return QByteArray::fromStdString(mimeType.substr(prefix.size()));
}

}  // namespace

std::string TvxFilterQt::GetFileTypes() const {
  return "*.bmp;*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.gif;*.ico";
}

TvxPoint TvxFilterQt::GetImageSize(const std::string& fileName) {
  const QSize size = TvxQtImage::FileImageSize(fileName);
  return PointOf(float(size.width()), float(size.height()));
}

bool TvxFilterQt::Store(const QImage& image, TvxBitmap& bitmap) {
  if (image.isNull()) return false;
  bitmap.SetSize(image.width(), image.height());
  const size_t rowBytes = size_t(image.width()) * 4;
  for (int y = 0; y < image.height(); ++y) {
    std::memcpy(bitmap.Scanline(y), image.constScanLine(y), rowBytes);
  }
  bitmap.Changed();
  return true;
}

bool TvxFilterQt::LoadFromStream(TMemoryStream& stream, TvxBitmap& bitmap) {
  if (!Store(TvxQtImage::Decode(stream.Remaining()), bitmap)) return false;
  stream.SetPosition(stream.Size());
  return true;
}

bool TvxFilterQt::LoadFromFile(const std::string& fileName, TvxBitmap& bitmap, float rotate) {
  return Store(TvxQtImage::Rotated(TvxQtImage::DecodeFile(fileName), rotate), bitmap);
}

// Fitted into (0, 0, width, height) and never enlarged. The embedded route takes what the
// decoder can scale to (size / ratio, truncated); the other one the fitted rectangle.
bool TvxFilterQt::LoadThumbnailFromFile(const std::string& fileName, bool useEmbedded, float width,
                                        float height, TvxBitmap& bitmap) {
  const QSize full = TvxQtImage::FileImageSize(fileName);
  if (full.isEmpty()) return false;
  TvxRect fitted = RectOf(0, 0, float(full.width()), float(full.height()));
  float ratio = FitRect(fitted, RectOf(0, 0, width, height));
  if (ratio == 0) ratio = 0.001f;
  ratio = std::max(ratio, 1.0f);
  const QSize size = useEmbedded ? QSize(int(full.width() / ratio), int(full.height() / ratio))
                                 : QSize(int(RectWidth(fitted)), int(RectHeight(fitted)));
  return Store(TvxQtImage::DecodeFileScaled(fileName, size, useEmbedded), bitmap);
}

bool TvxFilterQt::Encode(const TvxBitmap& bitmap, const std::string& mimeType,
                         const std::string& params, QByteArray& out) {
  if (bitmap.IsEmpty()) return false;
  const QImage image(reinterpret_cast<const uchar*>(bitmap.Pixels().data()), bitmap.Width(),
                     bitmap.Height(), qsizetype(bitmap.Width()) * 4,
                     QImage::Format_ARGB32_Premultiplied);
  return TvxQtImage::Encode(image, QtFormatOf(mimeType), QualityParameter(params).value_or(-1),
                            out);
}

bool TvxFilterQt::SaveToStream(TMemoryStream& stream, const TvxBitmap& bitmap,
                               const std::string& format, const std::string& params) {
  QByteArray data;
  if (!Encode(bitmap, MimeTypeOfFormat(format), params, data)) return false;
  stream.Write(std::span(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size())));
  return true;
}

bool TvxFilterQt::SaveToFile(const std::string& fileName, const TvxBitmap& bitmap,
                             const std::string& params) {
  const std::string mimeType = MimeTypeOfFile(fileName);
  QByteArray data;
  if (mimeType.empty() || !Encode(bitmap, mimeType, params, data)) return false;
  std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
  file.write(data.constData(), std::streamsize(data.size()));
  return bool(file);
}
