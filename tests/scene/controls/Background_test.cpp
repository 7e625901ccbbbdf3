#include "scene/controls/Background.h"

#include <gtest/gtest.h>

#include "ControlsTesting_support.h"

namespace {

// The background's style paints, so that tests can see whether it was hidden.
const char* const kStyles = R"(object TvxBackground
  object TPaintCounter
    ResourceName = 'backgroundstyle'
    HitTest = False
  end
end
)";

class BackgroundPainting : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    scene_.canvas = &canvas_;
    scene_.SetStyle(Container(kStyles));
    background_ = new TvxBackground(&owner_);
    background_->SetBounds(0, 0, 120, 80);
    scene_.SetRoot(background_);
  }
  // One pass as the scene host draws a root; the style paints count.
  int PaintPass() {
    background_->BeforePaint();
    background_->Paint();
    background_->PaintChildren();
    auto* style = dynamic_cast<TPaintCounter*>(background_->StyleObject());
    return style ? std::exchange(style->paints, 0) : -1;
  }

  TStyleScene scene_;
  TCountingCanvas canvas_;
  TvxBackground* background_ = nullptr;
};

TEST_F(BackgroundPainting, WithoutFillOnlyTheStyleShows) {
  EXPECT_EQ(PaintPass(), 1);
  EXPECT_EQ(canvas_.fillRects, 0);
}

TEST_F(BackgroundPainting, FillCoversTheRectangleAndHidesTheStyle) {
  TvxBrush red(vxBrushSolid, 0xFFFF0000);
  background_->SetFill(red);
  background_->SetOpacity(0.5f);
  EXPECT_EQ(PaintPass(), 0);
  EXPECT_EQ(canvas_.fillRects, 1);
  EXPECT_EQ(canvas_.lastColor, 0xFFFF0000u);
  EXPECT_FLOAT_EQ(canvas_.lastOpacity, 0.5f);
  EXPECT_FLOAT_EQ(canvas_.lastRect.Right, 120);
  EXPECT_FLOAT_EQ(canvas_.lastRect.Bottom, 80);
}

TEST_F(BackgroundPainting, TransparentSceneHidesTheStyleOfItsRootOnly) {
  scene_.transparent = true;
  EXPECT_EQ(PaintPass(), 0);
  auto* inner = new TvxBackground(&owner_);
  inner->SetBounds(0, 0, 30, 30);
  background_->AddObject(inner);
  inner->ApplyResource();
  auto* innerStyle = dynamic_cast<TPaintCounter*>(inner->StyleObject());
  ASSERT_NE(innerStyle, nullptr);
  PaintPass();
  EXPECT_EQ(innerStyle->paints, 1);
}

TEST_F(BackgroundPainting, AssigningFillCopiesTheBrush) {
  TvxBrush brush(vxBrushSolid, 0xFF00FF00);
  background_->SetFill(brush);
  brush.SetColor(0xFF0000FF);
  EXPECT_EQ(background_->Fill()->Color(), 0xFF00FF00u);
  EXPECT_EQ(background_->Fill()->Style(), vxBrushSolid);
}

}  // namespace
