// Figures of the running sprite, one kind per process so that start-up is measured from the
// process's launch: `startup sprite|bare`, `idle sprite|bare SECONDS`, `flashing SECONDS`.
// "bare" is the baseline: a form of the sprite's size presenting one blank frame, no scene.
// Prints one line of numbers; bench/sprite_figures.sh runs it and reports.

#include <cstdio>
#include <cstdlib>
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

namespace {

struct TBareForm {
  TBareForm() : form(nullptr), pixels(479 * 195, 0) {
    form.SetBounds({405, 243, 479, 195});
    form.SetBorderStyle(bsNone);
    form.Show();
    form.Window().SetTransparent(true);
    form.Window().Present({pixels.data(), 479, 195, 479 * 4}, {});
  }
  TForm form;
  std::vector<uint32_t> pixels;
};

int Usage() {
  std::fprintf(stderr,
               "usage: sprite_figures startup|idle sprite|bare [SECONDS] | flashing SECONDS\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  std::ostringstream dryRun;
  TNativeProgram program(argc, argv, CreateSystemPowerActions(true, dryRun));
  UseRasterBackend();
  PrepareApplication();
  const bool bare = args.size() > 1 && args[1] == "bare";
  std::unique_ptr<TBareForm> baseline;
  std::unique_ptr<TFormMain> sprite;
  if (bare) {
    baseline = std::make_unique<TBareForm>();
  } else {
    // The settings dialog runs before the sprite; leave it as a user would, at once.
    Platform().loop->Post([] {
      if (TForm* dialog = TForm::ModalForm()) dialog->SetModalResult(mrCancel);
    });
    sprite = CreateMainForm(std::cerr);
  }
  Settle();
  const double startup = MsSinceLaunch();
  if (args[0] == "startup") {
    std::printf("%.1f %.1f\n", startup, ResidentMb());
    return 0;
  }
  const size_t secondsArg = args[0] == "flashing" ? 1 : 2;
  if (args.size() <= secondsArg) return Usage();
  const double seconds = std::atof(args[secondsArg].c_str());
  if (args[0] == "flashing" && sprite) sprite->StartFlashing();
  const double before = CpuMs();
  RunFor(seconds);
  std::printf("%.1f\n", CpuMs() - before);
  return 0;
}
