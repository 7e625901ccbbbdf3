#include "scene/graphics/Effects.h"

#include <gtest/gtest.h>

#include <cmath>

#include "GraphicsFakes.h"
#include "platform/component/ObjectWriter.h"
#include "scene/graphics/Bitmap.h"
#include "scene/graphics/Rectangles.h"
#include "tests/scene/FakeScene.h"

namespace {

void ExpectRect(const TvxRect& actual, const TvxRect& expected) {
  EXPECT_NEAR(actual.Left, expected.Left, 1e-4);
  EXPECT_NEAR(actual.Top, expected.Top, 1e-4);
  EXPECT_NEAR(actual.Right, expected.Right, 1e-4);
  EXPECT_NEAR(actual.Bottom, expected.Bottom, 1e-4);
}

constexpr TvxRect kObject{0, 0, 100, 20};

TEST(EffectGeometry, DefaultShadowUnderAHundredByTwenty) {
  TvxShadowEffect shadow(nullptr);
  const float shift = 3 * std::cos(std::numbers::pi_v<float> / 4);  // 2.12
  ExpectRect(shadow.GetRect(kObject), {-6 + shift, -6 + shift, 106 + shift, 26 + shift});
  EXPECT_EQ(shadow.GetOffset(), (TvxPoint{6, 6}));
  EXPECT_FALSE(shadow.DrawnAbove());
  EXPECT_FALSE(shadow.ReplacesObject());

  shadow.SetDirection(180);
  shadow.SetSoftness(0);
  ExpectRect(shadow.GetRect(kObject), {-3, 0, 97, 20});
}

TEST(EffectGeometry, MarginsOfTheOtherEffects) {
  TvxGlowEffect glow(nullptr);
  ExpectRect(glow.GetRect(kObject), {-13, -13, 113, 33});  // Trunc(0.4 × 23) + 4
  TvxInnerGlowEffect inner(nullptr);
  ExpectRect(inner.GetRect(kObject), {-8, -8, 108, 28});
  EXPECT_EQ(inner.GetOffset(), (TvxPoint{8, 8}));
  EXPECT_TRUE(inner.DrawnAbove());
  TvxBlurEffect blur(nullptr);
  blur.SetSoftness(0.5f);
  ExpectRect(blur.GetRect(kObject), {-10, -10, 110, 30});
  EXPECT_TRUE(blur.ReplacesObject());
  TvxBevelEffect bevel(nullptr);
  ExpectRect(bevel.GetRect(kObject), {-5, -5, 105, 25});
  EXPECT_TRUE(bevel.ReplacesObject());
  TvxReflectionEffect reflection(nullptr);
  reflection.SetOffset(3);
  ExpectRect(reflection.GetRect(kObject), {-2, 21, 102, 45});
  EXPECT_EQ(reflection.GetOffset(), (TvxPoint{2, 2}));
}

TEST(EffectProperties, SettersClampAndFormDataKeepsOnlyChanges) {
  TvxShadowEffect shadow(nullptr);
  EXPECT_TRUE(TObjectWriter(shadow).Write(shadow).props.empty());
  shadow.SetSoftness(5);
  shadow.SetOpacity(-1);
  EXPECT_EQ(shadow.Softness(), 3);
  EXPECT_EQ(shadow.Opacity(), 0);
  shadow.SetSoftness(NAN);
  EXPECT_EQ(shadow.Softness(), 0);
  shadow.SetShadowColorText("#80FF0000");
  const TFormObject form = TObjectWriter(shadow).Write(shadow);
  ASSERT_EQ(form.props.size(), 3u);
  EXPECT_EQ(form.props[2].name, "ShadowColor");

  TvxGlowEffect glow(nullptr);
  glow.SetSoftness(12);
  glow.SetOpacity(2);
  EXPECT_EQ(glow.Softness(), 9);
  EXPECT_EQ(glow.Opacity(), 1);
  TvxReflectionEffect reflection(nullptr);
  reflection.SetLength(0);
  EXPECT_EQ(reflection.Length(), 0.1f);
  reflection.SetLength(3);
  EXPECT_EQ(reflection.Length(), 1);
}

TEST(EffectProperties, ClassesAreRegisteredForFormData) {
  std::vector<const TClassInfo*> classes;
  RegisterEffectClasses(classes);
  ASSERT_EQ(classes.size(), 6u);
  for (const TClassInfo* info : classes) RegisterClass(*info);
  TComponent owner(nullptr);
  auto* glow = dynamic_cast<TvxGlowEffect*>(FindClass("TvxInnerGlowEffect")->Create(&owner));
  ASSERT_NE(glow, nullptr);
  glow->SetGlowColorText("red");
  glow->SetTrigger("IsFocused=true");
  auto* copy = dynamic_cast<TvxInnerGlowEffect*>(glow->Clone(&owner));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->GlowColor(), 0xFFFF0000u);
  EXPECT_EQ(copy->Trigger(), "IsFocused=true");
  EXPECT_TRUE(copy->DrawnAbove());
}

// Effect processing on an object rendered into a bitmap: an opaque white square of `side`
// pixels at (margin, margin).
class EffectPixels : public testing::Test {
 protected:
  void Render(int margin, int side, uint32_t alpha = 255) {
    const int size = side + 2 * margin;
    bitmap.SetSize(size, size);
    const TvxColor pixel = alpha << 24 | alpha << 16 | alpha << 8 | alpha;
    for (int y = margin; y < margin + side; ++y)
      for (int x = margin; x < margin + side; ++x) bitmap.Scanline(y)[x] = pixel;
  }
  TvxColor At(int x, int y) { return bitmap.Scanline(y)[x]; }

  RecordingCanvas canvas{1, 1};
  TvxBitmap bitmap;
};

TEST_F(EffectPixels, ShadowIsCutAwayWhereTheObjectLies) {
  TvxShadowEffect shadow(nullptr);
  shadow.SetDirection(0);  // 3 pixels to the right
  Render(6, 10);
  shadow.ProcessEffect(canvas, bitmap, 1);
  // The shadow bitmap is drawn 3 pixels right: its pixel x lies under object pixel x + 3.
  for (int y = 6; y < 16; ++y)
    for (int x = 3; x < 13; ++x) ASSERT_EQ(At(x, y), 0u) << x << "," << y;
  const TvxColor beside = At(14, 10);  // right of the object: plain shadow
  EXPECT_GT(ColorAlpha(beside), 0u);
  EXPECT_LE(ColorAlpha(beside), 153u);  // opacity 0.6
  EXPECT_EQ(beside & 0x00FFFFFF, 0u);   // black
}

TEST_F(EffectPixels, ShadowUnderAHalfTransparentObjectIsFadedByIt) {
  TvxShadowEffect shadow(nullptr);
  shadow.SetDistance(0);
  Render(6, 10, 128);
  shadow.ProcessEffect(canvas, bitmap, 1);
  // What is left beneath is what the object lets through of the shadow.
  const uint32_t beneath = ColorAlpha(At(11, 11));
  EXPECT_GT(beneath, 0u);
  EXPECT_LT(beneath, 40u);
  Render(6, 10, 255);
  shadow.ProcessEffect(canvas, bitmap, 1);
  EXPECT_EQ(At(11, 11), 0u);
}

TEST_F(EffectPixels, GlowLeavesOnlyTheHaloOutside) {
  TvxGlowEffect glow(nullptr);
  Render(13, 10);
  glow.ProcessEffect(canvas, bitmap, 1);
  EXPECT_EQ(At(18, 18), 0u);
  const TvxColor halo = UnpremultiplyColor(At(12, 18));
  EXPECT_GT(ColorAlpha(halo), 64u);
  EXPECT_NEAR(ColorRed(halo), 0xFF, 6);
  EXPECT_NEAR(ColorGreen(halo), 0xD7, 6);  // premultiplied at low alpha
  EXPECT_EQ(ColorBlue(halo), 0u);
  EXPECT_EQ(At(0, 0), 0u);  // beyond the blur's reach
}

// How far left of the object (at `margin`) row `y` holds any alpha.
int ReachLeft(TvxBitmap& bitmap, int margin, int y) {
  int x = 0;
  while (x < margin && bitmap.Scanline(y)[x] == 0) ++x;
  return margin - x;
}

TEST_F(EffectPixels, BlurRadiiFollowTheScaleTheObjectIsRenderedAt) {
  // On a screen of twice the density the object arrives twice as large, and so must its halo.
  const auto reach = [this](TvxEffect& effect, int side, float scale) {
    bitmap.SetSize(1, 1);  // a fresh, transparent bitmap
    Render(40, side);
    effect.ProcessEffect(canvas, bitmap, scale);
    return ReachLeft(bitmap, 40, 40 + side / 2);
  };
  TvxGlowEffect glow(nullptr);  // radius 9 at scale 1
  const int glowReach = reach(glow, 10, 1);
  EXPECT_GE(glowReach, 7);
  EXPECT_LE(glowReach, 9);
  EXPECT_NEAR(reach(glow, 20, 2), 2 * glowReach, 2);
  TvxBlurEffect blur(nullptr);  // radius 4 at scale 1
  const int blurReach = reach(blur, 20, 1);
  EXPECT_GE(blurReach, 3);
  EXPECT_LE(blurReach, 4);
  EXPECT_NEAR(reach(blur, 20, 1.5f), 1.5 * blurReach, 1);
}

TEST_F(EffectPixels, InnerGlowStaysInsideTheObject) {
  TvxInnerGlowEffect inner(nullptr);
  Render(8, 30);
  inner.ProcessEffect(canvas, bitmap, 1);
  EXPECT_EQ(At(4, 20), 0u);                                  // outside
  EXPECT_GT(ColorAlpha(At(8, 20)), 80u);                     // at the inner edge
  EXPECT_LT(ColorAlpha(At(23, 23)), ColorAlpha(At(8, 20)));  // fading towards the middle
}

TEST_F(EffectPixels, BlurWithoutSoftnessLeavesTheObjectAsItIs) {
  TvxBlurEffect blur(nullptr);
  blur.SetSoftness(0);
  Render(0, 4);
  bitmap.Scanline(1)[1] = 0;
  blur.ProcessEffect(canvas, bitmap, 1);
  EXPECT_EQ(At(1, 1), 0u);
  blur.SetSoftness(0.1f);  // radius 1
  blur.ProcessEffect(canvas, bitmap, 1);
  EXPECT_GT(ColorAlpha(At(1, 1)), 0u);
}

TEST_F(EffectPixels, ReflectionIsUpsideDownAndFades) {
  TvxReflectionEffect reflection(nullptr);
  reflection.SetLength(1);
  reflection.SetOpacity(1);
  bitmap.SetSize(1, 5);
  for (int y = 0; y < 5; ++y) bitmap.Scanline(y)[0] = y == 4 ? 0xFFFFFFFF : 0xFF000000 + y;
  reflection.ProcessEffect(canvas, bitmap, 1);
  EXPECT_EQ(At(0, 0), 0xFFFFFFFFu);       // the bottom row, now at the mirrored edge
  EXPECT_EQ(ColorAlpha(At(0, 2)), 127u);  // half way: b = 4 rows
  EXPECT_EQ(At(0, 4), 0u);                // beyond the reflected length

  reflection.SetLength(0.5f);
  reflection.SetOpacity(0.5f);
  bitmap.Clear(0xFFFFFFFF);
  reflection.ProcessEffect(canvas, bitmap, 1);
  EXPECT_EQ(ColorAlpha(At(0, 0)), 127u);
  EXPECT_EQ(ColorAlpha(At(0, 1)), 63u);
  EXPECT_EQ(At(0, 2), 0u);
}

TEST_F(EffectPixels, BevelLightsOneSideAndShadesTheOther) {
  TvxBevelEffect bevel(nullptr);
  Render(5, 20);
  for (TvxColor& pixel : bitmap.Pixels())
    if (pixel) pixel = 0xFF808080;
  TvxBitmap copy;
  copy.Assign(bitmap);
  bevel.SetSize(0);
  bevel.ProcessEffect(canvas, bitmap, 1);
  EXPECT_TRUE(std::equal(copy.Pixels().begin(), copy.Pixels().end(), bitmap.Pixels().begin()));
  bevel.SetSize(4);
  bevel.ProcessEffect(canvas, bitmap, 1);
  const auto red = [&](int x, int y) { return (At(x, y) >> 16) & 0xFF; };
  EXPECT_GT(red(6, 6), 0x80u);    // facing the light
  EXPECT_LT(red(23, 23), 0x80u);  // turned away
  EXPECT_EQ(red(15, 15), 0x80u);  // flat middle
  EXPECT_EQ(At(1, 1), 0u);        // nothing added outside
}

}  // namespace

namespace {

// What a shape under effects asks the scene to repaint when only its colour changes.
class ColourRepaint : public testing::Test {
 protected:
  ColourRepaint() {
    shape_.SetBounds(100, 100, 50, 20);
    shape_.Fill()->SetColor(0xFFE0E0E0);
    scene_.SetRoot(&shape_);
  }

  template <class E>
  void Add() {
    auto* effect = new E(&shape_);
    effect->SetParent(&shape_);
  }
  TvxRect RepaintedAfter(TvxColor colour) {
    scene_.updates.clear();
    shape_.Fill()->SetColor(colour);
    return scene_.updates.size() == 1 ? scene_.updates[0] : TvxRect{};
  }

  TvxRectangle shape_{nullptr};  // outlives the scene, which lets go of it
  TFakeScene scene_;
};

TEST_F(ColourRepaint, AGlowKeepsItsHaloSoOnlyTheObjectIsRepainted) {
  Add<TvxGlowEffect>();
  ExpectRect(RepaintedAfter(0xFFFA1717), {100, 100, 150, 120});
  // Another alpha changes the halo too.
  const TvxRect faded = RepaintedAfter(0x80FA1717);
  EXPECT_LT(faded.Left, 100);
  EXPECT_GT(faded.Right, 150);
}

TEST_F(ColourRepaint, EffectsThatUseTheColoursRepaintTheirWholeArea) {
  Add<TvxGlowEffect>();
  Add<TvxReflectionEffect>();
  EXPECT_GT(RepaintedAfter(0xFFFA1717).Bottom, 120);
}

}  // namespace
