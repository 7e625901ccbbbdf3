#include <gtest/gtest.h>

#include <stdexcept>

#include "PaintRecorder_support.h"
#include "scene/graphics/Bitmap.h"
#include "scene/graphics/Effect.h"
#include "tests/scene/FakeScene.h"

namespace {

// An effect reaching `grow` units beyond the object, counting how often it processed a
// rendering of it.
class TProbeEffect : public TvxEffect {
 public:
  TProbeEffect(TComponent* owner, Placement placement, float grow)
      : TvxEffect(owner, placement), grow_(grow) {}
  static TProbeEffect* Beneath(TComponent* owner, float grow = 4) {
    return new TProbeEffect(owner, Placement::Beneath, grow);
  }
  static TProbeEffect* Above(TComponent* owner) {
    return new TProbeEffect(owner, Placement::Above, 2);
  }
  static TProbeEffect* Replacing(TComponent* owner) {
    return new TProbeEffect(owner, Placement::ReplacesObject, 0);
  }
  TvxRect GetRect(const TvxRect& rect) const override {
    TvxRect r = rect;
    return InflateRect(r, grow_, grow_);
  }
  TvxPoint GetOffset() const override { return {grow_, grow_}; }
  void ProcessEffect(TvxCanvas&, TvxBitmap& bitmap, float scale) override {
    ++processed;
    lastSize = {float(bitmap.Width()), float(bitmap.Height())};
    lastScale = scale;
  }
  int processed = 0;
  TvxPoint lastSize;
  float lastScale = 0;

 private:
  float grow_;
};

class VisualPaint : public testing::Test {
 protected:
  void SetUp() override {
    scene_.canvas = &canvas_;
    root_ = Probe(nullptr, "root", {0, 0, 400, 300});
    scene_.SetRoot(root_);
  }

  TPaintProbe* Probe(TvxVisualObject* parent, const std::string& tag, TvxRect bounds) {
    auto* probe = new TPaintProbe(&owner_, tag);
    probe->SetBounds(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
    if (parent) parent->AddObject(probe);
    return probe;
  }

  // What the scene host does for its root in one drawing of `dirty`.
  void Draw(const TvxRect& dirty = {0, 0, 400, 300}) {
    scene_.pending = {dirty};
    canvas_.SetMatrix(root_->GetAbsoluteMatrix());
    root_->BeforePaint();
    root_->Paint();
    root_->AfterPaint();
    root_->PaintChildren();
  }

  TPaintLog log_;
  TLogBackend backend_{log_};
  TLogCanvas canvas_{log_, 400, 300};
  TComponent owner_{nullptr};
  TFakeScene scene_;
  TPaintProbe* root_ = nullptr;
};

TEST_F(VisualPaint, ChildrenPaintInOrderUnderTheirOwnMatricesAndHooks) {
  TPaintProbe* a = Probe(root_, "a", {10, 10, 50, 50});
  TPaintProbe* inner = Probe(a, "inner", {5, 5, 10, 10});
  Probe(root_, "b", {100, 10, 50, 50});
  Probe(root_, "hidden", {0, 0, 50, 50})->SetVisible(false);
  std::vector<std::string> events;
  a->OnBeforePaint = [&](TObject*, TvxCanvas*, const TvxRect& r) {
    events.push_back("OnBeforePaint " + std::to_string(int(r.Right)));
  };
  a->OnPaint = [&](TObject*, TvxCanvas* canvas, const TvxRect&) {
    events.push_back(canvas->Matrix() == a->GetAbsoluteMatrix() ? "OnPaint at a" : "OnPaint");
  };
  Draw();
  EXPECT_EQ(CallNames(log_, "Paint"),
            (std::vector<std::string>{"Paint:root", "Paint:a", "Paint:inner", "Paint:b"}));
  EXPECT_EQ(CallNames(log_, "AfterPaint:a").size(), 1u);
  EXPECT_LT(IndexOf(log_, "AfterPaint:a"), IndexOf(log_, "Paint:b"));
  EXPECT_GT(IndexOf(log_, "AfterPaint:a"), IndexOf(log_, "AfterPaint:inner"));
  EXPECT_EQ(log_[size_t(IndexOf(log_, "Paint:inner"))].matrix, inner->GetAbsoluteMatrix());
  EXPECT_EQ(events, (std::vector<std::string>{"OnBeforePaint 50", "OnPaint at a"}));
}

TEST_F(VisualPaint, OnlyChildrenMeetingADirtyAreaArePainted) {
  Probe(root_, "left", {0, 0, 50, 50});
  TPaintProbe* clip = Probe(root_, "clip", {200, 0, 50, 50});
  clip->SetClipChildren(true);
  Probe(clip, "clipped", {100, 0, 50, 50});  // lies outside its clipping parent
  Draw({210, 10, 220, 20});
  EXPECT_EQ(CallNames(log_, "Paint"), (std::vector<std::string>{"Paint:root", "Paint:clip"}));
}

TEST_F(VisualPaint, ClippingParentsWrapTheirChildrensPainting) {
  TPaintProbe* parent = Probe(root_, "parent", {10, 10, 100, 100});
  parent->SetClipChildren(true);
  TPaintProbe* child = Probe(parent, "child", {20, 20, 30, 30});
  TPaintProbe* free = Probe(parent, "free", {20, 20, 30, 30});
  free->SetCanClipped(false);
  Draw();
  // The parent clips its own painting to itself, and each clippable child.
  const int childPaint = IndexOf(log_, "Paint:child");
  ASSERT_GE(childPaint, 3);
  const TPaintCall& clipCall = log_[size_t(childPaint - 2)];
  EXPECT_EQ(clipCall.name, "Clip");
  EXPECT_EQ(clipCall.rect, (TvxRect{0, 0, 100, 100}));
  EXPECT_EQ(clipCall.matrix, parent->GetAbsoluteMatrix());
  EXPECT_EQ(log_[size_t(childPaint + 2)].name, "Restore");
  const int freePaint = IndexOf(log_, "Paint:free");
  EXPECT_EQ(log_[size_t(freePaint - 1)].name, "BeforePaint:free");
  (void)child;
}

TEST_F(VisualPaint, AClipParentChildLimitsItsParentsOwnPainting) {
  TPaintProbe* parent = Probe(root_, "parent", {10, 10, 100, 100});
  TPaintProbe* window = Probe(parent, "window", {20, 30, 40, 50});
  window->SetClipParent(true);
  Draw();
  const int parentPaint = IndexOf(log_, "Paint:parent");
  const int clip = IndexOf(log_, "Clip");
  ASSERT_GE(clip, 0);
  EXPECT_LT(clip, parentPaint);
  EXPECT_EQ(log_[size_t(clip)].rect, (TvxRect{0, 0, 40, 50}));
  EXPECT_EQ(log_[size_t(clip)].matrix, window->GetAbsoluteMatrix());
  EXPECT_EQ(log_[size_t(parentPaint)].matrix, parent->GetAbsoluteMatrix());
  EXPECT_LT(IndexOf(log_, "Restore"), IndexOf(log_, "Paint:window"));
}

TEST_F(VisualPaint, DragOverObjectsAreHighlightedUnlessTheyOptOut) {
  TPaintProbe* target = Probe(root_, "target", {10, 10, 40, 30});
  target->DragEnter(TvxDragObject{}, {20, 20});
  EXPECT_TRUE(target->IsDragOver());
  Draw();
  const int frame = IndexOf(log_, "DrawRect");
  ASSERT_GE(frame, 0);
  EXPECT_GT(frame, IndexOf(log_, "AfterPaint:target"));
  EXPECT_EQ(log_[size_t(frame)].rect, (TvxRect{1, 1, 39, 29}));
  EXPECT_EQ(canvas_.lastStrokeColor, 0xB2005ACCu);
  EXPECT_EQ(canvas_.lastStrokeThickness, 3);
  EXPECT_EQ(canvas_.StrokeThickness(), 1);  // the canvas state comes back
  log_.clear();
  target->SetDragDisableHighlight(true);
  Draw();
  EXPECT_EQ(IndexOf(log_, "DrawRect"), -1);
  target->DragLeave();
  EXPECT_FALSE(target->IsDragOver());
}

TEST_F(VisualPaint, EffectsAreDrawnBeneathAboveOrInsteadOfTheObject) {
  TPaintProbe* under = Probe(root_, "under", {10, 10, 20, 20});
  under->AddObject(TProbeEffect::Beneath(&owner_));
  TPaintProbe* over = Probe(root_, "over", {50, 10, 20, 20});
  over->AddObject(TProbeEffect::Above(&owner_));
  TPaintProbe* replaced = Probe(root_, "replaced", {90, 10, 20, 20});
  replaced->AddObject(TProbeEffect::Replacing(&owner_));
  Draw();
  const auto onScreen = [&](const std::string& name) {
    for (size_t i = 0; i < log_.size(); ++i)
      if (log_[i].name == name && log_[i].canvas == &canvas_) return int(i);
    return -1;
  };
  std::vector<int> bitmaps;
  for (size_t i = 0; i < log_.size(); ++i)
    if (log_[i].name == "DrawBitmap" && log_[i].canvas == &canvas_) bitmaps.push_back(int(i));
  ASSERT_EQ(bitmaps.size(), 3u);
  EXPECT_LT(bitmaps[0], onScreen("Paint:under"));
  EXPECT_EQ(log_[size_t(bitmaps[0])].rect, (TvxRect{-4, -4, 24, 24}));
  EXPECT_GT(bitmaps[1], onScreen("AfterPaint:over"));
  EXPECT_EQ(onScreen("Paint:replaced"), -1);
  // The object was rendered into the effect bitmap at the effect's offset.
  const int rendered = IndexOf(log_, "Paint:under");
  ASSERT_GE(rendered, 0);
  EXPECT_NE(log_[size_t(rendered)].canvas, &canvas_);
  EXPECT_EQ(log_[size_t(rendered)].matrix.m31, 4);
}

TEST_F(VisualPaint, TheEffectBitmapIsReusedUntilSomethingChanges) {
  TPaintProbe* object = Probe(root_, "object", {10, 10, 20, 20});
  TProbeEffect* first = TProbeEffect::Beneath(&owner_, 4);
  TProbeEffect* second = TProbeEffect::Beneath(&owner_, 8);
  object->AddObject(first);
  object->AddObject(second);
  object->Scale()->SetPoint({2, 2});
  Draw();
  EXPECT_EQ(first->processed, 1);
  EXPECT_EQ(second->processed, 1);
  EXPECT_EQ(second->lastSize, (TvxPoint{72, 72}));  // (20 + 2 * 8) at scale 2
  EXPECT_EQ(second->lastScale, 2);
  log_.clear();
  Draw();
  EXPECT_EQ(first->processed, 1);
  // Both areas show the cached (last) result.
  std::vector<TvxRect> drawn;
  for (const TPaintCall& call : log_)
    if (call.name == "DrawBitmap") drawn.push_back(call.rect);
  EXPECT_EQ(drawn, (std::vector<TvxRect>{{-4, -4, 24, 24}, {-8, -8, 28, 28}}));
  object->SetWidth(30);
  Draw();
  EXPECT_EQ(first->processed, 2);
  second->SetEnabled(false);
  Draw();
  EXPECT_EQ(first->processed, 3);
  EXPECT_EQ(second->processed, 2);
}

TEST_F(VisualPaint, PaintToBitmapRendersTheObjectAloneAndPutsItBack) {
  TPaintProbe* parent = Probe(root_, "parent", {100, 100, 200, 100});
  TPaintProbe* object = Probe(parent, "object", {10, 10, 40.4f, 20.6f});
  object->SetRotateAngle(30);
  Probe(object, "child", {0, 0, 5, 5});
  const TvxMatrix before = object->GetAbsoluteMatrix();
  scene_.TakeUpdates();
  std::unique_ptr<TvxBitmap> bitmap = object->PaintToBitmap();
  EXPECT_EQ(bitmap->Width(), 40);
  EXPECT_EQ(bitmap->Height(), 21);
  EXPECT_EQ(CallNames(log_, "Paint"), (std::vector<std::string>{"Paint:object", "Paint:child"}));
  const TvxMatrix& drawn = log_[size_t(IndexOf(log_, "Paint:object"))].matrix;
  EXPECT_FLOAT_EQ(drawn.m11, 40 / 40.4f);
  EXPECT_FLOAT_EQ(drawn.m22, 21 / 20.6f);
  EXPECT_EQ(drawn.m31, 0);
  EXPECT_EQ(drawn.m12, 0);  // unrotated
  EXPECT_EQ(object->GetAbsoluteMatrix(), before);
  EXPECT_EQ(object->RotateAngle(), 30);
  EXPECT_EQ(object->Parent(), parent);
  EXPECT_TRUE(scene_.TakeUpdates().empty());
  EXPECT_FALSE(scene_.updateLocked);
}

TEST_F(VisualPaint, AHandlerThatThrowsLeavesNoCanvasStateSaved) {
  TPaintProbe* parent = Probe(root_, "parent", {10, 10, 100, 100});
  parent->SetClipChildren(true);
  TPaintProbe* child = Probe(parent, "child", {20, 20, 30, 30});
  child->SetClipChildren(true);
  Probe(child, "window", {0, 0, 10, 10})->SetClipParent(true);
  child->OnBeforePaint = [](TObject*, TvxCanvas*, const TvxRect&) {
    throw std::runtime_error("handler failed");
  };
  EXPECT_THROW(Draw(), std::runtime_error);
  // The parent's clip of its own painting and of the child, the window's clip of the child
  // and the child's own clip: each one given back.
  EXPECT_EQ(CallNames(log_, "Save").size(), 4u);
  EXPECT_EQ(CallNames(log_, "Restore").size(), 4u);
}

TEST_F(VisualPaint, PaintingToABitmapPutsTheObjectBackWhenAHandlerThrows) {
  TPaintProbe* parent = Probe(root_, "parent", {100, 100, 200, 100});
  TPaintProbe* object = Probe(parent, "object", {10, 10, 40, 20});
  object->SetRotateAngle(30);
  TPaintProbe* child = Probe(object, "child", {0, 0, 5, 5});
  child->OnBeforePaint = [](TObject*, TvxCanvas*, const TvxRect&) {
    throw std::runtime_error("handler failed");
  };
  const TvxMatrix before = object->GetAbsoluteMatrix();
  TvxCanvas* const canvas = object->Canvas();
  EXPECT_THROW(object->PaintToBitmap(), std::runtime_error);
  EXPECT_EQ(object->GetAbsoluteMatrix(), before);
  EXPECT_EQ(object->Position()->Point(), (TvxPoint{10, 10}));
  EXPECT_EQ(object->RotateAngle(), 30);
  EXPECT_EQ(object->Canvas(), canvas);
  EXPECT_EQ(child->Canvas(), canvas);
  EXPECT_FALSE(scene_.updateLocked);
}

TEST_F(VisualPaint, AutomaticDragsCarryAnImageOfAtMost512Pixels) {
  TPaintProbe* big = Probe(root_, "big", {0, 0, 1024, 256});
  big->BeginAutoDrag();
  EXPECT_EQ(scene_.dragged, big);
  EXPECT_EQ(scene_.dragImageSize, (TvxPoint{512, 128}));
  TPaintProbe* small = Probe(root_, "small", {0, 0, 30, 20});
  small->BeginAutoDrag();
  EXPECT_EQ(scene_.dragImageSize, (TvxPoint{30, 20}));
}

}  // namespace
