// Loading, styling and the first paint of a form of 40 controls (buttons, check and radio
// buttons, labels, text, number and spin boxes), against a bare form of 40 rectangles with
// the same places and sizes. bench/controls_form.sh prints the times and the ratios.

#include <memory>
#include <span>
#include <string>

#include "bench/SceneBench.h"
#include "platform/component/FormText.h"
#include "platform/component/ObjectReader.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/controls/Control.h"
#include "scene/graphics/Backend.h"
#include "scene/graphics/Canvas.h"
#include "tests/scene/FakeScene.h"

namespace {

constexpr int kControls = 40;
constexpr float kWidth = 400;
constexpr float kHeight = 600;

constexpr const char* kControlClasses[] = {"TvxButton",  "TvxCheckBox",   "TvxRadioButton",
                                           "TvxLabel",   "TvxTextBox",    "TvxNumberBox",
                                           "TvxSpinBox", "TvxSpeedButton"};

// Two columns of 20 rows; each object's text is its class's own default.
std::string FormText(bool bare) {
  std::string text = "object Root1: TvxBackground\n  Width = 400.0\n  Height = 600.0\n";
  for (int i = 0; i < kControls; ++i) {
    const std::string cls = bare ? "TvxRectangle" : kControlClasses[i % std::size(kControlClasses)];
    text += "  object Item" + std::to_string(i) + ": " + cls + "\n";
    text += "    Position.Point = '(" + std::to_string(20 + (i % 2) * 190) + "," +
            std::to_string(10 + (i / 2) * 29) + ")'\n";
    text += "    Width = 170.0\n    Height = 22.0\n  end\n";
  }
  return text + "end\n";
}

// One form in a scene: read from its text, styled, painted once in full.
class TShownForm {
 public:
  explicit TShownForm(const std::string& text)
      : text_(text), canvas_(CreateDefaultCanvas(int(kWidth), int(kHeight))) {
    scene_.canvas = canvas_.get();
  }
  ~TShownForm() {
    if (root_) scene_.RemoveObject(root_.get());
  }

  void Load() {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text_.data());
    const TFormData data = ReadFormData(std::span(bytes, text_.size()));
    root_.reset(static_cast<TvxVisualObject*>(FindClass(data.Root().ClassName())->Create(nullptr)));
    TObjectReader().ReadInto(*root_, data);
    scene_.SetRoot(root_.get());
  }

  void Style() {
    for (TvxControl& control : root_->ChildrenOf<TvxControl>()) control.ApplyResource();
  }

  // What the scene host does for the first frame: the whole tree.
  void Paint() {
    const TvxRect area{0, 0, kWidth, kHeight};
    scene_.pending = {area};
    PaintArea(*canvas_, *root_, area);
  }

 private:
  THeadlessPlatform platform_;
  TAnimationDriverEnd driverEnd_;
  std::string text_;
  std::unique_ptr<TvxCanvas> canvas_;
  TFakeScene scene_;
  std::unique_ptr<TvxVisualObject> root_;
};

// Runs the stages up to `stages` (1 load, 2 and style, 3 and paint) once per iteration.
void Stages(benchmark::State& state, bool bare, int stages) {
  const std::string text = FormText(bare);
  for (auto _ : state) {
    TShownForm form(text);
    form.Load();
    if (stages >= 2) form.Style();
    if (stages >= 3) form.Paint();
  }
}

void ControlsLoad(benchmark::State& state) {
  Stages(state, false, 1);
}
void ControlsLoadStyle(benchmark::State& state) {
  Stages(state, false, 2);
}
void ControlsLoadStylePaint(benchmark::State& state) {
  Stages(state, false, 3);
}
void BareLoad(benchmark::State& state) {
  Stages(state, true, 1);
}
void BareLoadStyle(benchmark::State& state) {
  Stages(state, true, 2);
}
void BareLoadStylePaint(benchmark::State& state) {
  Stages(state, true, 3);
}

BENCHMARK(ControlsLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(ControlsLoadStyle)->Unit(benchmark::kMicrosecond);
BENCHMARK(ControlsLoadStylePaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BareLoad)->Unit(benchmark::kMicrosecond);
BENCHMARK(BareLoadStyle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BareLoadStylePaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  return RunEngineBenchmarks(argc, argv);
}
