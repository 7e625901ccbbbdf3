// A scene on a high-density screen: drawn at device resolution, placed, hit and dragged in
// logical pixels.

#include <gtest/gtest.h>

#include <limits>

#include "SceneFixture_support.h"
#include "scene/graphics/Effects.h"
#include "scene/graphics/RasterBackend.h"

namespace {

constexpr TvxColor kBackground = 0xFF000000;  // an opaque scene without fill clears to black
constexpr TvxColor kGreen = 0xFF00FF00;

class SceneDensity : public SceneTest {
 protected:
  // A green probe at (10, 10), 20 x 20 logical pixels, drawn at `ratio`.
  TProbe* GreenProbeAt(float ratio) {
    TProbe* probe = AddProbe(root, "a", 10, 10, 20, 20);
    probe->color = kGreen;
    Window().SetDevicePixelRatio(ratio);
    Settle();
    return probe;
  }
  // The first device pixel of row `y` from the left whose alpha is not 0; -1 for none.
  int FirstCovered(int y) {
    for (int x = 0; x < Window().FrameWidth(); ++x)
      if (Window().PixelAt(x, y) >> 24) return x;
    return -1;
  }
};

TEST_F(SceneDensity, HeadlessWindowsStartAtRatioOne) {
  EXPECT_EQ(Window().DevicePixelRatio(), 1);
  EXPECT_EQ(scene->DevicePixelRatio(), 1);
  EXPECT_EQ(Window().FrameWidth(), 200);
  EXPECT_EQ(Window().FrameHeight(), 100);
  EXPECT_EQ(Window().FrameRatio(), 1);
}

TEST_F(SceneDensity, RatioTwoDrawsEachLogicalPixelAsTwoByTwo) {
  GreenProbeAt(2);
  EXPECT_EQ(scene->DevicePixelRatio(), 2);
  EXPECT_EQ(Window().Bounds(), (TBoundsI{100, 100, 200, 100}));  // the window stays logical
  EXPECT_EQ(Window().FrameWidth(), 400);
  EXPECT_EQ(Window().FrameHeight(), 200);
  EXPECT_EQ(Window().FrameRatio(), 2);
  // The edge goes from background to fill between two device pixels, with no blend between.
  EXPECT_EQ(Window().PixelAt(19, 40), kBackground);
  EXPECT_EQ(Window().PixelAt(20, 40), kGreen);
  EXPECT_EQ(Window().PixelAt(59, 59), kGreen);
  EXPECT_EQ(Window().PixelAt(60, 40), kBackground);
  EXPECT_EQ(Window().PixelAt(40, 60), kBackground);
}

TEST_F(SceneDensity, FractionalRatioKeepsWholeDevicePixelEdges) {
  GreenProbeAt(1.5f);
  EXPECT_EQ(Window().FrameWidth(), 300);
  EXPECT_EQ(Window().FrameHeight(), 150);
  EXPECT_EQ(Window().PixelAt(14, 30), kBackground);
  EXPECT_EQ(Window().PixelAt(15, 30), kGreen);
  EXPECT_EQ(Window().PixelAt(44, 30), kGreen);
  EXPECT_EQ(Window().PixelAt(45, 30), kBackground);
}

TEST_F(SceneDensity, RepaintsArePresentedAsDevicePixels) {
  TProbe* probe = GreenProbeAt(1.5f);
  scene->AddUpdateRect({10, 10, 20, 20});  // whole units 10 to 21: device 15 to 31.5
  Settle();
  EXPECT_EQ(Window().LastDirty(), (std::vector<TBoundsI>{{15, 15, 17, 17}}));
  // A repaint that ends inside a device pixel repaints that pixel whole.
  probe->color = 0xFFFF0000;
  scene->AddUpdateRect({10, 10, 10.5f, 10.5f});  // unit 10 alone: device 15 to 16.5
  Settle();
  EXPECT_EQ(Window().PixelAt(15, 15), 0xFFFF0000u);
  EXPECT_EQ(Window().PixelAt(16, 16), 0xFFFF0000u);  // half in the next unit
  EXPECT_EQ(Window().PixelAt(17, 17), kGreen);
}

TEST_F(SceneDensity, HitTestingAndDraggingStayLogical) {
  AddProbe(root, "a", 10, 10, 20, 20);
  for (float ratio : {1.5f, 2.0f}) {
    form->SetBounds({100, 100, 200, 100});
    Window().SetDevicePixelRatio(ratio);
    Settle();
    log.clear();
    Window().MouseDown(29, 12);
    Window().MouseUp(29, 12);
    EXPECT_EQ(log, (TLog{"a down 19,2", "a up 19,2", "a click"})) << ratio;
    // Just beyond the probe nothing is hit: the press moves the form by logical pixels.
    Window().MouseDown(31, 12, TMouseButton::mbRight);
    Window().MouseMove(41, 17, ssRight);
    Window().MouseUp(41, 17, TMouseButton::mbRight);
    EXPECT_EQ(Window().Bounds(), (TBoundsI{110, 105, 200, 100})) << ratio;
  }
}

TEST_F(SceneDensity, MovingToAScreenOfAnotherRatioRedrawsEverything) {
  GreenProbeAt(2);
  const int presentations = Window().Presentations();
  Window().SetDevicePixelRatio(1);
  Settle();
  EXPECT_EQ(Window().Presentations(), presentations + 1);
  EXPECT_EQ(Window().FrameWidth(), 200);
  EXPECT_EQ(Window().FrameRatio(), 1);
  EXPECT_EQ(Window().PixelAt(9, 15), kBackground);
  EXPECT_EQ(Window().PixelAt(10, 15), kGreen);
  EXPECT_EQ(Window().PixelAt(29, 15), kGreen);
  EXPECT_EQ(Window().PixelAt(30, 15), kBackground);
}

TEST_F(SceneDensity, EffectsKeepTheirLogicalReachOnEveryScreen) {
  scene->SetTransparency(true);
  TProbe* probe = GreenProbeAt(1);
  auto* glow = new TvxGlowEffect(form);  // its blur radius is 9 at ratio 1
  probe->AddObject(glow);
  Settle();
  const int reach = 10 - FirstCovered(20);
  EXPECT_GE(reach, 6);
  EXPECT_LE(reach, 9);
  // The result cached for ratio 1 is made again for the new screen.
  Window().SetDevicePixelRatio(2);
  Settle();
  EXPECT_NEAR(20 - FirstCovered(40), 2 * reach, 2);
  Window().SetDevicePixelRatio(1.5f);
  Settle();
  EXPECT_NEAR(15 - FirstCovered(30), 1.5 * reach, 2);
}

TEST(SceneRatio, WindowlessScenesTakeTheRatioTheyAreGiven) {
  UseRasterBackend();
  TvxScene scene(nullptr);
  scene.SetBounds(0, 0, 10, 5);
  scene.SetDevicePixelRatio(16);
  EXPECT_EQ(scene.DevicePixelRatio(), 16);
  EXPECT_EQ(scene.Pixels().width, 160);
  scene.SetDevicePixelRatio(16.5f);
  EXPECT_EQ(scene.DevicePixelRatio(), 16);
  for (float bad : {0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN()}) {
    scene.SetDevicePixelRatio(2);
    scene.SetDevicePixelRatio(bad);
    EXPECT_EQ(scene.DevicePixelRatio(), 1) << bad;
    EXPECT_EQ(scene.Pixels().width, 10);
  }
  scene.SetDevicePixelRatio(1.25f);
  const TPixelFrame frame = scene.Pixels();
  EXPECT_EQ(frame.width, 13);  // 12.5 rounded
  EXPECT_EQ(frame.height, 6);  // 6.25
  EXPECT_EQ(frame.ratio, 1.25f);
}

}  // namespace
