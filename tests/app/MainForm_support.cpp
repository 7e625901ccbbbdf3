#include "MainForm_support.h"

#include <gtest/gtest.h>

#include "app/ProgramRun.h"
#include "platform/Menus.h"
#include "platform/Resources.h"
#include "scene/controls/NumberBox.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/RasterBackend.h"

TMainFormFixture::TMainFormFixture() {
  UseRasterBackend();
  RegisterProgramClasses();
  PrepareApplication();  // the tray icon shows the application's icon
  previousMenus_ = InstallMenuService(&menus_);
}

TMainFormFixture::~TMainFormFixture() {
  form_.reset();
  InstallMenuService(previousMenus_);
}

void TMainFormFixture::Script(const TScript& script) {
  stayedOpen_ = false;
  platform_.Clock().Post([this, script] {
    TForm* dialog = TForm::ModalForm();
    if (!dialog) return;
    THeadlessWindow& window = *platform_.Windows().Windows().back();
    if (script) {
      script(*dialog, window);
    } else {
      window.KeyDown(vkEscape);
    }
    stayedOpen_ = dialog->ModalResult() == mrNone && dialog->Visible();
    if (stayedOpen_) dialog->SetModalResult(mrCancel);
  });
}

void TMainFormFixture::CreateMainForm(TScript startUp) {
  Script(startUp);
  form_.reset(CreateForm<TFormMain>(nullptr, FindEmbeddedResource("TFORMMAIN")));
}

void TMainFormFixture::RunSettings(const TScript& script) {
  Script(script);
  form_->N5Click(nullptr);
}

void TMainFormFixture::RunAbout(const TScript& script) {
  Script(script);
  form_->N6Click(nullptr);
}

THeadlessWindow& TMainFormFixture::MainWindow() {
  return *platform_.Windows().Windows().front();
}

bool TMainFormFixture::Checked(const char* menuItem) {
  return dynamic_cast<TMenuItem*>(form_->FindComponent(menuItem))->Checked();
}

void TMainFormFixture::Click(TForm& dialog, THeadlessWindow& window, const char* name) {
  auto* object = dynamic_cast<TvxVisualObject*>(dialog.FindComponent(name));
  ASSERT_NE(object, nullptr) << name;
  const TvxPoint centre = object->LocalToAbsolute({object->Width() / 2, object->Height() / 2});
  window.MouseDown(centre.X, centre.Y);
  window.MouseUp(centre.X, centre.Y);
}

void TMainFormFixture::Type(TForm& dialog, const char* box, const std::u16string& text) {
  dynamic_cast<TvxNumberBox*>(dialog.FindComponent(box))->SetText(text);
}
