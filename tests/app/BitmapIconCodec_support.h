#pragma once

// Decodes icons through the engine's image codec, the one the app tests link, and installs
// itself for its lifetime. Colours stay premultiplied: tests look at sizes and coverage.

#include "platform/IconCodec.h"

class TBitmapIconCodec : public IIconCodec {
 public:
  TBitmapIconCodec();
  ~TBitmapIconCodec() override;
  TBitmapIconCodec(const TBitmapIconCodec&) = delete;
  TBitmapIconCodec& operator=(const TBitmapIconCodec&) = delete;

  bool Decode(std::span<const uint8_t> data, TIconImage& image) override;
  std::string EncodePng(const TIconImage&) override { return {}; }

 private:
  IIconCodec* previous_;
};
