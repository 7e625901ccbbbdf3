#include "scene/graphics/gdiplus/FilterGdiPlus.h"

#include <shlwapi.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/component/Unicode.h"
#include "scene/graphics/Bitmap.h"
#include "scene/graphics/EncodedImage.h"

using namespace Gdiplus;

namespace {

struct ReleaseCom {
  void operator()(IUnknown* object) const { object->Release(); }
};
using StreamPtr = std::unique_ptr<IStream, ReleaseCom>;

StreamPtr MemoryStream(std::span<const uint8_t> bytes) {
  return StreamPtr(SHCreateMemStream(bytes.data(), UINT(bytes.size())));
}

bool ReadAll(IStream& stream, std::vector<uint8_t>& out) {
  STATSTG stat{};
  if (FAILED(stream.Stat(&stat, STATFLAG_NONAME))) return false;
  LARGE_INTEGER start{};
  if (FAILED(stream.Seek(start, STREAM_SEEK_SET, nullptr))) return false;
  std::vector<uint8_t> bytes(size_t(stat.cbSize.QuadPart));
  ULONG read = 0;
  if (!bytes.empty() &&
      (FAILED(stream.Read(bytes.data(), ULONG(bytes.size()), &read)) || read != bytes.size())) {
    return false;
  }
  out = std::move(bytes);
  return true;
}

std::filesystem::path PathOf(const std::string& fileName) {
  return std::filesystem::path(
      std::u8string(reinterpret_cast<const char8_t*>(fileName.data()), fileName.size()));
}

RotateFlipType QuarterTurn(int quarter) {
  switch (quarter) {
    case 1:
      return Rotate90FlipNone;
    case 2:
      return Rotate180FlipNone;
    default:
      return Rotate270FlipNone;
  }
}

}  // namespace

struct TvxFilterGdiPlus::Decoded {
  StreamPtr stream;
  std::unique_ptr<Gdiplus::Bitmap> image;
};

std::string TvxFilterGdiPlus::GetFileTypes() const {
  return "*.bmp;*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.gif;*.ico";
}

bool TvxFilterGdiPlus::FitsBitmap(UINT width, UINT height) {
  return width > 0 && height > 0 && uint64_t(width) * uint64_t(height) <= MaxBitmapPixels;
}

std::vector<uint8_t> TvxFilterGdiPlus::ReadFile(const std::string& fileName) {
  std::ifstream file(PathOf(fileName), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

std::unique_ptr<TvxFilterGdiPlus::Decoded> TvxFilterGdiPlus::Decode(std::span<const uint8_t> bytes,
                                                                    bool checkComplete) {
  if (bytes.empty() || (checkComplete && !TvxEncodedImage::LooksComplete(bytes))) return nullptr;
  auto decoded = std::make_unique<Decoded>();
  decoded->stream = MemoryStream(bytes);
  if (!decoded->stream) return nullptr;
  decoded->image.reset(Gdiplus::Bitmap::FromStream(decoded->stream.get()));
  if (!decoded->image || decoded->image->GetLastStatus() != Ok) return nullptr;
  return decoded;
}

std::optional<TvxFilterGdiPlus::Pixels> TvxFilterGdiPlus::Read(Gdiplus::Bitmap& image) {
  const UINT width = image.GetWidth();
  const UINT height = image.GetHeight();
  // Refused before any pixel block of that size is made.
  if (!FitsBitmap(width, height)) return std::nullopt;
  Pixels pixels{int(width), int(height), {}};
  pixels.data.resize(size_t(width) * height);
  BitmapData locked{};
  locked.Width = width;
  locked.Height = height;
  locked.Stride = INT(width * 4);
  locked.PixelFormat = PixelFormat32bppPARGB;
  locked.Scan0 = pixels.data.data();
  const Rect whole(0, 0, INT(width), INT(height));
  if (image.LockBits(&whole, ImageLockModeRead | ImageLockModeUserInputBuf, PixelFormat32bppPARGB,
                     &locked) != Ok) {
    return std::nullopt;
  }
  image.UnlockBits(&locked);
  return pixels;
}

std::optional<TvxFilterGdiPlus::Pixels> TvxFilterGdiPlus::Drawn(Gdiplus::Image& image, int width,
                                                                int height) {
  if (width <= 0 || height <= 0 || !FitsBitmap(UINT(width), UINT(height))) return std::nullopt;
  Pixels pixels{width, height, std::vector<TvxColor>(size_t(width) * size_t(height), 0)};
  Gdiplus::Bitmap target(width, height, width * 4, PixelFormat32bppPARGB,
                         reinterpret_cast<BYTE*>(pixels.data.data()));
  Graphics graphics(&target);
  if (graphics.GetLastStatus() != Ok) return std::nullopt;
  graphics.SetCompositingMode(CompositingModeSourceCopy);
  graphics.SetInterpolationMode(InterpolationModeHighQualityBicubic);
  graphics.SetPixelOffsetMode(PixelOffsetModeHalf);
  ImageAttributes clamp;
  clamp.SetWrapMode(WrapModeTileFlipXY);
  const REAL sourceWidth = REAL(image.GetWidth());
  const REAL sourceHeight = REAL(image.GetHeight());
  if (graphics.DrawImage(&image, RectF(0, 0, REAL(width), REAL(height)), 0, 0, sourceWidth,
                         sourceHeight, UnitPixel, &clamp) != Ok) {
    return std::nullopt;
  }
  graphics.Flush(FlushIntentionSync);
  return pixels;
}

std::optional<TvxFilterGdiPlus::Pixels> TvxFilterGdiPlus::Turned(Gdiplus::Bitmap& image,
                                                                 float degrees) {
  const REAL width = REAL(image.GetWidth());
  const REAL height = REAL(image.GetHeight());
  const double radians = degrees * 3.14159265358979323846 / 180;
  const double c = std::abs(std::cos(radians));
  const double s = std::abs(std::sin(radians));
  const double boxWidth = std::round(width * c + height * s);
  const double boxHeight = std::round(width * s + height * c);
  // Refused before the turned image is allocated.
  if (!(boxWidth * boxHeight <= double(MaxBitmapPixels))) return std::nullopt;
  const int w = std::max(1, int(boxWidth));
  const int h = std::max(1, int(boxHeight));
  Pixels pixels{w, h, std::vector<TvxColor>(size_t(w) * size_t(h), 0)};
  Gdiplus::Bitmap target(w, h, w * 4, PixelFormat32bppPARGB,
                         reinterpret_cast<BYTE*>(pixels.data.data()));
  Graphics graphics(&target);
  if (graphics.GetLastStatus() != Ok) return std::nullopt;
  graphics.SetSmoothingMode(SmoothingModeAntiAlias);
  graphics.SetInterpolationMode(InterpolationModeHighQualityBicubic);
  graphics.SetPixelOffsetMode(PixelOffsetModeHalf);
  graphics.TranslateTransform(w / 2.0f, h / 2.0f);
  graphics.RotateTransform(degrees);
  if (graphics.DrawImage(&image, RectF(-width / 2, -height / 2, width, height), 0, 0, width, height,
                         UnitPixel) != Ok) {
    return std::nullopt;
  }
  graphics.Flush(FlushIntentionSync);
  return pixels;
}

bool TvxFilterGdiPlus::Store(const std::optional<Pixels>& pixels, TvxBitmap& bitmap) {
  if (!pixels) return false;
  bitmap.SetSize(pixels->width, pixels->height);
  std::memcpy(bitmap.Pixels().data(), pixels->data.data(), pixels->data.size() * 4);
  bitmap.Changed();
  return true;
}

TvxPoint TvxFilterGdiPlus::GetImageSize(const std::string& fileName) {
  const std::vector<uint8_t> bytes = ReadFile(fileName);
  const auto decoded = Decode(bytes, false);
  if (!decoded) return {};
  return PointOf(float(decoded->image->GetWidth()), float(decoded->image->GetHeight()));
}

bool TvxFilterGdiPlus::LoadFromStream(TMemoryStream& stream, TvxBitmap& bitmap) {
  const auto decoded = Decode(stream.Remaining(), true);
  if (!decoded || !Store(Read(*decoded->image), bitmap)) return false;
  stream.SetPosition(stream.Size());
  return true;
}

// Quarter turns move pixels exactly; other angles draw through the turn. An angle that is
// not finite turns nothing.
bool TvxFilterGdiPlus::LoadFromFile(const std::string& fileName, TvxBitmap& bitmap, float rotate) {
  const std::vector<uint8_t> bytes = ReadFile(fileName);
  const auto decoded = Decode(bytes, true);
  if (!decoded) return false;
  Gdiplus::Bitmap& image = *decoded->image;
  if (!FitsBitmap(image.GetWidth(), image.GetHeight())) return false;
  if (!std::isfinite(rotate)) return Store(Read(image), bitmap);
  if (rotate != std::trunc(rotate) || std::fmod(rotate, 90.0f) != 0) {
    return Store(Turned(image, rotate), bitmap);
  }
  int quarter = int(std::fmod(rotate, 360.0f)) / 90;
  if (quarter < 0) quarter += 4;
  if (quarter != 0 && image.RotateFlip(QuarterTurn(quarter)) != Ok) return false;
  return Store(Read(image), bitmap);
}

// Fitted into (0, 0, width, height) and never enlarged. The embedded route takes what the
// file's thumbnail can give (size / ratio, truncated); the other one the fitted rectangle.
bool TvxFilterGdiPlus::LoadThumbnailFromFile(const std::string& fileName, bool useEmbedded,
                                             float width, float height, TvxBitmap& bitmap) {
  const std::vector<uint8_t> bytes = ReadFile(fileName);
  const auto decoded = Decode(bytes, true);
  if (!decoded) return false;
  Gdiplus::Bitmap& image = *decoded->image;
  const float fullWidth = float(image.GetWidth());
  const float fullHeight = float(image.GetHeight());
  if (!FitsBitmap(image.GetWidth(), image.GetHeight())) return false;
  TvxRect fitted = RectOf(0, 0, fullWidth, fullHeight);
  float ratio = FitRect(fitted, RectOf(0, 0, width, height));
  if (ratio == 0) ratio = 0.001f;
  ratio = std::max(ratio, 1.0f);
  if (!useEmbedded) {
    return Store(Drawn(image, int(RectWidth(fitted)), int(RectHeight(fitted))), bitmap);
  }
  const int w = int(fullWidth / ratio);
  const int h = int(fullHeight / ratio);
  if (w <= 0 || h <= 0) return false;
  std::unique_ptr<Image> thumbnail(image.GetThumbnailImage(UINT(w), UINT(h), nullptr, nullptr));
  if (!thumbnail || thumbnail->GetLastStatus() != Ok) return Store(Drawn(image, w, h), bitmap);
  return Store(Drawn(*thumbnail, w, h), bitmap);
}

std::optional<CLSID> TvxFilterGdiPlus::EncoderOf(const std::string& mimeType) {
  UINT count = 0;
  UINT size = 0;
  if (GetImageEncodersSize(&count, &size) != Ok || size == 0) return std::nullopt;
  std::vector<std::byte> storage(size);
  auto* encoders = reinterpret_cast<ImageCodecInfo*>(storage.data());
  if (GetImageEncoders(count, size, encoders) != Ok) return std::nullopt;
  for (UINT i = 0; i < count; ++i) {
    std::string mime;
    for (const WCHAR* c = encoders[i].MimeType; c && *c; ++c) mime += char(*c);
    if (SameText(mime, mimeType)) return encoders[i].Clsid;
  }
  return std::nullopt;
}

bool TvxFilterGdiPlus::Encode(const TvxBitmap& bitmap, const std::string& mimeType,
                              const std::string& params, std::vector<uint8_t>& out) {
  if (bitmap.IsEmpty()) return false;
  const std::optional<CLSID> encoder = EncoderOf(mimeType);
  if (!encoder) return false;
  // GDI+ only reads the pixels it wraps here.
  Gdiplus::Bitmap image(bitmap.Width(), bitmap.Height(), bitmap.Width() * 4, PixelFormat32bppPARGB,
                        reinterpret_cast<BYTE*>(const_cast<TvxColor*>(bitmap.Pixels().data())));
  if (image.GetLastStatus() != Ok) return false;
  EncoderParameters parameters{};
  ULONG quality = 0;
  if (const std::optional<int> value = QualityParameter(params)) {
    quality = ULONG(std::clamp(*value, 0, 100));
    parameters.Count = 1;
    parameters.Parameter[0].Guid = EncoderQuality;
    parameters.Parameter[0].Type = EncoderParameterValueTypeLong;
    parameters.Parameter[0].NumberOfValues = 1;
    parameters.Parameter[0].Value = &quality;
  }
  const StreamPtr stream = MemoryStream({});
  if (!stream) return false;
  if (image.Save(stream.get(), &*encoder, parameters.Count ? &parameters : nullptr) != Ok) {
    return false;
  }
  return ReadAll(*stream, out);
}

bool TvxFilterGdiPlus::SaveToStream(TMemoryStream& stream, const TvxBitmap& bitmap,
                                    const std::string& format, const std::string& params) {
  std::vector<uint8_t> data;
  if (!Encode(bitmap, MimeTypeOfFormat(format), params, data)) return false;
  stream.Write(std::span<const uint8_t>(data));
  return true;
}

bool TvxFilterGdiPlus::SaveToFile(const std::string& fileName, const TvxBitmap& bitmap,
                                  const std::string& params) {
  const std::string mimeType = MimeTypeOfFile(fileName);
  std::vector<uint8_t> data;
  if (mimeType.empty() || !Encode(bitmap, mimeType, params, data)) return false;
  std::ofstream file(PathOf(fileName), std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  return bool(file);
}
