#pragma once

// Test doubles for controls: a scene host that carries a style container and records what
// controls ask of it, a canvas that counts its fills, and a visual object that counts its
// paints. Registering the engine's classes comes first in every fixture.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Form.h"
#include "platform/headless/HeadlessPlatform.h"
#include "scene/controls/Background.h"
#include "scene/controls/Control.h"
#include "scene/controls/StyleResources.h"
#include "tests/scene/CanvasStub.h"
#include "tests/scene/FakeScene.h"

// Starts the engine and registers the test classes beside its own.
void RegisterEngineClasses();

// Carries a style container, as the scene host does, and asks every object to paint.
class TStyleScene : public TFakeScene {
 public:
  TStyleScene() { pending = {{-1e6f, -1e6f, 1e6f, 1e6f}}; }
  ~TStyleScene() override { SetStyle(nullptr); }

  TvxResources* GetStyle() override { return style; }
  // Like the scene host: unregisters from the old container, registers with the new one.
  void SetStyle(TvxResources* value) override;
  void UpdateStyle() override { ++styleUpdates; }

  TvxResources* style = nullptr;
  int styleUpdates = 0;
};

// Counts FillRect calls and keeps the last one's rectangle and opacity.
class TCountingCanvas : public TCanvasStub {
 public:
  TCountingCanvas() : TCanvasStub(200, 200) {}

  int fillRects = 0;
  TvxRect lastRect;
  float lastOpacity = 0;
  TvxColor lastColor = 0;

 protected:
  void OnFillRect(const TvxRect& r, float o) override;
};

// A visual object that counts how often it was painted; registered, so styles can hold it.
class TPaintCounter : public TvxVisualObject {
  LC_CLASS(TPaintCounter, TvxVisualObject)

 public:
  using TvxVisualObject::TvxVisualObject;
  void Paint() override { ++paints; }
  int paints = 0;
};

// A control that can take the focus and reports when its parts are released.
class TtsProbeControl : public TvxControl {
  LC_CLASS(TtsProbeControl, TvxControl)

 public:
  explicit TtsProbeControl(TComponent* owner) : TvxControl(owner) { SetCanFocused(true); }
  void FreeStyle() override { ++freed; }
  int freed = 0;
};

class ControlsTest : public testing::Test {
 protected:
  void SetUp() override { RegisterEngineClasses(); }
  // Animations started by tests leave the driver before the platform goes.
  void TearDown() override;
  // A style container holding the tree given as form text.
  TvxResources* Container(const std::string& text);
  // An instance of a registered class, owned by the fixture.
  TvxControl* Make(const std::string& className);
  // A dialog with the bounds whose scene fills it, for controls that open windows of their
  // own; returns the scene's top object. Show the dialog once its controls are in.
  TvxVisualObject* NewDialog(TForm*& dialog, const TBoundsI& bounds);
  // Deletes the dialog and lets the platform free the windows it released.
  void DeleteDialog(TForm* dialog);

  THeadlessPlatform platform_;
  TComponent owner_{nullptr};
};

// Controls under a 300 x 200 background that is the root of a scene of type TScene.
template <class TScene = TStyleScene>
class SceneControlsTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    root_ = new TvxBackground(&owner_);
    root_->SetBounds(0, 0, 300, 200);
    scene_.SetRoot(root_);
  }
  // A new control of class C, added to `parent` or else to the root.
  template <class C>
  C* Add(TvxObject* parent = nullptr) {
    auto* control = new C(&owner_);
    (parent ? parent : root_)->AddObject(control);
    return control;
  }

  TScene scene_;
  TvxBackground* root_ = nullptr;
};
