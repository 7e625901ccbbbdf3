#include "scene/controls/ScrollBar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ControlsTesting_support.h"
#include "scene/controls/Background.h"

namespace {

// Arrow buttons 10 long at both ends of a track, for either orientation.
const char* const kBarStyle = R"(object TvxBackground
  object TvxLayout
    ResourceName = 'scrollbarstyle'
    HitTest = False
    object TvxLayout
      ResourceName = 'leftbutton'
      Align = vaLeft
      Width = 10.0
      HitTest = False
    end
    object TvxLayout
      ResourceName = 'rightbutton'
      Align = vaRight
      Width = 10.0
      HitTest = False
    end
    object TvxLayout
      ResourceName = 'topbutton'
      Align = vaTop
      Height = 10.0
      HitTest = False
    end
    object TvxLayout
      ResourceName = 'bottombutton'
      Align = vaBottom
      Height = 10.0
      HitTest = False
    end
    object TvxLayout
      ResourceName = 'htrack'
      Align = vaClient
      HitTest = False
      object TvxRectangle
        ResourceName = 'thumb'
        HitTest = False
      end
    end
    object TvxLayout
      ResourceName = 'vtrack'
      Align = vaClient
      HitTest = False
      object TvxRectangle
        ResourceName = 'thumb'
        HitTest = False
      end
    end
  end
end
)";

// A 120 x 20 bar over 0..100 with a viewport of 20: the track runs from 10 to 110 and the
// thumb is 20 long, so the value moves by one per unit the thumb moves.
class ScrollBarTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    scene_.SetStyle(Container(kBarStyle));
    root_ = new TvxBackground(&owner_);
    root_->SetBounds(0, 0, 300, 300);
    scene_.SetRoot(root_);
    bar_ = Bar(vxHorizontal);
  }
  TvxScrollBar* Bar(TvxOrientation orientation) {
    auto* bar = new TvxScrollBar(&owner_);
    root_->AddObject(bar);
    bar->SetOrientation(orientation);
    if (orientation == vxVertical)
      bar->SetBounds(0, 0, 20, 120);
    else
      bar->SetBounds(0, 0, 120, 20);
    bar->SetViewportSize(20);
    bar->SetSmallChange(5);
    bar->ApplyResource();
    bar->OnChange = [this](TObject*) { ++changes_; };
    return bar;
  }
  static void Press(TvxScrollBar& bar, float x, float y) {
    bar.MouseDown(TMouseButton::mbLeft, ssLeft, x, y);
    bar.MouseUp(TMouseButton::mbLeft, 0, x, y);
  }

  TStyleScene scene_;
  TvxBackground* root_ = nullptr;
  TvxScrollBar* bar_ = nullptr;
  int changes_ = 0;
};

TEST_F(ScrollBarTest, ValueStaysWithinTheRangeLessTheViewport) {
  bar_->SetValue(500);
  EXPECT_FLOAT_EQ(bar_->Value(), 80);
  bar_->SetValue(80);  // the same value: no event
  EXPECT_EQ(changes_, 1);
  bar_->SetValue(-5);
  EXPECT_FLOAT_EQ(bar_->Value(), 0);
  bar_->SetValue(79.5f);
  EXPECT_FLOAT_EQ(bar_->Value(), 79.5f);
  bar_->SetValue(std::nanf(""));
  EXPECT_FLOAT_EQ(bar_->Value(), 0);
  bar_->SetValue(60);
  bar_->SetMax(50);  // the value follows a shrinking range
  EXPECT_FLOAT_EQ(bar_->Value(), 30);
  bar_->SetViewportSize(80);  // more than the range: only Min remains
  EXPECT_FLOAT_EQ(bar_->MaxValue(), 0);
  EXPECT_FLOAT_EQ(bar_->Value(), 0);
  bar_->SetViewportSize(-3);
  EXPECT_FLOAT_EQ(bar_->ViewportSize(), 0);
  EXPECT_FLOAT_EQ(bar_->MaxValue(), 50);
}

TEST_F(ScrollBarTest, TheThumbShowsTheViewportsShareAndPlace) {
  bar_->SetValue(40);
  EXPECT_EQ(bar_->TrackRect(), (TvxRect{10, 0, 110, 20}));
  EXPECT_EQ(bar_->ThumbRect(), (TvxRect{50, 0, 70, 20}));
  auto* thumb = dynamic_cast<TvxVisualObject*>(bar_->FindResource("htrack")->FindResource("thumb"));
  ASSERT_NE(thumb, nullptr);
  EXPECT_EQ(thumb->Position()->Point(), (TvxPoint{40, 0}));  // in the track
  EXPECT_FLOAT_EQ(thumb->Width(), 20);
  // A tiny viewport keeps a thumb that can still be grabbed.
  bar_->SetMax(100000);
  EXPECT_FLOAT_EQ(RectWidth(bar_->ThumbRect()), 8);
}

TEST_F(ScrollBarTest, ArrowsMoveBySmallChange) {
  Press(*bar_, 115, 10);
  Press(*bar_, 115, 10);
  EXPECT_FLOAT_EQ(bar_->Value(), 10);
  Press(*bar_, 5, 10);
  EXPECT_FLOAT_EQ(bar_->Value(), 5);
  Press(*bar_, 5, 10);
  Press(*bar_, 5, 10);
  EXPECT_FLOAT_EQ(bar_->Value(), 0);
}

TEST_F(ScrollBarTest, ATrackPressPagesTowardsThePointer) {
  bar_->SetValue(40);  // thumb 50..70
  Press(*bar_, 20, 10);
  EXPECT_FLOAT_EQ(bar_->Value(), 20);
  Press(*bar_, 100, 10);
  EXPECT_FLOAT_EQ(bar_->Value(), 40);
  Press(*bar_, 60, 10);  // on the thumb: no paging
  EXPECT_FLOAT_EQ(bar_->Value(), 40);
}

TEST_F(ScrollBarTest, DraggingTheThumbMovesTheValueWithThePointer) {
  bar_->MouseDown(TMouseButton::mbLeft, ssLeft, 15, 10);  // 5 into the thumb at 10..30
  bar_->MouseMove(ssLeft, 55, 10);
  EXPECT_FLOAT_EQ(bar_->Value(), 40);
  bar_->MouseMove(ssLeft, 500, 10);
  EXPECT_FLOAT_EQ(bar_->Value(), 80);
  bar_->MouseMove(ssLeft, -500, 10);
  EXPECT_FLOAT_EQ(bar_->Value(), 0);
  bar_->MouseUp(TMouseButton::mbLeft, 0, -500, 10);
  bar_->MouseMove(0, 55, 10);
  EXPECT_FLOAT_EQ(bar_->Value(), 0);
}

TEST_F(ScrollBarTest, AVerticalBarWorksDownwardsWithItsOwnParts) {
  TvxScrollBar* bar = Bar(vxVertical);
  EXPECT_FALSE(dynamic_cast<TvxVisualObject*>(bar->FindResource("htrack"))->Visible());
  EXPECT_EQ(bar->TrackRect(), (TvxRect{0, 10, 20, 110}));
  Press(*bar, 10, 115);
  EXPECT_FLOAT_EQ(bar->Value(), 5);
  bar->MouseDown(TMouseButton::mbLeft, ssLeft, 10, 20);  // 5 into the thumb at 15..35
  bar->MouseMove(ssLeft, 10, 45);
  EXPECT_FLOAT_EQ(bar->Value(), 30);
  bar->MouseUp(TMouseButton::mbLeft, 0, 10, 45);
  Press(*bar, 10, 100);  // below the thumb
  EXPECT_FLOAT_EQ(bar->Value(), 50);
}

TEST_F(ScrollBarTest, ABarWithoutAStyleScrollsOverItsWholeLength) {
  scene_.SetStyle(nullptr);
  auto* bar = new TvxSmallScrollBar(&owner_);
  EXPECT_FLOAT_EQ(bar->Height(), 8);
  root_->AddObject(bar);
  bar->SetBounds(0, 0, 100, 8);
  bar->SetViewportSize(50);
  EXPECT_EQ(bar->ThumbRect(), (TvxRect{0, 0, 50, 8}));
  Press(*bar, 80, 4);
  EXPECT_FLOAT_EQ(bar->Value(), 50);
}

TEST_F(ScrollBarTest, AnAnimatedMoveGlidesToItsEnd) {
  bar_->ScrollTo(60, true);
  EXPECT_FLOAT_EQ(bar_->Value(), 0);
  EXPECT_FLOAT_EQ(bar_->TargetValue(), 60);
  platform_.Advance(400);
  EXPECT_FLOAT_EQ(bar_->Value(), 60);
  bar_->ScrollTo(1000, true);  // the end is clamped before the glide starts
  EXPECT_FLOAT_EQ(bar_->TargetValue(), 80);
}

}  // namespace
