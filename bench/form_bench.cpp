// Reading form data into objects and cloning subtrees: the cost of creating a window or a
// control's style copy; and reading and printing the default style's data alone.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <span>

#include "platform/Resources.h"
#include "platform/component/FormText.h"
#include "platform/component/ObjectReader.h"
#include "platform/component/ObjectWriter.h"
#include "scene/core/Bounds.h"
#include "scene/core/Object.h"
#include "scene/core/Position.h"
#include "scene/core/Registration.h"

namespace {

// A typical shape-like object: ten stored properties of the usual kinds.
class TBenchShape : public TvxObject {
  LC_CLASS(TBenchShape, TvxObject)

 public:
  using TvxObject::TvxObject;
  TvxPosition* Position() const { return &position_; }
  TvxBounds* Margins() const { return &margins_; }
  float width = 0, height = 0, opacity = 1, angle = 0;
  bool hitTest = true;
  std::string color;
  std::u16string text;

 private:
  mutable TvxPosition position_;
  mutable TvxBounds margins_;
};
LC_PUBLISH(TBenchShape) {
  p.Object("Position", &TBenchShape::Position);
  p.Object("Margins", &TBenchShape::Margins);
  p.Float("Width", &TBenchShape::width);
  p.Float("Height", &TBenchShape::height);
  p.Float("Opacity", &TBenchShape::opacity, nullptr, 1);
  p.Float("RotateAngle", &TBenchShape::angle);
  p.Bool("HitTest", &TBenchShape::hitTest, nullptr, true);
  p.String("FillColor", &TBenchShape::color);
  p.WString("Text", &TBenchShape::text);
}

TFormObject Shape(int i, int depth) {
  TFormObject form;
  form.className = "TBenchShape";
  form.props = {{"Position.Point", TFormValue::String("(29,51)")},
                {"Margins.Rect", TFormValue::String("(2,2,2,2)")},
                {"Width", TFormValue::Float(479)},
                {"Height", TFormValue::Float(195)},
                {"Opacity", TFormValue::Float(0.5)},
                {"RotateAngle", TFormValue::Float(i % 360)},
                {"HitTest", TFormValue::Bool(false)},
                {"FillColor", TFormValue::String("#FFFA1717")},
                {"Text", TFormValue::Wide(u"关机倒计时")},
                {"ResourceName", TFormValue::String("shape" + std::to_string(i))}};
  if (depth > 0)
    for (int k = 0; k < 3; ++k) form.children.push_back(Shape(i * 3 + k, depth - 1));
  return form;
}

// About 2000 objects: 4 wide trees of 3-way depth 5 (4 × 364 = 1456) plus 4 × 121.
std::vector<uint8_t> SyntheticForm(int* count) {
  TFormObject root;
  root.className = "TvxObject";
  for (int i = 0; i < 4; ++i) root.children.push_back(Shape(i, 5));
  for (int i = 0; i < 4; ++i) root.children.push_back(Shape(i, 4));
  std::function<int(const TFormObject&)> total = [&](const TFormObject& f) {
    int n = 1;
    for (const auto& c : f.children) n += total(c);
    return n;
  };
  *count = total(root);
  return WriteFormBinary(root);
}

void Setup() {
  static bool done = [] {
    const TClassInfo* classes[] = {&TBenchShape::StaticClass()};
    RegisterObjects(classes);
    return true;
  }();
  (void)done;
}

void BM_ReadForm(benchmark::State& state) {
  Setup();
  int count = 0;
  const std::vector<uint8_t> bytes = SyntheticForm(&count);
  for (auto _ : state) {
    TComponent owner(nullptr);
    TMemoryStream stream(bytes);
    benchmark::DoNotOptimize(CreateObjectFromBinStream(&owner, stream));
  }
  state.counters["objects"] = count;
}
BENCHMARK(BM_ReadForm)->Unit(benchmark::kMillisecond);

void BM_Clone50(benchmark::State& state) {
  Setup();
  TComponent owner(nullptr);
  TMemoryStream stream(WriteFormBinary(Shape(0, 3)));  // 1 + 3 + 9 + 27 = 40 ...
  TvxObject* subtree = CreateObjectFromBinStream(&owner, stream);
  for (int i = 0; i < 10; ++i) subtree->AddObject(new TBenchShape(&owner));  // ... + 10 = 50
  for (auto _ : state) {
    TComponent copies(nullptr);
    benchmark::DoNotOptimize(subtree->Clone(&copies));
  }
}
BENCHMARK(BM_Clone50)->Unit(benchmark::kMicrosecond);

// The default style's data alone: checking it and making it ready to visit, then visiting
// every property as the object reader and the text printer do.
std::span<const uint8_t> StyleData() {
  const std::span<const uint8_t> data = FindEmbeddedResource("DEFAULTVXSTYLE");
  if (data.empty()) std::abort();
  return data;
}

void BM_ReadStyleData(benchmark::State& state) {
  const std::span<const uint8_t> data = StyleData();
  for (auto _ : state) benchmark::DoNotOptimize(ReadFormBinary(data));
  state.SetBytesProcessed(int64_t(state.iterations() * data.size()));
}
BENCHMARK(BM_ReadStyleData)->Unit(benchmark::kMicrosecond);

void BM_StyleToText(benchmark::State& state) {
  const std::span<const uint8_t> data = StyleData();
  for (auto _ : state) benchmark::DoNotOptimize(WriteFormText(ReadFormBinary(data)));
  state.SetBytesProcessed(int64_t(state.iterations() * data.size()));
}
BENCHMARK(BM_StyleToText)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
