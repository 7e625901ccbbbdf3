#pragma once

// The sprite's form on the headless platform, with its start-up settings dialog left by
// Escape (or by a test's own script), and helpers that drive the dialogs it opens.

#include <functional>
#include <memory>
#include <string>

#include "BitmapIconCodec_support.h"
#include "app/FormAbout.h"
#include "app/FormConfig.h"
#include "app/UnitMain.h"
#include "platform/headless/HeadlessMenuService.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/HeadlessWindows.h"

class TMainFormFixture {
 public:
  using TScript = std::function<void(TForm& dialog, THeadlessWindow& window)>;

  TMainFormFixture();
  ~TMainFormFixture();

  // Creates the sprite's form; `startUp` drives the settings dialog it opens first, and
  // nothing given leaves that dialog with Escape.
  void CreateMainForm(TScript startUp = {});
  // Opens the settings or About dialog from the menu and drives it with `script`; the dialog
  // is cancelled afterwards if the script left it open, and StayedOpen() tells.
  void RunSettings(const TScript& script);
  void RunAbout(const TScript& script);
  bool StayedOpen() const { return stayedOpen_; }

  TFormMain& Main() { return *form_; }
  THeadlessWindow& MainWindow();
  bool Checked(const char* menuItem);
  THeadlessPlatform& Platform() { return platform_; }

  // Presses and releases the left button on the centre of the named object of `dialog`.
  static void Click(TForm& dialog, THeadlessWindow& window, const char* name);
  static void Type(TForm& dialog, const char* box, const std::u16string& text);

 private:
  // Posts the script so that it runs inside the dialog's modal loop.
  void Script(const TScript& script);

  THeadlessPlatform platform_;
  TBitmapIconCodec icons_;
  THeadlessMenuService menus_;
  IMenuService* previousMenus_ = nullptr;
  std::unique_ptr<TFormMain> form_;
  bool stayedOpen_ = false;
};
