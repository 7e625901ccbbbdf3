// Animations of gradients, bitmaps and positions along paths.

#include <gtest/gtest.h>

#include "GraphicsFakes.h"
#include "platform/component/ObjectWriter.h"
#include "scene/core/AnimationFixture.h"
#include "scene/core/BitmapAnimations.h"
#include "scene/core/GradientAnimation.h"
#include "scene/core/PathAnimation.h"
#include "scene/core/Position.h"

namespace {

class TShapeLike : public TvxObject {
  LC_CLASS(TShapeLike, TvxObject)

 public:
  explicit TShapeLike(TComponent* owner) : TvxObject(owner) {
    SetVisual();
    bitmap.OnChange = [this](TObject*) { ++bitmapChanges; };
  }
  TvxBrush* Fill() const { return &fill; }
  TvxBitmap* Bitmap() const { return &bitmap; }
  TvxPosition* Position() const { return &position; }

  mutable TvxBrush fill{vxBrushGradient, 0xFFFFFFFF};
  mutable TvxBitmap bitmap;
  mutable TvxPosition position;
  float rotateAngle = 0;
  int bitmapChanges = 0;
};
LC_PUBLISH(TShapeLike) {
  p.Object("Fill", &TShapeLike::Fill);
  p.Object("Bitmap", &TShapeLike::Bitmap);
  p.Object("Position", &TShapeLike::Position);
  p.Float("RotateAngle", &TShapeLike::rotateAngle);
}

class GraphicAnimation : public AnimationDriverTest {
 protected:
  GraphicAnimation() : shape(new TShapeLike(&owner_)) { shape->SetScene(&scene_); }
  template <class T>
  T* Add() {
    auto* animation = new T(&owner_);
    animation->SetDuration(1);
    shape->AddObject(animation);
    return animation;
  }

  TShapeLike* shape;
};

void SetColors(TvxGradient& gradient, TvxColor first, TvxColor second) {
  gradient.Points()->Point(0)->SetColor(first);
  gradient.Points()->Point(1)->SetColor(second);
}

TEST_F(GraphicAnimation, GradientColoursMovePointByPointWithOneChange) {
  TvxGradient& gradient = *shape->fill.Gradient();
  gradient.Points()->AddPoint(0xFF00FF00, 0.5f);  // not in the start and stop gradients
  int changes = 0;
  gradient.OnChange = [&](TObject*) { ++changes; };
  auto* animation = Add<TvxGradientAnimation>();
  animation->SetPropertyName("Fill.Gradient");
  SetColors(*animation->StartValue(), 0xFF000000, 0xFF0000FF);
  SetColors(*animation->StopValue(), 0xFFFF0000, 0xFF000000);
  animation->Start();
  changes = 0;
  Step(0.5f);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(gradient.Points()->Point(0)->Color(), 0xFF7F0000u);
  EXPECT_EQ(gradient.Points()->Point(1)->Color(), 0xFF000080u);
  EXPECT_EQ(gradient.Points()->Point(2)->Color(), 0xFF00FF00u);

  auto* again = Add<TvxGradientAnimation>();
  again->SetPropertyName("fill.gradient");
  again->SetStartFromCurrent(true);
  again->Start();
  EXPECT_EQ(again->StartValue()->Points()->Count(), 3);
}

TEST_F(GraphicAnimation, BitmapCrossFadesTowardsTheStopBitmap) {
  FakeBackend backend;
  auto* animation = Add<TvxBitmapAnimation>();
  animation->SetPropertyName("Bitmap");
  animation->StartValue()->SetSize(4, 2);
  animation->StopValue()->SetSize(8, 4);
  animation->Start();
  Step(0.25f);
  EXPECT_EQ(shape->bitmap.Width(), 4);
  auto* canvas = dynamic_cast<RecordingCanvas*>(shape->bitmap.Canvas());
  ASSERT_NE(canvas, nullptr);
  canvas->calls.clear();
  shape->bitmapChanges = 0;
  Step(0.25f);
  ASSERT_EQ(canvas->calls.size(), 3u);
  EXPECT_EQ(canvas->calls[1].name, "DrawBitmap");
  EXPECT_EQ(canvas->calls[1].opacity, 1);
  EXPECT_EQ(canvas->calls[2].opacity, 0.5f);
  EXPECT_EQ(canvas->calls[2].rect, (TvxRect{0, 0, 4, 2}));
  EXPECT_EQ(shape->bitmapChanges, 1);

  // Backwards the stop bitmap lies beneath and the start bitmap fades in over it.
  animation->Stop();
  animation->SetInverse(true);
  animation->Start();
  Step(0.25f);
  EXPECT_EQ(shape->bitmap.Width(), 8);
  canvas = dynamic_cast<RecordingCanvas*>(shape->bitmap.Canvas());
  EXPECT_EQ(canvas->calls.back().opacity, 0.25f);
}

TEST_F(GraphicAnimation, BitmapStripShowsOneFrameAfterAnother) {
  auto* animation = Add<TvxBitmapListAnimation>();
  animation->SetPropertyName("Bitmap");
  animation->SetAnimationCount(3);
  TvxBitmap& strip = *animation->AnimationBitmap();
  strip.SetSize(7, 2);  // three frames of 2 pixels; the odd column is never shown
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 7; ++x) strip.Scanline(y)[x] = TvxColor(0xFF000000 | (x / 2));
  animation->Start();
  EXPECT_EQ(shape->bitmap.Width(), 2);
  EXPECT_EQ(shape->bitmap.Scanline(1)[1], 0xFF000000u);
  Step(0.5f);
  EXPECT_EQ(shape->bitmap.Scanline(0)[0], 0xFF000001u);
  Step(0.5f);
  EXPECT_EQ(shape->bitmap.Scanline(1)[1], 0xFF000002u);

  animation->SetAnimationCount(0);
  animation->Start();  // nothing to show: the bitmap stays
  EXPECT_EQ(shape->bitmap.Scanline(1)[1], 0xFF000002u);
}

TEST_F(GraphicAnimation, PathMovesTheParentFromWhereItStood) {
  shape->position.SetPoint({10, 20});
  auto* animation = Add<TvxPathAnimation>();
  animation->Path()->SetData("M 0,0 L 100,0 L 100,50");
  animation->SetRotate(true);
  animation->Start();
  EXPECT_EQ(shape->position.Point(), (TvxPoint{10, 20}));
  Step(0.5f);
  EXPECT_NEAR(shape->position.X(), 110, 0.5);
  EXPECT_NEAR(shape->position.Y(), 20, 0.5);
  EXPECT_NEAR(shape->rotateAngle, 0, 15);  // heading right
  Step(0.4f);
  EXPECT_NEAR(shape->rotateAngle, 90, 25);  // heading down
  Step(0.1f);
  EXPECT_NEAR(shape->position.X(), 110, 1e-3);  // ends on the last point, not beyond
  EXPECT_NEAR(shape->position.Y(), 70, 1e-3);
}

TEST_F(GraphicAnimation, PathSwitcherCarriesItsDataOnly) {
  auto* switcher = Add<TvxPathSwitcher>();
  switcher->SetDuration(0.001f);
  EXPECT_TRUE(TObjectWriter(*switcher).Write(*switcher).props.empty());
  switcher->SetDuration(0.2f);
  switcher->SetPathTrue("M 0,0 L 1,1");
  const TFormObject form = TObjectWriter(*switcher).Write(*switcher);
  ASSERT_EQ(form.props.size(), 2u);
  EXPECT_EQ(form.props[0].name, "Duration");
  switcher->Start();
  Step(0.25f);
  EXPECT_EQ(shape->position.Point(), (TvxPoint{}));
}

}  // namespace
