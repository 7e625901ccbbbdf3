#include "scene/graphics/CanvasStateGuard.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "GraphicsFakes.h"

namespace {

const TvxMatrix kShifted{1, 0, 0, 0, 1, 0, 30, 40, 1};

TEST(CanvasStateGuard, GivesTheStateBackWhenTheScopeEndsOrThrows) {
  RecordingCanvas canvas(10, 10);
  {
    const TvxCanvasStateGuard guard(canvas);
    canvas.SetMatrix(kShifted);
  }
  EXPECT_EQ(canvas.Matrix(), IdentityMatrix);
  EXPECT_EQ(canvas.restoredStates, std::vector<int>{100});
  EXPECT_THROW(
      {
        const TvxCanvasStateGuard guard(canvas);
        canvas.SetMatrix(kShifted);
        throw std::runtime_error("painting failed");
      },
      std::runtime_error);
  EXPECT_EQ(canvas.Matrix(), IdentityMatrix);
  EXPECT_EQ(canvas.restoredStates.size(), 2u);
}

TEST(CanvasStateGuard, SavesOnlyWhenAskedAndOnlyOnce) {
  RecordingCanvas canvas(10, 10);
  {
    const TvxCanvasStateGuard unsaved(canvas, false);
    canvas.SetMatrix(kShifted);
  }
  EXPECT_TRUE(canvas.restoredStates.empty());
  EXPECT_EQ(canvas.Matrix(), kShifted);
  {
    TvxCanvasStateGuard late(canvas, false);
    late.Save();
    canvas.SetMatrix(IdentityMatrix);
    late.Save();
  }
  EXPECT_EQ(canvas.Matrix(), kShifted);
  EXPECT_EQ(canvas.restoredStates.size(), 1u);
}

TEST(CanvasStateGuard, ACanvasThatCannotSaveIsLeftAlone) {
  RecordingCanvas canvas(10, 10);
  canvas.hasContext = false;
  {
    const TvxCanvasStateGuard guard(canvas);
    canvas.SetMatrix(kShifted);
  }
  EXPECT_TRUE(canvas.restoredStates.empty());
}

}  // namespace
