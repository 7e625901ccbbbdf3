#include <cstdio>
#include <cstring>

#include "GraphicsFakes.h"

bool RawCodec::LoadFromStream(TMemoryStream& stream, TvxBitmap& bitmap) {
  ++log_.loads;
  const auto data = stream.Remaining();
  const std::string text(data.begin(), data.end());
  int width = 0, height = 0, used = 0;
  char format[16] = {};
  if (std::sscanf(text.c_str(), "RAW:%15[a-z]:%dx%d:%n", format, &width, &height, &used) < 3)
    return false;
  const size_t count = size_t(width) * size_t(height);
  if (width <= 0 || height <= 0 || text.size() - size_t(used) < count * 4) return false;
  bitmap.SetSize(width, height);
  std::memcpy(bitmap.Pixels().data(), text.data() + used, count * 4);
  return true;
}

bool RawCodec::SaveToStream(TMemoryStream& stream, const TvxBitmap& bitmap,
                            const std::string& format, const std::string& params) {
  log_.format = format;
  log_.params = params;
  std::string text = "RAW:" + format + ":" + std::to_string(bitmap.Width()) + "x" +
                     std::to_string(bitmap.Height()) + ":";
  const auto pixels = bitmap.Pixels();
  text.append(reinterpret_cast<const char*>(pixels.data()), pixels.size() * 4);
  stream.Write(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  return true;
}

FakeBackend::FakeBackend() {
  SetGraphicsBackend({
      [this](int w, int h) -> std::unique_ptr<TvxCanvas> {
        ++canvasesMade;
        return std::make_unique<RecordingCanvas>(w, h);
      },
      [this](TvxBitmap& bitmap) -> std::unique_ptr<TvxCanvas> {
        ++canvasesMade;
        return std::make_unique<RecordingCanvas>(bitmap);
      },
      [this]() -> std::unique_ptr<TvxFilter> { return std::make_unique<RawCodec>(codec); },
  });
}

FakeBackend::~FakeBackend() {
  SetGraphicsBackend({});
}
