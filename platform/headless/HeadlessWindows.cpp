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

void THeadlessWindow::MouseDown(float x, float y, TMouseButton button, TShiftState shift) {
  TWindowMessage m;
  m.kind = TWindowMessage::Kind::MouseDown;
  m.button = button;
  m.shift = shift;
  m.x = x;
  m.y = y;
  Send(m);
}

void THeadlessWindow::MouseUp(float x, float y, TMouseButton button, TShiftState shift) {
  TWindowMessage m;
  m.kind = TWindowMessage::Kind::MouseUp;
  m.button = button;
  m.shift = shift;
  m.x = x;
  m.y = y;
  Send(m);
}

void THeadlessWindow::MouseMove(float x, float y, TShiftState shift) {
  TWindowMessage m;
  m.kind = TWindowMessage::Kind::MouseMove;
  m.shift = shift;
  m.x = x;
  m.y = y;
  Send(m);
}

void THeadlessWindow::KeyDown(uint16_t key, TShiftState shift) {
  TWindowMessage m;
  m.kind = TWindowMessage::Kind::KeyDown;
  m.key = key;
  m.shift = shift;
  Send(m);
}

void THeadlessWindow::KeyUp(uint16_t key, TShiftState shift) {
  TWindowMessage m;
  m.kind = TWindowMessage::Kind::KeyUp;
  m.key = key;
  m.shift = shift;
  Send(m);
}

void THeadlessWindow::Char(char16_t ch, TShiftState shift) {
  TWindowMessage m;
  m.kind = TWindowMessage::Kind::Char;
  m.ch = ch;
  m.shift = shift;
  Send(m);
}

void THeadlessWindow::Wheel(float x, float y, int delta, TShiftState shift) {
  TWindowMessage m;
  m.kind = TWindowMessage::Kind::Wheel;
  m.x = x;
  m.y = y;
  m.wheelDelta = delta;
  m.shift = shift;
  Send(m);
}

std::unique_ptr<INativeWindow> THeadlessWindowSystem::CreateWindow(IWindowClient& client) {
  return std::make_unique<THeadlessWindow>(*this, client);
}
