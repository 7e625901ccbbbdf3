#include "scene/core/VisualObject.h"

#include <gtest/gtest.h>

#include "platform/MenuService.h"
#include "platform/Menus.h"
#include "platform/headless/HeadlessMenuService.h"
#include "scene/core/Registration.h"
#include "scene/core/VisualClasses.h"
#include "scene/graphics/Effect.h"
#include "tests/scene/FakeScene.h"

namespace {

// A focusable control, as the controls built on visual objects are.
class TTestControl : public TvxVisualObject {
 public:
  explicit TTestControl(TComponent* owner) : TvxVisualObject(owner) {
    SetCanFocused(true);
    SetAutoCapture(true);
  }
  bool IsControl() const override { return true; }
  void ChildFocused(TvxVisualObject* object) override { focusedChild = object; }
  TvxVisualObject* focusedChild = nullptr;
};

// An effect whose result reaches 4 units beyond the object.
class TTestEffect : public TvxEffect {
 public:
  explicit TTestEffect(TComponent* owner) : TvxEffect(owner) {}
  TvxRect GetRect(const TvxRect& rect) const override {
    TvxRect r = rect;
    return InflateRect(r, 4, 4);
  }
};

// An animation that records the trigger events it is offered.
class TTestAnimation : public TvxObject, public IvxAnimationEnd {
 public:
  using TvxObject::TvxObject;
  void Start() override { running = true; }
  void Stop() override { running = false; }
  bool IsRunning() const override { return running; }
  bool HasTrigger() const override { return true; }
  void StartTrigger(TvxObject* instance, const std::string& trigger) override {
    events.push_back(trigger);
    lastInstance = instance;
  }
  bool running = false;
  std::vector<std::string> events;
  TvxObject* lastInstance = nullptr;
};

// Counts the dialog keys it is offered and takes one of them.
class TKeyConsumer : public TvxVisualObject {
 public:
  using TvxVisualObject::TvxVisualObject;
  void DialogKey(uint16_t& key, TShiftState) override {
    ++offers;
    if (key == consumes) key = 0;
  }
  int offers = 0;
  uint16_t consumes = 0;
};

class VisualObject : public testing::Test {
 protected:
  void SetUp() override {
    std::vector<const TClassInfo*> classes;
    RegisterVisualClasses(classes);
    RegisterObjects(classes);
    root_ = Make<TvxVisualObject>(nullptr, {0, 0, 400, 300});
    scene_.SetRoot(root_);
    previousMenus_ = InstallMenuService(&menus_);
  }
  void TearDown() override { InstallMenuService(previousMenus_); }

  template <class T = TvxVisualObject>
  T* Make(TvxVisualObject* parent, TvxRect bounds) {  // bounds as x, y, width, height
    auto* object = new T(&owner_);
    object->SetBounds(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
    if (parent) parent->AddObject(object);
    return object;
  }

  TComponent owner_{nullptr};
  TFakeScene scene_;
  TvxVisualObject* root_ = nullptr;
  THeadlessMenuService menus_;
  IMenuService* previousMenus_ = nullptr;
};

void ExpectPoint(const TvxPoint& actual, float x, float y) {
  EXPECT_NEAR(actual.X, x, 1e-4);
  EXPECT_NEAR(actual.Y, y, 1e-4);
}

TEST_F(VisualObject, MatricesRotateAboutTheCentreThenScaleThenMove) {
  TvxVisualObject* parent = Make(root_, {10, 20, 100, 100});
  TvxVisualObject* child = Make(parent, {5, 5, 40, 20});
  child->Scale()->SetPoint({2, 2});
  ExpectPoint(child->LocalToAbsolute({1, 1}), 10 + 5 + 2, 20 + 5 + 2);
  child->SetRotateAngle(90);  // clockwise about (20, 10)
  ExpectPoint(child->LocalToAbsolute({20, 10}), 10 + 5 + 40, 20 + 5 + 20);
  ExpectPoint(child->LocalToAbsolute({40, 10}), 10 + 5 + 40, 20 + 5 + 60);
  ExpectPoint(child->AbsoluteToLocal(child->LocalToAbsolute({3, 7})), 3, 7);
  ExpectPoint(child->LocalToAbsoluteVector({1, 0}), 0, 2);
  EXPECT_EQ(child->GetAbsoluteScale(), (TvxPoint{2, 2}));
  // The parent's move reaches the child's cached matrix.
  parent->Position()->SetX(110);
  ExpectPoint(child->LocalToAbsolute({20, 10}), 110 + 5 + 40, 20 + 5 + 20);
  child->SetRotateAngle(450);
  EXPECT_EQ(child->RotateAngle(), 90);
}

TEST_F(VisualObject, AnObjectLeavingItsParentDropsThePlaceItHadThere) {
  TvxVisualObject* parent = Make(root_, {20, 30, 100, 100});
  TvxVisualObject* child = Make(parent, {5, 5, 40, 20});
  TvxVisualObject* grandchild = Make(child, {1, 1, 10, 10});
  ExpectPoint(grandchild->LocalToAbsolute({0, 0}), 26, 36);
  parent->RemoveObject(child);  // as a popup leaves for a scene of its own
  ExpectPoint(child->LocalToAbsolute({0, 0}), 5, 5);
  ExpectPoint(grandchild->LocalToAbsolute({0, 0}), 6, 6);
}

TEST_F(VisualObject, ResizingARotatedObjectKeepsItTurningAboutItsNewCentre) {
  TvxVisualObject* object = Make(root_, {0, 0, 40, 20});
  object->SetRotateAngle(180);
  object->SetWidth(60);
  ExpectPoint(object->LocalToAbsolute({0, 0}), 60, 20);
}

TEST_F(VisualObject, SetBoundsRectWithANegativeExtentMirrors) {
  TvxVisualObject* object = Make(root_, {0, 0, 10, 10});
  object->SetBoundsRect({50, 10, 20, 30});
  EXPECT_EQ(object->Width(), 30);
  EXPECT_EQ(object->Scale()->X(), -1);
  ExpectPoint(object->LocalToAbsolute({0, 0}), 50, 10);
  ExpectPoint(object->LocalToAbsolute({30, 20}), 20, 30);
}

TEST_F(VisualObject, HitTestingFindsTheTopmostHitTestableObjectInsideStrictEdges) {
  TvxVisualObject* back = Make(root_, {10, 10, 100, 100});
  TvxVisualObject* front = Make(root_, {50, 50, 100, 100});
  root_->SetHitTest(false);
  EXPECT_EQ(root_->ObjectAtPoint({60, 60}), front);
  EXPECT_EQ(root_->ObjectAtPoint({20, 20}), back);
  EXPECT_EQ(root_->ObjectAtPoint({50, 60}), back);  // front's edge is outside front
  EXPECT_EQ(root_->ObjectAtPoint({5, 5}), nullptr);
  front->SetHitTest(false);
  EXPECT_EQ(root_->ObjectAtPoint({60, 60}), back);
  back->SetVisible(false);
  EXPECT_EQ(root_->ObjectAtPoint({60, 60}), nullptr);

  // Children outside a clipping parent cannot be hit; a disabled control hides its subtree.
  TvxVisualObject* clip = Make(root_, {200, 0, 50, 50});
  clip->SetClipChildren(true);
  TvxVisualObject* outside = Make(clip, {60, 0, 20, 20});
  EXPECT_EQ(root_->ObjectAtPoint({265, 10}), nullptr);
  clip->SetClipChildren(false);
  EXPECT_EQ(root_->ObjectAtPoint({265, 10}), outside);
  auto* control = Make<TTestControl>(root_, {300, 200, 50, 50});
  TvxVisualObject* inside = Make(control, {0, 0, 50, 50});
  EXPECT_EQ(root_->ObjectAtPoint({320, 220}), inside);
  control->SetEnabled(false);
  EXPECT_EQ(root_->ObjectAtPoint({320, 220}), nullptr);
}

TEST_F(VisualObject, DropTargetsMustAcceptTheData) {
  TvxVisualObject* lower = Make(root_, {0, 0, 100, 100});
  Make(root_, {0, 0, 100, 100});  // on top, but accepts nothing
  root_->SetHitTest(false);
  lower->OnDragOver = [](TObject*, const TvxDragObject& data, const TvxPoint&, bool& accept) {
    accept = !data.Files.empty();
  };
  TvxDragObject files;
  files.Files = {u"a.txt"};
  EXPECT_EQ(root_->DropTargetAtPoint({50, 50}, files), lower);
  EXPECT_EQ(root_->DropTargetAtPoint({50, 50}, TvxDragObject{}), nullptr);
}

TEST_F(VisualObject, RepaintsCoverTheObjectItsChildrenAndItsOldPlace) {
  TvxVisualObject* object = Make(root_, {10, 10, 20, 20});
  TvxVisualObject* child = Make(object, {30, 0, 10, 10});  // sticks out to the right
  scene_.TakeUpdates();
  object->Position()->SetX(100);
  const std::vector<TvxRect> updates = scene_.TakeUpdates();
  EXPECT_TRUE(AnyCovers(updates, {10, 10, 50, 30}));    // old area, child included
  EXPECT_TRUE(AnyCovers(updates, {100, 10, 140, 30}));  // new area
  EXPECT_EQ(child->GetUpdateRect(), (TvxRect{130, 10, 140, 20}));

  object->SetClipChildren(true);
  EXPECT_EQ(child->GetUpdateRect(), TvxRect{});  // wholly outside its clipping parent
  child->Position()->SetX(15);
  EXPECT_EQ(child->GetUpdateRect(), (TvxRect{115, 10, 120, 20}));  // cut at the parent
  EXPECT_EQ(object->GetUpdateRect(), (TvxRect{100, 10, 120, 30}));
}

TEST_F(VisualObject, NoRepaintWhileHiddenLockedOrInsideAnUpdate) {
  TvxVisualObject* parent = Make(root_, {0, 0, 50, 50});
  TvxVisualObject* object = Make(parent, {0, 0, 10, 10});
  scene_.TakeUpdates();
  parent->SetVisible(false);
  scene_.TakeUpdates();
  object->SetOpacity(0.5f);
  EXPECT_TRUE(scene_.TakeUpdates().empty());
  parent->SetVisible(true);
  scene_.TakeUpdates();
  scene_.updateLocked = true;
  object->SetOpacity(0.4f);
  scene_.updateLocked = false;
  object->BeginUpdate();
  object->SetOpacity(0.3f);
  EXPECT_TRUE(scene_.TakeUpdates().empty());
  object->EndUpdate();
  object->SetOpacity(0.2f);
  EXPECT_EQ(scene_.TakeUpdates().size(), 1u);
}

TEST_F(VisualObject, HidingRepaintsTheOldAreaAndShowingAnnouncesItself) {
  TvxVisualObject* object = Make(root_, {10, 10, 20, 20});
  auto* animation = new TTestAnimation(&owner_);
  object->AddObject(animation);
  scene_.TakeUpdates();
  object->SetVisible(false);
  EXPECT_TRUE(AnyCovers(scene_.TakeUpdates(), {10, 10, 30, 30}));
  object->SetVisible(true);
  EXPECT_TRUE(AnyCovers(scene_.TakeUpdates(), {10, 10, 30, 30}));
  EXPECT_EQ(animation->events, (std::vector<std::string>{"IsVisible"}));
}

TEST_F(VisualObject, OpacityIsClampedAndFadesOncePerDisabledLevel) {
  TvxVisualObject* outer = Make(root_, {0, 0, 50, 50});
  TvxVisualObject* inner = Make(outer, {0, 0, 50, 50});
  TvxVisualObject* leaf = Make(inner, {0, 0, 50, 50});
  leaf->SetOpacity(1.5f);
  EXPECT_EQ(leaf->Opacity(), 1);
  leaf->SetOpacity(-1);
  EXPECT_EQ(leaf->Opacity(), 0);
  leaf->SetOpacity(0.5f);
  outer->SetOpacity(0.5f);
  EXPECT_FLOAT_EQ(leaf->GetAbsoluteOpacity(), 0.25f);
  inner->SetEnabled(false);  // a grandchild of the root: fades
  EXPECT_FLOAT_EQ(inner->GetAbsoluteOpacity(), 0.5f * 0.8f);
  EXPECT_FLOAT_EQ(leaf->GetAbsoluteOpacity(), 0.5f * 0.8f * 0.5f * 0.8f);
  EXPECT_FALSE(leaf->GetAbsoluteEnabled());
  outer->SetEnabled(false);  // a child of the root: does not fade itself
  EXPECT_FLOAT_EQ(outer->GetAbsoluteOpacity(), 0.5f);
  inner->SetEnabled(true);
  outer->SetEnabled(true);
  EXPECT_FLOAT_EQ(leaf->GetAbsoluteOpacity(), 0.25f);
  EXPECT_TRUE(leaf->GetAbsoluteEnabled());
}

TEST_F(VisualObject, MovingASubtreeTakesTheNewParentsState) {
  TvxVisualObject* disabled = Make(root_, {0, 0, 50, 50});
  TvxVisualObject* enabled = Make(root_, {100, 0, 50, 50});
  TvxVisualObject* object = Make(disabled, {0, 0, 10, 10});
  disabled->SetEnabled(false);
  EXPECT_FALSE(object->GetAbsoluteEnabled());
  object->SetParent(enabled);
  EXPECT_TRUE(object->GetAbsoluteEnabled());
  ExpectPoint(object->LocalToAbsolute({0, 0}), 100, 0);
}

TEST_F(VisualObject, ClickFiresOnReleaseInsideEdgesIncluded) {
  TvxVisualObject* object = Make(root_, {0, 0, 20, 20});
  int clicks = 0;
  int doubleClicks = 0;
  object->OnClick = [&](TObject*) { ++clicks; };
  object->OnDblClick = [&](TObject*) { ++doubleClicks; };
  object->MouseDown(TMouseButton::mbLeft, 0, 5, 5);
  object->MouseUp(TMouseButton::mbLeft, 0, 20, 0);
  EXPECT_EQ(clicks, 1);
  object->MouseDown(TMouseButton::mbLeft, 0, 5, 5);
  object->MouseUp(TMouseButton::mbLeft, 0, 20.5f, 5);
  EXPECT_EQ(clicks, 1);
  object->MouseDown(TMouseButton::mbLeft, ssDouble, 5, 5);
  object->MouseUp(TMouseButton::mbLeft, 0, 5, 5);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubleClicks, 1);
  object->MouseUp(TMouseButton::mbLeft, 0, 5, 5);  // a release without a press
  EXPECT_EQ(clicks, 1);
}

TEST_F(VisualObject, AClickHandlerMayFreeTheObject) {
  TvxVisualObject* object = Make(root_, {0, 0, 20, 20});
  object->OnClick = [object](TObject*) { delete object; };
  object->MouseDown(TMouseButton::mbLeft, 0, 5, 5);
  object->MouseUp(TMouseButton::mbLeft, 0, 5, 5);
  EXPECT_EQ(root_->ChildrenCount(), 0);
}

TEST_F(VisualObject, RightPressOpensThePopupMenuAtTheScreenPointWithoutAClick) {
  TvxVisualObject* object = Make(root_, {10, 20, 40, 40});
  TPopupMenu menu(&owner_);
  object->SetPopupMenu(&menu);
  int clicks = 0;
  object->OnClick = [&](TObject*) { ++clicks; };
  object->MouseDown(TMouseButton::mbRight, 0, 5.6f, 5);
  object->MouseUp(TMouseButton::mbRight, 0, 5.6f, 5);
  ASSERT_EQ(menus_.Requests().size(), 1u);
  EXPECT_EQ(menus_.Requests()[0].menu, &menu);
  EXPECT_EQ(menus_.Requests()[0].x, int(10 + 5 + TFakeScene::kScreenOffset.X));
  EXPECT_EQ(menus_.Requests()[0].y, int(20 + 5 + TFakeScene::kScreenOffset.Y));
  EXPECT_EQ(menu.PopupComponent(), object);
  EXPECT_EQ(clicks, 0);

  uint16_t key = vkApps;  // the context-menu key opens it at the centre
  char16_t keyChar = 0;
  object->KeyDown(key, keyChar, 0);
  ASSERT_EQ(menus_.Requests().size(), 2u);
  EXPECT_EQ(menus_.Requests()[1].x, int(10 + 20 + TFakeScene::kScreenOffset.X));
}

TEST_F(VisualObject, AFreedPopupMenuIsForgotten) {
  TvxVisualObject* object = Make(root_, {0, 0, 40, 40});
  auto* menu = new TPopupMenu(&owner_);
  object->SetPopupMenu(menu);
  delete menu;
  EXPECT_EQ(object->PopupMenu(), nullptr);
  object->MouseDown(TMouseButton::mbRight, 0, 5, 5);
  EXPECT_TRUE(menus_.Requests().empty());
}

TEST_F(VisualObject, PressFocusesAndCapturesAControlAndReleaseLetsGo) {
  auto* control = Make<TTestControl>(root_, {0, 0, 40, 40});
  auto* inner = Make<TTestControl>(control, {0, 0, 10, 10});
  control->MouseDown(TMouseButton::mbLeft, 0, 5, 5);
  EXPECT_EQ(scene_.focused, control);
  EXPECT_TRUE(control->IsFocused());
  EXPECT_EQ(scene_.captured, control);
  control->MouseUp(TMouseButton::mbLeft, 0, 5, 5);
  EXPECT_EQ(scene_.captured, nullptr);

  inner->OnCanFocused = [](TObject*, bool& allow) { allow = false; };
  inner->MouseDown(TMouseButton::mbLeft, 0, 5, 5);
  EXPECT_EQ(scene_.focused, control);
  inner->OnCanFocused = {};
  inner->SetFocus();
  EXPECT_EQ(scene_.focused, inner);
  EXPECT_FALSE(control->IsFocused());
  EXPECT_EQ(control->focusedChild, inner);
}

TEST_F(VisualObject, FocusInflatesTheUpdateRectAndIsLostWithTheScene) {
  auto* control = Make<TTestControl>(root_, {10, 10, 20, 20});
  control->SetFocus();
  EXPECT_EQ(control->GetUpdateRect(), (TvxRect{5, 5, 35, 35}));
  control->SetVisible(false);
  EXPECT_EQ(scene_.focused, nullptr);
  control->SetVisible(true);
  control->SetFocus();
  control->SetEnabled(false);
  control->GetAbsoluteEnabled();
  EXPECT_EQ(scene_.focused, nullptr);
  control->SetEnabled(true);
  control->SetFocus();
  root_->RemoveObject(control);
  EXPECT_EQ(scene_.focused, nullptr);
  EXPECT_FALSE(control->IsFocused());
  delete control;
}

TEST_F(VisualObject, StateChangesReachAnimationsAndEffectsInStyleParts) {
  auto* control = Make<TTestControl>(root_, {0, 0, 40, 40});
  auto* part = Make(control, {0, 0, 40, 40});  // a part of the control's style
  part->SetLocked(true);
  part->SetHitTest(false);
  auto* animation = new TTestAnimation(&owner_);
  part->AddObject(animation);
  auto* glow = new TTestEffect(&owner_);
  glow->SetTrigger("IsMouseOver=true");
  part->AddObject(glow);
  auto* focusGlow = new TTestEffect(&owner_);
  focusGlow->SetTrigger("IsFocused=true;IsMouseOver=false");
  part->AddObject(focusGlow);

  control->MouseEnter();
  EXPECT_TRUE(glow->Enabled());
  EXPECT_FALSE(focusGlow->Enabled());
  control->MouseLeave();
  EXPECT_FALSE(glow->Enabled());
  control->SetFocus();
  EXPECT_TRUE(focusGlow->Enabled());
  EXPECT_EQ(animation->events,
            (std::vector<std::string>{"IsMouseOver", "IsMouseOver", "IsFocused"}));
  EXPECT_EQ(animation->lastInstance, control);

  // A trigger naming only unknown states switches its effect off.
  glow->SetTrigger("IsPressed=true");
  glow->SetEnabled(true);
  control->ApplyTriggerEffect(control, "IsPressed");
  EXPECT_FALSE(glow->Enabled());

  // A hit-testable child is an independent object: events do not enter it.
  part->SetHitTest(true);
  control->MouseEnter();
  EXPECT_EQ(animation->events.size(), 3u);
}

TEST_F(VisualObject, EnabledEffectsWidenTheRepaintAreaAndClearItWhenSwitchedOff) {
  TvxVisualObject* object = Make(root_, {20, 20, 10, 10});
  auto* effect = new TTestEffect(&owner_);
  effect->SetEnabled(false);
  object->AddObject(effect);
  EXPECT_FALSE(object->HasEffects());
  EXPECT_EQ(object->GetUpdateRect(), (TvxRect{20, 20, 30, 30}));
  effect->SetEnabled(true);
  EXPECT_TRUE(object->HasEffects());
  EXPECT_EQ(object->GetEffectRect(), (TvxRect{-4, -4, 14, 14}));
  EXPECT_EQ(object->GetUpdateRect(), (TvxRect{16, 16, 34, 34}));
  scene_.TakeUpdates();
  effect->SetEnabled(false);
  EXPECT_TRUE(AnyCovers(scene_.TakeUpdates(), {16, 16, 34, 34}));
  EXPECT_FALSE(object->HasEffects());
  EXPECT_EQ(object->GetUpdateRect(), (TvxRect{20, 20, 30, 30}));
  effect->SetEnabled(true);
  scene_.TakeUpdates();
  delete effect;
  EXPECT_TRUE(AnyCovers(scene_.TakeUpdates(), {16, 16, 34, 34}));
  EXPECT_FALSE(object->HasEffects());
  object->SetEffectsDisabled(true);
  object->AddObject(new TTestEffect(&owner_));
  EXPECT_FALSE(object->HasEffects());
}

TEST_F(VisualObject, DialogKeysAreOfferedToEnabledChildrenUntilOneIsTaken) {
  auto* first = Make<TKeyConsumer>(root_, {0, 0, 10, 10});
  auto* disabled = Make<TKeyConsumer>(root_, {0, 0, 10, 10});
  auto* last = Make<TKeyConsumer>(root_, {0, 0, 10, 10});
  disabled->SetEnabled(false);
  first->consumes = 27;
  uint16_t key = 13;
  root_->DialogKey(key, 0);
  EXPECT_EQ(first->offers, 1);
  EXPECT_EQ(disabled->offers, 0);
  EXPECT_EQ(last->offers, 1);
  key = 27;
  root_->DialogKey(key, 0);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(last->offers, 1);
}

TEST_F(VisualObject, TheCaretIsAHiddenUnstoredPartPlacedOnWholeUnits) {
  TvxVisualObject* box = Make(root_, {0, 0, 100, 20});
  EXPECT_EQ(box->CaretObject(), nullptr);
  box->SetCaretPos({10.6f, 2.2f});
  TvxVisualObject* caret = box->CaretObject();
  ASSERT_NE(caret, nullptr);
  EXPECT_EQ(caret->Parent(), box);
  EXPECT_FALSE(caret->Visible());
  EXPECT_FALSE(caret->Stored());
  EXPECT_FALSE(caret->HitTest());
  EXPECT_EQ(caret->Position()->Point(), (TvxPoint{11, 2}));
  EXPECT_EQ(caret->Width(), 3);
  box->ShowCaret();
  EXPECT_TRUE(caret->Visible());
  box->HideCaret();
  EXPECT_FALSE(caret->Visible());
  box->DeleteChildren();
  EXPECT_EQ(box->CaretObject(), nullptr);
}

TEST_F(VisualObject, MouseWheelReportsTheScenePointer) {
  TvxVisualObject* object = Make(root_, {0, 0, 10, 10});
  bool handled = false;
  object->MouseWheel(0, 120, handled);  // no handler: nothing happens
  EXPECT_FALSE(handled);
  scene_.mousePos = {7, 8};
  TvxPoint seen;
  object->OnMouseWheel = [&](TObject*, TShiftState, int delta, const TvxPoint& p, bool& h) {
    seen = p;
    h = delta > 0;
  };
  object->MouseWheel(0, 120, handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(seen, (TvxPoint{7, 8}));
}

}  // namespace
