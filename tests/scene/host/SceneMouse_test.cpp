// Mouse routing: hover, capture, moving and resizing the form, the wheel, hooks.

#include <gtest/gtest.h>

#include "SceneFixture_support.h"

namespace {

using Strings = std::vector<std::string>;

class SceneMouse : public SceneTest {
 protected:
  SceneMouse() {
    a = AddProbe(root, "a", 10, 10, 20, 20);
    b = AddProbe(root, "b", 50, 10, 20, 20);
    log.clear();
  }
  TProbe* a;
  TProbe* b;
};

TEST_F(SceneMouse, MovingBetweenObjectsLeavesTheFirstOnceThenEntersTheSecond) {
  Window().MouseMove(15, 15);
  EXPECT_EQ(log, (Strings{"a enter", "a move 5,5"}));
  log.clear();
  Window().MouseMove(55, 15);
  EXPECT_EQ(log, (Strings{"a leave", "b enter", "b move 5,5"}));
  EXPECT_FALSE(a->IsMouseOver());
  EXPECT_TRUE(b->IsMouseOver());
  log.clear();
  Window().MouseMove(56, 16);
  Window().MouseMove(150, 80);
  Window().MouseMove(160, 80);
  EXPECT_EQ(log, (Strings{"b move 6,6", "b leave"}));
  log.clear();
  Window().MouseMove(15, 15);
  TWindowMessage leave;
  leave.kind = TWindowMessage::Kind::MouseLeave;
  Window().Send(leave);
  EXPECT_EQ(log, (Strings{"a enter", "a move 5,5", "a leave"}));
}

TEST_F(SceneMouse, PointerShowsTheObjectsCursorAndHint) {
  a->SetCursor(crHandPoint);
  a->SetShowHint(true);
  a->SetHint(u"提示");
  Window().MouseMove(15, 15);
  EXPECT_EQ(Window().Cursor(), crHandPoint);
  EXPECT_EQ(Window().Hint(), u"提示");
  EXPECT_EQ(scene->Hint(), u"提示");
  Window().MouseMove(55, 15);
  EXPECT_EQ(Window().Cursor(), crDefault);
  EXPECT_EQ(Window().Hint(), u"");
}

TEST_F(SceneMouse, CapturedObjectAloneGetsMovesAndTheRelease) {
  a->CaptureOnPress();
  Window().MouseMove(15, 15);
  Window().MouseDown(15, 15);
  EXPECT_TRUE(Window().Captured());
  EXPECT_EQ(scene->GetCaptured(), a);
  log.clear();
  Window().MouseMove(55, 15, ssLeft);
  Window().MouseUp(55, 15);
  EXPECT_EQ(log, (Strings{"a move 45,5", "a up 45,5"}));  // released outside: no click
  EXPECT_FALSE(Window().Captured());
  EXPECT_EQ(scene->GetCaptured(), nullptr);
  log.clear();
  Window().MouseDown(15, 15);
  Window().MouseUp(16, 16);
  EXPECT_EQ(log, (Strings{"a down 5,5", "a up 6,6", "a click"}));
}

TEST_F(SceneMouse, LeftPressOnEmptySpaceDragsTheForm) {
  Window().MouseDown(150, 80);
  Window().MouseMove(155, 83, ssLeft);
  EXPECT_EQ(form->BoundsRect(), (TBoundsI{105, 103, 200, 100}));
  EXPECT_EQ(Window().Bounds(), (TBoundsI{105, 103, 200, 100}));
  // The form moved with the pointer, which is back over the press point.
  Window().MouseMove(150, 80, ssLeft);
  EXPECT_EQ(form->BoundsRect(), (TBoundsI{105, 103, 200, 100}));
  Window().MouseMove(140, 70, ssLeft);
  EXPECT_EQ(form->BoundsRect(), (TBoundsI{95, 93, 200, 100}));
  Window().MouseUp(140, 70);
  Window().MouseMove(160, 90, ssLeft);
  EXPECT_EQ(form->BoundsRect(), (TBoundsI{95, 93, 200, 100}));
  EXPECT_EQ(log, Strings{});
}

TEST_F(SceneMouse, AnyButtonPressedOnEmptySpaceDragsTheForm) {
  Window().MouseDown(150, 80, TMouseButton::mbRight);
  Window().MouseMove(160, 90, ssRight);
  EXPECT_EQ(form->BoundsRect(), (TBoundsI{110, 110, 200, 100}));
  Window().MouseUp(160, 90, TMouseButton::mbRight);
  Window().MouseDown(150, 80, TMouseButton::mbMiddle);
  Window().MouseMove(145, 85, ssMiddle);
  EXPECT_EQ(form->BoundsRect(), (TBoundsI{105, 115, 200, 100}));
  Window().MouseUp(145, 85, TMouseButton::mbMiddle);
  // A press that hits an object goes to it and leaves the form where it is.
  Window().MouseDown(15, 15, TMouseButton::mbRight);
  Window().MouseMove(25, 25, ssRight);
  EXPECT_EQ(form->BoundsRect(), (TBoundsI{105, 115, 200, 100}));
  EXPECT_EQ(std::count(log.begin(), log.end(), "a down 5,5"), 1);
}

TEST_F(SceneMouse, FormStaysWhenTagged) {
  form->SetTag(65535);
  Window().MouseDown(150, 80);
  Window().MouseMove(160, 90, ssLeft);
  Window().MouseDown(150, 80, TMouseButton::mbRight);
  Window().MouseMove(160, 90, ssRight);
  EXPECT_EQ(form->BoundsRect(), (TBoundsI{100, 100, 200, 100}));
}

TEST_F(SceneMouse, MoveWithoutAButtonEndsAFormDragWhoseReleaseWasLost) {
  Window().MouseDown(150, 80);
  Window().MouseMove(160, 90);
  EXPECT_EQ(form->BoundsRect(), (TBoundsI{100, 100, 200, 100}));
  Window().MouseMove(55, 15);
  EXPECT_EQ(log, (Strings{"b enter", "b move 5,5"}));
}

TEST_F(SceneMouse, PressOnASizeGripResizesTheForm) {
  auto* grip = new TProbeGrip(form, "grip", &log);
  grip->SetBounds(180, 80, 20, 20);
  root->AddObject(grip);
  Window().MouseMove(190, 90);
  EXPECT_EQ(Window().Cursor(), crSizeNWSE);
  log.clear();
  Window().MouseDown(190, 90);
  Window().MouseMove(200, 95, ssLeft);
  EXPECT_EQ(form->BoundsRect(), (TBoundsI{100, 100, 210, 105}));
  EXPECT_EQ(scene->Width(), 210);
  Window().MouseMove(205, 95, ssLeft);
  EXPECT_EQ(form->BoundsRect(), (TBoundsI{100, 100, 215, 105}));
  Window().MouseMove(-900, -900, ssLeft);  // the form never collapses
  EXPECT_EQ(form->BoundsRect(), (TBoundsI{100, 100, 1, 1}));
  Window().MouseUp(205, 95);
  for (const std::string& entry : log) EXPECT_EQ(entry.find("down"), std::string::npos) << entry;
}

TEST_F(SceneMouse, WheelClimbsTheAncestorsUntilOneTakesIt) {
  TProbe* inner = AddProbe(a, "inner", 2, 2, 10, 10);
  Strings wheels;
  scene->OnMouseWheel = [&](TObject*, TShiftState, int delta, float x, float y) {
    wheels.push_back("scene " + std::to_string(delta) + " " + std::to_string(int(x)) + "," +
                     std::to_string(int(y)));
  };
  a->OnMouseWheel = [&](TObject*, TShiftState, int, const TvxPoint&, bool& handled) {
    wheels.push_back("a");
    handled = true;
  };
  root->OnMouseWheel = [&](TObject*, TShiftState, int, const TvxPoint&, bool&) {
    wheels.push_back("root");
  };
  Window().MouseMove(15, 15);
  Window().Wheel(15, 15, -120);
  EXPECT_EQ(wheels, (Strings{"scene -120 15,15", "a"}));
  wheels.clear();
  inner->CaptureOnPress();
  inner->OnMouseWheel = [&](TObject*, TShiftState, int, const TvxPoint&, bool&) {
    wheels.push_back("inner");
  };
  Window().MouseDown(15, 15);
  Window().MouseMove(60, 15, ssLeft);
  Window().Wheel(60, 15, 120);
  EXPECT_EQ(wheels, (Strings{"scene 120 60,15", "inner"}));
}

TEST_F(SceneMouse, HooksAndTheScenesOwnEventSeeAPressFirst) {
  const int hook = AddMessageHook([&](INativeWindow&, const TWindowMessage& m) {
    if (m.kind == TWindowMessage::Kind::MouseDown) log.push_back("hook");
  });
  scene->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, float x, float y) {
    log.push_back("scene " + std::to_string(int(x)) + "," + std::to_string(int(y)));
  };
  Window().MouseDown(15, 15);
  RemoveMessageHook(hook);
  EXPECT_EQ(log, (Strings{"hook", "scene 15,15", "a down 5,5"}));
}

TEST_F(SceneMouse, FreedObjectsAreForgotten) {
  a->CaptureOnPress();
  Window().MouseMove(15, 15);
  Window().MouseDown(15, 15);
  delete a;
  EXPECT_EQ(scene->GetCaptured(), nullptr);
  EXPECT_FALSE(Window().Captured());
  log.clear();
  Window().MouseMove(55, 15, ssLeft);
  Window().MouseUp(55, 15);
  EXPECT_EQ(log, (Strings{"b enter", "b move 5,5", "b up 5,5"}));
}

TEST_F(SceneMouse, DragInsideTheSceneDropsOnTheObjectThatAccepts) {
  a->SetDragMode(vxDragAutomatic);
  Strings drags;
  b->OnDragOver = [&](TObject*, const TvxDragObject& data, const TvxPoint&, bool& accept) {
    accept = data.Source == a;
  };
  b->OnDragEnter = [&](TObject*, const TvxDragObject&, const TvxPoint&) {
    drags.push_back("enter");
  };
  b->OnDragLeave = [&](TObject*) { drags.push_back("leave"); };
  b->OnDragDrop = [&](TObject*, const TvxDragObject&, const TvxPoint& p) {
    drags.push_back("drop " + std::to_string(int(p.X)) + "," + std::to_string(int(p.Y)));
  };
  a->OnDragEnd = [&](TObject*) { drags.push_back("end"); };
  Window().MouseDown(15, 15);
  Window().MouseMove(55, 15, ssLeft);
  EXPECT_EQ(scene->GetDragOverObject(), b);
  EXPECT_TRUE(b->IsDragOver());
  Window().MouseMove(150, 15, ssLeft);
  Window().MouseMove(56, 16, ssLeft);
  Window().MouseUp(56, 16);
  EXPECT_EQ(drags, (Strings{"enter", "leave", "enter", "drop 56,16", "end"}));
  EXPECT_EQ(scene->GetDragOverObject(), nullptr);
  EXPECT_FALSE(Window().Captured());
}

}  // namespace
