#include "scene/core/Animation.h"

#include <gmock/gmock.h>

#include <vector>

#include "AnimationFixture_support.h"
#include "platform/component/ObjectReader.h"
#include "scene/core/AniThread.h"
#include "scene/core/FloatAnimation.h"
#include "scene/core/VisualObject.h"
#include "tests/scene/FakeScene.h"

namespace {

using testing::ElementsAre;
using testing::FloatEq;

class FloatRun : public AnimationTest {
 protected:
  FloatRun() {
    target = MakeTarget();
    animation = new TvxFloatAnimation(&owner_);
    animation->SetPropertyName("Width");
    animation->SetStopValue(10);
    animation->SetDuration(1);
    animation->OnProcess = [this](TObject*) { written.push_back(target->width); };
    animation->OnFinish = [this](TObject*) { ++finished; };
    target->AddObject(animation);
  }
  std::vector<float> Run(int steps, float dt = 0.25f) {
    written.clear();
    Steps(steps, dt);
    return written;
  }

  TAnimTarget* target;
  TvxFloatAnimation* animation;
  std::vector<float> written;
  int finished = 0;
};

TEST_F(FloatRun, LinearRunWritesEachStepAndEnds) {
  target->width = 99;
  animation->Start();
  EXPECT_EQ(target->width, 0);  // the start value at once
  EXPECT_TRUE(animation->Enabled());
  EXPECT_THAT(Run(6), ElementsAre(2.5f, 5, 7.5f, 10));
  EXPECT_FALSE(animation->IsRunning());
  EXPECT_EQ(finished, 1);
  EXPECT_FALSE(AniThread()->Contains(animation));
}

// An idle program must not wake up 30 times a second for nothing.
TEST_F(FloatRun, DriverSleepsWhileNothingRunsAndResumesWithoutThePause) {
  animation->Start();
  EXPECT_TRUE(AniThread()->Ticking());
  Run(4);
  EXPECT_FALSE(AniThread()->Ticking());
  clock_.ticks += 5000;  // a long idle spell
  platform_.Advance(5000);
  animation->Start();
  EXPECT_TRUE(AniThread()->Ticking());
  EXPECT_THAT(Run(1), ElementsAre(2.5f));  // timed from the restart, not across the spell
}

TEST_F(FloatRun, DriverTicksUntilTheLastRunningAnimationStops) {
  auto* other = new TvxFloatAnimation(&owner_);
  other->SetPropertyName("Width");
  other->SetDuration(1);
  target->AddObject(other);
  animation->Start();
  other->Start();
  animation->Stop();
  EXPECT_TRUE(AniThread()->Ticking());
  other->Stop();
  EXPECT_FALSE(AniThread()->Ticking());
}

TEST_F(FloatRun, LoopJumpsBackWithoutShowingTheEnd) {
  animation->SetLoop(true);
  animation->Start();
  EXPECT_THAT(Run(6), ElementsAre(2.5f, 5, 7.5f, 0, 2.5f, 5));
  EXPECT_TRUE(animation->IsRunning());
  EXPECT_EQ(finished, 0);
}

TEST_F(FloatRun, AutoReverseTurnsAtBothEnds) {
  animation->SetLoop(true);
  animation->SetAutoReverse(true);
  animation->Start();
  EXPECT_THAT(Run(9), ElementsAre(2.5f, 5, 7.5f, 10, 7.5f, 5, 2.5f, 0, 2.5f));
}

TEST_F(FloatRun, InverseRunsFromTheStopValue) {
  animation->SetInverse(true);
  animation->Start();
  EXPECT_EQ(target->width, 10);
  EXPECT_THAT(Run(4), ElementsAre(7.5f, 5, 2.5f, 0));
  EXPECT_FALSE(animation->IsRunning());
}

TEST_F(FloatRun, DelayLeavesThePropertyAloneUntilItPasses) {
  target->width = 99;
  animation->SetDelay(0.5f);
  animation->Start();
  EXPECT_EQ(target->width, 99);
  EXPECT_EQ(animation->NormalizedTime(), 0);
  Steps(2, 0.25f);
  EXPECT_EQ(target->width, 99);
  EXPECT_THAT(Run(4), ElementsAre(2.5f, 5, 7.5f, 10));
}

TEST_F(FloatRun, StopAppliesTheEndAndStopAtCurrentKeepsTheValue) {
  animation->Start();
  Step(0.25f);
  animation->Stop();
  EXPECT_EQ(target->width, 10);
  EXPECT_FALSE(animation->Enabled());
  EXPECT_EQ(finished, 1);
  animation->Stop();  // not running: nothing
  EXPECT_EQ(finished, 1);

  animation->SetInverse(true);
  animation->Start();
  Step(0.25f);
  animation->Stop();
  EXPECT_EQ(target->width, 0);

  animation->SetInverse(false);
  animation->Start();
  Step(0.5f);
  animation->StopAtCurrent();
  EXPECT_EQ(target->width, 5);
  EXPECT_FALSE(animation->IsRunning());
  EXPECT_EQ(finished, 3);
}

TEST_F(FloatRun, StopDuringADelayStillAppliesTheEnd) {
  animation->SetDelay(1);
  animation->Start();
  animation->Stop();
  EXPECT_EQ(target->width, 10);
}

TEST_F(FloatRun, HiddenParentNeitherStartsNorGoesOn) {
  target->width = 99;
  target->visible = false;
  animation->Start();
  EXPECT_FALSE(animation->IsRunning());
  EXPECT_EQ(target->width, 99);

  target->visible = true;
  animation->Start();
  Step(0.25f);
  target->visible = false;
  Step(0.25f);
  EXPECT_FALSE(animation->IsRunning());
  EXPECT_EQ(target->width, 10);
}

TEST_F(FloatRun, TooShortRunsJumpToTheEndAndStayInstant) {
  animation->SetDuration(0);
  animation->Start();
  EXPECT_EQ(target->width, 10);
  EXPECT_FALSE(animation->IsRunning());
  EXPECT_FALSE(animation->Enabled());
  EXPECT_FLOAT_EQ(animation->Duration(), 0.00001f);
  EXPECT_EQ(finished, 1);
  animation->SetInverse(true);
  animation->Start();
  EXPECT_EQ(target->width, 0);
  EXPECT_EQ(AniThread(), nullptr);
}

TEST_F(FloatRun, WithoutASceneTheEndIsAppliedButTheDurationKept) {
  target->SetScene(nullptr);
  animation->Start();
  EXPECT_EQ(target->width, 10);
  EXPECT_EQ(animation->Duration(), 1);
  EXPECT_EQ(finished, 1);
}

TEST_F(FloatRun, EnabledStartsAndStops) {
  animation->SetEnabled(true);
  EXPECT_TRUE(animation->IsRunning());
  Step(0.25f);
  animation->SetEnabled(false);
  EXPECT_FALSE(animation->IsRunning());
  EXPECT_EQ(target->width, 10);
}

TEST_F(FloatRun, ParentChangeDropsTheResolvedProperty) {
  animation->Start();
  TAnimTarget* other = MakeTarget();
  other->AddObject(animation);
  Step(0.25f);
  EXPECT_EQ(other->width, 0);
  EXPECT_EQ(target->width, 0);
  animation->Start();
  Step(0.25f);
  EXPECT_EQ(other->width, 2.5f);
}

TEST(AnimationWithoutPlatform, EndsAsSoonAsItStarts) {
  TFakeScene scene;
  TAnimTarget target(nullptr);
  target.SetScene(&scene);
  auto* animation = new TvxFloatAnimation(&target);
  animation->SetPropertyName("Width");
  animation->SetStopValue(3);
  target.AddObject(animation);
  animation->Start();
  EXPECT_FALSE(animation->IsRunning());
  EXPECT_EQ(target.width, 3);
  EXPECT_EQ(AniThread(), nullptr);
}

TEST_F(AnimationTest, EnabledInFormDataStartsOnceLoaded) {
  RegisterClass(TvxFloatAnimation::StaticClass());
  TAnimTarget* target = MakeTarget();
  TFormObject child;
  child.className = "TvxFloatAnimation";
  child.props = {{"Duration", TFormValue::Float(1)},
                 {"StopValue", TFormValue::Float(10)},
                 {"PropertyName", TFormValue::String("width")},
                 {"Enabled", TFormValue::Bool(true)}};
  TFormObject form;
  form.className = "TAnimTarget";
  form.children = {child};
  TObjectReader reader;
  reader.ReadInto(*target, form);
  ASSERT_TRUE(reader.Errors().empty()) << reader.Errors().front();
  ASSERT_EQ(target->ChildrenCount(), 1);
  auto* animation = static_cast<TvxAnimation*>(target->Children(0));
  EXPECT_TRUE(animation->IsRunning());
  Step(0.5f);
  EXPECT_EQ(target->width, 5);
}

TEST_F(AnimationTest, CaretAnimationsRunAtAThirdOfTheirSpeed) {
  InstallPlatform({&platform_.Clock(), &platform_.Clock(), &platform_.MessageBox(),
                   &platform_.Locale(), &platform_.Power()});
  TAnimTarget* target = MakeTarget();
  auto ticksPerRun = [&](const std::string& bindingName) {
    auto* animation = new TvxFloatAnimation(&owner_);
    animation->SetDuration(0.1f);
    animation->SetBindingName(bindingName);
    target->AddObject(animation);
    animation->Start();
    int ticks = 0;
    for (; animation->IsRunning() && ticks < 100; ++ticks)
      platform_.Advance(TvxAniThread::Interval);
    return ticks;
  };
  const int plain = ticksPerRun("");
  EXPECT_EQ(plain, 4);  // 0.1 s in steps of 33 ms
  EXPECT_EQ(ticksPerRun("Caret"), 3 * plain);
}

TEST_F(AnimationTest, StepsNeedTheClockToMoveAndSurviveItsWrap) {
  clock_.ticks = 0xFFFFFF00;
  TAnimTarget* target = MakeTarget();
  auto* animation = new TvxFloatAnimation(&owner_);
  animation->SetPropertyName("Width");
  animation->SetStopValue(10);
  animation->SetDuration(1);
  target->AddObject(animation);
  animation->Start();
  Step(0);
  EXPECT_EQ(animation->CurrentTime(), 0);
  Step(0.5f);
  EXPECT_EQ(target->width, 5);
}

TEST_F(AnimationDriverTest, VisualObjectsAnimateTheirNumbersThroughTheClassRegistry) {
  RegisterClass(TvxFloatAnimation::StaticClass());
  TFakeScene scene;
  auto* root = new TvxVisualObject(&owner_);
  scene.SetRoot(root);
  auto* object = new TvxVisualObject(&owner_);
  root->AddObject(object);
  object->SetOpacity(1);
  object->AnimateFloat("Opacity", 0.5f, 1);
  ASSERT_EQ(object->ChildrenCount(), 1);
  Step(0.5f);
  EXPECT_FLOAT_EQ(object->Opacity(), 0.75f);
  Step(0.5f);
  EXPECT_FLOAT_EQ(object->Opacity(), 0.5f);
  EXPECT_EQ(object->ChildrenCount(), 0);  // freed itself at the end
  EXPECT_EQ(AniThread()->Count(), 0);
}

}  // namespace
