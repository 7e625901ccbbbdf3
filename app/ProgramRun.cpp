#include "app/ProgramRun.h"

#include <memory>

#include "app/UnitMain.h"
#include "platform/Application.h"
#include "platform/Menus.h"
#include "platform/Platform.h"
#include "platform/Resources.h"
#include "platform/TimerComponent.h"
#include "scene/controls/EngineStart.h"
#include "tray/TrayIcon.h"

void RegisterProgramClasses() {
  static const bool registered = [] {
    StartEngine();
    for (const TClassInfo* info :
         {&TFormMain::StaticClass(), &TTimer::StaticClass(), &TPopupMenu::StaticClass(),
          &TMenuItem::StaticClass(), &TTrayIcon::StaticClass()}) {
      RegisterClass(*info);
    }
    return true;
  }();
  (void)registered;
}

void PrepareApplication() {
  Application().SetTitle(kInstanceName);
  Application().Icon().LoadFromData(FindEmbeddedResource("APPICON"));
}

int RunProgram(ISingleInstance& instance) {
  TFormMain* form = nullptr;
  const bool first = instance.Claim(kInstanceName, [&form] {
    if (form && form->Visible()) form->Window().Activate();
  });
  if (!first) return 0;
  RegisterProgramClasses();
  std::unique_ptr<TFormMain> owned(
      CreateForm<TFormMain>(nullptr, FindEmbeddedResource("TFORMMAIN")));
  form = owned.get();
  Application().SetMainForm(form);
  if (form->Engine().DisplayMode() == 0) form->Show();
  Platform().loop->RunUntil([&form] { return form->Closed(); });
  form = nullptr;
  return 0;
}
