#pragma once

// Top-level windows on Qt's raster windows: the presented frame is painted as it is, and a
// transparent window keeps its shape in step with the frame's alpha so that presses on fully
// transparent pixels reach the windows below. Where no compositing manager shows per-pixel
// alpha, the shape also leaves out nearly transparent pixels, which would show as black.

#include <QImage>
#include <QRasterWindow>
#include <QRegion>
#include <cstdint>

#include "platform/Window.h"

class TQtWindow : public QRasterWindow, public INativeWindow {
 public:
  explicit TQtWindow(IWindowClient& client);
  ~TQtWindow() override;

  void SetBounds(const TBoundsI& bounds) override;
  TBoundsI Bounds() const override;
  void SetVisible(bool visible) override;
  bool Visible() const override { return isVisible(); }
  void SetTitle(const std::string& title) override;
  void SetFrameless(bool frameless) override;
  void SetToolWindow(bool tool) override;
  void SetTransparent(bool transparent) override;
  void MakeTopmost() override;
  void Activate() override;
  void SetMinimized(bool minimized) override;
  bool Minimized() const override { return windowStates() & Qt::WindowMinimized; }
  float DevicePixelRatio() const override { return float(devicePixelRatio()); }
  void Present(const TPixelFrame& frame, std::span<const TBoundsI> dirty) override;
  void SetCursor(TCursorId cursor) override;
  void SetMouseCapture(bool capture) override;
  void ShowHint(const std::u16string& text, const TBoundsI& area) override;
  TPointI ClientToScreen(TPointI point) const override;
  void SetPopup(bool watchOutside) override;

  // Alpha at or below which a pixel is left out of a transparent window's shape when no
  // compositing manager runs.
  static constexpr uint8_t kUncompositedAlphaFloor = 24;
  // The pixels of `image` whose alpha is above `floor`.
  static QRegion VisibleRegion(const QImage& image, uint8_t floor);
  // A Qt popup of the program (a menu) takes the pointer grab over and drops it when it
  // closes: the newest watching popup takes it back, so presses outside still reach it.
  static void ReclaimPopupGrab();
  // The same in logical pixels for an image of device pixels (its devicePixelRatio): a logical
  // pixel belongs to it when any device pixel it overlaps does, so that no visible pixel is
  // left out where the window system scales the shape back to device pixels.
  static QRegion LogicalVisibleRegion(const QImage& image, uint8_t floor);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void SetFlag(Qt::WindowType flag, bool on);
  void Deliver(const TWindowMessage& message);
  // Copies the rectangle of `frame` into the kept image; true when a pixel there crossed the
  // alpha floor.
  bool CopyRect(const TPixelFrame& frame, const TBoundsI& r);
  void UpdateInputShape();
  // Tells the client when the screen's ratio differs from the one it was last told of.
  void FollowScreenRatio();
  // Holds the pointer grab of a watching popup exactly while it is on screen.
  void UpdatePopupGrab(bool onScreen);

  IWindowClient& client_;
  QImage frame_;
  QRegion shape_;
  bool transparent_ = false;
  bool watchOutside_ = false;
  bool popupGrab_ = false;
  bool capture_ = false;
  int grabRetries_ = 0;
  bool tool_ = false;
  // Pixels with alpha at or below it are outside the shape: 0 where alpha is shown.
  uint8_t alphaFloor_ = 0;
  qreal toldRatio_ = 1;
};

class TQtWindowSystem : public IWindowSystem {
 public:
  std::unique_ptr<INativeWindow> OpenWindow(IWindowClient& client) override;
  TPointI CursorPos() const override;
};
