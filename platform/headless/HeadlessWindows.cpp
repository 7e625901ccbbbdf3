#include "platform/headless/HeadlessWindows.h"

#include <algorithm>
#include <cstring>

THeadlessWindow::THeadlessWindow(THeadlessWindowSystem& system, IWindowClient& client)
    : system_(system), client_(client) {
  system_.windows_.push_back(this);
}

THeadlessWindow::~THeadlessWindow() {
  std::erase(system_.windows_, this);
}

void THeadlessWindow::Present(const TPixelFrame& frame, std::span<const TBoundsI> dirty) {
  ++presentations_;
  frameWidth_ = frame.width;
  frameHeight_ = frame.height;
  frameRatio_ = frame.ratio;
  frame_.resize(size_t(frame.width) * size_t(frame.height));
  for (int y = 0; y < frame.height; ++y) {
    const auto* row =
        reinterpret_cast<const uint8_t*>(frame.pixels) + size_t(y) * size_t(frame.stride);
    std::memcpy(frame_.data() + size_t(y) * size_t(frame.width), row, size_t(frame.width) * 4);
  }
  lastDirty_.assign(dirty.begin(), dirty.end());
}

uint32_t THeadlessWindow::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= frameWidth_ || y >= frameHeight_) return 0;
  return frame_[size_t(y) * size_t(frameWidth_) + size_t(x)];
}

void THeadlessWindow::Send(const TWindowMessage& message) {
  DispatchWindowMessage(*this, client_, message);
}

namespace {
using Kind = TWindowMessage::Kind;
}  // namespace

void THeadlessWindow::SetDevicePixelRatio(float ratio) {
  if (ratio == ratio_) return;
  ratio_ = ratio;
  Send({.kind = Kind::RatioChange});
}

void THeadlessWindow::MouseDown(float x, float y, TMouseButton button, TShiftState shift) {
  Send({.kind = Kind::MouseDown, .button = button, .shift = shift, .x = x, .y = y});
}

void THeadlessWindow::MouseUp(float x, float y, TMouseButton button, TShiftState shift) {
  Send({.kind = Kind::MouseUp, .button = button, .shift = shift, .x = x, .y = y});
}

void THeadlessWindow::MouseMove(float x, float y, TShiftState shift) {
  Send({.kind = Kind::MouseMove, .shift = shift, .x = x, .y = y});
}

void THeadlessWindow::KeyDown(uint16_t key, TShiftState shift) {
  Send({.kind = Kind::KeyDown, .shift = shift, .key = key});
}

void THeadlessWindow::KeyUp(uint16_t key, TShiftState shift) {
  Send({.kind = Kind::KeyUp, .shift = shift, .key = key});
}

void THeadlessWindow::Char(char16_t ch, TShiftState shift) {
  Send({.kind = Kind::Char, .shift = shift, .ch = ch});
}

void THeadlessWindow::Wheel(float x, float y, int delta, TShiftState shift) {
  Send({.kind = Kind::Wheel, .shift = shift, .x = x, .y = y, .wheelDelta = delta});
}

std::unique_ptr<INativeWindow> THeadlessWindowSystem::OpenWindow(IWindowClient& client) {
  return std::make_unique<THeadlessWindow>(*this, client);
}
