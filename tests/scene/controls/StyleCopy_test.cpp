#include <gtest/gtest.h>

#include "ControlsTesting_support.h"

namespace {

const char* const kStyles = R"(object TvxBackground
  object TvxLayout
    ResourceName = 'ProbeControlstyle'
    Width = 40.0
    HitTest = False
    DesignHide = True
    Bogus = 12
    object Named1: TvxLayout
      ResourceName = 'text'
      HitTest = False
      Height = 7.0
      object TvxBrushObject
        ResourceName = 'foreground'
      end
    end
    object TvxControl
      ResourceName = 'inner'
      object TvxLayout
        ResourceName = 'hidden'
      end
    end
  end
end
)";

class StyleCopy : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    scene_.SetStyle(Container(kStyles));
    control_ = new TtsProbeControl(&owner_);
    scene_.AddObject(control_);
  }

  TStyleScene scene_;
  TtsProbeControl* control_ = nullptr;
};

void ExpectCopyFlags(TvxObject& object) {
  EXPECT_FALSE(object.Stored());
  EXPECT_EQ(object.Name(), "");
  if (object.IsVisual()) {
    EXPECT_TRUE(static_cast<TvxVisualObject&>(object).Locked());
  }
  for (int i = 0; i < object.ChildrenCount(); ++i) ExpectCopyFlags(*object.Children(i));
}

TEST_F(StyleCopy, AttachedCopyIsFirstChildLockedUnstoredAndUnnamed) {
  auto* own = new TvxVisualObject(&owner_);
  control_->AddObject(own);
  control_->ApplyResource();
  TvxVisualObject* style = control_->StyleObject();
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(control_->Children(0), style);
  EXPECT_EQ(style->Owner(), control_);
  EXPECT_EQ(style->Align(), vaContents);
  EXPECT_FALSE(style->DesignHide());
  ExpectCopyFlags(*style);
  // The unknown property was skipped; the rest of the copy is whole.
  EXPECT_EQ(style->ChildrenCount(), 2);
  EXPECT_FLOAT_EQ(static_cast<TvxVisualObject*>(style->Children(0))->Height(), 7);
  EXPECT_FALSE(control_->NeedStyle());
}

TEST_F(StyleCopy, CopiesDropEveryName) {
  auto* look = new TvxVisualObject(&owner_);
  look->SetName("Look1");
  look->SetResourceName("namedlook");
  auto* part = new TvxVisualObject(&owner_);
  part->SetName("Part1");
  look->AddObject(part);
  control_->SetResource("namedlook");
  ASSERT_NE(control_->StyleObject(), nullptr);
  ExpectCopyFlags(*control_->StyleObject());
  EXPECT_EQ(look->Name(), "Look1");
  EXPECT_TRUE(look->Stored());
}

TEST_F(StyleCopy, FindResourceSearchesTheStyleThenOwnChildrenButNoNestedControl) {
  auto* own = new TvxVisualObject(&owner_);
  own->SetResourceName("hidden");
  control_->AddObject(own);
  control_->ApplyResource();
  EXPECT_EQ(control_->FindResource("text"), control_->StyleObject()->Children(0));
  EXPECT_NE(control_->FindResource("FOREGROUND"), nullptr);
  EXPECT_NE(control_->FindResource("inner"), nullptr);
  EXPECT_EQ(control_->FindResource("hidden"), own);
  EXPECT_EQ(control_->FindResource(""), nullptr);
}

TEST_F(StyleCopy, ReapplyingReplacesTheCopyAfterFreeStyle) {
  int applied = 0;
  control_->OnApplyResource = [&](TObject*) { ++applied; };
  control_->ApplyResource();
  control_->ApplyResource();  // nothing pending
  EXPECT_EQ(applied, 1);
  control_->UpdateStyle();
  EXPECT_EQ(applied, 2);
  EXPECT_EQ(control_->freed, 1);
  EXPECT_EQ(control_->Children(0), control_->StyleObject());
  EXPECT_EQ(control_->ChildrenCount(), 1);
}

TEST_F(StyleCopy, ResourceAppliesAtOnceExceptWhileLoadingOrUpdating) {
  control_->BeginUpdate();
  control_->SetResource("ProbeControlstyle");
  EXPECT_TRUE(control_->NeedStyle());
  EXPECT_EQ(control_->StyleObject(), nullptr);
  control_->EndUpdate();
  control_->SetState(csLoading, true);
  control_->SetResource("ProbeControlstyle");
  EXPECT_EQ(control_->StyleObject(), nullptr);
  control_->SetState(csLoading, false);
  control_->SetResource("ProbeControlstyle");
  EXPECT_NE(control_->StyleObject(), nullptr);
}

TEST_F(StyleCopy, PaintingAndFocusApplyAPendingStyle) {
  control_->BeforePaint();
  EXPECT_NE(control_->StyleObject(), nullptr);
  auto* other = new TtsProbeControl(&owner_);
  scene_.AddObject(other);
  scene_.SetFocused(other);
  EXPECT_NE(other->StyleObject(), nullptr);
}

TEST_F(StyleCopy, MissingStyleKeepsThePreviousCopy) {
  control_->ApplyResource();
  TvxVisualObject* style = control_->StyleObject();
  scene_.SetStyle(nullptr);
  control_->UpdateStyle();
  EXPECT_EQ(control_->StyleObject(), style);
  EXPECT_EQ(control_->freed, 0);
}

TEST_F(StyleCopy, FreedCopyIsForgotten) {
  control_->ApplyResource();
  control_->DeleteChildren();
  EXPECT_EQ(control_->StyleObject(), nullptr);
}

}  // namespace
