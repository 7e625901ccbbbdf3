#pragma once

// Test doubles for controls: a scene host that carries a style container and records what
// controls ask of it, a canvas that counts its fills, and a visual object that counts its
// paints. Registering the engine's classes comes first in every fixture.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "scene/controls/Control.h"
#include "scene/controls/StyleResources.h"
#include "scene/core/SceneInterface.h"
#include "scene/graphics/Canvas.h"

// Starts the engine and registers the test classes beside its own.
void RegisterEngineClasses();

class TStyleScene : public IvxScene {
 public:
  ~TStyleScene() override;

  // Makes `object` the scene's first root, as a form's scene does with its background.
  void SetRoot(TvxVisualObject* object);

  void AddObject(TvxObject* object) override;
  void RemoveObject(TvxObject* object) override;
  void BeginWindowMove() override {}
  void BeginWindowResize() override {}
  void AddUpdateRect(const TvxRect&) override {}
  TvxControl* GetActiveControl() override { return nullptr; }
  bool GetUpdateLocked() override { return updateLocked; }
  void SetUpdateLocked(bool locked) override { updateLocked = locked; }
  bool IsDesigning() override { return false; }
  TvxCanvas* GetCanvas() override { return canvas; }
  TvxVisualObject* GetRoot() override { return root; }
  TComponent* GetComponent() override { return nullptr; }
  TComponent* GetOwnerComponent() override { return nullptr; }
  TvxResources* GetStyle() override { return style; }
  // Like the scene host: unregisters from the old container, registers with the new one.
  void SetStyle(TvxResources* value) override;
  bool GetTransparency() override { return transparent; }
  void UpdateStyle() override { ++styleUpdates; }
  void Notification(TComponent* component) override;
  TvxVisualObject* GetDragOverObject() override { return nullptr; }
  // Everything is due for painting.
  int GetPendingRectCount() override { return 1; }
  TvxRect GetPendingRect(int) override { return {-1e6f, -1e6f, 1e6f, 1e6f}; }
  void SetCaptured(TvxVisualObject*) override {}
  TvxVisualObject* GetCaptured() override { return nullptr; }
  void SetFocused(TvxVisualObject* object) override;
  TvxVisualObject* GetFocused() override { return focused; }
  TvxPoint GetMousePos() override { return {}; }
  TvxPoint LocalToScreen(const TvxPoint& point) override { return point; }
  void BeginDragObject(TvxVisualObject*, const TvxBitmap*) override {}
  bool GetAnimatedCaret() override { return false; }

  std::vector<TvxObject*> roots;
  TvxVisualObject* root = nullptr;
  TvxVisualObject* focused = nullptr;
  TvxResources* style = nullptr;
  TvxCanvas* canvas = nullptr;
  bool transparent = false;
  bool updateLocked = false;
  int styleUpdates = 0;
};

// Counts FillRect calls and keeps the last one's rectangle and opacity.
class TCountingCanvas : public TvxCanvas {
 public:
  TCountingCanvas() { ResizeBuffer(200, 200); }

  int fillRects = 0;
  TvxRect lastRect;
  float lastOpacity = 0;
  TvxColor lastColor = 0;

  void FlushBuffer(int, int, TvxDeviceContext) override {}
  void FlushBufferRect(int, int, TvxDeviceContext, const TvxRect&) override {}
  void FreeBuffer() override {}
  void Clear(TvxColor) override {}
  void ClearRect(const TvxRect&, TvxColor) override {}
  void SetClipRects(std::span<const TvxRect>) override {}
  void IntersectClipRect(const TvxRect&) override {}
  void ExcludeClipRect(const TvxRect&) override {}
  void ResetClipRect() override {}
  void DrawLine(const TvxPoint&, const TvxPoint&, float) override {}
  void FillRect(const TvxRect& r, float, float, TvxCorners, float o, TvxCornerType) override;
  void DrawRect(const TvxRect&, float, float, TvxCorners, float, TvxCornerType) override {}
  void FillEllipse(const TvxRect&, float) override {}
  void DrawEllipse(const TvxRect&, float) override {}
  bool PtInPath(const TvxPoint&, const TvxRect&, const TvxPathData&) override { return false; }
  void FillPath(const TvxPathData&, const TvxRect&, float) override {}
  void DrawPath(const TvxPathData&, const TvxRect&, float) override {}
  void DrawBitmap(TvxBitmap&, const TvxRect&, const TvxRect&, float, bool) override {}
  void DrawThumbnail(TvxBitmap&, float, float) override {}
  void FillText(const TvxRect&, const std::u16string&, bool, float, TvxTextAlign,
                TvxTextAlign) override {}
  void MeasureText(TvxRect&, const std::u16string&, bool, TvxTextAlign, TvxTextAlign) override {}
  bool TextToPath(TvxPathData&, const TvxRect&, const std::u16string&, bool, TvxTextAlign,
                  TvxTextAlign) override {
    return false;
  }

 protected:
  int SaveState() override { return 1; }
  void RestoreState(int) override {}
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

  THeadlessPlatform platform_;
  TComponent owner_{nullptr};
};
