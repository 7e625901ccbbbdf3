#include "scene/controls/Popup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsTesting_support.h"
#include "scene/controls/PopupForm.h"
#include "scene/core/Bounds.h"
#include "scene/core/Position.h"
#include "scene/host/Scene.h"

namespace {

// A drop-down look that fades in over 0.1 s on opening and out on closing.
const char* const kFadeStyle = R"(object TvxBackground
  object TvxLayout
    ResourceName = 'fadestyle'
    HitTest = False
    object TvxFloatAnimation
      Duration = 0.1
      Trigger = 'IsOpen=true'
      StopValue = 1.0
      PropertyName = 'Parent.Opacity'
    end
    object TvxFloatAnimation
      Duration = 0.1
      Inverse = True
      Trigger = 'IsOpen=false'
      StopValue = 1.0
      PropertyName = 'Parent.Opacity'
    end
  end
end
)";

// A dialog at (100, 50) whose scene holds a 80 x 22 target at (20, 30) and 60 x 40 popups.
class PopupTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    root_ = NewDialog(dialog_, {100, 50, 400, 300});
    target_ = new TvxVisualObject(dialog_);
    target_->SetParent(root_);
    target_->SetBounds(20, 30, 80, 22);
    target_->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, float, float) {
      log_.push_back("target pressed");
    };
    dialog_->Show();
    popup_ = NewPopup("popup");
  }

  void TearDown() override {
    DeleteDialog(dialog_);
    ControlsTest::TearDown();
  }

  TvxPopup* NewPopup(const std::string& name, TvxObject* parent = nullptr) {
    auto* popup = new TvxPopup(dialog_);
    popup->SetParent(parent ? parent : root_);
    popup->SetBounds(0, 0, 60, 40);
    popup->SetPlacementTarget(target_);
    popup->OnClosePopup = [this, name](TObject*) { log_.push_back(name + " closed"); };
    return popup;
  }

  static THeadlessWindow& WindowOf(TvxPopup* popup) {
    return static_cast<THeadlessWindow&>(popup->PopupForm()->Window());
  }
  static TBoundsI Placed(TvxPopup* popup) { return WindowOf(popup).Bounds(); }
  THeadlessWindow& Dialog() { return static_cast<THeadlessWindow&>(dialog_->Window()); }

  TForm* dialog_ = nullptr;
  TvxVisualObject* root_ = nullptr;
  TvxVisualObject* target_ = nullptr;
  TvxPopup* popup_ = nullptr;
  std::vector<std::string> log_;
};

struct PlacementCase {
  TvxPlacement placement;
  TPointI expected;
};

// Offsets (3, 5) and the target's absolute origin at (120, 80) on the screen.
class PopupPlacement : public PopupTest, public testing::WithParamInterface<PlacementCase> {};

TEST_P(PopupPlacement, PlacesTheWindowOnTheTargetsEdges) {
  popup_->SetPlacement(GetParam().placement);
  popup_->SetHorizontalOffset(3);
  popup_->SetVerticalOffset(5);
  popup_->SetIsOpen(true);
  const TBoundsI placed = Placed(popup_);
  EXPECT_EQ((TPointI{placed.left, placed.top}), GetParam().expected);
  EXPECT_EQ(placed.width, 60);
  EXPECT_EQ(placed.height, 40);
}

INSTANTIATE_TEST_SUITE_P(WithoutRectangle, PopupPlacement,
                         testing::Values(PlacementCase{vxPlacementBottom, {123, 107}},
                                         PlacementCase{vxPlacementTop, {123, 35}},
                                         PlacementCase{vxPlacementLeft, {57, 85}},
                                         PlacementCase{vxPlacementRight, {203, 85}},
                                         PlacementCase{vxPlacementCenter, {133, 76}},
                                         PlacementCase{vxPlacementBottomCenter, {133, 107}},
                                         PlacementCase{vxPlacementTopCenter, {133, 35}},
                                         PlacementCase{vxPlacementLeftCenter, {57, 76}},
                                         PlacementCase{vxPlacementRightCenter, {203, 76}}));

// The rectangle (10, 2, 50, 12) in the target's coordinates replaces its edges.
class PopupPlacementInRectangle : public PopupPlacement {};

TEST_P(PopupPlacementInRectangle, PlacesTheWindowOnTheRectanglesEdges) {
  popup_->PlacementRectangle()->SetRect({10, 2, 50, 12});
  popup_->SetPlacement(GetParam().placement);
  popup_->SetHorizontalOffset(3);
  popup_->SetVerticalOffset(5);
  popup_->SetIsOpen(true);
  const TBoundsI placed = Placed(popup_);
  EXPECT_EQ((TPointI{placed.left, placed.top}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(WithRectangle, PopupPlacementInRectangle,
                         testing::Values(PlacementCase{vxPlacementBottom, {133, 97}},
                                         PlacementCase{vxPlacementTop, {133, 37}},
                                         PlacementCase{vxPlacementLeft, {67, 87}},
                                         PlacementCase{vxPlacementRight, {173, 87}},
                                         PlacementCase{vxPlacementCenter, {123, 72}},
                                         PlacementCase{vxPlacementBottomCenter, {123, 97}},
                                         PlacementCase{vxPlacementTopCenter, {123, 37}},
                                         // Centred on the rectangle, as on a target.
                                         PlacementCase{vxPlacementLeftCenter, {67, 72}},
                                         PlacementCase{vxPlacementRightCenter, {173, 72}}));

// No target and no parent: the rectangle (200, 100, 300, 150) is in screen coordinates and
// the centred rows fall back to the plain ones.
class PopupPlacementOnScreen : public PopupPlacement {};

TEST_P(PopupPlacementOnScreen, PlacesTheWindowOnTheScreenRectangle) {
  auto* loose = new TvxPopup(dialog_);
  loose->SetBounds(0, 0, 60, 40);
  loose->PlacementRectangle()->SetRect({200, 100, 300, 150});
  loose->SetPlacement(GetParam().placement);
  loose->SetHorizontalOffset(3);
  loose->SetVerticalOffset(5);
  platform_.Windows().SetCursorPos({400, 300});
  loose->SetIsOpen(true);
  const TBoundsI placed = Placed(loose);
  EXPECT_EQ((TPointI{placed.left, placed.top}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(WithoutTarget, PopupPlacementOnScreen,
                         testing::Values(PlacementCase{vxPlacementBottom, {203, 155}},
                                         PlacementCase{vxPlacementBottomCenter, {203, 155}},
                                         PlacementCase{vxPlacementTop, {203, 55}},
                                         PlacementCase{vxPlacementTopCenter, {203, 55}},
                                         PlacementCase{vxPlacementLeft, {137, 105}},
                                         PlacementCase{vxPlacementLeftCenter, {137, 105}},
                                         PlacementCase{vxPlacementRight, {303, 105}},
                                         PlacementCase{vxPlacementRightCenter, {303, 105}},
                                         PlacementCase{vxPlacementCenter, {223, 110}},
                                         PlacementCase{vxPlacementAbsolute, {200, 100}},
                                         PlacementCase{vxPlacementMouse, {400, 300}},
                                         PlacementCase{vxPlacementMouseCenter, {370, 300}}));

TEST_F(PopupTest, WithoutATargetThePopupsParentIsTheTarget) {
  popup_->SetPlacementTarget(nullptr);
  popup_->SetParent(target_);
  popup_->SetIsOpen(true);
  EXPECT_EQ(Placed(popup_), (TBoundsI{120, 102, 60, 40}));
}

TEST_F(PopupTest, APointerPlacementStaysWhereThePopupOpened) {
  popup_->SetPlacement(vxPlacementMouse);
  platform_.Windows().SetCursorPos({400, 300});
  popup_->SetIsOpen(true);
  platform_.Windows().SetCursorPos({10, 10});
  popup_->ApplyPlacement();
  EXPECT_EQ(Placed(popup_), (TBoundsI{400, 300, 60, 40}));
}

TEST_F(PopupTest, OpensInATopmostTransparentPopupWindowAtTheScaleItHadAndComesBack) {
  root_->Scale()->SetPoint({2, 2});
  popup_->SetIsOpen(true);
  THeadlessWindow& window = WindowOf(popup_);
  EXPECT_TRUE(window.Visible());
  EXPECT_TRUE(window.Popup());
  EXPECT_TRUE(window.WatchesOutside());
  EXPECT_TRUE(window.Frameless());
  EXPECT_TRUE(window.Transparent());
  EXPECT_EQ(window.Activations(), 0);
  EXPECT_EQ(popup_->PopupForm()->Tag(), TvxPopupForm::kPopupTag);
  EXPECT_EQ(popup_->PopupForm()->ParentForm(), dialog_);
  // Twice the size on the screen, placed below the target's doubled place.
  EXPECT_EQ(window.Bounds(), (TBoundsI{140, 154, 120, 80}));
  EXPECT_EQ(popup_->Scale()->Point(), (TvxPoint{2, 2}));
  EXPECT_EQ(popup_->Parent(), nullptr);
  EXPECT_TRUE(popup_->Visible());
  EXPECT_TRUE(popup_->IsFocused());

  popup_->SetIsOpen(false);
  EXPECT_EQ(popup_->PopupForm(), nullptr);
  EXPECT_EQ(popup_->Parent(), root_);
  EXPECT_EQ(popup_->Index(), 1);
  EXPECT_EQ(popup_->Scale()->Point(), (TvxPoint{1, 1}));
  EXPECT_FALSE(popup_->Visible());
  platform_.Advance(1);
  EXPECT_EQ(platform_.Windows().Windows().size(), 1u);  // the dialog's alone
}

TEST_F(PopupTest, APopupWhoseFormerParentWasFreedWhileOpenClosesWithoutOne) {
  popup_->SetParent(target_);
  popup_->SetPlacementTarget(nullptr);
  popup_->SetIsOpen(true);
  delete target_;
  popup_->SetIsOpen(false);
  EXPECT_EQ(popup_->Parent(), nullptr);
  EXPECT_EQ(popup_->Scene(), nullptr);
  EXPECT_EQ(log_, (std::vector<std::string>{"popup closed"}));
}

TEST_F(PopupTest, AStayingPopupWatchesNoPressesAndStaysOffTheClosingList) {
  popup_->SetStaysOpen(true);
  popup_->SetIsOpen(true);
  EXPECT_FALSE(WindowOf(popup_).WatchesOutside());
  EXPECT_TRUE(TvxPopup::OpenPopups().empty());
  Dialog().MouseDown(30, 40);
  WindowOf(popup_).KeyDown(vkEscape);
  EXPECT_TRUE(popup_->IsOpen());
  EXPECT_EQ(log_, (std::vector<std::string>{"target pressed"}));
}

class PopupClosing : public PopupTest {
 protected:
  void SetUp() override {
    PopupTest::SetUp();
    child_ = NewPopup("child");
    popup_->SetIsOpen(true);
    child_->SetPlacementTarget(popup_);
    child_->SetIsOpen(true);
  }
  TvxPopup* child_ = nullptr;
};

TEST_F(PopupClosing, APressInTheDialogClosesNewestFirstAndIsTaken) {
  EXPECT_EQ(TvxPopup::OpenPopups(), (std::vector<TvxPopup*>{popup_, child_}));
  Dialog().MouseDown(30, 40);  // on the target
  Dialog().MouseUp(30, 40);
  EXPECT_EQ(log_, (std::vector<std::string>{"child closed", "popup closed"}));
  EXPECT_TRUE(TvxPopup::OpenPopups().empty());
  Dialog().MouseDown(30, 40);
  EXPECT_EQ(log_.back(), "target pressed");
}

TEST_F(PopupClosing, APressInTheParentPopupClosesOnlyItsChild) {
  WindowOf(popup_).MouseDown(10, 10);
  EXPECT_EQ(log_, (std::vector<std::string>{"child closed"}));
  EXPECT_TRUE(popup_->IsOpen());
}

TEST_F(PopupClosing, APressOnTheParentThatTheChildsGrabBroughtClosesOnlyTheChild) {
  // The child at (120, 142) holds the grab; (130, 112) on the screen lies in the parent.
  popup_->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, float x, float y) {
    log_.push_back("parent pressed at " + std::to_string(int(x)) + "," + std::to_string(int(y)));
  };
  WindowOf(child_).MouseDown(10, -30);
  EXPECT_EQ(log_, (std::vector<std::string>{"child closed", "parent pressed at 10,10"}));
  EXPECT_TRUE(popup_->IsOpen());
}

TEST_F(PopupClosing, APressInTheChildPopupKeepsItsParent) {
  WindowOf(child_).MouseDown(10, 10);
  EXPECT_TRUE(log_.empty());
  EXPECT_TRUE(popup_->IsOpen());
  EXPECT_TRUE(child_->IsOpen());
}

TEST_F(PopupClosing, APressOutsideTheProgramClosesAll) {
  // The window's grab reports presses elsewhere on the screen outside its client area;
  // the last pixel row and column are still inside.
  WindowOf(child_).MouseDown(59, 39);
  EXPECT_TRUE(child_->IsOpen());
  WindowOf(child_).MouseDown(60, 10);
  EXPECT_EQ(log_, (std::vector<std::string>{"child closed", "popup closed"}));
}

TEST_F(PopupClosing, EscapeClosesTheNewestPopupOnly) {
  WindowOf(child_).KeyDown(vkEscape);
  EXPECT_EQ(log_, (std::vector<std::string>{"child closed"}));
  // Typed into the dialog, which stays active, the key goes to the newest popup.
  Dialog().KeyDown(vkEscape);
  EXPECT_EQ(log_, (std::vector<std::string>{"child closed", "popup closed"}));
}

TEST_F(PopupClosing, ClosingTheWindowClosesItsPopup) {
  WindowOf(child_).Send({.kind = TWindowMessage::Kind::Close});
  EXPECT_EQ(log_, (std::vector<std::string>{"child closed"}));
  EXPECT_TRUE(popup_->IsOpen());
}

TEST_F(PopupClosing, FreeingAnOpenPopupTakesItsWindowAlong) {
  delete child_;
  platform_.Advance(1);
  EXPECT_EQ(TvxPopup::OpenPopups(), (std::vector<TvxPopup*>{popup_}));
  EXPECT_EQ(platform_.Windows().Windows().size(), 2u);
  EXPECT_TRUE(log_.empty());
}

TEST_F(PopupClosing, AFreedTargetIsForgotten) {
  delete target_;
  EXPECT_EQ(popup_->PlacementTarget(), nullptr);
  EXPECT_EQ(child_->PlacementTarget(), popup_);
}

TEST_F(PopupTest, TheFollowTimerKeepsAStayingPopupNextToItsTarget) {
  popup_->SetStaysOpen(true);
  popup_->SetDragWithParent(true);
  popup_->SetIsOpen(true);
  target_->Position()->SetPoint({50, 30});
  platform_.Advance(9);
  EXPECT_EQ(Placed(popup_).left, 120);
  platform_.Advance(1);
  EXPECT_EQ(Placed(popup_).left, 150);
}

TEST_F(PopupTest, OnlyAStayingPopupFollows) {
  popup_->SetDragWithParent(true);
  popup_->SetIsOpen(true);
  target_->Position()->SetPoint({50, 30});
  platform_.Advance(100);
  EXPECT_EQ(Placed(popup_).left, 120);
}

TEST_F(PopupTest, TheClosingFadePlaysOutBeforeTheWindowGoes) {
  root_->Scene()->SetStyle(Container(kFadeStyle));
  popup_->SetResource("fadestyle");
  popup_->SetIsOpen(true);
  TvxVisualObject* look = popup_->StyleObject();
  ASSERT_NE(look, nullptr);
  EXPECT_FLOAT_EQ(look->Opacity(), 0);
  platform_.Advance(200);
  EXPECT_FLOAT_EQ(look->Opacity(), 1);
  float opacityAtHide = -1;
  const uint32_t start = platform_.Clock().TickCount();
  popup_->PopupForm()->OnHide = [&](TObject*) { opacityAtHide = look->Opacity(); };
  popup_->SetIsOpen(false);
  EXPECT_FLOAT_EQ(opacityAtHide, 0);
  EXPECT_GE(platform_.Clock().TickCount() - start, 100u);
  EXPECT_EQ(log_, (std::vector<std::string>{"popup closed"}));
}

TEST_F(PopupTest, PopupModalReturnsTheResultSetWhileOpen) {
  const std::unique_ptr<ITimer> answer = Platform().loop->CreateTimer();
  answer->SetOnTimer([this] { popup_->SetModalResult(mrOk); });
  answer->SetInterval(50);
  answer->SetEnabled(true);
  EXPECT_EQ(popup_->PopupModal(), mrOk);
  EXPECT_FALSE(popup_->IsOpen());
  EXPECT_EQ(log_, (std::vector<std::string>{"popup closed"}));
}

TEST_F(PopupTest, PopupModalEndsCancelledByAPressOutside) {
  const std::unique_ptr<ITimer> press = Platform().loop->CreateTimer();
  press->SetOnTimer([this] { Dialog().MouseDown(5, 5); });
  press->SetInterval(50);
  press->SetEnabled(true);
  EXPECT_EQ(popup_->PopupModal(), mrCancel);
  EXPECT_FALSE(popup_->IsOpen());
}

TEST_F(PopupTest, OpeningAgainWhileOpenChangesNothing) {
  popup_->SetIsOpen(true);
  TvxPopupForm* form = popup_->PopupForm();
  popup_->SetIsOpen(true);
  EXPECT_EQ(popup_->PopupForm(), form);
  EXPECT_EQ(TvxPopup::OpenPopups().size(), 1u);
}

}  // namespace
