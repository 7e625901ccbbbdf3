#include "scene/controls/TextControl.h"

#include <gtest/gtest.h>

#include <string>

#include "ControlsTesting_support.h"
#include "platform/Action.h"
#include "scene/controls/Background.h"
#include "scene/controls/Button.h"
#include "scene/controls/Translation.h"
#include "scene/graphics/Text.h"

namespace {

const char* const kStyles = R"(object TvxBackground
  object TvxLayout
    ResourceName = 'textcontrolstyle'
    HitTest = False
    object TvxBrushObject
      ResourceName = 'foreground'
      Brush.Color = '#FF00FF00'
    end
    object TvxText
      ResourceName = 'text'
      Align = vaClient
      HitTest = False
      Fill.Color = '#FFFFFFFF'
      WordWrap = False
    end
  end
  object TvxText
    ResourceName = 'bare'
    HitTest = False
  end
end
)";

class TextBinding : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    scene_.SetStyle(Container(kStyles));
    root_ = new TvxBackground(&owner_);
    scene_.SetRoot(root_);
    control_ = new TvxTextControl(&owner_);
    root_->AddObject(control_);
  }
  void TearDown() override {
    SetTranslator({});
    ControlsTest::TearDown();
  }
  TvxText* Part() { return dynamic_cast<TvxText*>(control_->FindResource("text")); }

  TStyleScene scene_;
  TvxBackground* root_ = nullptr;
  TvxTextControl* control_ = nullptr;
};

TEST_F(TextBinding, ThePartReceivesTheValuesAtStylingAndTheirLaterChanges) {
  control_->SetText(u"Start");
  control_->SetTextAlign(vxTextAlignFar);
  control_->Font()->SetSize(17);
  control_->ApplyResource();
  TvxText* part = Part();
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(part->Text(), u"Start");
  EXPECT_EQ(part->HorzTextAlign(), vxTextAlignFar);
  EXPECT_FALSE(part->WordWrap());
  EXPECT_FLOAT_EQ(part->Font()->Size(), 17);
  control_->SetText(u"Next");
  control_->SetVertTextAlign(vxTextAlignFar);
  control_->SetWordWrap(true);
  control_->Font()->SetFamily("Serif");
  EXPECT_EQ(part->Text(), u"Next");
  EXPECT_EQ(part->VertTextAlign(), vxTextAlignFar);
  EXPECT_TRUE(part->WordWrap());
  EXPECT_EQ(part->Font()->Family(), "Serif");
}

TEST_F(TextBinding, TheForegroundBrushColoursTheText) {
  EXPECT_EQ(control_->TextBrush()->Color(), 0xFF000000u);
  control_->ApplyResource();
  ASSERT_NE(Part(), nullptr);
  EXPECT_EQ(control_->TextBrush()->Color(), 0xFF00FF00u);
  EXPECT_EQ(Part()->Fill()->Color(), 0xFF00FF00u);
  control_->TextBrush()->SetColor(0xFF0000FF);
  EXPECT_EQ(Part()->Fill()->Color(), 0xFF0000FFu);
}

TEST_F(TextBinding, AStyleThatIsItselfATextTakesTheText) {
  control_->SetResource("bare");
  auto* text = dynamic_cast<TvxText*>(control_->StyleObject());
  ASSERT_NE(text, nullptr);
  control_->SetText(u"Direct");
  EXPECT_EQ(text->Text(), u"Direct");
}

TEST_F(TextBinding, AutoTranslateTranslatesOnStyling) {
  SetTranslator([](const std::u16string& text) { return text == u"Open" ? u"打开" : text; });
  control_->SetText(u"Open");
  control_->ApplyResource();
  EXPECT_EQ(control_->Text(), u"Open");        // the base class does not translate by default
  auto* button = new TvxSpeedButton(&owner_);  // styled by the default "speedbuttonstyle"
  root_->AddObject(button);
  button->SetText(u"Open");
  button->ApplyResource();
  EXPECT_EQ(button->Text(), u"打开");
}

TEST_F(TextBinding, DataIsTheTextAndAnEmptyValueClearsIt) {
  control_->SetData(TVariant(std::string("abc")));
  EXPECT_EQ(control_->Text(), u"abc");
  EXPECT_EQ(control_->GetData(), TVariant(std::string("abc")));
  control_->SetData(TVariant(int64_t(42)));
  EXPECT_EQ(control_->Text(), u"42");
  control_->SetData(TVariant());
  EXPECT_TRUE(control_->Text().empty());
}

// Action links.

class ActionLink : public TextBinding {
 protected:
  TAction action_{nullptr};
};

TEST_F(ActionLink, TheControlTakesTheActionsValuesAndFollowsThem) {
  action_.SetCaption("Run");
  action_.SetHint("Runs it");
  int executed = 0;
  action_.OnExecute = [&](TObject*) { ++executed; };
  control_->SetText(u"Old");
  control_->SetAction(&action_);
  EXPECT_EQ(control_->Text(), u"Run");
  EXPECT_EQ(control_->Hint(), u"Runs it");
  control_->Click();
  EXPECT_EQ(executed, 1);
  action_.SetCaption("Again");
  action_.SetEnabled(false);
  action_.SetVisible(false);
  EXPECT_EQ(control_->Text(), u"Again");
  EXPECT_FALSE(control_->Enabled());
  EXPECT_FALSE(control_->Visible());
  control_->Click();  // a disabled action does not run
  EXPECT_EQ(executed, 1);
}

TEST_F(ActionLink, ClearingOrFreeingTheActionUnlinks) {
  control_->SetAction(&action_);
  control_->SetAction(nullptr);
  EXPECT_EQ(control_->Action(), nullptr);
  action_.SetCaption("Ignored");
  EXPECT_TRUE(control_->Text().empty());
  auto* action = new TAction(nullptr);
  control_->SetAction(action);
  delete action;
  EXPECT_EQ(control_->Action(), nullptr);
  control_->Click();  // must not reach the freed action
}

TEST_F(ActionLink, AtLoadTimeADesignedTextIsKept) {
  action_.SetCaption("Caption");
  control_->SetName("Button7");
  control_->SetText(u"Designed");
  control_->SetState(csLoading, true);
  control_->SetAction(&action_);
  EXPECT_EQ(control_->Text(), u"Designed");
  control_->SetAction(nullptr);
  control_->SetText(u"Button7");  // the text a designer leaves: the name
  control_->SetAction(&action_);
  EXPECT_EQ(control_->Text(), u"Caption");
  control_->SetState(csLoading, false);
}

}  // namespace
