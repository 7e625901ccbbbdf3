#include "app/ProgramRun.h"

#include <memory>
#include <ostream>

#include "app/FormAbout.h"
#include "app/FormConfig.h"
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
         {&TFormMain::StaticClass(), &TfConfig::StaticClass(), &TfAbout::StaticClass(),
          &TTimer::StaticClass(), &TPopupMenu::StaticClass(), &TMenuItem::StaticClass(),
          &TTrayIcon::StaticClass()}) {
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

std::unique_ptr<TFormMain> CreateMainForm(std::ostream& notices) {
  RegisterProgramClasses();
  std::unique_ptr<TFormMain> form(
      CreateForm<TFormMain>(nullptr, FindEmbeddedResource("TFORMMAIN")));
  if (!form->TrayIconShown()) notices << kNoTrayNotice << '\n';
  // The mark follows the sprite, however the dialog before it was left.
  if (form->Engine().DisplayMode() == DisplaySpriteAndTray) {
    form->Show();
    form->SetShowSpriteChecked(true);
  }
  return form;
}

int RunProgram(ISingleInstance& instance, std::ostream& notices) {
  TFormMain* form = nullptr;
  const bool first = instance.Claim(kInstanceName, [&form] {
    if (form) form->ComeForward();
  });
  if (!first) return 0;
  const std::unique_ptr<TFormMain> owned = CreateMainForm(notices);
  form = owned.get();
  Application().SetMainForm(form);
  Platform().loop->RunUntil([form] { return form->Closed(); });
  form = nullptr;
  return 0;
}
