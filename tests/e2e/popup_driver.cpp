// Drives a popup on a real display for popup_test.sh and bench/popup_figures.sh.
//
//   popup_driver show          a dialog "popup-driver" at (200, 150), 300 x 200, whose blue
//                              target at (20, 30), 120 x 24 opens a 120 x 80 popup below it;
//                              prints "opened X Y W H" and "closed" as that happens, and ends
//                              when the dialog is closed
//   popup_driver figures popup|bare
//                              prints the milliseconds from the open request to the window's
//                              first presented frame and the resident memory it added (MB);
//                              "bare" is a transparent form of the popup's size, no scene

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/NativeProgram.h"
#include "platform/Platform.h"
#include "platform/PowerActions.h"
#include "scene/controls/EngineStart.h"
#include "scene/controls/Popup.h"
#include "scene/controls/PopupForm.h"
#include "scene/controls/StyleTree.h"
#include "scene/graphics/Brush.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/graphics/Rectangles.h"
#include "scene/host/Scene.h"

namespace {

constexpr int kPopupWidth = 120;
constexpr int kPopupHeight = 80;

double ResidentMb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024;
  return -1;
}

TvxRectangle* Filled(TComponent* owner, TvxObject* parent, TvxColor color) {
  auto* shape = new TvxRectangle(owner);
  shape->SetParent(parent);
  shape->Fill()->SetColor(color);
  return shape;
}

// The dialog with its target and its popup.
struct TDialog {
  TDialog() : form(new TForm(nullptr)) {
    form->SetCaption("popup-driver");
    form->SetBounds({200, 150, 300, 200});
    auto* scene = new TvxScene(form.get());
    scene->SetAlign(alClient);
    scene->SetForm(form.get());
    root = Filled(form.get(), nullptr, 0xFFDDDDDD);
    scene->AddObject(root);
    target = Filled(form.get(), root, 0xFF3060C0);
    target->SetBounds(20, 30, 120, 24);
    popup = new TvxPopup(form.get());
    popup->SetParent(root);
    popup->SetBounds(0, 0, kPopupWidth, kPopupHeight);
    popup->SetPlacementTarget(target);
    TvxRectangle* body = Filled(form.get(), popup, 0xFFC03030);
    body->SetAlign(vaClient);
  }
  ~TDialog() { TvxPopup::CloseAllPopups(); }

  std::unique_ptr<TForm> form;
  TvxRectangle* root = nullptr;
  TvxRectangle* target = nullptr;
  TvxPopup* popup = nullptr;
};

int Show() {
  TDialog dialog;
  dialog.target->OnMouseDown = [&dialog](TObject*, TMouseButton, TShiftState, float, float) {
    dialog.popup->SetIsOpen(true);
    const TBoundsI b = dialog.popup->PopupForm()->BoundsRect();
    std::printf("opened %d %d %d %d\n", b.left, b.top, b.width, b.height);
    std::fflush(stdout);
  };
  dialog.popup->OnClosePopup = [](TObject*) {
    std::printf("closed\n");
    std::fflush(stdout);
  };
  dialog.form->Show();
  std::printf("ready\n");
  std::fflush(stdout);
  Platform().loop->RunUntil([&dialog] { return dialog.form->Closed(); });
  return 0;
}

using TClock = std::chrono::steady_clock;

double MsSince(TClock::time_point start) {
  return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

// Handles messages until `done`, giving up after `ms`.
void Await(const std::function<bool()>& done, uint32_t ms = 2000) {
  bool late = false;
  const std::unique_ptr<ITimer> limit = Platform().loop->CreateTimer();
  limit->SetOnTimer([&late] { late = true; });
  limit->SetInterval(ms);
  limit->SetEnabled(true);
  Platform().loop->RunUntil([&] { return late || done(); });
}

// Settles the dialog, then opens the popup (or shows a bare transparent form of its size)
// and waits until its scene has painted and the window has presented that frame.
int Figures(bool bare) {
  TDialog dialog;
  dialog.form->Show();
  // A dialog's own controls have read the default style long before a popup opens.
  DefaultStyle();
  Await([] { return false; }, 500);
  std::vector<uint32_t> pixels(kPopupWidth * kPopupHeight, 0xFFC03030);
  std::unique_ptr<TForm> baseline;
  bool painted = false;
  dialog.popup->OnPaint = [&painted](TObject*, TvxCanvas*, const TvxRect&) { painted = true; };
  const double before = ResidentMb();
  const TClock::time_point start = TClock::now();
  if (bare) {
    baseline = std::make_unique<TForm>(nullptr);
    baseline->SetBorderStyle(bsNone);
    baseline->SetBounds({200, 204, kPopupWidth, kPopupHeight});
    baseline->Window().SetTransparent(true);
    baseline->Window().Present({pixels.data(), kPopupWidth, kPopupHeight, kPopupWidth * 4}, {});
    baseline->Show();
    painted = true;
  } else {
    dialog.popup->SetIsOpen(true);
  }
  // The window system delivers the frame on the next turns of the loop.
  Await([&painted] { return painted; });
  Platform().loop->ProcessMessages();
  const double ms = MsSince(start);
  Await([] { return false; }, 300);
  std::printf("%.2f %.2f\n", ms, ResidentMb() - before);
  return 0;
}

int Usage() {
  std::fprintf(stderr, "usage: popup_driver show | figures popup|bare\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage();
  std::ostringstream dryRun;
  TNativeProgram program(argc, argv, CreateSystemPowerActions(true, dryRun));
  UseRasterBackend();
  StartEngine();
  if (args[0] == "show") return Show();
  if (args[0] == "figures" && args.size() == 2) return Figures(args[1] == "bare");
  return Usage();
}
