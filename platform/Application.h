#pragma once

// The process-wide application object: the title, the icon, the main form, the application's
// own top-level window (hidden; on Windows it owns every form and carries the taskbar entry),
// minimising and restoring the whole program, and the error report for failures inside event
// handlers.

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/Form.h"
#include "platform/Icon.h"

class TApplication {
 public:
  using THook = std::function<void()>;

  TApplication() = default;
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  // The program's icon; components that show it copy it.
  TIcon& Icon() { return icon_; }

  TForm* MainForm() const { return mainForm_; }
  // The program's entry sets it; it is forgotten when the form is freed.
  void SetMainForm(TForm* form);

  // Minimising the application minimises its main form, restoring restores it; each does
  // nothing when the application is in that state already.
  bool Minimized() const { return minimized_; }
  void Minimize();
  void Restore();

  // Whether the application's window is shown. Here it has no look of its own (every form is
  // a top-level window of its own), so this is state only.
  bool AppWindowVisible() const { return appWindowVisible_; }
  void ShowAppWindow() { appWindowVisible_ = true; }
  void HideAppWindow() { appWindowVisible_ = false; }

  // Hooks see the user's minimise command before the application minimises; they cannot
  // stop it. Returns the hook's key for UnhookMinimize.
  int HookMinimize(THook hook);
  void UnhookMinimize(int key);
  // The user's minimise command for the program (title-bar button, window menu), as the form
  // library passes it on.
  void MinimizeCommand();

  // The error report: a message box with the failure's message, captioned with the title.
  void HandleException(const std::exception& failure);

 private:
  std::string title_;
  TIcon icon_;
  TWeakRef<TForm> mainForm_;
  bool minimized_ = false;
  bool appWindowVisible_ = true;
  std::map<int, THook> hooks_;
  int nextHook_ = 1;
};

TApplication& Application();
