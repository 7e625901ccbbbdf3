#pragma once

// Top-level windows on the Win32 API. A window shows the presented frame either by BitBlt in
// WM_PAINT or, when transparent, as a layered window through UpdateLayeredWindow with per-pixel
// alpha, where Windows itself lets presses on fully transparent pixels through to the windows
// below. Coordinates are logical pixels: device pixels divided by the window's DPI ratio.

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/Window.h"
#include "platform/win32/Win32FrameBuffer.h"

class TWin32Window : public INativeWindow {
 public:
  explicit TWin32Window(IWindowClient& client);
  ~TWin32Window() override;
  TWin32Window(const TWin32Window&) = delete;
  TWin32Window& operator=(const TWin32Window&) = delete;

  void SetBounds(const TBoundsI& bounds) override;
  TBoundsI Bounds() const override;
  void SetVisible(bool visible) override;
  bool Visible() const override;
  void SetTitle(const std::string& title) override;
  void SetFrameless(bool frameless) override;
  void SetToolWindow(bool tool) override;
  void SetTransparent(bool transparent) override;
  void MakeTopmost() override;
  void Activate() override;
  void SetMinimized(bool minimized) override;
  bool Minimized() const override;
  float DevicePixelRatio() const override;
  void Present(const TPixelFrame& frame, std::span<const TBoundsI> dirty) override;
  void SetCursor(TCursorId cursor) override;
  void SetMouseCapture(bool capture) override;
  void ShowHint(const std::u16string& text, const TBoundsI& area) override;
  TPointI ClientToScreen(TPointI point) const override;
  void SetPopup(bool watchOutside) override;

  HWND Handle() const { return window_; }
  // The pixels shown last, as presented.
  const TWin32FrameBuffer& Frame() const { return frame_; }
  // The tooltip control, once a hint has been shown.
  HWND HintWindow() const { return hint_; }

  // The system cursor shown for a cursor id.
  static LPCWSTR CursorName(TCursorId cursor);
  // The shift state of mouse message `wParam` (MK_ bits) with the Alt key's state.
  static TShiftState MouseShift(WPARAM wParam);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Handles `message`; false leaves it to DefWindowProcW. The client may free the window
  // while a message is delivered, so nothing touches the window after delivering.
  bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  bool HandleMouse(UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleKey(UINT message, WPARAM wParam);
  void HandleImeResult();
  void HandleDpiChange(const RECT& suggested);
  void Deliver(const TWindowMessage& message);
  void DeliverMouse(TWindowMessage::Kind kind, TMouseButton button, POINT client,
                    TShiftState shift);
  void Paint();
  void PresentLayered();
  void ChangeStyle(LONG_PTR add, LONG_PTR remove, bool extended);
  // Device pixels of the window's screen from logical ones and back.
  int ToDevice(int logical) const;
  float ToLogical(int device) const;
  void ShowOrHide(bool visible);
  // Joins or leaves the popups that watch presses outside the program.
  void FollowWatching();
  void NoteOutsidePress(UINT button, POINT screen, bool checkOwner);
  static LRESULT CALLBACK OutsidePressHook(int code, WPARAM wParam, LPARAM lParam);

  IWindowClient& client_;
  HWND window_ = nullptr;
  HWND hint_ = nullptr;
  TWin32FrameBuffer frame_;
  HCURSOR cursor_ = nullptr;
  bool transparent_ = false;
  bool popup_ = false;
  bool watchOutside_ = false;
  bool trackingLeave_ = false;
  bool minimized_ = false;  // the wanted state while hidden, the last known one when shown
  float toldRatio_ = 1;
};

class TWin32WindowSystem : public IWindowSystem {
 public:
  TWin32WindowSystem();
  std::unique_ptr<INativeWindow> OpenWindow(IWindowClient& client) override;
  TPointI CursorPos() const override;

  // The icons of the program's windows, open and to come; the caller keeps them alive.
  static void SetIcons(HICON big, HICON small);
};
