#pragma once

// Text boxes under test: a canvas on which every character is 6 units wide, a scene that
// hands it out, and the recording menu service.

#include <string>
#include <vector>

#include "ControlsTesting_support.h"
#include "platform/MenuService.h"
#include "platform/headless/HeadlessMenuService.h"
#include "scene/controls/TextBox.h"

// Measures every character 6 units wide and records what is drawn.
class TMonoCanvas : public TCanvasStub {
 public:
  static constexpr float kCharWidth = 6;

  TMonoCanvas() : TCanvasStub(400, 200) {}

  void MeasureText(TvxRect& r, const std::u16string& text, bool, TvxTextAlign,
                   TvxTextAlign) override {
    r.Right = r.Left + kCharWidth * float(text.size());
  }
  void FillText(const TvxRect& r, const std::u16string& text, bool, float, TvxTextAlign,
                TvxTextAlign) override {
    texts.push_back(text);
    textRects.push_back(r);
  }
  void FillRect(const TvxRect& r, float, float, TvxCorners, float, TvxCornerType) override {
    fills.push_back(r);
    fillColors.push_back(Fill().Color());
  }
  void FillEllipse(const TvxRect&, float) override { ++dots; }

  std::vector<std::u16string> texts;
  std::vector<TvxRect> textRects;
  std::vector<TvxRect> fills;
  std::vector<TvxColor> fillColors;
  int dots = 0;
};

class TextBoxTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    previousMenus_ = InstallMenuService(&menus_);
    scene_.canvas = &canvas_;
  }
  void TearDown() override {
    InstallMenuService(previousMenus_);
    ControlsTest::TearDown();
  }

  // A box of the class in the scene, holding `text`, counting its events.
  template <class T>
  T* Add(const std::u16string& text = {}) {
    auto* box = new T(&owner_);
    scene_.AddObject(box);
    box->ApplyResource();
    box->SetText(text);
    box->OnChange = [this](TObject*) { ++changes; };
    box->OnChangeTracking = [this](TObject*) { ++trackings; };
    box->OnTyping = [this](TObject*) { ++typings; };
    return box;
  }
  static void Key(TvxVisualObject* box, uint16_t key, TShiftState shift = 0) {
    char16_t ch = 0;
    box->KeyDown(key, ch, shift);
  }
  static void Type(TvxVisualObject* box, const std::u16string& text, TShiftState shift = 0) {
    for (char16_t ch : text) {
      uint16_t key = 0;
      box->KeyDown(key, ch, shift);
    }
  }
  TMemoryClipboard& Clipboard() { return platform_.Clipboard(); }
  void ResetCounts() { changes = trackings = typings = 0; }

  TMonoCanvas canvas_;  // outlives the scene, whose end takes the focus away
  TStyleScene scene_;
  THeadlessMenuService menus_;
  IMenuService* previousMenus_ = nullptr;
  int changes = 0;
  int trackings = 0;
  int typings = 0;
};
