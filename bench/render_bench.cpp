// Rendering a tree shaped like the desktop sprite (479 x 195: a body, a three-arc ring, a rule,
// a caption and the time with a glow) in full, against repainting only the time text's area
// after the time changed, as every countdown tick does. The argument switches the glow on, as
// in the last ten seconds, when each tick also makes the glow again. bench/render.sh prints
// the times and the ratios partial / full.

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "scene/core/PublishedValues.h"
#include "scene/core/Registration.h"
#include "scene/core/SceneInterface.h"
#include "scene/core/VisualClasses.h"
#include "scene/graphics/Backend.h"
#include "scene/graphics/Canvas.h"
#include "scene/graphics/Effects.h"
#include "scene/graphics/GraphicsClasses.h"
#include "scene/graphics/Layouts.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/graphics/Rectangles.h"
#include "scene/graphics/ShapeClasses.h"
#include "scene/graphics/Shapes.h"
#include "scene/graphics/Text.h"
#include "tests/scene/FakeScene.h"

namespace {

// What painting asks of a scene: its canvas, its root and the areas being repainted.
template <class T>
T* Add(TvxVisualObject& parent, float x, float y, float w, float h) {
  auto* child = new T(&parent);
  child->SetParent(&parent);
  child->SetBounds(x, y, w, h);
  return child;
}

TvxArc* AddArc(TvxVisualObject& parent, float size, TvxColor color, float thickness, float end) {
  auto* arc = Add<TvxArc>(parent, 0, 0, size, size);
  arc->SetAlign(vaCenter);
  arc->Stroke()->SetColor(color);
  arc->SetStrokeThickness(thickness);
  arc->SetEndAngle(end);
  return arc;
}

TvxText* AddText(TvxVisualObject& parent, const TvxRect& r, TvxColor color, const char* family,
                 float size, const std::u16string& text) {
  auto* shape = Add<TvxText>(parent, r.Left, r.Top, RectWidth(r), RectHeight(r));
  shape->Fill()->SetColor(color);
  shape->Font()->SetFamily(family);
  shape->Font()->SetSize(size);
  shape->Font()->SetStyle(vxFontBold);
  shape->Font()->SetClearType(false);
  shape->SetText(text);
  return shape;
}

class TSprite {
 public:
  explicit TSprite(bool glowing) : canvas_(CreateDefaultCanvas(479, 195)), scene_(canvas_.get()) {
    root_.SetBounds(0, 0, 479, 195);
    auto* body = Add<TvxRectangle>(root_, 29, 51, 252, 88);
    body->Fill()->SetColor(0x01000000);
    body->Stroke()->SetStyle(vxBrushNone);
    auto* layout2 = Add<TvxLayout>(*body, 0, 0, 252, 88);
    layout2->SetAlign(vaCenter);
    auto* layout1 = Add<TvxLayout>(*layout2, 5, 0, 84, 87);
    auto* arc1 = AddArc(*layout1, 70, 0x78E9E9E9, 2, 360);
    auto* arc2 = AddArc(*arc1, 62, 0x32C3C3C3, 10, 360);
    auto* arcTime = AddArc(*arc2, 57, 0xFFE5E5E5, 5, 200);
    arcTime->SetRotateAngle(-90);
    arcTime->SetStrokeCap(vxCapRound);
    auto* line = Add<TvxLine>(*layout2, 81, 50, 160, 10);
    line->Stroke()->SetColor(0xA0FFFFFF);
    line->SetLineType(vxLineHorizontal);
    AddText(*layout2, {89, 50, 240, 80}, 0xC8FFFFFF, "黑体", 15, u"安全关机倒计时");
    time_ = AddText(*layout2, {89, 13, 298, 50}, 0xE6E9E9E9, "Impact", 36, u"00:00:59");
    time_->SetHorzTextAlign(vxTextAlignNear);
    AddGlow(*time_, glowing);
    scene_.SetRoot(&root_);
  }

  // The tick's change: a new time, so the time's glow must be made again.
  void Tick() {
    ticks_ = (ticks_ + 1) % 60;
    const char16_t second[] = {char16_t(u'0' + ticks_ / 10), char16_t(u'0' + ticks_ % 10), 0};
    time_->SetText(u"00:00:" + std::u16string(second));
  }

  // The warning's change: the time's colour steps on, its shape stays. Returns the area the
  // time asks the scene to repaint.
  TvxRect Flash() {
    ticks_ = (ticks_ + 1) % 30;
    scene_.updates.clear();
    time_->Fill()->SetColor(InterpolateColor(0xFFFA1717, 0xFFE0E0E0, float(ticks_) / 30));
    return scene_.updates.empty() ? TvxRect{} : scene_.updates.back();
  }

  TvxRect WholeArea() const { return {0, 0, 479, 195}; }
  TvxRect TimeArea() { return time_->GetUpdateRect(); }

  // What the scene host does for one dirty area: clip, clear, paint the root and its tree.
  void Draw(const TvxRect& area) {
    scene_.pending = {area};
    TvxCanvas& canvas = *canvas_;
    if (!canvas.BeginScene()) return;
    canvas.SetClipRects({&area, 1});
    canvas.ClearRect(area, 0);
    canvas.SetMatrix(root_.GetAbsoluteMatrix());
    root_.BeforePaint();
    root_.Paint();
    root_.AfterPaint();
    root_.PaintChildren();
    canvas.ResetClipRect();
    canvas.EndScene();
  }

 private:
  // The glow the time takes ten seconds before the moment, by class name so that the bench
  // runs with whichever effects are built.
  static void AddGlow(TvxText& time, bool enabled) {
    const TClassInfo* info = FindClass("TvxGlowEffect");
    auto* glow = dynamic_cast<TvxObject*>(info ? info->Create(&time) : nullptr);
    if (!glow) return;
    SetPublishedFloat(*glow, "Softness", 1.0);
    SetPublishedFloat(*glow, "Opacity", 0.9);
    SetPublishedString(*glow, "GlowColor", "#FFFF0000");
    SetPublishedOrdinal(*glow, "Enabled", enabled);
    glow->SetParent(&time);
  }

  std::unique_ptr<TvxCanvas> canvas_;
  TvxLayout root_{nullptr};  // outlives the scene, which lets go of it when it ends
  TFakeScene scene_;
  TvxText* time_ = nullptr;
  int ticks_ = 0;
};

void FullRender(benchmark::State& state) {
  TSprite sprite(state.range(0) != 0);
  for (auto _ : state) {
    sprite.Tick();
    sprite.Draw(sprite.WholeArea());
  }
}

void TimeTextRepaint(benchmark::State& state) {
  TSprite sprite(state.range(0) != 0);
  sprite.Draw(sprite.WholeArea());
  for (auto _ : state) {
    sprite.Tick();
    sprite.Draw(sprite.TimeArea());
  }
}

// One frame of the flashing time under its glow.
void FlashRepaint(benchmark::State& state) {
  TSprite sprite(true);
  sprite.Draw(sprite.WholeArea());
  for (auto _ : state) sprite.Draw(sprite.Flash());
}

BENCHMARK(FullRender)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(TimeTextRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(FlashRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  UseRasterBackend();
  std::vector<const TClassInfo*> classes;
  RegisterVisualClasses(classes);
  RegisterGraphicsClasses(classes);
  RegisterEffectClasses(classes);
  RegisterShapeClasses(classes);
  RegisterObjects(classes);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
