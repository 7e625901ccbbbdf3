#include <gtest/gtest.h>

#include "AnimationFixture.h"
#include "platform/Platform.h"
#include "platform/component/WeakRef.h"
#include "scene/core/FloatAnimation.h"
#include "scene/core/VisualObject.h"
#include "tests/scene/FakeScene.h"

namespace {

class VisualAnimation : public AnimationDriverTest {
 protected:
  VisualAnimation() {
    root_ = new TvxVisualObject(&owner_);
    root_->SetBounds(0, 0, 200, 100);
    scene_.SetRoot(root_);
  }
  TvxVisualObject* Child() {
    auto* child = new TvxVisualObject(&owner_);
    root_->AddObject(child);
    return child;
  }

  TComponent owner_{nullptr};
  TFakeScene scene_;
  TvxVisualObject* root_ = nullptr;
};

TEST_F(VisualAnimation, AnimateFloatRunsToTheValueAndFreesItsAnimation) {
  TvxVisualObject* object = Child();
  object->SetOpacity(1);
  object->AnimateFloat("Opacity", 0.2f, 1);
  ASSERT_EQ(object->ChildrenCount(), 1);
  auto* animation = dynamic_cast<TvxFloatAnimation*>(object->Children(0));
  ASSERT_NE(animation, nullptr);
  EXPECT_FALSE(animation->Stored());
  EXPECT_TRUE(animation->IsRunning());
  Steps(2, 0.5f);
  EXPECT_FLOAT_EQ(object->Opacity(), 0.2f);
  EXPECT_EQ(object->ChildrenCount(), 0);
}

TEST_F(VisualAnimation, WithoutAPlaceToRunTheValueIsSetAtOnce) {
  TvxVisualObject detached(nullptr);
  detached.AnimateFloat("Position.X", 42, 1, vxAnimationOut, vxInterpolationQuadratic);
  EXPECT_EQ(detached.Position()->X(), 42);
  EXPECT_EQ(detached.ChildrenCount(), 0);
  TvxVisualObject* hidden = Child();
  hidden->SetVisible(false);
  hidden->AnimateFloat("Width", 10, 1);
  EXPECT_EQ(hidden->ChildrenCount(), 0);
}

TEST_F(VisualAnimation, FreeingTheObjectDuringARunLeavesNothingBehind) {
  TvxVisualObject* object = Child();
  object->AnimateFloat("Width", 10, 1);
  delete object;
  Steps(3, 0.5f);
  EXPECT_EQ(root_->ChildrenCount(), 0);
}

TEST_F(VisualAnimation, AWaitEndsWhenItsAnimationIsFreedAndSparesTheNextInItsPlace) {
  TvxVisualObject* object = Child();
  TWeakRef<TvxFloatAnimation> stranger;
  // Runs inside the wait: frees the awaited animation and makes another of the same class,
  // which the allocator likes to put at the freed address.
  Platform().loop->Post([&] {
    delete object->Children(0);
    auto* next = new TvxFloatAnimation(object);
    object->AddObject(next);
    stranger = next;
  });
  object->AnimateFloatWait("Width", 10, 1);
  ASSERT_NE(stranger.Get(), nullptr);
  EXPECT_EQ(object->ChildrenCount(), 1);
}

TEST_F(VisualAnimation, AWaitRunsToTheValueAndFreesItsAnimation) {
  TvxVisualObject* object = Child();
  object->SetOpacity(1);
  // Each pass of the wait lets the driver take one step.
  Platform().loop->Post([&] { Steps(2, 0.5f); });
  object->AnimateFloatWait("Opacity", 0.4f, 1);
  EXPECT_FLOAT_EQ(object->Opacity(), 0.4f);
  EXPECT_EQ(object->ChildrenCount(), 0);
}

TEST_F(VisualAnimation, AnAnimatedCaretBlinksWhileShown) {
  scene_.animatedCaret = true;
  TvxVisualObject* box = Child();
  box->ShowCaret();
  TvxVisualObject* caret = box->CaretObject();
  ASSERT_NE(caret, nullptr);
  ASSERT_EQ(caret->ChildrenCount(), 1);
  auto* blink = dynamic_cast<TvxFloatAnimation*>(caret->Children(0));
  ASSERT_NE(blink, nullptr);
  EXPECT_EQ(blink->BindingName(), "caret");
  EXPECT_TRUE(blink->Loop());
  EXPECT_TRUE(blink->AutoReverse());
  EXPECT_TRUE(blink->IsRunning());
  box->HideCaret();
  EXPECT_FALSE(caret->Visible());
}

}  // namespace
