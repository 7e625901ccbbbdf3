#include "app/UnitMain.h"

#include "app/FormAbout.h"
#include "app/FormConfig.h"
#include "platform/Application.h"
#include "platform/Menus.h"
#include "platform/Platform.h"
#include "platform/Resources.h"
#include "platform/TimerComponent.h"
#include "platform/WorkingSet.h"
#include "scene/core/ColorAnimation.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/Effect.h"
#include "scene/graphics/Shapes.h"
#include "scene/graphics/Text.h"
#include "tray/TrayIcon.h"

LC_PUBLISH(TFormMain) {
  p.Method("FormCreate", &TFormMain::FormCreate);
  p.Method("Timer1Timer", &TFormMain::Timer1Timer);
  p.Method("Timer2Timer", &TFormMain::Timer2Timer);
  p.Method("N2Click", &TFormMain::N2Click);
  p.Method("N3Click", &TFormMain::N3Click);
  p.Method("N5Click", &TFormMain::N5Click);
  p.Method("N6Click", &TFormMain::N6Click);
  p.Method("N8Click", &TFormMain::N8Click);
  p.Method("TrayIcon1Click", &TFormMain::TrayIcon1Click);
}

TFormMain::TFormMain(TComponent* owner) : TForm(owner) {}

TFormMain::~TFormMain() {
  if (hook_) RemoveMessageHook(hook_);
}

template <class T>
T* TFormMain::Part(const char* name) const {
  return dynamic_cast<T*>(FindComponent(name));
}

void TFormMain::FormCreate(TObject*) {
  if (auto* timer = Part<TTimer>("Timer1"))
    engine_ = std::make_unique<TCountdownEngine>(*this, timer->Timer());
  hook_ = AddMessageHook([this](INativeWindow& window, const TWindowMessage& message) {
    AppMessage(window, message);
  });
  Window().SetToolWindow(true);
  ShowSettings();
}

void TFormMain::AppMessage(INativeWindow&, const TWindowMessage& message) {
  if (message.kind != TWindowMessage::Kind::MouseDown) return;
  const bool hitTest = message.button == TMouseButton::mbRight;
  if (message.button != TMouseButton::mbLeft && !hitTest) return;
  for (const char* name : {"Root1", "Rectangle1"})
    if (auto* object = Part<TvxVisualObject>(name)) object->SetHitTest(hitTest);
}

void TFormMain::Timer1Timer(TObject*) {
  if (engine_) engine_->Tick();
}

// Where there is no working set to trim the timer stops, so that the idle program sleeps.
void TFormMain::Timer2Timer(TObject*) {
  if (TrimWorkingSet()) {
    Platform().loop->ProcessMessages();
  } else if (auto* timer = Part<TTimer>("Timer2")) {
    timer->SetEnabled(false);
  }
}

void TFormMain::N2Click(TObject*) {
  if (engine_) engine_->Abort();
}

void TFormMain::N3Click(TObject*) {
  ToggleSprite();
}

void TFormMain::N5Click(TObject*) {
  ShowSettings();
}

void TFormMain::N6Click(TObject*) {
  ShowAbout();
}

// An open dialog ends with the program rather than holding its loop open.
void TFormMain::N8Click(TObject*) {
  if (TfConfig* config = config_) config->SetModalResult(mrCancel);
  if (TfAbout* about = about_) about->SetModalResult(mrCancel);
  Close();
}

namespace {

// Dialogs, like the sprite, have no taskbar entry of their own; they take the keyboard when
// they appear.
void RunDialog(TForm& dialog) {
  dialog.Window().SetToolWindow(true);
  dialog.Show();
  dialog.Window().Activate();
  dialog.ShowModal();
}

}  // namespace

void TFormMain::ShowSettings() {
  if (TForm* open = config_) return open->Window().Activate();
  const std::unique_ptr<TfConfig> dialog(
      CreateForm<TfConfig>(this, FindEmbeddedResource("TFCONFIG")));
  config_ = dialog.get();
  RunDialog(*dialog);
}

void TFormMain::ShowAbout() {
  if (TForm* open = about_) return open->Window().Activate();
  const std::unique_ptr<TfAbout> dialog(CreateForm<TfAbout>(this, FindEmbeddedResource("TFABOUT")));
  about_ = dialog.get();
  dialog->CenterOn(*this);
  RunDialog(*dialog);
}

void TFormMain::CloseSettingsDialog() {
  if (TfConfig* config = config_) config->SetModalResult(mrOk);
}

void TFormMain::ComeForward() {
  for (TForm* dialog : {static_cast<TForm*>(config_), static_cast<TForm*>(about_)})
    if (dialog) return dialog->Window().Activate();
  if (!Visible() && !TrayIconShown() && engine_ && engine_->DisplayMode() == DisplayTrayOnly)
    ToggleSprite();
  if (Visible()) Window().Activate();
}

bool TFormMain::TrayIconShown() const {
  const auto* tray = Part<TTrayIcon>("TrayIcon1");
  return tray && tray->Shown();
}

void TFormMain::TrayIcon1Click(TObject*, TMouseButton, TShiftState, int, int) {
  ToggleSprite();
}

void TFormMain::ToggleSprite() {
  if (!engine_) return;
  auto* tray = Part<TTrayIcon>("TrayIcon1");
  if (engine_->DisplayMode() == DisplayTrayOnly) {
    if (tray) tray->ShowApplication();
    Show();
    engine_->SetDisplayMode(DisplaySpriteAndTray);
    SetShowSpriteChecked(true);
  } else {
    if (tray) tray->HideApplication();
    Hide();
    engine_->SetDisplayMode(DisplayTrayOnly);
    SetShowSpriteChecked(false);
  }
}

void TFormMain::SetRingAngle(float degrees) {
  if (auto* arc = Part<TvxArc>("ArcTime")) arc->SetEndAngle(degrees);
}

void TFormMain::SetTimeText(const std::u16string& text) {
  if (auto* time = Part<TvxText>("TextTime")) time->SetText(text);
}

void TFormMain::SetCaptionText(const std::u16string& text) {
  if (auto* caption = Part<TvxText>("Text1")) caption->SetText(text);
}

void TFormMain::StartFlashing() {
  if (auto* animation = Part<TvxColorAnimation>("ColorAnimation1")) animation->SetEnabled(true);
  if (auto* glow = Part<TvxEffect>("GlowEffect1")) glow->SetEnabled(true);
}

void TFormMain::MakeTopmost() {
  Window().MakeTopmost();
}

void TFormMain::ShowSprite() {
  Show();
}

void TFormMain::HideSprite() {
  Hide();
}

void TFormMain::SetAbortEnabled(bool enabled) {
  if (auto* item = Part<TMenuItem>("N2")) item->SetEnabled(enabled);
}

void TFormMain::SetShowSpriteChecked(bool checked) {
  if (auto* item = Part<TMenuItem>("N3")) item->SetChecked(checked);
}

void TFormMain::BalloonNotice(const std::string& title, const std::string& text, TBalloonIcon icon,
                              int timeout) {
  if (auto* tray = Part<TTrayIcon>("TrayIcon1")) tray->ShowBalloonHint(title, text, icon, timeout);
}
