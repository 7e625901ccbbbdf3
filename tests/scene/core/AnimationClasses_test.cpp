// The animation classes against the kinds of properties they write, and trigger starts.

#include "scene/core/AnimationClasses.h"

#include <gmock/gmock.h>

#include "AnimationFixture_support.h"
#include "platform/Platform.h"
#include "platform/component/ObjectReader.h"
#include "platform/component/ObjectWriter.h"
#include "scene/core/AniThread.h"
#include "scene/core/ColorAnimation.h"
#include "scene/core/FloatAnimation.h"
#include "scene/core/KeyAnimations.h"
#include "scene/core/RectAnimation.h"
#include "scene/core/Registration.h"

namespace {

template <class T>
T* Add(TComponent& owner, TvxObject* parent, const std::string& propertyName) {
  auto* animation = new T(&owner);
  animation->SetPropertyName(propertyName);
  animation->SetDuration(1);
  parent->AddObject(animation);
  return animation;
}

TEST_F(AnimationTest, ColorReachesTheBrushThroughThePath) {
  TAnimTarget* text = MakeTarget();
  RegisterClass(TvxColorAnimation::StaticClass());
  // The flashing countdown: red to light grey each second, until it is switched off.
  TFormObject form;
  form.className = "TvxColorAnimation";
  form.props = {{"Duration", TFormValue::Float(1)},
                {"Loop", TFormValue::Bool(true)},
                {"StartValue", TFormValue::String("#FFFA1717")},
                {"StopValue", TFormValue::String("#FFE0E0E0")},
                {"PropertyName", TFormValue::String("Fill.Color")}};
  auto* flash = new TvxColorAnimation(&owner_);
  TObjectReader().ReadInto(*flash, form);
  text->AddObject(flash);

  flash->SetEnabled(true);
  EXPECT_EQ(text->fill.color, "#FFFA1717");
  Step(0.5f);
  EXPECT_EQ(text->fill.color, "#FFED7B7B");
  Step(0.5f);
  EXPECT_EQ(text->fill.color, "#FFFA1717");  // jumped back
  flash->SetEnabled(false);
  EXPECT_EQ(text->fill.color, "#FFE0E0E0");

  EXPECT_EQ(TObjectWriter(*flash).Write(*flash).props.size(), 5u);
}

TEST_F(AnimationTest, ColorWritesIntegersAndStartsFromTheCurrentColour) {
  TAnimTarget* target = MakeTarget();
  auto* animation = Add<TvxColorAnimation>(owner_, target, "tint");
  animation->SetStopValue(0xFF0000FF);
  animation->SetStartFromCurrent(true);
  target->tint = 0x800000FF;
  animation->Start();
  Step(0.5f);
  EXPECT_EQ(target->tint, 0xBF0000FFu);

  target->fill.color = "#00FF0000";
  auto* text = Add<TvxColorAnimation>(owner_, target, "Unknown.Fill.Color");
  text->SetStartFromCurrent(true);
  text->SetStopValue(0xFFFF0000);
  text->Start();
  Step(0.5f);
  EXPECT_EQ(text->StartValueText(), "#00FF0000");
  EXPECT_EQ(target->fill.color, "#7FFF0000");
}

TEST_F(AnimationTest, PathsThatDoNotFitWriteNothing) {
  TAnimTarget* target = MakeTarget();
  target->width = 7;
  Add<TvxColorAnimation>(owner_, target, "Width")->Start();
  Add<TvxFloatAnimation>(owner_, target, "Fill")->Start();
  Add<TvxFloatAnimation>(owner_, target, "Fill.Width")->Start();
  Add<TvxRectAnimation>(owner_, target, "Width")->Start();
  Step(1);
  EXPECT_EQ(target->width, 7);
  EXPECT_EQ(target->fill.color, "#FF000000");
}

TEST_F(AnimationTest, RectMovesEverySideAndNotifiesOnlyOnChange) {
  TAnimTarget* target = MakeTarget();
  auto* animation = Add<TvxRectAnimation>(owner_, target, "Padding");
  animation->StopValue()->SetRect({4, 8, 12, 16});
  animation->Start();
  EXPECT_EQ(target->paddingChanges, 0);  // the start value is what it had
  Step(0.5f);
  EXPECT_EQ(target->padding.Rect(), (TvxRect{2, 4, 6, 8}));
  EXPECT_EQ(target->paddingChanges, 1);

  auto* back = Add<TvxRectAnimation>(owner_, target, "padding");
  back->SetStartFromCurrent(true);
  back->Start();
  EXPECT_EQ(back->StartValue()->Rect(), (TvxRect{2, 4, 6, 8}));
}

TEST_F(AnimationTest, KeysInterpolateBetweenTheEnclosingPair) {
  TAnimTarget* target = MakeTarget();
  auto* animation = Add<TvxFloatKeyAnimation>(owner_, target, "Width");
  for (auto [key, value] : {std::pair{0.f, 0.f}, {0.5f, 10.f}, {2.f, 4.f}}) {
    auto* k = static_cast<TvxFloatKey*>(animation->Keys()->Add());
    k->SetKey(key);
    k->SetValue(value);
  }
  EXPECT_EQ(animation->Key(2)->Key(), 1);  // keys stay within the run
  animation->Start();
  std::vector<float> written;
  animation->OnProcess = [&](TObject*) { written.push_back(target->width); };
  Steps(4, 0.25f);
  EXPECT_THAT(written, testing::ElementsAre(5, 10, 7, 4));

  target->fill.color = "#FF102030";
  auto* colors = Add<TvxColorKeyAnimation>(owner_, target, "Fill.Color");
  colors->SetStartFromCurrent(true);
  for (float key : {0.f, 1.f}) static_cast<TvxKey*>(colors->Keys()->Add())->SetKey(key);
  colors->Key(1)->SetValueText("#FF000000");
  colors->Start();
  EXPECT_EQ(colors->Key(0)->ValueText(), "#FF102030");
  Step(0.5f);
  EXPECT_EQ(target->fill.color, "#FF081018");
}

TEST_F(AnimationTest, KeysThatEncloseNothingWriteNothing) {
  TAnimTarget* target = MakeTarget();
  target->width = 3;
  auto* animation = Add<TvxFloatKeyAnimation>(owner_, target, "Width");
  for (float key : {0.5f, 0.5f, 1.f}) static_cast<TvxKey*>(animation->Keys()->Add())->SetKey(key);
  animation->Start();
  Step(0.25f);  // before the first key
  EXPECT_EQ(target->width, 3);
  Step(0.25f);  // the first pair encloses 0.5 but has no length
  EXPECT_EQ(target->width, 3);
}

TEST(AnimationClasses, AreRegisteredAndStreamTheirKeys) {
  std::vector<const TClassInfo*> classes;
  RegisterAnimationClasses(classes);
  RegisterObjects(classes);
  const TClassInfo* info = FindClass("tvxcolorkeyanimation");
  ASSERT_NE(info, nullptr);
  EXPECT_FALSE(info->placeholder);
  EXPECT_FALSE(FindClass("TvxPathSwitcher")->placeholder);

  TComponent owner(nullptr);
  auto* original = static_cast<TvxColorKeyAnimation*>(info->Create(&owner));
  original->SetPropertyName("Fill.Color");
  auto* key = static_cast<TvxColorKey*>(original->Keys()->Add());
  key->SetKey(0.25f);
  key->SetValueText("#80FF0000");
  original->Keys()->Add();
  auto* copy = static_cast<TvxColorKeyAnimation*>(original->Clone(&owner));
  ASSERT_EQ(copy->Keys()->Count(), 2);
  EXPECT_EQ(copy->Key(0)->Key(), 0.25f);
  EXPECT_EQ(copy->Key(0)->Value(), 0x80FF0000u);
  EXPECT_EQ(copy->Key(1)->ValueText(), "#FFFFFFFF");
  EXPECT_EQ(copy->PropertyName(), "Fill.Color");
  EXPECT_EQ(copy->Duration(), 0.2f);
}

// Triggers.

class TriggerTest : public AnimationTest {
 protected:
  TriggerTest() : target(MakeTarget()) {
    hover = Add<TvxFloatAnimation>(owner_, target, "Width");
    hover->SetStopValue(10);
    hover->SetTrigger("IsMouseOver=true");
    hover->SetTriggerInverse("IsMouseOver=false");
  }
  void MouseOver(bool over) {
    target->isMouseOver = over;
    target->StartTriggerAnimation(target, "IsMouseOver");
  }

  TAnimTarget* target;
  TvxFloatAnimation* hover;
};

TEST_F(TriggerTest, EnteringRunsForwardsAndLeavingBackwards) {
  MouseOver(true);
  EXPECT_TRUE(hover->IsRunning());
  EXPECT_FALSE(hover->Inverse());
  Step(0.5f);
  EXPECT_EQ(target->width, 5);
  MouseOver(false);  // the running one jumps to its end, then runs back
  EXPECT_TRUE(hover->IsRunning());
  EXPECT_TRUE(hover->Inverse());
  EXPECT_EQ(target->width, 10);
  Step(0.25f);
  EXPECT_EQ(target->width, 7.5f);
}

TEST_F(TriggerTest, EveryKnownConditionMustHold) {
  hover->SetTriggerInverse("");
  hover->SetTrigger("IsMouseOver=true; IsPressed=false");
  target->isPressed = true;
  MouseOver(true);
  EXPECT_FALSE(hover->IsRunning());
  target->isPressed = false;
  target->StartTriggerAnimation(target, "ismouseover");
  EXPECT_TRUE(hover->IsRunning());
}

TEST_F(TriggerTest, UnknownPropertiesAreIgnoredButOneMustBeKnown) {
  hover->SetTriggerInverse("");
  hover->SetTrigger("IsMouseOver=true;IsOpen=false;Width=3");
  MouseOver(true);
  EXPECT_TRUE(hover->IsRunning());
  hover->Stop();

  hover->SetTrigger("IsMouseOver;IsOpen=true");  // no condition names a known state
  hover->StartTrigger(target, "IsMouseOver");
  EXPECT_FALSE(hover->IsRunning());
  hover->StartTrigger(nullptr, "IsMouseOver");
  EXPECT_FALSE(hover->IsRunning());
}

// The wait pumps messages; what they free must end the wait, not be used after it.
TEST_F(TriggerTest, AWaitEndsWhenItsAnimationIsFreedMeanwhile) {
  auto* sibling = Add<TvxFloatAnimation>(owner_, target, "Width");
  const TWeakRef<TvxObject> kept(sibling);
  target->isMouseOver = true;
  // Freeing the awaited one also moves its sibling to its place in the list.
  Platform().loop->Post([&] { delete hover; });
  target->StartTriggerAnimationWait(target, "IsMouseOver");
  EXPECT_EQ(kept.Get(), sibling);
  EXPECT_EQ(target->ChildrenCount(), 1);
}

TEST_F(TriggerTest, AWaitEndsWhenItsObjectIsFreedMeanwhile) {
  target->isMouseOver = true;
  const TWeakRef<TvxObject> watched(target);
  Platform().loop->Post([&] { delete target; });
  target->StartTriggerAnimationWait(target, "IsMouseOver");
  EXPECT_EQ(watched.Get(), nullptr);
}

TEST_F(TriggerTest, OtherEventsLeaveTheAnimationAlone) {
  target->isMouseOver = true;
  hover->StartTrigger(target, "IsFocused");
  EXPECT_FALSE(hover->IsRunning());
}

TEST_F(TriggerTest, WithoutAnInverseTextTheStoredDirectionIsKept) {
  hover->SetTriggerInverse("");
  hover->SetInverse(true);
  MouseOver(true);
  EXPECT_TRUE(hover->Inverse());
  EXPECT_EQ(target->width, 10);
}

// The driver's list under change.

TEST_F(AnimationTest, RunsMayEndOrFreeOthersDuringAStep) {
  TAnimTarget* target = MakeTarget();
  std::vector<TvxFloatAnimation*> animations;
  for (int i = 0; i < 4; ++i) {
    animations.push_back(Add<TvxFloatAnimation>(owner_, target, "Width"));
    animations.back()->SetDuration(0.1f * float(i + 1));
  }
  int processed = 0;
  for (TvxFloatAnimation* animation : animations) {
    animation->OnProcess = [&](TObject*) { ++processed; };
    animation->Start();
  }
  // The last entry, stepped first, frees two earlier ones; the first frees itself when done.
  bool freed = false;
  animations[3]->OnProcess = [&](TObject*) {
    if (std::exchange(freed, true)) return;
    delete animations[1];
    delete animations[2];
  };
  animations[0]->OnFinish = [](TObject* sender) { delete sender; };
  Step(0.1f);
  EXPECT_EQ(processed, 1);  // only the first is stepped besides the freeing one
  EXPECT_EQ(AniThread()->Count(), 1);
  EXPECT_EQ(target->ChildrenCount(), 1);
}

TEST_F(AnimationTest, TheDriverGoesWithTheLastScene) {
  TAnimTarget* target = MakeTarget();
  auto* animation = Add<TvxFloatAnimation>(owner_, target, "Width");
  animation->Start();
  AddScene(&scene_);
  FreeAniThreadWithLastScene();
  EXPECT_NE(AniThread(), nullptr);
  RemoveScene(&scene_);
  // Freed from within its own step: only once the step is over.
  animation->OnProcess = [](TObject*) { FreeAniThreadWithLastScene(); };
  Step(0.25f);
  EXPECT_EQ(AniThread(), nullptr);
  animation->OnProcess = {};
  animation->SetStopValue(10);
  animation->Start();
  Step(0.25f);
  EXPECT_EQ(target->width, 2.5f);  // under a new driver
  EXPECT_EQ(AniThread()->Count(), 1);
}

}  // namespace
