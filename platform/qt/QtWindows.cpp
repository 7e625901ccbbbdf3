#include "platform/qt/QtWindows.h"

#include <QCursor>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/qt/QtX11.h"

namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = {}) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
  return shift;
}

bool ButtonOf(Qt::MouseButton qt, TMouseButton& button) {
  switch (qt) {
    case Qt::LeftButton:
      button = TMouseButton::mbLeft;
      return true;
    case Qt::RightButton:
      button = TMouseButton::mbRight;
      return true;
    case Qt::MiddleButton:
      button = TMouseButton::mbMiddle;
      return true;
    default:
      return false;
  }
}

// Qt key codes to the virtual-key numbering the engine uses.
uint16_t KeyCodeOf(const QKeyEvent& event) {
  const int key = event.key();
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
    return uint16_t(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return uint16_t(112 + key - Qt::Key_F1);
  const bool keypad = event.modifiers() & Qt::KeypadModifier;
  switch (key) {
    case Qt::Key_Backspace:
      return vkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vkReturn;
    case Qt::Key_Escape:
      return vkEscape;
    case Qt::Key_Space:
      return vkSpace;
    case Qt::Key_PageUp:
      return vkPrior;
    case Qt::Key_PageDown:
      return vkNext;
    case Qt::Key_End:
      return vkEnd;
    case Qt::Key_Home:
      return vkHome;
    case Qt::Key_Left:
      return vkLeft;
    case Qt::Key_Up:
      return vkUp;
    case Qt::Key_Right:
      return vkRight;
    case Qt::Key_Down:
      return vkDown;
    case Qt::Key_Insert:
      return vkInsert;
    case Qt::Key_Delete:
      return vkDelete;
    case Qt::Key_Plus:
      return keypad ? uint16_t(vkAdd) : uint16_t(187);
    case Qt::Key_Minus:
      return keypad ? uint16_t(vkSubtract) : uint16_t(189);
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    default:
      return 0;
  }
}

Qt::CursorShape ShapeOf(TCursorId cursor) {
  switch (cursor) {
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    default:
      return Qt::ArrowCursor;
  }
}

// The watching popups that hold the pointer grab, oldest first. Only the newest can hold it
// (a client has one grab per device); when it lets go the one below takes it back.
std::vector<TQtWindow*>& GrabHolders() {
  static std::vector<TQtWindow*> holders;
  return holders;
}

}  // namespace

// As runs per row.
QRegion TQtWindow::VisibleRegion(const QImage& image, uint8_t floor) {
  std::vector<QRect> runs;
  const int width = image.width(), height = image.height();
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < width;) {
      if ((row[x] >> 24) <= floor) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < width && (row[x] >> 24) > floor) ++x;
      runs.emplace_back(start, y, x - start, 1);
    }
  }
  QRegion region;
  region.setRects(runs.data(), int(runs.size()));
  return region;
}

// Marks every logical pixel that a visible device pixel overlaps; at a ratio of 1 the same as
// VisibleRegion.
QRegion TQtWindow::LogicalVisibleRegion(const QImage& image, uint8_t floor) {
  const qreal ratio = image.devicePixelRatio();
  if (ratio == 1) return VisibleRegion(image, floor);
  const auto logical = [ratio](int device) { return int(std::floor(device / ratio)); };
  const auto logicalEnd = [ratio](int device) { return int(std::ceil(device / ratio)); };
  QImage mask(logicalEnd(image.width()), logicalEnd(image.height()),
              QImage::Format_ARGB32_Premultiplied);
  mask.fill(0);
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if ((row[x] >> 24) <= floor) continue;
      for (int my = logical(y); my < logicalEnd(y + 1); ++my) {
        auto* to = reinterpret_cast<uint32_t*>(mask.scanLine(my));
        std::fill(to + logical(x), to + logicalEnd(x + 1), 0xFF000000u);
      }
    }
  }
  return VisibleRegion(mask, 0);
}

TQtWindow::TQtWindow(IWindowClient& client) : client_(client) {
  QSurfaceFormat format = requestedFormat();
  format.setAlphaBufferSize(8);
  setFormat(format);
  toldRatio_ = devicePixelRatio();
  connect(this, &QWindow::screenChanged, this, [this] { FollowScreenRatio(); });
}

void TQtWindow::FollowScreenRatio() {
  if (devicePixelRatio() == toldRatio_) return;
  toldRatio_ = devicePixelRatio();
  Deliver({.kind = TWindowMessage::Kind::RatioChange});
}

TQtWindow::~TQtWindow() {
  UpdatePopupGrab(false);
}

void TQtWindow::SetBounds(const TBoundsI& bounds) {
  setGeometry(bounds.left, bounds.top, bounds.width, bounds.height);
}

TBoundsI TQtWindow::Bounds() const {
  const QRect r = geometry();
  return {r.x(), r.y(), r.width(), r.height()};
}

void TQtWindow::SetVisible(bool visible) {
  if (visible) grabRetries_ = 0;
  // The grab goes before the window does, so no moment exists with a grab and no popup.
  if (!visible) UpdatePopupGrab(false);
  setVisible(visible);
}

void TQtWindow::SetTitle(const std::string& title) {
  setTitle(QString::fromStdString(title));
}

void TQtWindow::SetFlag(Qt::WindowType flag, bool on) {
  const Qt::WindowFlags old = flags();
  Qt::WindowFlags wanted = on ? old | flag : old & ~flag;
  // A window type such as Qt::Tool shares the bits of Qt::Window that every top-level window
  // carries: it is compared as a whole type, and switching it off leaves a plain window.
  if (flag & Qt::WindowType_Mask) {
    const Qt::WindowFlags type = old & Qt::WindowType_Mask;
    const Qt::WindowFlags newType = on                              ? Qt::WindowFlags(flag)
                                    : type == Qt::WindowFlags(flag) ? Qt::Window
                                                                    : type;
    wanted = (old & ~Qt::WindowType_Mask) | newType;
  }
  if (wanted == old) return;
  const bool shown = isVisible();
  setFlags(wanted);
  if (shown) show();  // changing flags re-creates the native window hidden
}

void TQtWindow::SetFrameless(bool frameless) {
  SetFlag(Qt::FramelessWindowHint, frameless);
}

void TQtWindow::SetToolWindow(bool tool) {
  tool_ = tool;
  SetFlag(Qt::Tool, tool);
}

void TQtWindow::SetTransparent(bool transparent) {
  transparent_ = transparent;
  UpdateInputShape();
}

void TQtWindow::showEvent(QShowEvent* event) {
  // Sent before the native window is mapped, which is when the window manager reads the
  // states; whether a compositor runs may have changed while the window was hidden.
  TQtX11::SetSkipTaskbar(*this, tool_);
  alphaFloor_ = TQtX11::Composited() ? 0 : kUncompositedAlphaFloor;
  UpdateInputShape();
  QRasterWindow::showEvent(event);
}

void TQtWindow::MakeTopmost() {
  SetFlag(Qt::WindowDoesNotAcceptFocus, true);
  SetFlag(Qt::WindowStaysOnTopHint, true);
  SetFlag(Qt::WindowDoesNotAcceptFocus, false);
  if (isVisible()) raise();
}

void TQtWindow::Activate() {
  if (!isVisible()) show();
  raise();
  requestActivate();
}

void TQtWindow::SetMinimized(bool minimized) {
  setWindowStates(minimized ? (windowStates() | Qt::WindowMinimized)
                            : (windowStates() & ~Qt::WindowMinimized));
}

void TQtWindow::Present(const TPixelFrame& frame, std::span<const TBoundsI> dirty) {
  const qreal ratio = frame.ratio > 0 ? qreal(frame.ratio) : 1;
  const bool resized = frame_.width() != frame.width || frame_.height() != frame.height ||
                       frame_.devicePixelRatio() != ratio;
  if (resized) {
    frame_ = QImage(frame.width, frame.height, QImage::Format_ARGB32_Premultiplied);
    frame_.setDevicePixelRatio(ratio);
  }
  const TBoundsI all{0, 0, frame.width, frame.height};
  const bool whole = resized || dirty.empty();
  bool coverageChanged = resized;
  for (const TBoundsI& r : whole ? std::span<const TBoundsI>(&all, 1) : dirty)
    coverageChanged |= CopyRect(frame, r);
  // Rebuilding the input shape scans the whole frame; an animation that only changes colours
  // leaves it as it is.
  if (coverageChanged) UpdateInputShape();
  if (whole) return update();
  // Dirty rectangles are frame pixels; the window repaints logical ones.
  for (const TBoundsI& r : dirty) {
    const QRectF device(r.left, r.top, r.width, r.height);
    update(QRectF(device.topLeft() / ratio, device.size() / ratio).toAlignedRect());
  }
}

bool TQtWindow::CopyRect(const TPixelFrame& frame, const TBoundsI& r) {
  const int left = std::max(r.left, 0), right = std::min(r.left + r.width, frame.width);
  const int top = std::max(r.top, 0), bottom = std::min(r.top + r.height, frame.height);
  bool changed = false;
  for (int y = top; y < bottom; ++y) {
    const auto* from = reinterpret_cast<const uint32_t*>(
        reinterpret_cast<const uint8_t*>(frame.pixels) + size_t(y) * size_t(frame.stride));
    auto* to = reinterpret_cast<uint32_t*>(frame_.scanLine(y));
    for (int x = left; x < right && !changed; ++x)
      changed = ((from[x] >> 24) > alphaFloor_) != ((to[x] >> 24) > alphaFloor_);
    std::copy(from + left, from + std::max(left, right), to + left);
  }
  return changed;
}

void TQtWindow::UpdateInputShape() {
  const QRegion shape =
      transparent_ && !frame_.isNull() ? LogicalVisibleRegion(frame_, alphaFloor_) : QRegion();
  if (shape == shape_) return;
  shape_ = shape;
  setMask(shape_);
}

void TQtWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  if (frame_.isNull()) return painter.fillRect(event->rect(), Qt::transparent);
  // The source is in the frame's device pixels, which map one to one onto the window's.
  const QRectF target(event->rect());
  const qreal ratio = frame_.devicePixelRatio();
  painter.drawImage(target, frame_, QRectF(target.topLeft() * ratio, target.size() * ratio));
}

void TQtWindow::SetCursor(TCursorId cursor) {
  setCursor(QCursor(ShapeOf(cursor)));
}

void TQtWindow::SetMouseCapture(bool capture) {
  capture_ = capture;
  // A watching popup's grab already brings every press and release here.
  if (!popupGrab_) setMouseGrabEnabled(capture);
}

// A popup learns of presses outside the program through an active pointer grab with owner
// events: presses on the program's own windows still reach those windows (where the
// application-wide message filter sees them), presses anywhere else come here. The X server
// releases such a grab by itself when the window is unmapped or destroyed and when the client
// disconnects, so neither a closed popup nor a killed program can leave the pointer grabbed;
// no keyboard grab is taken at all (keys reach the dialog, which hands them to the popup).
void TQtWindow::SetPopup(bool watchOutside) {
  watchOutside_ = watchOutside;
  // Read by the xcb platform when the native window is made: a combo box's drop-down.
  constexpr int kXcbComboWindowType = 0x1000;
  setProperty("_q_xcb_wm_window_type", kXcbComboWindowType);
  setProperty("_q_showWithoutActivating", true);
  const bool shown = isVisible();
  // Qt::Popup bypasses the window manager (override-redirect): placed as asked, above
  // managed windows, in no taskbar, never given the focus by the window manager.
  setFlags((flags() & ~Qt::WindowType_Mask) | Qt::Popup | Qt::FramelessWindowHint |
           Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
  if (shown) show();
}

void TQtWindow::UpdatePopupGrab(bool onScreen) {
  const bool wanted = watchOutside_ && onScreen && isExposed();
  if (wanted == popupGrab_) return;
  if (!wanted) {
    popupGrab_ = false;
    const bool wasNewest = !GrabHolders().empty() && GrabHolders().back() == this;
    std::erase(GrabHolders(), this);
    setMouseGrabEnabled(capture_ && onScreen);
    if (wasNewest && !GrabHolders().empty()) GrabHolders().back()->setMouseGrabEnabled(true);
    return;
  }
  popupGrab_ = setMouseGrabEnabled(true);
  if (popupGrab_) GrabHolders().push_back(this);
  // Another client may hold a grab for a moment (a menu closing); try again shortly.
  constexpr int kGrabRetries = 20;
  if (!popupGrab_ && grabRetries_++ < kGrabRetries)
    QTimer::singleShot(25, this, [this] { UpdatePopupGrab(isVisible()); });
}

void TQtWindow::ReclaimPopupGrab() {
  if (GrabHolders().empty()) return;
  TQtWindow* newest = GrabHolders().back();
  GrabHolders().pop_back();
  newest->popupGrab_ = false;
  newest->grabRetries_ = 0;
  newest->UpdatePopupGrab(newest->isVisible());
}

void TQtWindow::ShowHint(const std::u16string& text, const TBoundsI& area) {
  if (text.empty()) return QToolTip::hideText();
  const QPoint at = mapToGlobal(QPoint(area.left, area.top + area.height));
  QToolTip::showText(at, QString::fromStdU16String(text));
}

TPointI TQtWindow::ClientToScreen(TPointI point) const {
  const QPoint p = mapToGlobal(QPoint(point.x, point.y));
  return {p.x(), p.y()};
}

void TQtWindow::Deliver(const TWindowMessage& message) {
  DispatchWindowMessage(*this, client_, message);
}

bool TQtWindow::event(QEvent* event) {
  TWindowMessage m;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick: {
      auto* e = static_cast<QMouseEvent*>(event);
      if (!ButtonOf(e->button(), m.button)) return true;
      m.kind = event->type() == QEvent::MouseButtonPress     ? TWindowMessage::Kind::MouseDown
               : event->type() == QEvent::MouseButtonRelease ? TWindowMessage::Kind::MouseUp
                                                             : TWindowMessage::Kind::DoubleClick;
      m.shift = ShiftOf(e->modifiers(), e->buttons());
      m.x = float(e->position().x());
      m.y = float(e->position().y());
      Deliver(m);
      return true;
    }
    case QEvent::MouseMove: {
      auto* e = static_cast<QMouseEvent*>(event);
      m.kind = TWindowMessage::Kind::MouseMove;
      m.shift = ShiftOf(e->modifiers(), e->buttons());
      m.x = float(e->position().x());
      m.y = float(e->position().y());
      Deliver(m);
      return true;
    }
    case QEvent::Leave:
      m.kind = TWindowMessage::Kind::MouseLeave;
      Deliver(m);
      return true;
    case QEvent::Wheel: {
      auto* e = static_cast<QWheelEvent*>(event);
      m.kind = TWindowMessage::Kind::Wheel;
      m.shift = ShiftOf(e->modifiers(), e->buttons());
      m.x = float(e->position().x());
      m.y = float(e->position().y());
      m.wheelDelta = e->angleDelta().y();
      Deliver(m);
      return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      auto* e = static_cast<QKeyEvent*>(event);
      m.kind = event->type() == QEvent::KeyPress ? TWindowMessage::Kind::KeyDown
                                                 : TWindowMessage::Kind::KeyUp;
      m.key = KeyCodeOf(*e);
      m.shift = ShiftOf(e->modifiers());
      if (m.key) Deliver(m);
      if (event->type() == QEvent::KeyPress)
        for (QChar c : e->text()) {
          TWindowMessage ch;
          ch.kind = TWindowMessage::Kind::Char;
          ch.ch = c.unicode();
          ch.shift = m.shift;  // Ctrl+C arrives as character 3 with Ctrl held
          Deliver(ch);
        }
      return true;
    }
    case QEvent::InputMethodQuery: {
      auto* e = static_cast<QInputMethodQueryEvent*>(event);
      if (e->queries() & Qt::ImEnabled) e->setValue(Qt::ImEnabled, true);
      e->accept();
      return true;
    }
    case QEvent::InputMethod: {
      auto* e = static_cast<QInputMethodEvent*>(event);
      if (!e->commitString().isEmpty()) {
        m.kind = TWindowMessage::Kind::ImeCommit;
        m.text = e->commitString().toStdU16String();
        Deliver(m);
      }
      return true;
    }
    case QEvent::Expose: {
      const bool handled = QRasterWindow::event(event);
      UpdatePopupGrab(isVisible());
      return handled;
    }
    case QEvent::Close:
      m.kind = TWindowMessage::Kind::Close;
      Deliver(m);
      event->ignore();  // the owner decides whether the window closes
      return true;
    default:
      return QRasterWindow::event(event);
  }
}

std::unique_ptr<INativeWindow> TQtWindowSystem::OpenWindow(IWindowClient& client) {
  return std::make_unique<TQtWindow>(client);
}

TPointI TQtWindowSystem::CursorPos() const {
  const QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}
