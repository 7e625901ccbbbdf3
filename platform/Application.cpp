#include "platform/Application.h"

#include <vector>

#include "platform/Platform.h"

// Hears of the main form's destruction, as the application is no component itself.
class TApplication::TFormWatch : public TComponent {
 public:
  explicit TFormWatch(TApplication& application) : TComponent(nullptr), application_(application) {}
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == application_.mainForm_)
      application_.mainForm_ = nullptr;
  }

 private:
  TApplication& application_;
};

TApplication::TApplication() : formWatch_(std::make_unique<TFormWatch>(*this)) {}

TApplication::~TApplication() {
  SetMainForm(nullptr);
}

void TApplication::SetMainForm(TForm* form) {
  if (mainForm_) mainForm_->RemoveFreeNotification(formWatch_.get());
  mainForm_ = form;
  if (mainForm_) mainForm_->FreeNotification(formWatch_.get());
  minimized_ = false;
}

void TApplication::Minimize() {
  if (minimized_) return;
  minimized_ = true;
  if (mainForm_) mainForm_->SetWindowState(wsMinimized);
}

void TApplication::Restore() {
  if (!minimized_) return;
  minimized_ = false;
  if (mainForm_) mainForm_->SetWindowState(wsNormal);
}

int TApplication::HookMinimize(THook hook) {
  hooks_.emplace(nextHook_, std::move(hook));
  return nextHook_++;
}

void TApplication::UnhookMinimize(int key) {
  hooks_.erase(key);
}

void TApplication::MinimizeCommand() {
  // By key, since a hook may remove itself or others.
  std::vector<int> keys;
  for (const auto& [key, hook] : hooks_) keys.push_back(key);
  for (int key : keys) {
    auto it = hooks_.find(key);
    if (it == hooks_.end()) continue;
    THook hook = it->second;
    hook();
  }
  Minimize();
}

void TApplication::HandleException(const std::exception& failure) {
  Platform().messageBox->Show(failure.what(), title_, vxMsgOk | vxMsgIconError);
}

TApplication& Application() {
  static TApplication application;
  return application;
}
