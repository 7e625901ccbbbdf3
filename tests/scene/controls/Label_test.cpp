#include "scene/controls/Label.h"

#include <gtest/gtest.h>

#include "ControlsTesting_support.h"
#include "scene/controls/Background.h"
#include "scene/controls/Translation.h"
#include "scene/graphics/Text.h"

namespace {

// Measures every character 7 wide and a line 13 high, so sizes are easy to predict.
class TMeasuringCanvas : public TCanvasStub {
 public:
  TMeasuringCanvas() : TCanvasStub(400, 200) {}

 protected:
  void OnMeasureText(TvxRect& r, const std::u16string& text, bool, TvxTextAlign,
                     TvxTextAlign) override {
    r = {r.Left, r.Top, r.Left + 7.0f * float(text.size()), r.Top + 13};
  }
};

// The width a text object sizing itself gives a text of `n` characters: the measured width plus
// half the font size.
float FittedWidth(int n) {
  return 7.0f * float(n) + DefaultFontSize / 2;
}

const char* const kStyles = R"(object TvxBackground
  object TvxLayout
    ResourceName = 'labelstyle'
    Width = 120.0
    Height = 15.0
    HitTest = False
    object TvxText
      ResourceName = 'text'
      Align = vaClient
      Width = 120.0
      Height = 15.0
      HitTest = False
      Text = 'Label'
    end
  end
end
)";

class LabelStyle : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    scene_.canvas = &canvas_;
    scene_.SetStyle(Container(kStyles));
    root_ = new TvxBackground(&owner_);
    root_->SetBounds(0, 0, 400, 200);
    scene_.SetRoot(root_);
    label_ = new TvxLabel(&owner_);
    root_->AddObject(label_);
  }
  TvxText* Part() { return dynamic_cast<TvxText*>(label_->FindResource("text")); }

  TStyleScene scene_;
  TMeasuringCanvas canvas_;
  TvxBackground* root_ = nullptr;
  TvxLabel* label_ = nullptr;
};

TEST_F(LabelStyle, ItsOwnWordWrapGoesToThePartAtOnceAndTheSizeStays) {
  label_->SetText(u"A much longer text than the label is wide");
  label_->ApplyResource();
  EXPECT_FLOAT_EQ(label_->Width(), 120);
  ASSERT_NE(Part(), nullptr);
  EXPECT_TRUE(Part()->WordWrap());
  label_->SetWordWrap(false);
  EXPECT_FALSE(Part()->WordWrap());
}

TEST_F(LabelStyle, AutoSizeTakesTheSizeOfTheTextOnOneLine) {
  label_->SetText(u"Hello");
  label_->ApplyResource();
  label_->SetAutoSize(true);
  EXPECT_FLOAT_EQ(label_->Width(), FittedWidth(5));
  EXPECT_FLOAT_EQ(label_->Height(), 13);
  EXPECT_FALSE(label_->WordWrap());
  ASSERT_NE(Part(), nullptr);
  EXPECT_FALSE(Part()->WordWrap());
  EXPECT_FALSE(Part()->AutoSize());
  EXPECT_EQ(Part()->Align(), vaClient);
  EXPECT_EQ(Part()->HorzTextAlign(), vxTextAlignNear);
  EXPECT_EQ(Part()->VertTextAlign(), vxTextAlignNear);
}

TEST_F(LabelStyle, AnAutoSizedLabelFollowsItsText) {
  label_->SetAutoSize(true);
  label_->SetText(u"Hi");
  label_->ApplyResource();
  EXPECT_FLOAT_EQ(label_->Width(), FittedWidth(2));
  label_->SetText(u"Hello, world");
  EXPECT_FLOAT_EQ(label_->Width(), FittedWidth(12));
}

TEST_F(LabelStyle, ATranslationThatKeepsChangingTheTextIsAppliedOnce) {
  SetTranslator([](const std::u16string& text) { return text + u"!"; });
  label_->SetAutoSize(true);
  label_->SetText(u"Go");
  label_->ApplyResource();  // restyling from its own text change would never end
  SetTranslator({});
  EXPECT_EQ(label_->Text(), u"Go!");
  EXPECT_FLOAT_EQ(label_->Width(), FittedWidth(3));
}

}  // namespace
