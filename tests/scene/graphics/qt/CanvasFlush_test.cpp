#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "scene/graphics/qt/CanvasQt.h"
#include "scene/graphics/raster/RasterTesting_support.h"

namespace {

constexpr TvxColor kRed = 0xFFFF0000;

class QtCanvasFlush : public testing::Test {
 protected:
  TvxCanvasQt canvas{40, 40};

  void SetUp() override {
    canvas.Clear(0);
    canvas.Fill().SetColor(kRed);
  }
  void FillRect(const TvxRect& r) { canvas.FillRect(r, 0, 0, AllCorners, 1, vxCornerRound); }
};

TEST_F(QtCanvasFlush, CopiesThePixelsReplacingTheTarget) {
  FillRect(RectOf(0, 0, 10, 10));
  QImage target(20, 20, QImage::Format_ARGB32_Premultiplied);
  target.fill(0xFF00FF00);
  QPainter painter(&target);
  canvas.FlushBufferRect(5, 5, &painter, RectOf(0, 0, 3.5f, 3.5f));
  painter.end();
  EXPECT_EQ(target.pixel(5, 5), kRed);
  EXPECT_EQ(target.pixel(8, 8), kRed);
  EXPECT_EQ(target.pixel(9, 9), 0xFF00FF00u);
  EXPECT_EQ(target.pixel(4, 4), 0xFF00FF00u);
}

}  // namespace
