// Figures of the running dialogs, one kind per process so that start-up is measured from the
// process's launch:
//   startup settings|bare        ms from launch to the first presented frame, and resident MB
//   memory CYCLES                resident MB and heap growth around open and closed dialogs
//   idle settings|sprite|bare S  CPU ms over S seconds of an idle window
// "bare" is the baseline: a transparent form of the settings dialog's size and place that
// presents one blank frame, no scene. Prints one line of numbers; bench/dialog_figures.sh
// runs it and reports.

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/ProgramRun.h"
#include "bench/FigureProbes.h"
#include "platform/NativeProgram.h"
#include "platform/Platform.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/host/Scene.h"

namespace {

constexpr TBoundsI kSettingsBounds{439, 194, 370, 458};

// Bytes the allocator has handed out and not taken back: unlike resident memory, it does
// not depend on how the allocator keeps its free pages.
double HeapKb() {
  return double(mallinfo2().uordblks) / 1024;
}

// Waits until the dialog's scene has drawn its body (the centre of either dialog is opaque)
// and lets the window show that frame.
void AwaitFirstFrame(TForm& dialog) {
  auto* scene = dynamic_cast<TvxCustomScene*>(dialog.FindComponent("vxScene1"));
  const auto drawn = [scene] {
    const TPixelFrame frame = scene ? scene->Pixels() : TPixelFrame{};
    if (!frame.pixels) return false;
    const size_t centre = size_t(frame.height / 2) * size_t(frame.stride / 4) + frame.width / 2;
    return (frame.pixels[centre] >> 24) != 0;
  };
  Await(drawn, 5);
  Settle();
  if (!drawn()) std::fprintf(stderr, "dialog_figures: the dialog drew no frame\n");
}

// Runs `act` on the dialog once it runs modally: the dialogs are shown from inside calls
// that return only when they close.
void WithModalDialog(std::function<void(TForm&)> act, int tries = 100000) {
  Platform().loop->Post([act = std::move(act), tries] {
    if (TForm* dialog = TForm::ModalForm()) return act(*dialog);
    if (tries > 0) return WithModalDialog(act, tries - 1);
    std::fprintf(stderr, "dialog_figures: no dialog ran\n");
    std::exit(1);
  });
}

// The program's start as the user sees it; `atStart` runs on the settings dialog shown
// first. Without it the dialog is left at once, as a user would.
std::unique_ptr<TFormMain> StartProgram(std::function<void(TForm&)> atStart = {}) {
  if (!atStart) atStart = [](TForm& dialog) { dialog.SetModalResult(mrCancel); };
  WithModalDialog(std::move(atStart));
  std::ostringstream notices;
  return CreateMainForm(notices);
}

// A form of the settings dialog's size and place, shown the way the dialog is, that presents
// one blank transparent frame.
struct TBareDialog {
  TBareDialog() : form(nullptr), pixels(size_t(kSettingsBounds.width * kSettingsBounds.height)) {
    form.SetBorderStyle(bsNone);
    form.SetBounds(kSettingsBounds);
    form.Window().SetToolWindow(true);
    form.Show();
    form.Window().Activate();
    form.Window().SetTransparent(true);
    form.Window().Present(
        {pixels.data(), kSettingsBounds.width, kSettingsBounds.height, kSettingsBounds.width * 4},
        {});
    Settle();
  }
  TForm form;
  std::vector<uint32_t> pixels;
};

int Startup(bool bare) {
  if (bare) {
    const TBareDialog baseline;
    std::printf("%.1f %.1f\n", MsSinceLaunch(), ResidentMb());
    return 0;
  }
  StartProgram([](TForm& dialog) {
    AwaitFirstFrame(dialog);
    std::printf("%.1f %.1f\n", MsSinceLaunch(), ResidentMb());
    dialog.SetModalResult(mrCancel);
  });
  return 0;
}

// Opens a dialog through `show`, waits for its first frame and closes it.
void Cycle(const std::function<void()>& show) {
  WithModalDialog([](TForm& dialog) {
    AwaitFirstFrame(dialog);
    dialog.SetModalResult(mrCancel);
  });
  show();
  // Freed windows go on the next turns of the loop.
  RunFor(0.05);
}

// Prints the resident and heap growth per cycle in KB over `cycles` open-close cycles, after
// one that reads what every later one shares.
void PrintGrowth(const std::function<void()>& show, int cycles) {
  Cycle(show);
  RunFor(0.3);
  const double residentBefore = ResidentMb(), heapBefore = HeapKb();
  for (int i = 0; i < cycles; ++i) Cycle(show);
  RunFor(0.3);
  std::printf(" %.1f %.1f", (ResidentMb() - residentBefore) * 1024 / cycles,
              (HeapKb() - heapBefore) / cycles);
}

// Sprite alone, settings dialog open, closed again (all MB); then per cycle of the settings
// and of the About dialog: resident KB and heap KB.
int Memory(int cycles) {
  const std::unique_ptr<TFormMain> sprite = StartProgram();
  RunFor(0.5);
  const double spriteMb = ResidentMb();
  double openMb = 0;
  WithModalDialog([&openMb](TForm& dialog) {
    AwaitFirstFrame(dialog);
    RunFor(0.3);
    openMb = ResidentMb();
    dialog.SetModalResult(mrCancel);
  });
  sprite->ShowSettings();
  RunFor(0.3);
  std::printf("%.1f %.1f %.1f", spriteMb, openMb, ResidentMb());
  PrintGrowth([&sprite] { sprite->ShowSettings(); }, cycles);
  PrintGrowth([&sprite] { sprite->ShowAbout(); }, cycles);
  std::printf("\n");
  return 0;
}

// CPU over `seconds` once the window has shown its first frame and a moment has passed.
double IdleCpuMs(double seconds) {
  RunFor(1);
  const double before = CpuMs();
  RunFor(seconds);
  return CpuMs() - before;
}

int Idle(const std::string& kind, double seconds) {
  double cpu = -1;
  if (kind == "bare") {
    const TBareDialog baseline;
    cpu = IdleCpuMs(seconds);
  } else if (kind == "sprite") {
    const std::unique_ptr<TFormMain> sprite = StartProgram();
    Settle();
    cpu = IdleCpuMs(seconds);
  } else {
    StartProgram([&cpu, seconds](TForm& dialog) {
      AwaitFirstFrame(dialog);
      cpu = IdleCpuMs(seconds);
      dialog.SetModalResult(mrCancel);
    });
  }
  std::printf("%.1f\n", cpu);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: dialog_figures startup settings|bare | memory CYCLES | "
               "idle settings|sprite|bare SECONDS\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() < 2) return Usage();
  std::ostringstream dryRun;
  TNativeProgram program(argc, argv, CreateSystemPowerActions(true, dryRun));
  UseRasterBackend();
  PrepareApplication();
  if (args[0] == "startup") return Startup(args[1] == "bare");
  if (args[0] == "memory") return Memory(std::max(1, std::atoi(args[1].c_str())));
  if (args[0] == "idle" && args.size() == 3) return Idle(args[1], std::atof(args[2].c_str()));
  return Usage();
}
