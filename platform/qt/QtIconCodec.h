#pragma once

#include <QIcon>
#include <QImage>
#include <vector>

#include "platform/IconCodec.h"

// Icon images through Qt's image readers: every format Qt reads, PNG written.
class TQtIconCodec : public IIconCodec {
 public:
  bool Decode(std::span<const uint8_t> data, TIconImage& image) override;
  std::string EncodePng(const TIconImage& image) override;

  static QImage ToQImage(const TIconImage& image);
  // Every readable image as one size of the icon.
  static QIcon ToQIcon(const std::vector<TIconImage>& images);
};
