#include "app/ProgramRun.h"

#include <memory>

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

std::unique_ptr<TFormMain> CreateMainForm() {
  RegisterProgramClasses();
  std::unique_ptr<TFormMain> form(
      CreateForm<TFormMain>(nullptr, FindEmbeddedResource("TFORMMAIN")));
  if (form->Engine().DisplayMode() == DisplaySpriteAndTray) form->Show();
  return form;
}

int RunProgram(ISingleInstance& instance) {
  TFormMain* form = nullptr;
  const bool first = instance.Claim(kInstanceName, [&form] {
    if (form && form->Visible()) form->Window().Activate();
  });
  if (!first) return 0;
  const std::unique_ptr<TFormMain> owned = CreateMainForm();
  form = owned.get();
  Application().SetMainForm(form);
  Platform().loop->RunUntil([form] { return form->Closed(); });
  form = nullptr;
  return 0;
}
