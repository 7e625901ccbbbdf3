#pragma once

// Windows that exist only in memory: they keep what was asked of them and the last frame
// presented, and tests send them input as the window system would.

#include <memory>
#include <vector>

#include "platform/Window.h"

class THeadlessWindowSystem;

class THeadlessWindow : public INativeWindow {
 public:
  THeadlessWindow(THeadlessWindowSystem& system, IWindowClient& client);
  ~THeadlessWindow() override;

  void SetBounds(const TBoundsI& bounds) override { bounds_ = bounds; }
  TBoundsI Bounds() const override { return bounds_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }
  void SetTitle(const std::string& title) override { title_ = title; }
  void SetFrameless(bool frameless) override { frameless_ = frameless; }
  void SetToolWindow(bool tool) override { tool_ = tool; }
  void SetTransparent(bool transparent) override { transparent_ = transparent; }
  void MakeTopmost() override { topmost_ = true; }
  void Activate() override { ++activations_; }
  void SetMinimized(bool minimized) override { minimized_ = minimized; }
  bool Minimized() const override { return minimized_; }
  float DevicePixelRatio() const override { return ratio_; }
  void Present(const TPixelFrame& frame, std::span<const TBoundsI> dirty) override;
  void SetCursor(TCursorId cursor) override { cursor_ = cursor; }
  void SetMouseCapture(bool capture) override { captured_ = capture; }
  void ShowHint(const std::u16string& text, const TBoundsI&) override { hint_ = text; }
  TPointI ClientToScreen(TPointI point) const override {
    return {point.x + bounds_.left, point.y + bounds_.top};
  }
  void SetPopup(bool watchOutside) override {
    popup_ = true;
    watchOutside_ = watchOutside;
  }

  // Puts the window on a screen of another density (1 unless set) and tells its client, as a
  // move to that screen would.
  void SetDevicePixelRatio(float ratio);

  // Input, through the application's hooks like real messages.
  void Send(const TWindowMessage& message);
  void MouseDown(float x, float y, TMouseButton button = TMouseButton::mbLeft,
                 TShiftState shift = 0);
  void MouseUp(float x, float y, TMouseButton button = TMouseButton::mbLeft, TShiftState shift = 0);
  void MouseMove(float x, float y, TShiftState shift = 0);
  void KeyDown(uint16_t key, TShiftState shift = 0);
  void KeyUp(uint16_t key, TShiftState shift = 0);
  // `shift` holds the modifiers held while typing (Ctrl with a control character).
  void Char(char16_t ch, TShiftState shift = 0);
  void Wheel(float x, float y, int delta, TShiftState shift = 0);

  const std::string& Title() const { return title_; }
  bool Frameless() const { return frameless_; }
  bool ToolWindow() const { return tool_; }
  bool Transparent() const { return transparent_; }
  bool Topmost() const { return topmost_; }
  bool Popup() const { return popup_; }
  // Whether presses outside the program would reach this window now.
  bool WatchesOutside() const { return popup_ && watchOutside_ && visible_; }
  int Activations() const { return activations_; }
  TCursorId Cursor() const { return cursor_; }
  bool Captured() const { return captured_; }
  const std::u16string& Hint() const { return hint_; }
  int Presentations() const { return presentations_; }
  const std::vector<TBoundsI>& LastDirty() const { return lastDirty_; }
  // The last presented frame's pixel at (x, y), premultiplied ARGB; 0 outside.
  uint32_t PixelAt(int x, int y) const;
  int FrameWidth() const { return frameWidth_; }
  int FrameHeight() const { return frameHeight_; }
  float FrameRatio() const { return frameRatio_; }

 private:
  THeadlessWindowSystem& system_;
  IWindowClient& client_;
  TBoundsI bounds_;
  std::string title_;
  bool visible_ = false, frameless_ = false, tool_ = false, transparent_ = false;
  bool topmost_ = false, minimized_ = false, captured_ = false;
  bool popup_ = false, watchOutside_ = false;
  int activations_ = 0, presentations_ = 0;
  TCursorId cursor_ = crDefault;
  std::u16string hint_;
  std::vector<uint32_t> frame_;
  int frameWidth_ = 0, frameHeight_ = 0;
  float ratio_ = 1, frameRatio_ = 1;
  std::vector<TBoundsI> lastDirty_;
};

class THeadlessWindowSystem : public IWindowSystem {
 public:
  std::unique_ptr<INativeWindow> OpenWindow(IWindowClient& client) override;
  TPointI CursorPos() const override { return cursor_; }
  void SetCursorPos(TPointI pos) { cursor_ = pos; }
  // The live windows, oldest first.
  const std::vector<THeadlessWindow*>& Windows() const { return windows_; }

 private:
  friend class THeadlessWindow;
  std::vector<THeadlessWindow*> windows_;
  TPointI cursor_;
};
