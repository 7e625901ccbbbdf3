#include "scene/controls/Button.h"

#include <gtest/gtest.h>

#include <vector>

#include "ControlsTesting_support.h"
#include "platform/Form.h"
#include "scene/controls/Background.h"
#include "scene/core/Variant.h"

namespace {

constexpr TShiftState kLeftDown = ssLeft;

// A scene under a form, so that buttons can reach it through the owner chain.
class TFormScene : public TStyleScene {
 public:
  TComponent* GetComponent() override { return component; }
  TComponent* component = nullptr;
};

class ButtonInput : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    root_ = new TvxBackground(&owner_);
    root_->SetBounds(0, 0, 300, 200);
    scene_.SetRoot(root_);
  }
  template <class B>
  B* Add() {
    auto* button = new B(&owner_);
    button->SetBounds(10, 10, 80, 22);
    root_->AddObject(button);
    button->OnClick = [this](TObject*) { ++clicks_; };
    return button;
  }

  TFormScene scene_;
  TvxBackground* root_ = nullptr;
  int clicks_ = 0;
};

TEST_F(ButtonInput, PressDragOutAndReleaseOutsideGivesNoClick) {
  auto* button = Add<TvxButton>();
  std::vector<bool> seen;
  button->MouseDown(TMouseButton::mbLeft, kLeftDown, 5, 5);
  EXPECT_EQ(scene_.captured, button);
  seen.push_back(button->IsPressed());
  button->MouseMove(kLeftDown, 120, 5);
  seen.push_back(button->IsPressed());
  button->MouseUp(TMouseButton::mbLeft, 0, 120, 5);
  seen.push_back(button->IsPressed());
  EXPECT_EQ(seen, (std::vector<bool>{true, false, false}));
  EXPECT_EQ(clicks_, 0);
  EXPECT_EQ(scene_.captured, nullptr);
}

TEST_F(ButtonInput, DraggingBackInsideShowsPressedAgainAndClicks) {
  auto* button = Add<TvxButton>();
  button->MouseDown(TMouseButton::mbLeft, kLeftDown, 5, 5);
  button->MouseMove(0, 200, 5);  // without the left button down: no change
  EXPECT_TRUE(button->IsPressed());
  button->MouseMove(kLeftDown, -3, 5);
  EXPECT_FALSE(button->IsPressed());
  button->MouseMove(kLeftDown, 40, 11);
  EXPECT_TRUE(button->IsPressed());
  button->MouseUp(TMouseButton::mbLeft, 0, 40, 11);
  EXPECT_FALSE(button->IsPressed());
  EXPECT_EQ(clicks_, 1);
}

TEST_F(ButtonInput, StaysPressedTogglesOnEachPressAndKeepsItOnRelease) {
  auto* button = Add<TvxButton>();
  button->SetIsPressed(true);  // ignored unless the button stays pressed
  EXPECT_FALSE(button->IsPressed());
  button->SetStaysPressed(true);
  button->MouseDown(TMouseButton::mbLeft, kLeftDown, 5, 5);
  button->MouseMove(kLeftDown, 200, 5);  // dragging out does not undo the toggle
  button->MouseUp(TMouseButton::mbLeft, 0, 5, 5);
  EXPECT_TRUE(button->IsPressed());
  button->MouseDown(TMouseButton::mbLeft, kLeftDown, 5, 5);
  button->MouseUp(TMouseButton::mbLeft, 0, 5, 5);
  EXPECT_FALSE(button->IsPressed());
  EXPECT_EQ(clicks_, 2);
}

TEST_F(ButtonInput, RightPressNeitherPressesNorClicks) {
  auto* button = Add<TvxButton>();
  button->MouseDown(TMouseButton::mbRight, 0, 5, 5);
  EXPECT_FALSE(button->IsPressed());
  button->MouseUp(TMouseButton::mbRight, 0, 5, 5);
  EXPECT_EQ(clicks_, 0);
}

TEST_F(ButtonInput, EnterAndSpaceClickOtherKeysDoNot) {
  auto* button = Add<TvxButton>();
  char16_t ch = 0;
  for (uint16_t key : {uint16_t(vkReturn), uint16_t(vkSpace), uint16_t('A')}) {
    uint16_t k = key;
    button->KeyDown(k, ch, 0);
  }
  EXPECT_EQ(clicks_, 2);
  // A key handler that consumes the key prevents the click.
  button->OnKeyDown = [](TObject*, uint16_t& key, char16_t&, TShiftState) { key = 0; };
  uint16_t key = vkReturn;
  button->KeyDown(key, ch, 0);
  EXPECT_EQ(clicks_, 2);
}

TEST_F(ButtonInput, DefaultTakesEnterAndCancelTakesEscape) {
  auto* ok = Add<TvxButton>();
  ok->SetDefault(true);
  auto* cancel = Add<TvxButton>();
  cancel->SetCancel(true);
  int cancelled = 0;
  cancel->OnClick = [&](TObject*) { ++cancelled; };
  uint16_t key = vkReturn;
  root_->DialogKey(key, 0);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(clicks_, 1);
  EXPECT_EQ(cancelled, 0);
  key = vkEscape;
  root_->DialogKey(key, 0);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(cancelled, 1);
  key = vkSpace;
  root_->DialogKey(key, 0);
  EXPECT_EQ(key, vkSpace);
  EXPECT_EQ(clicks_ + cancelled, 2);
}

TEST_F(ButtonInput, ADisabledDefaultButtonIsNotOfferedTheKey) {
  auto* ok = Add<TvxButton>();
  ok->SetDefault(true);
  ok->SetEnabled(false);
  uint16_t key = vkReturn;
  root_->DialogKey(key, 0);
  EXPECT_EQ(key, vkReturn);
  EXPECT_EQ(clicks_, 0);
}

TEST_F(ButtonInput, ModalResultReachesTheFirstFormOnTheOwnerChain) {
  auto* outside = Add<TvxButton>();
  outside->SetModalResult(mrCancel);
  outside->Click();  // no form: only the click
  EXPECT_EQ(clicks_, 1);
  clicks_ = 0;
  TForm form(nullptr);
  scene_.component = new TComponent(&form);
  auto* button = Add<TvxButton>();
  button->SetModalResult(mrOk);
  button->Click();
  EXPECT_EQ(form.ModalResult(), mrOk);
  EXPECT_EQ(clicks_, 1);
}

TEST_F(ButtonInput, AMethodReferenceBecomesOnClickAndOtherDataIsIgnored) {
  auto* button = Add<TvxButton>();
  button->SetText(u"keep");
  button->SetData(TVariant(std::string("vxmet00000000deadbeef")));  // names no live method
  button->SetData(TVariant(true));
  EXPECT_EQ(button->Text(), u"keep");
  button->Click();
  EXPECT_EQ(clicks_, 1);
}

// Repeat clicks come from the platform timer, driven here by the virtual clock.
class RepeatClick : public ButtonInput {
 protected:
  TvxSpeedButton* Held() {
    auto* button = Add<TvxSpeedButton>();
    button->MouseDown(TMouseButton::mbLeft, kLeftDown, 5, 5);
    return button;
  }
};

TEST_F(RepeatClick, FirstAt600MillisecondsThenEvery100) {
  Held();
  platform_.Advance(599);
  EXPECT_EQ(clicks_, 0);
  platform_.Advance(1);
  EXPECT_EQ(clicks_, 1);
  platform_.Advance(99);
  EXPECT_EQ(clicks_, 1);
  platform_.Advance(1);
  EXPECT_EQ(clicks_, 2);
  platform_.Advance(300);
  EXPECT_EQ(clicks_, 5);
}

TEST_F(RepeatClick, GoesOnWhileThePointerIsOutside) {
  auto* button = Held();
  button->MouseMove(kLeftDown, 200, 5);
  platform_.Advance(800);
  EXPECT_EQ(clicks_, 3);
}

TEST_F(RepeatClick, ReleaseInsideStopsAndClicksOnce) {
  auto* button = Held();
  platform_.Advance(700);
  EXPECT_EQ(clicks_, 2);
  button->MouseUp(TMouseButton::mbLeft, 0, 5, 5);
  EXPECT_EQ(clicks_, 3);
  platform_.Advance(1000);
  EXPECT_EQ(clicks_, 3);
}

TEST_F(RepeatClick, ReleaseOutsideStopsWithoutAClickAndANewPressWaitsAgain) {
  auto* button = Held();
  platform_.Advance(700);
  button->MouseUp(TMouseButton::mbLeft, 0, 200, 5);
  platform_.Advance(1000);
  EXPECT_EQ(clicks_, 2);
  clicks_ = 0;
  button->MouseDown(TMouseButton::mbLeft, kLeftDown, 5, 5);
  platform_.Advance(599);
  EXPECT_EQ(clicks_, 0);
  platform_.Advance(1);
  EXPECT_EQ(clicks_, 1);
}

TEST_F(RepeatClick, AButtonFreedWhileHeldStopsItsTimer) {
  auto* button = Held();
  delete button;
  platform_.Advance(2000);
  EXPECT_EQ(clicks_, 0);
}

}  // namespace
