#include <gtest/gtest.h>

#include "ControlsTesting_support.h"
#include "platform/Resources.h"
#include "platform/component/ObjectReader.h"
#include "scene/controls/Background.h"
#include "scene/controls/StyleTree.h"
#include "scene/graphics/Brush.h"
#include "scene/graphics/Effect.h"

namespace {

class DefaultStyleTree : public ControlsTest {
 protected:
  TvxVisualObject* Style(const std::string& name) {
    TvxObject* root = DefaultStyle();
    if (!root) return nullptr;
    for (int i = 0; i < root->ChildrenCount(); ++i)
      if (root->Children(i)->ResourceName() == name)
        return dynamic_cast<TvxVisualObject*>(root->Children(i));
    return nullptr;
  }
};

// Every property the built classes know must apply; placeholders keep the rest for the
// classes still to come.
TEST_F(DefaultStyleTree, ReadsWithoutErrors) {
  const std::span<const uint8_t> data = FindEmbeddedResource("DEFAULTVXSTYLE");
  ASSERT_FALSE(data.empty());
  const TFormData form = ReadFormBinary(data);
  const TClassInfo* info = FindClass(form.Root().ClassName());
  ASSERT_NE(info, nullptr);
  std::unique_ptr<TComponent> root(info->Create(nullptr));
  TObjectReader reader;
  reader.ReadInto(*root, form);
  for (const std::string& error : reader.Errors()) ADD_FAILURE() << error;
}

TEST_F(DefaultStyleTree, IsReadOnceAndHoldsTheStylesOfTheDialogs) {
  TvxObject* root = DefaultStyle();
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(DefaultStyle(), root);
  auto* background = dynamic_cast<TvxBackground*>(root);
  ASSERT_NE(background, nullptr);
  EXPECT_FLOAT_EQ(background->Width(), 548);
  EXPECT_FLOAT_EQ(background->Height(), 547);
  EXPECT_EQ(background->Fill()->Style(), vxBrushSolid);
  EXPECT_EQ(background->Fill()->Color(), 0xFF2B2B2Bu);
  for (const char* name :
       {"labelstyle", "radiobuttonstyle", "CloseButtonStyle", "speedbuttonstyle", "comboboxstyle",
        "combotextboxstyle", "numberboxstyle", "backgroundstyle", "combopopupstyle",
        "combolistboxstyle", "transparentcirclebuttonstyle", "transparentlistboxstyle",
        "listboxitemstyle", "checkboxstyle"}) {
    TvxVisualObject* style = Style(name);
    ASSERT_NE(style, nullptr) << name;
    EXPECT_TRUE(style->DesignHide()) << name;
    EXPECT_FALSE(style->HitTest()) << name;
  }
}

TEST_F(DefaultStyleTree, FocusGlowStartsDisabled) {
  TvxControl* box = Make("TvxNumberBox");
  box->ApplyResource();
  TvxObject* style = box->StyleObject();
  ASSERT_NE(style, nullptr);
  auto* glow = dynamic_cast<TvxEffect*>(style->Children(style->ChildrenCount() - 1));
  ASSERT_NE(glow, nullptr);
  EXPECT_EQ(glow->ClassName(), "TvxGlowEffect");
  EXPECT_EQ(glow->Trigger(), "IsFocused=true");
  EXPECT_FALSE(glow->Enabled());
  auto* foreground = dynamic_cast<TvxBrushObject*>(box->FindResource("foreground"));
  ASSERT_NE(foreground, nullptr);
  EXPECT_EQ(foreground->Brush()->Color(), 0xFFFFFFFFu);
}

}  // namespace
