// Dropping a combo box's list down on a real window system: from the press on the box to the
// popup window's first presented frame, beside a bare transparent window of the same size
// that is created, shown and given one blank frame. Needs a display; bench/combo.sh starts a
// private one and reports the medians and their ratio.

#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/ProgramRun.h"
#include "platform/Form.h"
#include "platform/NativeProgram.h"
#include "platform/Platform.h"
#include "platform/component/FormText.h"
#include "platform/component/ObjectReader.h"
#include "scene/controls/ComboBox.h"
#include "scene/graphics/RasterBackend.h"

namespace {

constexpr int kListWidth = 173;
constexpr int kListHeight = 144;

using Clock = std::chrono::steady_clock;

// Handles what is pending until the posted drawing and the window's paint have happened.
void SettleFrame() {
  for (int i = 0; i < 3; ++i) Platform().loop->ProcessMessages();
}

// Run from the source tree's top, as bench/combo.sh does.
std::string ReadSource(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void BM_ComboPressToPopupFrame(benchmark::State& state) {
  TForm form(nullptr);
  TObjectReader reader;
  reader.ReadInto(form, ReadFormText(ReadSource("tests/e2e/combo.form")));
  form.Show();
  SettleFrame();
  auto* combo = dynamic_cast<TvxComboBox*>(form.FindComponent("StringComboBox1"));
  if (!combo) return state.SkipWithError("combo.form holds no StringComboBox1");
  for (auto _ : state) {
    const auto start = Clock::now();
    combo->MouseDown(TMouseButton::mbLeft, ssLeft, 10, 10);
    SettleFrame();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    combo->MouseUp(TMouseButton::mbLeft, 0, 10, 10);
    combo->DropDown();  // closes; the fade-out runs before the next press
    SettleFrame();
  }
}

void BM_BareWindowFrame(benchmark::State& state) {
  std::vector<uint32_t> pixels(size_t(kListWidth * kListHeight), 0);
  for (auto _ : state) {
    const auto start = Clock::now();
    auto window = std::make_unique<TForm>(nullptr);
    window->SetBounds({120, 92, kListWidth, kListHeight});
    window->SetBorderStyle(bsNone);
    window->Show();
    window->Window().SetTransparent(true);
    window->Window().Present({pixels.data(), kListWidth, kListHeight, kListWidth * 4}, {});
    SettleFrame();
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    window.reset();
    SettleFrame();
  }
}

BENCHMARK(BM_ComboPressToPopupFrame)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareWindowFrame)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  std::ostringstream dryRun;
  TNativeProgram program(argc, argv, CreateSystemPowerActions(true, dryRun));
  UseRasterBackend();
  RegisterProgramClasses();
  PrepareApplication();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
