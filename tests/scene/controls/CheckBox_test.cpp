#include "scene/controls/CheckBox.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "ControlsTesting_support.h"
#include "scene/controls/Background.h"
#include "scene/core/Animation.h"
#include "scene/core/Variant.h"
#include "scene/graphics/Layouts.h"

namespace {

class Checkables : public SceneControlsTest<> {
 protected:
  TvxRadioButton* Radio(const std::string& group, TvxObject* parent = nullptr) {
    auto* radio = Add<TvxRadioButton>(parent);
    radio->SetGroupName(group);
    return radio;
  }
  // A full left click at a local point.
  static void ClickAt(TvxVisualObject& control, float x, float y) {
    control.MouseDown(TMouseButton::mbLeft, ssLeft, x, y);
    control.MouseUp(TMouseButton::mbLeft, 0, x, y);
  }
};

TEST_F(Checkables, ClickSeesTheOldStateAndChangeTheNew) {
  const std::vector<TvxCheckControl*> controls = {Add<TvxCheckBox>(), Radio("g")};
  for (TvxCheckControl* control : controls) {
    std::vector<std::string> events;
    control->OnClick = [&](TObject*) {
      events.push_back(control->IsChecked() ? "click:1" : "click:0");
    };
    control->OnChange = [&](TObject*) {
      events.push_back(control->IsChecked() ? "change:1" : "change:0");
    };
    ClickAt(*control, 10, 10);
    EXPECT_EQ(events, (std::vector<std::string>{"click:0", "change:1"})) << control->ClassName();
  }
}

TEST_F(Checkables, ChangeFiresOnlyOnARealChange) {
  auto* box = Add<TvxCheckBox>();
  int changes = 0;
  box->OnChange = [&](TObject*) { ++changes; };
  box->SetIsChecked(false);
  EXPECT_EQ(changes, 0);
  box->SetIsChecked(true);
  box->SetIsChecked(true);
  EXPECT_EQ(changes, 1);
}

TEST_F(Checkables, PressFollowsThePointerAndAReleaseOutsideKeepsTheState) {
  auto* box = Add<TvxCheckBox>();
  box->MouseDown(TMouseButton::mbLeft, ssLeft, 10, 10);
  EXPECT_TRUE(box->IsPressed());
  box->MouseMove(ssLeft, 200, 10);
  EXPECT_FALSE(box->IsPressed());
  box->MouseMove(ssLeft, 10, 10);
  EXPECT_TRUE(box->IsPressed());
  box->MouseUp(TMouseButton::mbLeft, 0, 200, 10);
  EXPECT_FALSE(box->IsPressed());
  EXPECT_FALSE(box->IsChecked());
}

TEST_F(Checkables, EnterAndSpaceToggleWithoutAClick) {
  auto* box = Add<TvxCheckBox>();
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  char16_t ch = 0;
  uint16_t key = vkSpace;
  box->KeyDown(key, ch, 0);
  EXPECT_TRUE(box->IsChecked());
  key = vkReturn;
  box->KeyDown(key, ch, 0);
  EXPECT_FALSE(box->IsChecked());
  key = 'X';
  box->KeyDown(key, ch, 0);
  EXPECT_FALSE(box->IsChecked());
  EXPECT_EQ(clicks, 0);
}

TEST_F(Checkables, BoundDataSetsTheStateOrTheChangeHandler) {
  auto* box = Add<TvxCheckBox>();
  box->SetData(TVariant(true));
  EXPECT_TRUE(box->IsChecked());
  EXPECT_EQ(box->GetData(), TVariant(true));
  box->SetData(TVariant(std::string("True")));  // not a boolean: unchecks
  EXPECT_FALSE(box->IsChecked());
  box->SetData(TVariant(true));
  box->SetData(TVariant(int64_t(1)));
  EXPECT_FALSE(box->IsChecked());
  box->SetData(TVariant(true));
  box->SetData(TVariant(std::string("vxmet0000000000000000")));  // a method that is not there
  EXPECT_TRUE(box->IsChecked());
}

// Radio groups.

TEST_F(Checkables, CheckingUnchecksTheGroupAcrossParentsAndLeavesOtherGroups) {
  auto* layout = Add<TvxLayout>();
  auto* type1 = Radio("type");
  auto* type2 = Radio("type", layout);
  auto* run1 = Radio("run", layout);
  auto* run2 = Radio("run");
  type1->SetIsChecked(true);
  run1->SetIsChecked(true);
  ClickAt(*type2, 10, 10);
  EXPECT_TRUE(type2->IsChecked());
  EXPECT_FALSE(type1->IsChecked());
  EXPECT_TRUE(run1->IsChecked());
  EXPECT_FALSE(run2->IsChecked());
}

TEST_F(Checkables, ClickingTheCheckedButtonClicksAndChangesNothing) {
  auto* first = Radio("type");
  auto* second = Radio("type");
  first->SetIsChecked(true);
  int clicks = 0;
  int changes = 0;
  first->OnClick = [&](TObject*) { ++clicks; };
  first->OnChange = [&](TObject*) { ++changes; };
  second->OnChange = [&](TObject*) { ++changes; };
  ClickAt(*first, 10, 10);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(first->IsChecked());
  EXPECT_FALSE(second->IsChecked());
}

TEST_F(Checkables, TheLastCheckedButtonOfAGroupCannotBeUnchecked) {
  auto* first = Radio("type");
  auto* second = Radio("type");
  first->SetIsChecked(true);
  first->SetIsChecked(false);
  EXPECT_TRUE(first->IsChecked());
  EXPECT_FALSE(second->IsChecked());
  auto* alone = Radio("alone");
  alone->SetIsChecked(true);
  alone->SetIsChecked(false);
  EXPECT_TRUE(alone->IsChecked());
}

TEST_F(Checkables, UncheckingIsAllowedWhileAnotherMemberIsChecked) {
  // Only possible when two were checked without the group rule, as before a scene existed.
  auto* first = new TvxRadioButton(&owner_);
  auto* second = new TvxRadioButton(&owner_);
  first->SetIsChecked(true);
  second->SetIsChecked(true);
  root_->AddObject(first);
  root_->AddObject(second);
  int changes = 0;
  first->OnChange = [&](TObject*) { ++changes; };
  first->SetIsChecked(false);
  EXPECT_FALSE(first->IsChecked());
  EXPECT_TRUE(second->IsChecked());
  EXPECT_EQ(changes, 1);
}

TEST_F(Checkables, GroupNamesDifferingInCaseAreDifferentGroupsAndEmptyNamesOne) {
  auto* lower = Radio("type");
  auto* upper = Radio("Type");
  lower->SetIsChecked(true);
  upper->SetIsChecked(true);
  EXPECT_TRUE(lower->IsChecked());
  EXPECT_TRUE(upper->IsChecked());
  auto* first = Radio("");
  auto* second = Radio("");
  first->SetIsChecked(true);
  second->SetIsChecked(true);
  EXPECT_FALSE(first->IsChecked());
  EXPECT_TRUE(second->IsChecked());
}

TEST_F(Checkables, TheUncheckedSiblingIsToldAfterTheNewOneIsStored) {
  auto* first = Radio("type");
  auto* second = Radio("type");
  first->SetIsChecked(true);
  bool secondCheckedWhenFirstChanged = false;
  first->OnChange = [&](TObject*) { secondCheckedWhenFirstChanged = second->IsChecked(); };
  second->SetIsChecked(true);
  EXPECT_TRUE(secondCheckedWhenFirstChanged);
  EXPECT_FALSE(first->IsChecked());
}

TEST_F(Checkables, OutsideASceneCheckingWorksAndUncheckingIsRefused) {
  TvxRadioButton radio(nullptr);
  radio.SetIsChecked(true);
  EXPECT_TRUE(radio.IsChecked());
  radio.SetIsChecked(false);
  EXPECT_TRUE(radio.IsChecked());
}

// A style whose "mark" part fades in with the checked state, over a whole second.
std::string FadingMarkStyle(const std::string& name) {
  return R"(  object TvxLayout
    ResourceName = ')" +
         name + R"('
    HitTest = False
    object TvxLayout
      ResourceName = 'mark'
      HitTest = False
      object TvxFloatAnimation
        Trigger = 'IsChecked=true'
        TriggerInverse = 'IsChecked=false'
        Duration = 1.0
        StartValue = 0.2
        StopValue = 0.8
        PropertyName = 'Opacity'
      end
    end
  end
)";
}

const std::string kFadingMarks = "object TvxBackground\n" + FadingMarkStyle("checkboxstyle") +
                                 FadingMarkStyle("radiobuttonstyle") + "end\n";

TEST_F(Checkables, AFreshStyleShowsTheStateAtOnceAndLaterChangesAnimate) {
  scene_.SetStyle(Container(kFadingMarks));
  std::vector<TvxTextControl*> controls = {Add<TvxCheckBox>(), Radio("fade")};
  for (TvxTextControl* control : controls) {
    control->ApplyResource();
    auto* mark = dynamic_cast<TvxVisualObject*>(control->FindResource("mark"));
    ASSERT_NE(mark, nullptr);
    auto* fade = dynamic_cast<TvxAnimation*>(mark->Children(0));
    ASSERT_NE(fade, nullptr);
    EXPECT_FLOAT_EQ(mark->Opacity(), 0.2f) << control->ClassName();
    EXPECT_FALSE(fade->IsRunning()) << control->ClassName();
    ClickAt(*control, 10, 10);
    EXPECT_TRUE(fade->IsRunning()) << control->ClassName();
  }
  auto* checked = Add<TvxCheckBox>();
  checked->SetIsChecked(true);
  checked->ApplyResource();
  auto* mark = dynamic_cast<TvxVisualObject*>(checked->FindResource("mark"));
  ASSERT_NE(mark, nullptr);
  EXPECT_FLOAT_EQ(mark->Opacity(), 0.8f);
}

}  // namespace
