#include "ControlsTesting_support.h"

#include <algorithm>

#include "scene/controls/EngineStart.h"
#include "scene/core/AniThread.h"
#include "scene/core/Registration.h"

LC_PUBLISH(TPaintCounter) {}
LC_PUBLISH(TtsProbeControl) {}

void RegisterEngineClasses() {
  StartEngine();
  const TClassInfo* testClasses[] = {&TPaintCounter::StaticClass(),
                                     &TtsProbeControl::StaticClass()};
  RegisterObjects(testClasses);
}

TStyleScene::~TStyleScene() {
  SetStyle(nullptr);
  for (TvxObject* object : roots) object->SetScene(nullptr);
}

void TStyleScene::SetRoot(TvxVisualObject* object) {
  AddObject(object);
  root = object;
}

void TStyleScene::AddObject(TvxObject* object) {
  object->SetParent(nullptr);
  if (std::find(roots.begin(), roots.end(), object) == roots.end()) roots.push_back(object);
  object->SetScene(this);
}

void TStyleScene::RemoveObject(TvxObject* object) {
  std::erase(roots, object);
  if (object == root) root = nullptr;
  object->SetScene(nullptr);
}

void TStyleScene::SetStyle(TvxResources* value) {
  if (style) style->RemoveScene(this);
  style = value;
  if (style) style->AddScene(this);
}

void TStyleScene::Notification(TComponent* component) {
  if (component == focused) focused = nullptr;
  if (component == root) root = nullptr;
  std::erase(roots, component);
}

void TStyleScene::SetFocused(TvxVisualObject* object) {
  if (object == focused) return;
  TvxVisualObject* old = std::exchange(focused, object);
  if (old) old->KillFocus();
  if (object) object->EnterFocus();
}

void TCountingCanvas::FillRect(const TvxRect& r, float, float, TvxCorners, float o, TvxCornerType) {
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
