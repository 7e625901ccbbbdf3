#include "platform/Icon.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/IconCodec.h"
#include "platform/component/FormData.h"

LC_PUBLISH(TIcon) {}

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

bool StartsWithPngSignature(std::span<const uint8_t> data) {
  return data.size() >= sizeof kPngSignature &&
         std::memcmp(data.data(), kPngSignature, sizeof kPngSignature) == 0;
}

uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}

// The length of the PNG file at the start of `data` up to and with its IEND chunk; 0 when the
// file is cut short.
size_t PngFileLength(std::span<const uint8_t> data) {
  constexpr size_t kChunkFrame = 12;  // length, type and CRC around the chunk's data
  size_t pos = sizeof kPngSignature;
  while (data.size() - pos >= kChunkFrame) {
    const uint32_t length = BigEndian32(&data[pos]);
    if (length > data.size() - pos - kChunkFrame) return 0;
    const bool end = std::memcmp(&data[pos + 4], "IEND", 4) == 0;
    pos += kChunkFrame + length;
    if (end) return pos;
  }
  return 0;
}

bool Acceptable(const TIconImage& image) {
  return image.width >= 1 && image.width <= TIcon::kMaxSide && image.height >= 1 &&
         image.height <= TIcon::kMaxSide &&
         image.pixels.size() == size_t(image.width) * size_t(image.height);
}

void PutImage(std::vector<TIconImage>& images, TIconImage image) {
  auto same = std::find_if(images.begin(), images.end(), [&image](const TIconImage& held) {
    return held.width == image.width && held.height == image.height;
  });
  if (same != images.end()) {
    *same = std::move(image);
  } else {
    images.push_back(std::move(image));
  }
}

}  // namespace

std::vector<std::span<const uint8_t>> SplitImageFiles(std::span<const uint8_t> data) {
  if (data.empty()) return {};
  if (!StartsWithPngSignature(data)) return {data};
  std::vector<std::span<const uint8_t>> files;
  while (StartsWithPngSignature(data)) {
    const size_t length = PngFileLength(data);
    if (length == 0) break;
    files.push_back(data.first(length));
    data = data.subspan(length);
  }
  return files;
}

const TIconImage* TIcon::ImageFor(int side) const {
  const TIconImage* best = nullptr;
  int bestDistance = 0;
  for (const TIconImage& image : images_) {
    const int size = std::max(image.width, image.height);
    const int distance = std::abs(size - side);
    const int bestSize = best ? std::max(best->width, best->height) : 0;
    if (!best || distance < bestDistance || (distance == bestDistance && size > bestSize)) {
      best = &image;
      bestDistance = distance;
    }
  }
  return best;
}

bool TIcon::AddImage(TIconImage image) {
  if (!Acceptable(image)) return false;
  PutImage(images_, std::move(image));
  data_.clear();
  Changed();
  return true;
}

void TIcon::Clear() {
  data_.clear();
  if (images_.empty()) return;
  images_.clear();
  Changed();
}

bool TIcon::LoadFromData(std::span<const uint8_t> data) {
  std::vector<TIconImage> images;
  if (IIconCodec* codec = IconCodec()) {
    for (std::span<const uint8_t> file : SplitImageFiles(data)) {
      TIconImage image;
      if (codec->Decode(file, image) && Acceptable(image)) PutImage(images, std::move(image));
    }
  }
  data_.assign(data.begin(), data.end());
  if (images != images_) {
    images_ = std::move(images);
    Changed();
  }
  return !images_.empty();
}

std::string TIcon::SaveToData() const {
  if (!data_.empty()) return data_;
  IIconCodec* codec = IconCodec();
  if (!codec) return {};
  std::string data;
  for (const TIconImage& image : images_) data += codec->EncodePng(image);
  return data;
}

void TIcon::Assign(const TPersistent& source) {
  const auto* icon = dynamic_cast<const TIcon*>(&source);
  if (!icon) {
    TPersistent::Assign(source);
    return;
  }
  if (icon == this) return;
  data_ = icon->data_;
  if (images_ == icon->images_) return;
  images_ = icon->images_;
  Changed();
}

void TIcon::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Data",
      [this](const TFormValue& value) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(value.text.data());
        LoadFromData({bytes, value.text.size()});
      },
      [this] { return TFormValue::Bytes(SaveToData()); },
      !data_.empty() || (!images_.empty() && IconCodec()));
}

void TIcon::Changed() {
  OnChange(this);
}
