// Controls inside a panel with a drop shadow get their style copies while the shadow paints the
// panel off-screen; those copies must still cover the controls' own rectangles, as they do in a
// panel without effects.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ControlsTesting_support.h"
#include "platform/Form.h"
#include "platform/component/FormText.h"
#include "platform/component/ObjectReader.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/RasterBackend.h"
#include "scene/host/Scene.h"

namespace {

// A dark panel like the settings dialog's body, with or without its shadow, holding a label, a
// string combo box and a number box of the dialog's sizes (all smaller or larger than the
// default style's designs: "labelstyle" 49 x 20, "comboboxstyle" 101 x 22, "numberboxstyle"
// 73 x 26).
std::string PanelForm(bool shadow) {
  return std::string(R"(object F: TForm
  ClientWidth = 300
  ClientHeight = 200
  BorderStyle = bsNone
  object vxScene1: TvxScene
    Align = alClient
    object Root1: TvxBackground
      Width = 300.0
      Height = 200.0
      object Body: TvxRectangle
        Position.Point = '(10,10)'
        Width = 278.0
        Height = 150.0
        Fill.Color = '#E6333333'
        Stroke.Style = vxBrushNone
)") +
         (shadow ? R"(        object ShadowEffect1: TvxShadowEffect
          Distance = 5.0
          Direction = 52.0
          Softness = 0.3
          Opacity = 0.6
        end
)"
                 : "") +
         R"(        object Label1: TvxLabel
          Position.Point = '(19,16)'
          Width = 69.0
          Height = 15.0
          TextAlign = vxTextAlignNear
          Text = #35745#26102#26041#24335#65306
        end
        object Combo1: TvxStringComboBox
          Position.Point = '(84,50)'
          Width = 173.0
          Height = 22.0
          Resource = 'comboboxstyle'
          Items.Strings = (
            'a')
          ItemIndex = 0
        end
        object Number1: TvxNumberBox
          Position.Point = '(84,90)'
          Width = 36.0
          Height = 22.0
        end
      end
    end
  end
end
)";
}

class EffectParentStyles : public ControlsTest, public testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    UseRasterBackend();
    form_ = std::make_unique<TForm>(nullptr);
    TObjectReader reader;
    reader.ReadInto(*form_, ReadFormText(PanelForm(GetParam())));
    for (const std::string& error : reader.Errors()) ADD_FAILURE() << error;
    form_->Show();
    scene_ = dynamic_cast<TvxCustomScene*>(form_->FindComponent("vxScene1"));
    ASSERT_NE(scene_, nullptr);
    scene_->SetBounds(0, 0, 300, 200);
  }
  void TearDown() override {
    form_.reset();
    platform_.Advance(50);
    ControlsTest::TearDown();
  }
  TvxVisualObject* Part(const char* control, const char* part) {
    auto* owner = dynamic_cast<TvxObject*>(form_->FindComponent(control));
    return owner ? dynamic_cast<TvxVisualObject*>(owner->FindResource(part)) : nullptr;
  }

  std::unique_ptr<TForm> form_;
  TvxCustomScene* scene_ = nullptr;
};

TEST_P(EffectParentStyles, StylePartsCoverTheControlsFromTheFirstFrame) {
  scene_->DrawAll();
  // The label's text spans the label, so its five characters fit on one line.
  TvxVisualObject* text = Part("Label1", "text");
  ASSERT_NE(text, nullptr);
  EXPECT_FLOAT_EQ(text->Width(), 69);
  EXPECT_FLOAT_EQ(text->Height(), 15);
  // The combo box's content ends 23 before its right edge, clear of the drop-down arrow.
  TvxVisualObject* content = Part("Combo1", "content");
  ASSERT_NE(content, nullptr);
  EXPECT_FLOAT_EQ(content->Position()->X(), 2);
  EXPECT_FLOAT_EQ(content->Width(), 173 - 2 - 23);
  EXPECT_FLOAT_EQ(content->Height(), 22 - 4);
  // The number box's background is the box's size, not the style's design size.
  TvxVisualObject* background = Part("Number1", "background");
  ASSERT_NE(background, nullptr);
  EXPECT_FLOAT_EQ(background->Width(), 36);
  EXPECT_FLOAT_EQ(background->Height(), 22);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutShadow, EffectParentStyles, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("Shadowed") : std::string("Plain");
                         });

}  // namespace
