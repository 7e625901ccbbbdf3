#pragma once

// Test doubles for the scene host: visual objects that log the input reaching them and paint
// a solid colour, and a fixture with a headless form whose client area is a scene.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "scene/host/Scene.h"

using TLog = std::vector<std::string>;

class TProbe : public TvxVisualObject {
 public:
  TProbe(TComponent* owner, std::string label, TLog* log);

  void Paint() override;
  void MouseDown(TMouseButton button, TShiftState shift, float x, float y) override;
  void MouseUp(TMouseButton button, TShiftState shift, float x, float y) override;
  void MouseMove(TShiftState shift, float x, float y) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) override;
  void KeyUp(uint16_t& key, char16_t& keyChar, TShiftState shift) override;
  void DialogKey(uint16_t& key, TShiftState shift) override;
  void Click() override;

  void MakeFocusable() { SetCanFocused(true); }
  void CaptureOnPress() { SetAutoCapture(true); }

  // Painted over the local rectangle when not 0 (ARGB, not premultiplied).
  TvxColor color = 0;
  // DialogKey consumes this key.
  uint16_t consumes = 0;
  int paints = 0;

 private:
  void Log(const std::string& what);
  std::string label_;
  TLog* log_;
};

class TProbeGrip : public TProbe, public IvxSizeGrip {
 public:
  using TProbe::TProbe;
};

// Counts the drawings that had something to draw.
class TCountingScene : public TvxScene {
 public:
  using TvxScene::TvxScene;
  void Draw() override;
  int draws = 0;
};

class SceneTest : public testing::Test {
 protected:
  SceneTest();
  ~SceneTest() override;

  THeadlessWindow& Window();
  // A probe under `parent` at (x, y) in parent units, w x h.
  TProbe* AddProbe(TvxObject* parent, const std::string& label, float x, float y, float w, float h);
  // Runs the posted drawings and due timers.
  void Settle() { platform.Advance(5); }

  THeadlessPlatform platform;
  TLog log;
  TForm* form = nullptr;
  TCountingScene* scene = nullptr;
  TProbe* root = nullptr;
};
