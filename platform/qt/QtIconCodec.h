#pragma once

#include <QImage>

#include "platform/IconCodec.h"

// Icon images through Qt's image readers: every format Qt reads, PNG written.
class TQtIconCodec : public IIconCodec {
 public:
  bool Decode(std::span<const uint8_t> data, TIconImage& image) override;
  std::string EncodePng(const TIconImage& image) override;

  static QImage ToQImage(const TIconImage& image);
};
