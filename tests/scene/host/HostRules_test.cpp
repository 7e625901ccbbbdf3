// The rules the scene host's helpers keep on their own: pending areas and the Tab search.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "scene/core/VisualObject.h"
#include "scene/host/PendingRects.h"
#include "scene/host/TabOrder.h"

namespace {

TEST(PendingRects, IgnoresEmptyAndOffClientRequests) {
  TvxPendingRects rects;
  EXPECT_FALSE(rects.Add({10, 10, 10, 50}, 100, 80));  // width exactly 0
  EXPECT_FALSE(rects.Add({10, 10, 50, 10}, 100, 80));  // height exactly 0
  EXPECT_FALSE(rects.Add({100, 0, 150, 20}, 100, 80));
  EXPECT_FALSE(rects.Add({-30, -30, -2, -2}, 100, 80));
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_FALSE(rects.Add({nan, 0, 10, 10}, 100, 80));
  EXPECT_TRUE(rects.Empty());
}

TEST(PendingRects, WidensToWholePixelsAndClipsToTheClient) {
  TvxPendingRects rects;
  ASSERT_TRUE(rects.Add({10.7f, 20.2f, 30.5f, 40.9f}, 100, 80));
  EXPECT_EQ(rects.At(0), (TvxRect{10, 20, 31, 41}));
  ASSERT_TRUE(rects.Add({-5.5f, 70, 1000, 65535}, 100, 80));
  EXPECT_EQ(rects.At(1), (TvxRect{0, 70, 100, 80}));
  const float inf = std::numeric_limits<float>::infinity();
  ASSERT_TRUE(rects.Add({-inf, -inf, inf, inf}, 100, 80));
  EXPECT_EQ(rects.At(2), (TvxRect{0, 0, 100, 80}));
  ASSERT_TRUE(rects.Add({50, 50, 40, 40}, 100, 80));  // swapped edges name the same area
  EXPECT_EQ(rects.At(3), (TvxRect{40, 40, 51, 51}));
  EXPECT_EQ(rects.Bounds()[0], (TBoundsI{10, 20, 21, 21}));
  EXPECT_EQ(rects.At(9), TvxRect{});
}

TEST(PendingRects, AlignsToDevicePixelsAndReportsThemAtTheRatio) {
  TvxPendingRects rects;
  ASSERT_TRUE(rects.Add({10, 10, 20, 20}, 200, 100));  // widened to (10, 10, 21, 21)
  ASSERT_TRUE(rects.Add({190, 0, 199.5f, 3}, 200, 100));
  TvxPendingRects whole = rects;
  whole.AlignToDevice(1, 200, 100);
  EXPECT_EQ(whole.Rects()[0], (TvxRect{10, 10, 21, 21}));
  EXPECT_EQ(whole.Bounds(), rects.Bounds(1));
  rects.AlignToDevice(1.5f, 300, 150);
  // 10 and 21 units are 15 and 31.5 device pixels: the half pixel is taken in whole.
  EXPECT_EQ(rects.Bounds(1.5f)[0], (TBoundsI{15, 15, 17, 17}));
  EXPECT_NEAR(rects.Rects()[0].Right, 32 / 1.5f, 1e-5);
  // Never beyond the device surface, whose last pixel ends at 300.
  EXPECT_EQ(rects.Bounds(1.5f)[1], (TBoundsI{285, 0, 15, 6}));
  TvxPendingRects doubled;
  ASSERT_TRUE(doubled.Add({10, 10, 20, 20}, 200, 100));
  doubled.AlignToDevice(2, 400, 200);
  EXPECT_EQ(doubled.Rects()[0], (TvxRect{10, 10, 21, 21}));
  EXPECT_EQ(doubled.Bounds(2)[0], (TBoundsI{20, 20, 22, 22}));
}

TEST(PendingRects, MoreThanTwentyAreasBecomeTheirUnion) {
  TvxPendingRects rects;
  for (int i = 0; i < 20; ++i) rects.Add({float(i), float(i), float(i) + 0.5f, 1.5f + i}, 100, 80);
  rects.MergeIfMany();
  EXPECT_EQ(rects.Count(), 20);
  rects.Add({60, 70, 61, 71}, 100, 80);
  rects.MergeIfMany();
  ASSERT_EQ(rects.Count(), 1);
  EXPECT_EQ(rects.At(0), (TvxRect{0, 0, 62, 72}));
}

TEST(PendingRects, IntersectionIgnoresSharedEdges) {
  TvxPendingRects rects;
  rects.Add({10, 10, 19, 19}, 100, 80);  // (10, 10, 20, 20) once widened
  EXPECT_TRUE(rects.AnyIntersects({19, 19, 30, 30}));
  EXPECT_FALSE(rects.AnyIntersects({20, 0, 30, 30}));
}

class TFocusable : public TvxVisualObject {
 public:
  explicit TFocusable(bool focusable = true) : TvxVisualObject(nullptr) {
    SetCanFocused(focusable);
  }
};

class TabSearch : public testing::Test {
 protected:
  TvxVisualObject* Add(TvxObject* parent, bool focusable = true) {
    auto* object = new TFocusable(focusable);
    parent->AddObject(object);
    return object;
  }
  TFocusable root{false};
};

TEST_F(TabSearch, ListIsDepthFirstWithEachChildBeforeItsOwnList) {
  TvxVisualObject* a = Add(&root);
  TvxVisualObject* a1 = Add(a);
  TvxVisualObject* b = Add(&root);
  EXPECT_EQ(TabOrderList(root), (std::vector<TvxVisualObject*>{a, a1, b}));
}

TEST_F(TabSearch, SkipsHiddenDisabledAndRefusingObjects) {
  TvxVisualObject* a = Add(&root);
  TvxVisualObject* hidden = Add(&root);
  TvxVisualObject* box = Add(&root, false);
  Add(box);
  TvxVisualObject* refusing = Add(&root);
  TvxVisualObject* e = Add(&root);
  hidden->SetVisible(false);
  box->SetEnabled(false);
  refusing->OnCanFocused = [](TObject*, bool& allow) { allow = false; };
  EXPECT_EQ(NextTabStop(TabOrderList(root), a, false), e);
}

TEST_F(TabSearch, TwoEntriesOnlyWrapToTheStart) {
  TvxVisualObject* a = Add(&root);
  TvxVisualObject* b = Add(&root);
  const auto list = TabOrderList(root);
  EXPECT_EQ(NextTabStop(list, a, false), a);  // nothing new after the first of two
  EXPECT_EQ(NextTabStop(list, b, false), a);
  EXPECT_EQ(NextTabStop(list, nullptr, false), nullptr);
  EXPECT_EQ(NextTabStop(list, b, true), a);
  EXPECT_EQ(NextTabStop(list, a, true), nullptr);
}

// A control's TabOrder is its place among the parent's tab stops.
class TOrdered : public TFocusable {
  LC_CLASS(TOrdered, TFocusable)

 public:
  explicit TOrdered(int order) : order_(order) {}
  int TabOrder() const { return order_; }
  void SetTabOrder(int order) { order_ = order; }

 private:
  int order_;
};

}  // namespace

LC_PUBLISH(TOrdered) {
  p.Integer("TabOrder", &TOrdered::TabOrder, &TOrdered::SetTabOrder, -1);
}

namespace {

TEST_F(TabSearch, PublishedTabOrderRanksControlsInTheirPlaces) {
  auto* second = new TOrdered(1);
  auto* first = new TOrdered(0);
  root.AddObject(second);
  TvxVisualObject* plain = Add(&root);
  root.AddObject(first);
  EXPECT_EQ(TabOrderList(root), (std::vector<TvxVisualObject*>{first, plain, second}));
}

}  // namespace
