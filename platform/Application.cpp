#include "platform/Application.h"

#include <vector>

#include "platform/Platform.h"

void TApplication::SetMainForm(TForm* form) {
  mainForm_ = form;
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
