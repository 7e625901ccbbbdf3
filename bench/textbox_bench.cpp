// A small form (400 x 200: a background, two text boxes and a styled number box) rendered in
// full, against repainting what one keystroke in the focused text box marks dirty, and what
// one blink frame of its caret marks dirty. bench/textbox.sh prints the times, the ratios
// partial / full and each frame's dirty area against the box's.

#include <memory>

#include "bench/SceneBench.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/controls/Background.h"
#include "scene/controls/NumberBox.h"
#include "scene/controls/TextBox.h"
#include "scene/graphics/Backend.h"
#include "scene/graphics/Canvas.h"
#include "tests/scene/FakeScene.h"

namespace {

TvxRect Union(const std::vector<TvxRect>& rects) {
  TvxRect all = rects.empty() ? TvxRect{} : rects.front();
  for (const TvxRect& r : rects) all = UnionRect(all, r);
  return all;
}

class TBoxesForm {
 public:
  TBoxesForm() : canvas_(CreateDefaultCanvas(400, 200)) {
    scene_.canvas = canvas_.get();
    scene_.animatedCaret = true;
    root_ = new TvxBackground(&owner_);
    root_->SetBounds(0, 0, 400, 200);
    root_->Fill()->SetStyle(vxBrushSolid);
    scene_.SetRoot(root_);
    box_ = AddBox<TvxTextBox>(20, 20, 200, 22);
    AddBox<TvxTextBox>(20, 60, 200, 22)->SetText(u"TextBox2");
    AddBox<TvxNumberBox>(20, 100, 73, 26)->SetMax(59);
    box_->SetFocus();
    Draw(WholeArea());
  }

  // One typed character; every tenth keystroke starts the text again, so it stays short.
  TvxRect Keystroke() {
    scene_.TakeUpdates();
    uint16_t key = 0;
    char16_t ch = u'a' + char16_t(keys_ % 26);
    if (++keys_ % 10 == 0) box_->SelectAll();
    box_->KeyDown(key, ch, 0);
    return Union(scene_.TakeUpdates());
  }

  // The area one step of the caret's blink marks dirty. The caret steps on every third
  // animation tick only, so the ticks in between are part of a frame's cost.
  TvxRect BlinkFrame() {
    scene_.TakeUpdates();
    for (int tick = 0; tick < 3 && scene_.updates.empty(); ++tick) platform_.Advance(33);
    return Union(scene_.TakeUpdates());
  }

  TvxRect WholeArea() const { return {0, 0, 400, 200}; }
  TvxRect BoxArea() { return box_->GetUpdateRect(); }

  void Draw(const TvxRect& area) {
    scene_.pending = {area};
    PaintArea(*canvas_, *root_, area);
  }

 private:
  template <class T>
  T* AddBox(float x, float y, float w, float h) {
    auto* box = new T(&owner_);
    box->SetParent(root_);
    box->SetBounds(x, y, w, h);
    box->ApplyResource();
    return box;
  }

  THeadlessPlatform platform_;
  TAnimationDriverEnd driverEnd_;
  std::unique_ptr<TvxCanvas> canvas_;
  TFakeScene scene_;
  TComponent owner_{nullptr};
  TvxBackground* root_ = nullptr;
  TvxTextBox* box_ = nullptr;
  int keys_ = 0;
};

float Area(const TvxRect& r) {
  return RectWidth(r) * RectHeight(r);
}

// Draws what `frame` marks dirty, once per iteration; reports the last frame's dirty area and
// the focused box's own area beside it.
template <class Frame>
void Repaint(benchmark::State& state, Frame frame) {
  TBoxesForm form;
  TvxRect area;
  for (auto _ : state) {
    area = frame(form);
    form.Draw(area);
  }
  state.counters["dirty_area"] = Area(area);
  state.counters["box_area"] = Area(form.BoxArea());
}

void FullRender(benchmark::State& state) {
  Repaint(state, [](TBoxesForm& form) { return form.WholeArea(); });
}

void KeystrokeRepaint(benchmark::State& state) {
  Repaint(state, [](TBoxesForm& form) { return form.Keystroke(); });
}

void CaretBlinkRepaint(benchmark::State& state) {
  Repaint(state, [](TBoxesForm& form) { return form.BlinkFrame(); });
}

BENCHMARK(FullRender)->Unit(benchmark::kMicrosecond);
BENCHMARK(KeystrokeRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(CaretBlinkRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return RunEngineBenchmarks(argc, argv);
}
