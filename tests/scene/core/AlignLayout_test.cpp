#include "scene/core/AlignLayout.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/component/ObjectReader.h"
#include "scene/core/Registration.h"
#include "scene/core/VisualClasses.h"

namespace {

// A child that insists on its own height whatever the layout gives it.
class TFixedHeight : public TvxVisualObject {
 public:
  TFixedHeight(TComponent* owner, float height) : TvxVisualObject(owner), fixed_(height) {}
  void Realign() override {
    if (Height() != fixed_) SetHeight(fixed_);
    TvxVisualObject::Realign();
  }

 private:
  float fixed_;
};

void ExpectNear(const TvxRect& actual, const TvxRect& expected) {
  EXPECT_NEAR(actual.Left, expected.Left, 1e-3);
  EXPECT_NEAR(actual.Top, expected.Top, 1e-3);
  EXPECT_NEAR(actual.Right, expected.Right, 1e-3);
  EXPECT_NEAR(actual.Bottom, expected.Bottom, 1e-3);
}

class AlignLayout : public testing::Test {
 protected:
  TvxVisualObject* Parent(float width, float height) {
    auto* parent = new TvxVisualObject(&owner_);
    parent->SetBounds(0, 0, width, height);
    return parent;
  }
  TvxVisualObject* Child(TvxVisualObject* parent, TvxAlign align, TvxRect bounds) {
    auto* child = new TvxVisualObject(&owner_);
    child->SetBounds(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);  // x, y, w, h
    parent->AddObject(child);
    child->SetAlign(align);
    return child;
  }
  static TvxRect Placed(TvxVisualObject* o) { return o->GetParentedRect(); }

  TComponent owner_{nullptr};
};

TEST_F(AlignLayout, TopStacksByCurrentPlaceAndFillsTheWidth) {
  TvxVisualObject* parent = Parent(100, 50);
  parent->BeginUpdate();  // both keep their places until the layout
  TvxVisualObject* first = Child(parent, vaTop, {0, 5, 30, 10});
  TvxVisualObject* second = Child(parent, vaTop, {0, 0, 30, 20});
  parent->EndUpdate();
  EXPECT_EQ(Placed(second), (TvxRect{0, 0, 100, 20}));
  EXPECT_EQ(Placed(first), (TvxRect{0, 20, 100, 30}));
}

TEST_F(AlignLayout, ClientTakesWhatTheEdgesLeaveInsideItsPadding) {
  TvxVisualObject* parent = Parent(100, 50);
  TvxVisualObject* left = Child(parent, vaLeft, {0, 0, 30, 10});
  TvxVisualObject* client = Child(parent, vaClient, {0, 0, 10, 10});
  EXPECT_EQ(Placed(left), (TvxRect{0, 0, 30, 50}));
  EXPECT_EQ(Placed(client), (TvxRect{30, 0, 100, 50}));
  client->Padding()->SetRect({2, 2, 2, 2});
  EXPECT_EQ(Placed(client), (TvxRect{32, 2, 98, 48}));
}

TEST_F(AlignLayout, FarEdgesStackFromOutsideWithLaterChildrenFirstOnTies) {
  TvxVisualObject* parent = Parent(100, 100);
  parent->BeginUpdate();
  TvxVisualObject* a = Child(parent, vaRight, {50, 0, 10, 10});
  TvxVisualObject* b = Child(parent, vaRight, {50, 0, 10, 10});  // same right edge as a
  TvxVisualObject* c = Child(parent, vaBottom, {0, 0, 10, 20});
  parent->EndUpdate();
  // The bottom goes first, then the right edge from the outside in.
  EXPECT_EQ(Placed(c), (TvxRect{0, 80, 100, 100}));
  EXPECT_EQ(Placed(b), (TvxRect{90, 0, 100, 80}));
  EXPECT_EQ(Placed(a), (TvxRect{80, 0, 90, 80}));
}

TEST_F(AlignLayout, MostEdgesComeBeforeOrdinaryOnesWhateverTheChildOrder) {
  TvxVisualObject* parent = Parent(100, 100);
  TvxVisualObject* top = Child(parent, vaTop, {0, 0, 10, 10});
  TvxVisualObject* mostLeft = Child(parent, vaMostLeft, {0, 0, 20, 10});
  EXPECT_EQ(Placed(mostLeft), (TvxRect{0, 0, 20, 100}));
  EXPECT_EQ(Placed(top), (TvxRect{20, 0, 100, 10}));
}

TEST_F(AlignLayout, MarginsShrinkTheAreaButContentsAndFitIgnoreOtherChildren) {
  TvxVisualObject* parent = Parent(100, 60);
  parent->Margins()->SetRect({5, 5, 5, 5});
  TvxVisualObject* top = Child(parent, vaTop, {0, 0, 10, 10});
  TvxVisualObject* contents = Child(parent, vaContents, {0, 0, 10, 10});
  contents->Padding()->SetRect({1, 2, 3, 4});
  TvxVisualObject* fit = Child(parent, vaFit, {0, 0, 20, 10});
  EXPECT_EQ(Placed(top), (TvxRect{5, 5, 95, 15}));
  EXPECT_EQ(Placed(contents), (TvxRect{1, 2, 97, 56}));
  // Area (5,5)-(95,55): the 2:1 child grows to 90 x 45, centred on whole units (2.5 -> 2).
  ExpectNear(Placed(fit), {5, 7, 95, 52});
}

TEST_F(AlignLayout, FitLeftAndRightHugTheirSideAndAChildWithoutExtentStaysFinite) {
  TvxVisualObject* parent = Parent(100, 50);
  TvxVisualObject* left = Child(parent, vaFitLeft, {0, 0, 10, 10});
  TvxVisualObject* right = Child(parent, vaFitRight, {0, 0, 10, 10});
  ExpectNear(Placed(left), {0, 0, 50, 50});
  ExpectNear(Placed(right), {50, 0, 100, 50});
  TvxVisualObject* empty = Child(parent, vaFit, {0, 0, 0, 0});
  const TvxRect r = Placed(empty);
  EXPECT_TRUE(std::isfinite(r.Left) && std::isfinite(r.Right) && std::isfinite(r.Bottom));
}

TEST_F(AlignLayout, CentringTruncatesAndStretchesTheOtherAxis) {
  TvxVisualObject* parent = Parent(101, 61);
  TvxVisualObject* centre = Child(parent, vaCenter, {0, 0, 50, 20});
  TvxVisualObject* vert = Child(parent, vaVertCenter, {0, 0, 50, 20});
  TvxVisualObject* horz = Child(parent, vaHorzCenter, {0, 0, 50, 20});
  EXPECT_EQ(Placed(centre), (TvxRect{25, 20, 75, 40}));
  EXPECT_EQ(Placed(vert), (TvxRect{0, 20, 101, 40}));
  EXPECT_EQ(Placed(horz), (TvxRect{25, 0, 75, 61}));
  // A child larger than the area sticks out on both sides.
  TvxVisualObject* wide = Child(parent, vaCenter, {0, 0, 121, 20});
  EXPECT_EQ(Placed(wide).Left, -10);
}

TEST_F(AlignLayout, HorizontalAndVerticalKeepTheirPlaceOnTheOtherAxis) {
  TvxVisualObject* parent = Parent(100, 50);
  TvxVisualObject* horizontal = Child(parent, vaHorizontal, {7, 9, 10, 10});
  TvxVisualObject* vertical = Child(parent, vaVertical, {7, 9, 10, 10});
  EXPECT_EQ(Placed(horizontal), (TvxRect{0, 9, 100, 19}));
  EXPECT_EQ(Placed(vertical), (TvxRect{7, 0, 17, 50}));
}

TEST_F(AlignLayout, AnchoredChildrenKeepTheirDistanceToTheFarEdges) {
  TvxVisualObject* parent = Parent(100, 50);
  TvxVisualObject* topRight = Child(parent, vaTopRight, {80, 5, 10, 10});
  TvxVisualObject* bottomLeft = Child(parent, vaBottomLeft, {5, 30, 10, 10});
  TvxVisualObject* bottomRight = Child(parent, vaBottomRight, {80, 30, 10, 10});
  parent->SetWidth(110);
  parent->SetHeight(70);
  EXPECT_EQ(Placed(topRight), (TvxRect{90, 5, 100, 15}));
  EXPECT_EQ(Placed(bottomLeft), (TvxRect{5, 50, 15, 60}));
  EXPECT_EQ(Placed(bottomRight), (TvxRect{90, 50, 100, 60}));
}

TEST_F(AlignLayout, AnAnchoredChildAddedAfterAResizeDoesNotJump) {
  TvxVisualObject* parent = Parent(100, 50);
  parent->SetWidth(300);  // resized while nothing was aligned
  TvxVisualObject* topRight = Child(parent, vaTopRight, {280, 5, 10, 10});
  EXPECT_EQ(Placed(topRight).Left, 280);
}

TEST_F(AlignLayout, ScaledChildrenFollowTheParentsProportions) {
  TvxVisualObject* parent = Parent(100, 50);
  TvxVisualObject* scaled = Child(parent, vaScale, {10, 10, 20, 10});
  parent->SetBounds(0, 0, 200, 25);
  EXPECT_EQ(Placed(scaled), (TvxRect{20, 5, 60, 10}));
}

TEST_F(AlignLayout, AChildKeepingItsOwnSizeGivesBackTheRest) {
  TvxVisualObject* parent = Parent(100, 100);
  auto* fixed = new TFixedHeight(&owner_, 10);
  fixed->SetBounds(0, 0, 10, 30);
  parent->AddObject(fixed);
  fixed->SetAlign(vaTop);
  // The fixed child ends 10 high; the next one starts right below it.
  TvxVisualObject* below = Child(parent, vaTop, {0, 50, 10, 10});
  EXPECT_EQ(Placed(fixed), (TvxRect{0, 0, 100, 10}));
  EXPECT_EQ(Placed(below), (TvxRect{0, 10, 100, 20}));
}

TEST_F(AlignLayout, RefusesDegenerateSizesAndWaitsForTheEndOfAnUpdate) {
  TvxVisualObject* narrow = Parent(1.5f, 50);
  TvxVisualObject* stuck = Child(narrow, vaClient, {3, 3, 10, 10});
  EXPECT_EQ(Placed(stuck), (TvxRect{3, 3, 13, 13}));

  TvxVisualObject* parent = Parent(100, 50);
  parent->BeginUpdate();
  TvxVisualObject* client = Child(parent, vaClient, {3, 3, 10, 10});
  EXPECT_EQ(Placed(client), (TvxRect{3, 3, 13, 13}));
  parent->EndUpdate();
  EXPECT_EQ(Placed(client), (TvxRect{0, 0, 100, 50}));
}

TEST_F(AlignLayout, HiddenChildrenTakeNoRoom) {
  TvxVisualObject* parent = Parent(100, 50);
  TvxVisualObject* hidden = Child(parent, vaLeft, {0, 0, 30, 10});
  TvxVisualObject* client = Child(parent, vaClient, {0, 0, 10, 10});
  hidden->SetVisible(false);
  EXPECT_EQ(Placed(client).Left, 0);
  hidden->SetVisible(true);
  EXPECT_EQ(Placed(client).Left, 30);
}

TEST_F(AlignLayout, ReorderingAndRemovingChildrenLaysOutAgain) {
  TvxVisualObject* parent = Parent(100, 50);
  TvxVisualObject* a = Child(parent, vaLeft, {0, 0, 30, 10});
  TvxVisualObject* b = Child(parent, vaClient, {0, 0, 10, 10});
  parent->RemoveObject(a);
  EXPECT_EQ(Placed(b), (TvxRect{0, 0, 100, 50}));
  delete a;
}

TEST_F(AlignLayout, FormDataIsLaidOutOnceLoaded) {
  TFormObject form;
  form.className = "TvxVisualObject";
  form.props = {{"Width", TFormValue::Float(100)},
                {"Height", TFormValue::Float(50)},
                {"Margins.Rect", TFormValue::String("(1,1,1,1)")}};
  TFormObject top;
  top.className = "TvxVisualObject";
  top.props = {{"Align", TFormValue::Ident("vaTop")}, {"Height", TFormValue::Float(20)}};
  TFormObject client;
  client.className = "TvxVisualObject";
  client.props = {{"Align", TFormValue::Ident("vaClient")},
                  {"Padding.Rect", TFormValue::String("(2,2,2,2)")}};
  form.children = {top, client};
  std::vector<const TClassInfo*> classes;
  RegisterVisualClasses(classes);
  RegisterObjects(classes);

  TvxVisualObject root(nullptr);
  TObjectReader reader;
  reader.ReadInto(root, form);
  ASSERT_TRUE(reader.Errors().empty()) << reader.Errors().front();
  ASSERT_EQ(root.ChildrenCount(), 2);
  EXPECT_EQ(Placed(static_cast<TvxVisualObject*>(root.Children(0))), (TvxRect{1, 1, 99, 21}));
  EXPECT_EQ(Placed(static_cast<TvxVisualObject*>(root.Children(1))), (TvxRect{3, 23, 97, 47}));
}

}  // namespace
