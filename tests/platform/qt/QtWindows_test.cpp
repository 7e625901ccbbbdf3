#include "platform/qt/QtWindows.h"

#include <gtest/gtest.h>

#include <vector>

#include "QtTestApp_support.h"

namespace {

class TSilentClient : public IWindowClient {
 public:
  void HandleMessage(INativeWindow&, const TWindowMessage&) override {}
};

class QtWindows : public testing::Test {
 protected:
  QtWindows() { QtTestApp(); }

  // A frame `width` pixels wide and one high whose pixels have the given alphas.
  static QImage Row(const std::vector<uint8_t>& alphas) {
    QImage image(int(alphas.size()), 1, QImage::Format_ARGB32_Premultiplied);
    for (size_t x = 0; x < alphas.size(); ++x) image.setPixel(int(x), 0, uint32_t(alphas[x]) << 24);
    return image;
  }

  TSilentClient client_;
};

// Qt::Tool shares bits with Qt::Window, which every top-level window has: the type must
// still change.
TEST_F(QtWindows, ToolWindowStyleIsAppliedAndRemoved) {
  TQtWindow window(client_);
  ASSERT_EQ(window.type(), Qt::Window);
  window.SetToolWindow(true);
  EXPECT_EQ(window.type(), Qt::Tool);
  window.SetFrameless(true);
  EXPECT_EQ(window.type(), Qt::Tool);
  EXPECT_TRUE(window.flags() & Qt::FramelessWindowHint);
  window.SetToolWindow(false);
  EXPECT_EQ(window.type(), Qt::Window);
  EXPECT_TRUE(window.flags() & Qt::FramelessWindowHint);
  window.SetFrameless(false);
  EXPECT_FALSE(window.flags() & Qt::FramelessWindowHint);
  window.SetToolWindow(false);
  EXPECT_EQ(window.type(), Qt::Window);
}

TEST_F(QtWindows, VisibleRegionKeepsPixelsAboveTheAlphaFloor) {
  const QImage row = Row({0, 1, 24, 25, 255, 0});
  EXPECT_EQ(TQtWindow::VisibleRegion(row, 0), QRegion(1, 0, 4, 1));
  const uint8_t floor = TQtWindow::kUncompositedAlphaFloor;
  EXPECT_EQ(floor, 24);
  EXPECT_EQ(TQtWindow::VisibleRegion(row, floor), QRegion(3, 0, 2, 1));
  EXPECT_TRUE(TQtWindow::VisibleRegion(Row({0, 0}), 0).isEmpty());
}

// Off X11 per-pixel alpha is shown, so every pixel that is not fully clear is kept.
TEST_F(QtWindows, TransparentWindowTakesTheShapeOfItsFrame) {
  TQtWindow window(client_);
  window.SetTransparent(true);
  const QImage row = Row({0, 1, 255, 0});
  const TPixelFrame frame{reinterpret_cast<const uint32_t*>(row.constBits()), 4, 1,
                          int(row.bytesPerLine())};
  window.Present(frame, {});
  EXPECT_EQ(window.mask(), QRegion(1, 0, 2, 1));
  window.SetTransparent(false);
  EXPECT_TRUE(window.mask().isEmpty());
}

TEST_F(QtWindows, LogicalVisibleRegionCoversEveryVisibleDevicePixel) {
  QImage row = Row({0, 0, 0, 255, 0, 0, 0, 0});
  EXPECT_EQ(TQtWindow::LogicalVisibleRegion(row, 0), QRegion(3, 0, 1, 1));  // ratio 1: as it is
  row.setDevicePixelRatio(2);
  EXPECT_EQ(TQtWindow::LogicalVisibleRegion(row, 0), QRegion(1, 0, 1, 1));
  // At 1.5 device pixel 3 spans logical 2 to 2.67; pixel 4 spans 2.67 to 3.33, so both.
  row.setDevicePixelRatio(1.5);
  EXPECT_EQ(TQtWindow::LogicalVisibleRegion(row, 0), QRegion(2, 0, 1, 1));
  row.setPixel(4, 0, 0xFF000000);
  EXPECT_EQ(TQtWindow::LogicalVisibleRegion(row, 0), QRegion(2, 0, 2, 1));
  EXPECT_TRUE(TQtWindow::LogicalVisibleRegion(Row({0, 10, 24}), 24).isEmpty());
}

// The shape is given in logical pixels; the window system scales it to the device.
TEST_F(QtWindows, DenseFrameGivesALogicalShape) {
  TQtWindow window(client_);
  window.SetTransparent(true);
  const QImage row = Row({0, 0, 255, 255, 255, 0, 0, 0});
  const TPixelFrame frame{reinterpret_cast<const uint32_t*>(row.constBits()), 8, 1,
                          int(row.bytesPerLine()), 2};
  window.Present(frame, {});
  EXPECT_EQ(window.mask(), QRegion(1, 0, 2, 1));
}

}  // namespace
