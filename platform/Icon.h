#pragma once

// A window-system icon: one image per size, straight (not premultiplied) ARGB words, rows top
// to bottom. Stored in form data as the property "Data", the images' PNG files one after the
// other; the installed icon codec does the pixel coding.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/component/Publisher.h"

struct TIconImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // width * height
  bool operator==(const TIconImage&) const = default;
};

class TIcon : public TPersistent {
  LC_CLASS(TIcon, TPersistent)

 public:
  // Side lengths beyond this are refused, so that bad data cannot ask for huge buffers.
  static constexpr int kMaxSide = 1024;

  // True without images: the icon has nothing to show.
  bool Empty() const { return images_.empty(); }
  const std::vector<TIconImage>& Images() const { return images_; }
  // The image closest in size to `side` (the larger on a tie); null when empty.
  const TIconImage* ImageFor(int side) const;

  // Adds the image, replacing one of the same size. An image whose pixels do not match its
  // size, or whose side is not within 1..kMaxSide, is refused.
  bool AddImage(TIconImage image);
  void Clear();
  // Replaces the images by those the installed codec reads from `data` (PNG files one after
  // the other, or one file of any format the codec reads); images it cannot read are
  // skipped. The bytes are kept and written back as they were until the images change, so
  // that data nothing here can decode is not lost. Returns whether an image was read.
  bool LoadFromData(std::span<const uint8_t> data);
  // The stored bytes; empty when there is nothing to write or no codec to encode with.
  std::string SaveToData() const;

  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;

  // Raised after every change of the images.
  TNotifyEvent OnChange;

 private:
  void Changed();

  std::vector<TIconImage> images_;
  std::string data_;  // the bytes last read, while the images still match them
};

// The PNG files that follow each other in `data`, split by their chunk structure; a file cut
// short or a chunk running past the end ends the list. Data that does not begin with the PNG
// signature counts as one file of another format.
std::vector<std::span<const uint8_t>> SplitImageFiles(std::span<const uint8_t> data);
