#include "platform/IconCodec.h"

#include <utility>

namespace {

IIconCodec*& Installed() {
  static IIconCodec* codec = nullptr;
  return codec;
}

}  // namespace

IIconCodec* IconCodec() {
  return Installed();
}

IIconCodec* InstallIconCodec(IIconCodec* codec) {
  return std::exchange(Installed(), codec);
}
