#include "ControlsTesting_support.h"

#include "scene/controls/EngineStart.h"
#include "scene/core/AniThread.h"
#include "scene/core/Registration.h"
#include "scene/host/Scene.h"

LC_PUBLISH(TPaintCounter) {}
LC_PUBLISH(TtsProbeControl) {}

void RegisterEngineClasses() {
  StartEngine();
  const TClassInfo* testClasses[] = {&TPaintCounter::StaticClass(),
                                     &TtsProbeControl::StaticClass()};
  RegisterObjects(testClasses);
}

void TStyleScene::SetStyle(TvxResources* value) {
  if (style) style->RemoveScene(this);
  style = value;
  if (style) style->AddScene(this);
}

void TCountingCanvas::OnFillRect(const TvxRect& r, float o) {
  ++fillRects;
  lastRect = r;
  lastOpacity = o;
  lastColor = Fill().Color();
}

void ControlsTest::TearDown() {
  FreeAniThread();
}

TvxResources* ControlsTest::Container(const std::string& text) {
  auto* container = new TvxResources(&owner_);
  container->SetText(text);
  return container;
}

TvxControl* ControlsTest::Make(const std::string& className) {
  const TClassInfo* info = FindClass(className);
  return info ? dynamic_cast<TvxControl*>(info->Create(&owner_)) : nullptr;
}

TvxVisualObject* ControlsTest::NewDialog(TForm*& dialog, const TBoundsI& bounds) {
  dialog = new TForm(nullptr);
  dialog->SetBounds(bounds);
  auto* scene = new TvxScene(dialog);
  scene->SetAlign(alClient);
  scene->SetForm(dialog);
  auto* root = new TvxVisualObject(dialog);
  scene->AddObject(root);
  return root;
}

void ControlsTest::DeleteDialog(TForm* dialog) {
  delete dialog;
  platform_.Advance(50);
}
