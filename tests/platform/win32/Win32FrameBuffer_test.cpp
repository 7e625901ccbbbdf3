#include "platform/win32/Win32FrameBuffer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct TCountingFrame {
  // Pixel (x, y) holds y * width + x with full alpha.
  TCountingFrame(int width, int height) : pixels(size_t(width) * size_t(height)), width(width) {
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0xFF000000u | uint32_t(i);
    frame = {pixels.data(), width, height, width * 4, 1};
  }
  std::vector<uint32_t> pixels;
  int width;
  TPixelFrame frame;
};

TEST(Win32FrameBuffer, ResizeMakesABitmapInAMemoryContext) {
  TWin32FrameBuffer buffer;
  EXPECT_TRUE(buffer.Empty());
  EXPECT_TRUE(buffer.Resize(3, 2));
  EXPECT_FALSE(buffer.Resize(3, 2));
  ASSERT_FALSE(buffer.Empty());
  EXPECT_EQ(buffer.Width(), 3);
  EXPECT_EQ(buffer.Height(), 2);
  BITMAP bitmap{};
  GetObjectW(GetCurrentObject(buffer.Dc(), OBJ_BITMAP), sizeof(bitmap), &bitmap);
  EXPECT_EQ(bitmap.bmWidth, 3);
  EXPECT_EQ(bitmap.bmBitsPixel, 32);
}

TEST(Win32FrameBuffer, CopiesRowsTopDownIntoTheDeviceContext) {
  TWin32FrameBuffer buffer;
  buffer.Resize(4, 3);
  const TCountingFrame source(4, 3);
  buffer.Copy(source.frame, {0, 0, 4, 3});
  EXPECT_EQ(buffer.PixelAt(0, 0), 0xFF000000u);
  EXPECT_EQ(buffer.PixelAt(3, 2), 0xFF00000Bu);
  // GDI sees the same pixels: the top row first, blue in the low byte.
  EXPECT_EQ(GetPixel(buffer.Dc(), 3, 2), COLORREF(RGB(0, 0, 0x0B)));
}

TEST(Win32FrameBuffer, CopyIsClippedToFrameAndBuffer) {
  TWin32FrameBuffer buffer;
  buffer.Resize(4, 4);
  const TCountingFrame small(2, 2);
  buffer.Copy(small.frame, {0, 0, 4, 4});  // zero pixels stay outside the 2 x 2 frame
  buffer.Copy(small.frame, {-5, -5, 6, 6});
  buffer.Copy(small.frame, {1, 1, 100000, 100000});
  buffer.Copy(small.frame, {5, 5, -3, -3});
  EXPECT_EQ(buffer.PixelAt(1, 1), 0xFF000003u);
  EXPECT_EQ(buffer.PixelAt(-1, 0), 0u);
  EXPECT_EQ(buffer.PixelAt(4, 0), 0u);
  const TCountingFrame wide(8, 1);
  buffer.Copy(wide.frame, {0, 0, 8, 1});
  EXPECT_EQ(buffer.PixelAt(3, 0), 0xFF000003u);
  buffer.Copy(TPixelFrame{}, {0, 0, 4, 4});  // no pixels at all
}

TEST(Win32FrameBuffer, SizesWithoutPixelsLeaveItEmpty) {
  TWin32FrameBuffer buffer;
  buffer.Resize(2, 2);
  EXPECT_TRUE(buffer.Resize(0, 2));
  EXPECT_TRUE(buffer.Empty());
  buffer.Resize(-1, 5);
  EXPECT_TRUE(buffer.Empty());
  buffer.Resize(1, 1);
  EXPECT_FALSE(buffer.Empty());
  buffer.Resize(1 << 20, 1 << 20);  // four terabytes: taken for a fault
  EXPECT_TRUE(buffer.Empty());
  const TCountingFrame source(1, 1);
  buffer.Copy(source.frame, {0, 0, 1, 1});
  EXPECT_EQ(buffer.PixelAt(0, 0), 0u);
}

}  // namespace
