// Collecting dirty areas, drawing them once per burst and presenting them.

#include <gtest/gtest.h>

#include <memory>

#include "SceneFixture_support.h"
#include "scene/graphics/Brush.h"
#include "scene/graphics/RasterBackend.h"

namespace {

using SceneDrawing = SceneTest;

TEST_F(SceneDrawing, ABurstOfChangesIsDrawnAndPresentedOnce) {
  TProbe* a = AddProbe(root, "a", 10, 10, 20, 20);
  TProbe* b = AddProbe(root, "b", 50, 10, 20, 20);
  Settle();
  const int draws = scene->draws;
  const int presentations = Window().Presentations();
  a->Position()->SetPoint({12, 14});
  a->SetOpacity(0.5f);
  b->SetVisible(false);
  scene->AddUpdateRect({150, 50, 160, 60});
  EXPECT_EQ(scene->draws, draws);  // nothing drawn inside the handler
  Settle();
  EXPECT_EQ(scene->draws, draws + 1);
  EXPECT_EQ(Window().Presentations(), presentations + 1);
  EXPECT_EQ(scene->GetPendingRectCount(), 0);
}

TEST_F(SceneDrawing, TwentyAreasArePresentedOneByOneAndTwentyOneAsTheirUnion) {
  for (int i = 0; i < 20; ++i) scene->AddUpdateRect({float(i * 5), 0, float(i * 5) + 2, 2});
  Settle();
  EXPECT_EQ(Window().LastDirty().size(), 20u);
  for (int i = 0; i < 21; ++i) scene->AddUpdateRect({float(i * 5), 0, float(i * 5) + 2, 2});
  Settle();
  ASSERT_EQ(Window().LastDirty().size(), 1u);
  EXPECT_EQ(Window().LastDirty()[0], (TBoundsI{0, 0, 103, 3}));
}

TEST_F(SceneDrawing, RequestsThatCannotBeServedAreDropped) {
  const int draws = scene->draws;
  scene->AddUpdateRect({10, 10, 10, 40});
  scene->AddUpdateRect({300, 0, 400, 50});
  scene->SetUpdateLocked(true);
  scene->AddUpdateRect({10, 10, 40, 40});
  scene->SetUpdateLocked(false);
  EXPECT_EQ(scene->GetPendingRectCount(), 0);
  Settle();
  EXPECT_EQ(scene->draws, draws);
}

TEST_F(SceneDrawing, RequestsMadeWhileDrawingAreDrawnNext) {
  int paints = 0;
  root->OnPaint = [&](TObject*, TvxCanvas*, const TvxRect&) {
    if (++paints == 1) scene->AddUpdateRect({0, 0, 10, 10});
  };
  scene->AddUpdateRect({0, 0, 50, 50});
  Settle();
  EXPECT_EQ(paints, 2);
  EXPECT_EQ(Window().LastDirty(), (std::vector<TBoundsI>{{0, 0, 11, 11}}));
}

TEST_F(SceneDrawing, OpaqueSceneClearsToTheFillColour) {
  AddProbe(root, "a", 10, 10, 20, 20)->color = 0xFF00FF00;
  scene->Fill()->SetColor(0xFF336699);
  Settle();
  EXPECT_FALSE(Window().Transparent());
  EXPECT_EQ(Window().PixelAt(15, 15), 0xFF00FF00u);
  EXPECT_EQ(Window().PixelAt(100, 50), 0xFF336699u);
}

TEST_F(SceneDrawing, TransparentSceneLeavesUncoveredPixelsFullyTransparent) {
  scene->SetTransparency(true);
  AddProbe(root, "a", 10, 10, 20, 20)->color = 0xFFFF0000;
  Settle();
  EXPECT_TRUE(Window().Transparent());
  EXPECT_EQ(Window().FrameWidth(), 200);
  EXPECT_EQ(Window().PixelAt(15, 15), 0xFFFF0000u);
  EXPECT_EQ(Window().PixelAt(5, 5), 0u);
  EXPECT_EQ(Window().PixelAt(199, 99), 0u);
}

TEST_F(SceneDrawing, TranslucentFillDoesNotPileUpOverRepaints) {
  scene->SetTransparency(true);
  scene->Fill()->SetStyle(vxBrushSolid);
  scene->Fill()->SetColor(0x80FF0000);
  Settle();
  const uint32_t first = Window().PixelAt(100, 50);
  EXPECT_EQ(first >> 24, 0x80u);
  scene->AddUpdateRect({0, 0, 200, 100});
  Settle();
  EXPECT_EQ(Window().PixelAt(100, 50), first);
}

TEST_F(SceneDrawing, RootFillsTheSceneByItsScaleAndQuarterTurns) {
  EXPECT_EQ(root->Width(), 200);
  EXPECT_EQ(root->Height(), 100);
  root->Scale()->SetPoint({2, 4});
  form->SetClientWidth(300);  // the scene fills the client area and realigns its root
  EXPECT_EQ(scene->Width(), 300);
  EXPECT_EQ(root->Width(), 150);
  EXPECT_EQ(root->Height(), 25);
  root->Scale()->SetPoint({1, 1});
  root->SetRotateAngle(90);
  form->SetClientWidth(200);
  EXPECT_EQ(root->Width(), 100);
  EXPECT_EQ(root->Height(), 200);
  EXPECT_EQ(root->Position()->Point(), (TvxPoint{-50, 50}));
}

TEST(WindowlessScene, DrawsOnDemandAndForItsPresentationHandler) {
  UseRasterBackend();  // no platform services needed to draw on demand
  auto scene = std::make_unique<TvxScene>(nullptr);
  scene->SetBounds(0, 0, 40, 30);
  auto* probe = new TProbe(nullptr, "p", nullptr);
  probe->color = 0xFF0000FF;
  scene->AddObject(probe);
  EXPECT_EQ(probe->Width(), 40);
  scene->AddUpdateRect({0, 0, 40, 30});  // neither window nor handler: nothing to serve
  EXPECT_EQ(scene->GetPendingRectCount(), 0);
  scene->DrawAll();
  const TPixelFrame pixels = scene->Pixels();
  ASSERT_EQ(pixels.width, 40);
  EXPECT_EQ(pixels.pixels[5 * 40 + 5], 0xFF0000FFu);

  THeadlessPlatform platform;
  int presented = 0;
  scene->SetPresentationHandler([&](TvxCustomScene* s) {
    EXPECT_EQ(s, scene.get());
    ++presented;
  });
  probe->color = 0xFF00FF00;
  probe->Repaint();
  scene->AddUpdateRect({1, 1, 2, 2});
  platform.Clock().ProcessMessages();
  EXPECT_EQ(presented, 1);
  EXPECT_EQ(scene->Pixels().pixels[5 * 40 + 5], 0xFF00FF00u);
}

}  // namespace
