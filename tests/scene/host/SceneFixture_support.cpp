#include "SceneFixture_support.h"

#include "scene/graphics/Canvas.h"
#include "scene/graphics/RasterBackend.h"

TProbe::TProbe(TComponent* owner, std::string label, TLog* log)
    : TvxVisualObject(owner), label_(std::move(label)), log_(log) {}

void TProbe::Log(const std::string& what) {
  if (log_) log_->push_back(label_ + " " + what);
}

void TProbe::Paint() {
  ++paints;
  TvxCanvas* canvas = Canvas();
  if (!color || !canvas) return;
  canvas->Fill().SetStyle(vxBrushSolid);
  canvas->Fill().SetColor(color);
  canvas->FillRect(GetLocalRect(), 0, 0, AllCorners, 1, vxCornerRound);
}

void TProbe::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  Log("down " + std::to_string(int(x)) + "," + std::to_string(int(y)));
  TvxVisualObject::MouseDown(button, shift, x, y);
}

void TProbe::MouseUp(TMouseButton button, TShiftState shift, float x, float y) {
  Log("up " + std::to_string(int(x)) + "," + std::to_string(int(y)));
  TvxVisualObject::MouseUp(button, shift, x, y);
}

void TProbe::MouseMove(TShiftState shift, float x, float y) {
  Log("move " + std::to_string(int(x)) + "," + std::to_string(int(y)));
  TvxVisualObject::MouseMove(shift, x, y);
}

void TProbe::MouseEnter() {
  Log("enter");
  TvxVisualObject::MouseEnter();
}

void TProbe::MouseLeave() {
  Log("leave");
  TvxVisualObject::MouseLeave();
}

void TProbe::KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  Log("key " + std::to_string(key) + " " + std::to_string(int(keyChar)) + " " +
      std::to_string(shift));
  TvxVisualObject::KeyDown(key, keyChar, shift);
}

void TProbe::KeyUp(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  Log("keyup " + std::to_string(key) + " " + std::to_string(int(keyChar)));
  TvxVisualObject::KeyUp(key, keyChar, shift);
}

void TProbe::DialogKey(uint16_t& key, TShiftState shift) {
  if (consumes && key == consumes) {
    Log("dialog " + std::to_string(key));
    key = 0;
    return;
  }
  TvxVisualObject::DialogKey(key, shift);
}

void TProbe::Click() {
  Log("click");
  TvxVisualObject::Click();
}

void TCountingScene::Draw() {
  if (GetPendingRectCount() > 0) ++draws;
  TvxScene::Draw();
}

SceneTest::SceneTest() {
  UseRasterBackend();
  form = new TForm(nullptr);
  form->SetBounds({100, 100, 200, 100});
  scene = new TCountingScene(form);
  scene->SetAlign(alClient);
  scene->SetForm(form);
  root = new TProbe(form, "root", &log);
  root->SetHitTest(false);
  scene->AddObject(root);
  form->Show();
  Settle();
}

SceneTest::~SceneTest() {
  delete form;
}

THeadlessWindow& SceneTest::Window() {
  return static_cast<THeadlessWindow&>(form->Window());
}

TProbe* SceneTest::AddProbe(TvxObject* parent, const std::string& label, float x, float y, float w,
                            float h) {
  auto* probe = new TProbe(form, label, &log);
  probe->SetBounds(x, y, w, h);
  parent->AddObject(probe);
  return probe;
}
