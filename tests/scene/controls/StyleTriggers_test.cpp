#include <gtest/gtest.h>

#include "ControlsTesting_support.h"
#include "scene/core/Animation.h"
#include "scene/graphics/Effect.h"

namespace {

// A part holding an animation, an independent control holding another, and a focus effect.
const char* const kStyles = R"(object TvxBackground
  object TvxLayout
    ResourceName = 'ProbeControlstyle'
    HitTest = False
    object TvxLayout
      ResourceName = 'part'
      HitTest = False
      object TvxFloatAnimation
        Trigger = 'IsMouseOver=true'
        TriggerInverse = 'IsMouseOver=false'
        StartValue = 0.2
        StopValue = 0.8
        PropertyName = 'Opacity'
      end
    end
    object TvxControl
      ResourceName = 'independent'
      object TvxFloatAnimation
        Trigger = 'IsMouseOver=true'
        PropertyName = 'Opacity'
      end
    end
    object TvxEffect
      ResourceName = 'glow'
      Trigger = 'IsFocused=true'
      Enabled = False
    end
  end
end
)";

class StyleTriggers : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    scene_.SetStyle(Container(kStyles));
    control_ = new TtsProbeControl(&owner_);
    scene_.AddObject(control_);
    control_->ApplyResource();
  }

  TvxAnimation* AnimationIn(const std::string& part) {
    TvxObject* holder = control_->FindResource(part);
    return holder ? dynamic_cast<TvxAnimation*>(holder->Children(0)) : nullptr;
  }
  TvxEffect* Glow() { return dynamic_cast<TvxEffect*>(control_->FindResource("glow")); }

  TStyleScene scene_;
  TtsProbeControl* control_ = nullptr;
};

TEST_F(StyleTriggers, MouseOverStartsAnimationsInLockedPartsOnly) {
  TvxAnimation* inPart = AnimationIn("part");
  TvxAnimation* inControl = AnimationIn("independent");
  ASSERT_NE(inPart, nullptr);
  ASSERT_NE(inControl, nullptr);
  control_->MouseEnter();
  EXPECT_TRUE(inPart->IsRunning());
  EXPECT_FALSE(inPart->Inverse());
  EXPECT_FALSE(inControl->IsRunning());
  control_->MouseLeave();
  EXPECT_TRUE(inPart->IsRunning());
  EXPECT_TRUE(inPart->Inverse());
}

TEST_F(StyleTriggers, FocusSwitchesTheEffectOnAndOff) {
  ASSERT_NE(Glow(), nullptr);
  EXPECT_FALSE(Glow()->Enabled());
  scene_.SetFocused(control_);
  EXPECT_TRUE(Glow()->Enabled());
  scene_.SetFocused(nullptr);
  EXPECT_FALSE(Glow()->Enabled());
}

TEST_F(StyleTriggers, NewCopyOfAFocusedControlShowsTheFocus) {
  scene_.SetFocused(control_);
  control_->UpdateStyle();
  ASSERT_NE(Glow(), nullptr);
  EXPECT_TRUE(Glow()->Enabled());
}

}  // namespace
