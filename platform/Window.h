#pragma once

// Top-level windows as the program uses them: positioned in screen pixels, borderless or
// framed, optionally with per-pixel alpha, showing pixels their owner presents and handing
// input back as messages. Every message passes the application's hooks before its window.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "platform/Input.h"

struct TPointI {
  int x = 0;
  int y = 0;
  bool operator==(const TPointI&) const = default;
};

struct TBoundsI {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const TBoundsI&) const = default;
};

struct TWindowMessage {
  enum class Kind {
    MouseDown,
    MouseUp,
    MouseMove,
    MouseLeave,
    DoubleClick,
    Wheel,
    KeyDown,
    KeyUp,
    Char,
    ImeCommit,  // `text` holds the composed characters
    Close,      // the user asked to close the window
    // The window's device pixel ratio changed (it moved to another screen); DevicePixelRatio
    // tells the new one.
    RatioChange,
  };
  Kind kind = Kind::MouseMove;
  TMouseButton button = TMouseButton::mbLeft;
  TShiftState shift = 0;
  float x = 0, y = 0;  // client coordinates
  int wheelDelta = 0;  // 120 per notch, positive away from the user
  uint16_t key = 0;
  char16_t ch = 0;
  std::u16string text = {};
};

// A frame of premultiplied 32-bit ARGB pixels, rows top to bottom, `ratio` device pixels per
// logical pixel: a window of logical size w x h shows a frame of about w x h times the ratio.
struct TPixelFrame {
  const uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;  // bytes per row
  float ratio = 1;
};

class INativeWindow;

// Receives the messages of one window.
class IWindowClient {
 public:
  virtual void HandleMessage(INativeWindow& window, const TWindowMessage& message) = 0;

 protected:
  ~IWindowClient() = default;
};

class INativeWindow {
 public:
  virtual ~INativeWindow() = default;

  virtual void SetBounds(const TBoundsI& bounds) = 0;  // client area in screen pixels
  virtual TBoundsI Bounds() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual void SetFrameless(bool frameless) = 0;
  // No taskbar button and no task-switcher entry.
  virtual void SetToolWindow(bool tool) = 0;
  // Per-pixel alpha: presses on fully transparent pixels reach the windows below.
  virtual void SetTransparent(bool transparent) = 0;
  // Keeps the window above all others, without moving, sizing or activating it.
  virtual void MakeTopmost() = 0;
  virtual void Activate() = 0;
  virtual void SetMinimized(bool minimized) = 0;
  virtual bool Minimized() const = 0;
  // Device pixels per logical pixel on the window's screen; positions, sizes and input stay
  // logical. A change arrives as a RatioChange message.
  virtual float DevicePixelRatio() const { return 1; }
  // Shows the frame; `dirty` lists the rectangles (frame pixels) that changed since the last
  // one.
  virtual void Present(const TPixelFrame& frame, std::span<const TBoundsI> dirty) = 0;
  virtual void SetCursor(TCursorId cursor) = 0;
  virtual void SetMouseCapture(bool capture) = 0;
  // A tooltip near `area` (client coordinates); an empty text hides it.
  virtual void ShowHint(const std::u16string& text, const TBoundsI& area) = 0;
  virtual TPointI ClientToScreen(TPointI point) const = 0;
  // A drop-down window: placed exactly where asked, above every other window, without a
  // taskbar entry, and never activated by showing or clicking. With `watchOutside`, while it
  // is shown it also receives the presses made outside the program, as MouseDown messages at
  // points outside its client area.
  virtual void SetPopup(bool watchOutside) = 0;
};

class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;
  virtual std::unique_ptr<INativeWindow> OpenWindow(IWindowClient& client) = 0;
  virtual TPointI CursorPos() const = 0;
};

// Application-wide message hooks: each sees every message before its window does.
using TMessageHook = std::function<void(INativeWindow&, const TWindowMessage&)>;
int AddMessageHook(TMessageHook hook);
void RemoveMessageHook(int id);
// Application-wide message filters: each sees every message before the hooks do, and one that
// answers true has taken it, so neither the hooks nor the window see it.
using TMessageFilter = std::function<bool(INativeWindow&, const TWindowMessage&)>;
int AddMessageFilter(TMessageFilter filter);
void RemoveMessageFilter(int id);
// What window systems call for every message: the filters, the hooks, then the client.
void DispatchWindowMessage(INativeWindow& window, IWindowClient& client,
                           const TWindowMessage& message);
