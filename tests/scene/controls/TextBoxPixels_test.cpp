// A text box drawn through the raster backend: its text and its selection reach the pixels.

#include <gtest/gtest.h>

#include <memory>

#include "ControlsTesting_support.h"
#include "scene/controls/Background.h"
#include "scene/controls/TextBox.h"
#include "scene/graphics/Backend.h"
#include "scene/graphics/Canvas.h"
#include "scene/graphics/RasterBackend.h"

namespace {

class TextBoxPixels : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    UseRasterBackend();
    canvas_ = CreateDefaultCanvas(160, 30);
    scene_.canvas = canvas_.get();
    root_ = new TvxBackground(&owner_);
    root_->SetBounds(0, 0, 160, 30);
    root_->Fill()->SetStyle(vxBrushSolid);
    root_->Fill()->SetColor(0xFFFFFFFF);
    scene_.SetRoot(root_);
    box_ = new TvxTextBox(&owner_);
    box_->SetParent(root_);
    box_->SetBounds(10, 4, 140, 22);
    box_->ApplyResource();
    box_->Font()->SetSize(14);
  }

  void Draw() {
    TvxCanvas& canvas = *canvas_;
    const TvxRect area{0, 0, 160, 30};
    scene_.pending = {area};
    ASSERT_TRUE(canvas.BeginScene());
    canvas.ClearRect(area, 0);
    canvas.SetMatrix(root_->GetAbsoluteMatrix());
    root_->Paint();
    root_->PaintChildren();
    canvas.EndScene();
  }

  // Pixels of the columns [left, right) of the box's row band matching the test.
  template <class Test>
  int Count(float left, float right, Test test) {
    int count = 0;
    for (int y = 5; y < 25; ++y)
      for (int x = int(left + 10); x < int(right + 10); ++x) {
        const TvxColor c = canvas_->Bits()[y * canvas_->Width() + x];
        if (test(int(c >> 16 & 0xFF), int(c >> 8 & 0xFF), int(c & 0xFF))) ++count;
      }
    return count;
  }
  static bool Bluish(int r, int, int b) { return b > r + 60; }
  static bool Dark(int r, int g, int b) { return r < 90 && g < 90 && b < 90; }

  std::unique_ptr<TvxCanvas> canvas_;
  TStyleScene scene_;
  TvxBackground* root_ = nullptr;
  TvxTextBox* box_ = nullptr;
};

TEST_F(TextBoxPixels, TextAndSelectionAreDrawn) {
  box_->SetText(u"WWWWWW");
  box_->SetFocus();
  box_->SetCaretPosition(0);
  for (int i = 0; i < 3; ++i) {
    uint16_t key = vkRight;
    char16_t ch = 0;
    box_->KeyDown(key, ch, ssShift);
  }
  Draw();
  const TvxRect content = box_->ContentRect();
  // Where the box places the caret at 3 and at 6 characters.
  box_->SetCaretPosition(6);
  const float end = box_->CaretObject()->Position()->X() + 1;
  box_->SetCaretPosition(3);
  const float middle = box_->CaretObject()->Position()->X() + 1;
  ASSERT_GT(middle, content.Left + 10);
  EXPECT_GT(Count(content.Left + 1, middle - 1, Bluish), 40);
  EXPECT_GT(Count(content.Left + 1, middle - 1, Dark), 10);
  EXPECT_EQ(Count(middle + 2, end, Bluish), 0);
  EXPECT_GT(Count(middle + 2, end, Dark), 10);
  EXPECT_EQ(Count(end + 4, 140, Dark), 0);
}

TEST_F(TextBoxPixels, PasswordModeHidesTheLetters) {
  box_->SetText(u"WWWW");
  box_->SetPassword(true);
  Draw();
  const float cell = box_->Font()->Size() / 2;
  EXPECT_GT(Count(0, 4 * cell, Dark), 8);
  EXPECT_EQ(Count(4 * cell + 2, 140, Dark), 0);
}

}  // namespace
