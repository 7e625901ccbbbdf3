#include "scene/controls/Control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ControlsTesting_support.h"
#include "platform/component/FormText.h"
#include "platform/component/ObjectReader.h"
#include "scene/controls/Background.h"
#include "scene/controls/Button.h"
#include "scene/controls/CheckBox.h"
#include "scene/controls/Label.h"

namespace {

// A scene that names an active control, as a form's scene does.
class TActiveScene : public TStyleScene {
 public:
  TvxVisualObject* GetActiveControl() override { return active; }
  TvxVisualObject* active = nullptr;
};

// Exposes the hand-over of a value to bound controls, which value-editing controls start.
class TSourceButton : public TvxButton {
 public:
  using TvxButton::TvxButton;
  using TvxControl::UpdateBindings;
};

class ControlRules : public SceneControlsTest<TActiveScene> {
 protected:
  // Reads form text into a fresh root of the scene, as a form is read.
  TvxBackground* Load(const std::string& text) {
    auto* root = new TvxBackground(&owner_);
    scene_.SetRoot(root);
    TObjectReader reader;
    reader.ReadInto(*root, ReadFormText(text));
    for (const std::string& error : reader.Errors()) ADD_FAILURE() << error;
    return root;
  }
  TvxControl* Child(TvxObject& parent, const std::string& name) {
    for (int i = 0; i < parent.ChildrenCount(); ++i)
      if (parent.Children(i)->Name() == name) return dynamic_cast<TvxControl*>(parent.Children(i));
    return nullptr;
  }
};

// Focus.

TEST_F(ControlRules, FocusMovesWithEnterAndKillEvents) {
  auto* first = Add<TvxButton>();
  auto* second = Add<TvxButton>();
  std::vector<std::string> events;
  first->OnEnterFocus = [&](TObject*) { events.push_back("enter1"); };
  first->OnKillFocus = [&](TObject*) { events.push_back("kill1"); };
  second->OnEnterFocus = [&](TObject*) { events.push_back("enter2"); };
  first->SetFocus();
  second->SetFocus();
  EXPECT_EQ(events, (std::vector<std::string>{"enter1", "kill1", "enter2"}));
  EXPECT_FALSE(first->IsFocused());
  EXPECT_TRUE(second->IsFocused());
}

TEST_F(ControlRules, EnteringTheFocusAppliesAPendingStyle) {
  auto* box = Add<TvxCheckBox>();
  EXPECT_TRUE(box->NeedStyle());
  box->SetFocus();
  EXPECT_FALSE(box->NeedStyle());
  EXPECT_NE(box->StyleObject(), nullptr);  // the default style's "checkboxstyle"
}

TEST_F(ControlRules, TheActiveControlTakesTheFocusWhenLoaded) {
  auto* button = Add<TvxButton>();
  scene_.active = button;
  button->Loaded();
  EXPECT_EQ(scene_.focused, button);
}

// Tab order.

TEST_F(ControlRules, TabOrderIsThePlaceAmongTheParentsControls) {
  auto* shape = Add<TvxVisualObject>();
  auto* a = Add<TvxButton>();
  auto* b = Add<TvxCheckBox>();
  auto* c = Add<TvxLabel>();
  (void)shape;
  EXPECT_EQ(a->TabOrder(), 0);
  EXPECT_EQ(b->TabOrder(), 1);
  EXPECT_EQ(c->TabOrder(), 2);
  c->SetTabOrder(0);
  EXPECT_EQ(c->TabOrder(), 0);
  EXPECT_EQ(a->TabOrder(), 1);
  EXPECT_EQ(b->TabOrder(), 2);
  a->SetTabOrder(99);  // beyond the end: last
  EXPECT_EQ(a->TabOrder(), 2);
  a->SetTabOrder(-5);  // before the start: first
  EXPECT_EQ(a->TabOrder(), 0);
  TvxButton loose(nullptr);
  EXPECT_EQ(loose.TabOrder(), -1);
}

TEST_F(ControlRules, AControlMovedToAnotherParentComesLastThere) {
  auto* panel = Add<TvxBackground>();
  auto* inner = Add<TvxButton>(panel);
  auto* moved = Add<TvxButton>();
  moved->SetTabOrder(0);
  panel->AddObject(moved);
  EXPECT_EQ(inner->TabOrder(), 0);
  EXPECT_EQ(moved->TabOrder(), 1);
}

TEST_F(ControlRules, LoadedTabOrdersArePlacedLowestFirstAndOutOfRangeOnesKeepTheirPlace) {
  TvxBackground* root = Load(R"(object Root: TvxBackground
  object A: TvxButton
    TabOrder = 2
  end
  object B: TvxButton
    TabOrder = 0
  end
  object C: TvxButton
  end
  object D: TvxButton
    TabOrder = 4
  end
end
)");
  EXPECT_EQ(Child(*root, "B")->TabOrder(), 0);
  EXPECT_EQ(Child(*root, "C")->TabOrder(), 1);
  EXPECT_EQ(Child(*root, "A")->TabOrder(), 2);
  EXPECT_EQ(Child(*root, "D")->TabOrder(), 3);
}

TEST_F(ControlRules, TabOrderAtTheLastIndexIsPlacedAndOneBeyondIsNot) {
  TvxBackground* root = Load(R"(object Root: TvxBackground
  object A: TvxButton
    TabOrder = 3
  end
  object B: TvxButton
  end
  object C: TvxButton
  end
  object D: TvxButton
  end
end
)");
  EXPECT_EQ(Child(*root, "A")->TabOrder(), 3);
  EXPECT_EQ(Child(*root, "B")->TabOrder(), 0);
  TvxBackground* other = Load(R"(object Root2: TvxBackground
  object E: TvxButton
    TabOrder = 3
  end
  object F: TvxButton
  end
  object G: TvxButton
  end
end
)");
  EXPECT_EQ(Child(*other, "E")->TabOrder(), 0);
}

TEST_F(ControlRules, ATabOrderBeyondSixteenBitsIsIgnoredRatherThanWrapped) {
  TvxBackground* root = Load(R"(object Root: TvxBackground
  object A: TvxButton
  end
  object B: TvxButton
    TabOrder = 65536
  end
  object C: TvxButton
    TabOrder = 32767
  end
end
)");
  EXPECT_EQ(Child(*root, "B")->TabOrder(), 1);  // 65536 would wrap to 0
  auto* a = Child(*root, "A");
  a->SetTabOrder(-32769);
  EXPECT_EQ(a->TabOrder(), 0);
  a->SetTabOrder(32767);
  EXPECT_EQ(a->TabOrder(), 2);
}

// Binding.

TEST_F(ControlRules, BoundControlsReceiveTheSourcesValue) {
  auto* source = Add<TSourceButton>();
  auto* label = Add<TvxLabel>();
  auto* other = Add<TvxLabel>();
  label->SetBindingSource(source);
  other->SetBindingSource(source);
  source->SetText(u"Shared");
  source->UpdateBindings();
  EXPECT_EQ(label->Text(), u"Shared");
  EXPECT_EQ(other->Text(), u"Shared");
  EXPECT_EQ(source->BoundControls(), (std::vector<TvxControl*>{label, other}));
  // Rebinding leaves the previous source; a control cannot mirror itself.
  auto* second = Add<TSourceButton>();
  label->SetBindingSource(second);
  label->SetBindingSource(label);
  EXPECT_EQ(label->BindingSource(), second);
  EXPECT_EQ(source->BoundControls(), (std::vector<TvxControl*>{other}));
}

TEST_F(ControlRules, AFreedSourceClearsTheBindingAndAFreedMirrorLeavesTheList) {
  auto* source = Add<TSourceButton>();
  auto* label = Add<TvxLabel>();
  auto* other = Add<TvxLabel>();
  label->SetBindingSource(source);
  other->SetBindingSource(source);
  delete other;
  EXPECT_EQ(source->BoundControls(), (std::vector<TvxControl*>{label}));
  delete source;
  EXPECT_EQ(label->BindingSource(), nullptr);
}

TEST_F(ControlRules, BindingSourceIsReadFromFormData) {
  TvxBackground* root = Load(R"(object Root: TvxBackground
  object Box: TvxCheckBox
  end
  object Mirror: TvxCheckBox
    BindingSource = Box
  end
end
)");
  EXPECT_EQ(Child(*root, "Mirror")->BindingSource(), Child(*root, "Box"));
}

}  // namespace
