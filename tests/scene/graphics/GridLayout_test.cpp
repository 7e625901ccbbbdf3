#include "scene/graphics/GridLayout.h"

#include <gtest/gtest.h>

#include "GraphicsFakes.h"
#include "scene/core/Bounds.h"
#include "scene/core/Registration.h"
#include "scene/graphics/Rectangles.h"

namespace {

void ExpectBounds(TvxVisualObject& object, float x, float y, float w, float h) {
  EXPECT_FLOAT_EQ(x, object.Position()->X());
  EXPECT_FLOAT_EQ(y, object.Position()->Y());
  EXPECT_FLOAT_EQ(w, object.Width());
  EXPECT_FLOAT_EQ(h, object.Height());
}

class GridLayoutTest : public testing::Test {
 protected:
  TvxRectangle* Add() {
    auto* item = new TvxRectangle(&grid_);
    item->SetParent(&grid_);
    return item;
  }

  TvxGridLayout grid_{nullptr};
};

TEST_F(GridLayoutTest, RowsWrapWhenTheNextCellWouldNotFit) {
  grid_.SetBounds(0, 0, 70, 40);
  grid_.SetItemHeight(19);
  grid_.SetItemWidth(70.0f / 3 - 0.1f);  // three cells fit despite rounding
  TvxRectangle* items[4] = {Add(), Add(), Add(), Add()};
  grid_.Realign();
  ExpectBounds(*items[2], 2 * (70.0f / 3 - 0.1f), 0, 70.0f / 3 - 0.1f, 19);
  ExpectBounds(*items[3], 0, 19, 70.0f / 3 - 0.1f, 19);
  grid_.SetItemWidth(70.0f / 3 + 0.1f);  // now only two per row
  ExpectBounds(*items[2], 0, 19, 70.0f / 3 + 0.1f, 19);
}

TEST_F(GridLayoutTest, HiddenChildrenLeaveNoGapAndPaddingInsetsTheCell) {
  grid_.SetBounds(0, 0, 100, 100);
  grid_.SetItemWidth(50);
  grid_.SetItemHeight(20);
  TvxRectangle* hidden = Add();
  TvxRectangle* padded = Add();
  hidden->SetVisible(false);
  padded->Padding()->SetLeft(2);
  padded->Padding()->SetBottom(3);
  grid_.Realign();
  ExpectBounds(*padded, 2, 0, 48, 17);
}

TEST_F(GridLayoutTest, VerticalOrientationFillsColumns) {
  grid_.SetBounds(0, 0, 46, 50);
  grid_.SetItemWidth(23);
  grid_.SetItemHeight(19);
  TvxRectangle* items[3] = {Add(), Add(), Add()};
  grid_.SetOrientation(vxVertical);
  ExpectBounds(*items[1], 0, 19, 23, 19);
  ExpectBounds(*items[2], 23, 0, 23, 19);
}

TEST_F(GridLayoutTest, MarginsShrinkTheArea) {
  grid_.SetBounds(0, 0, 100, 100);
  grid_.Margins()->SetLeft(5);
  grid_.Margins()->SetTop(21);
  grid_.SetItemWidth(40);
  grid_.SetItemHeight(10);
  TvxRectangle* items[3] = {Add(), Add(), Add()};
  grid_.Realign();
  ExpectBounds(*items[0], 5, 21, 40, 10);
  ExpectBounds(*items[2], 5, 31, 40, 10);
}

}  // namespace
