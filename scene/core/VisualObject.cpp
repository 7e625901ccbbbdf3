#include "scene/core/VisualObject.h"

#include <algorithm>
#include <array>
#include <climits>
#include <thread>

#include "platform/Menus.h"
#include "platform/Platform.h"
#include "platform/component/PropAccess.h"
#include "platform/component/TemporaryChange.h"
#include "scene/core/AlignLayout.h"
#include "scene/core/Caret.h"
#include "scene/core/FloatAnimation.h"
#include "scene/core/PublishedValues.h"
#include "scene/graphics/Bitmap.h"
#include "scene/graphics/Canvas.h"
#include "scene/graphics/CanvasStateGuard.h"
#include "scene/graphics/Effect.h"
#include "scene/graphics/EffectPainter.h"

namespace {

TvxVisualObject* AsVisual(TvxObject* object) {
  return object && object->IsVisual() ? dynamic_cast<TvxVisualObject*>(object) : nullptr;
}

// Screen pixels of a point; far-off values are held inside the integer range.
int ToPixel(float value) {
  const double rounded = RoundHalfEven(double(value));
  if (!(rounded > INT_MIN)) return INT_MIN;
  if (!(rounded < INT_MAX)) return INT_MAX;
  return int(rounded);
}

// Read-only states are published so that trigger texts can test them; form data cannot set
// them.
template <class T>
void IgnoreWrite(TvxVisualObject&, T) {}

}  // namespace

bool TvxVisualObject::GlobalDisableFocusEffect = false;

LC_PUBLISH(TvxVisualObject) {
  using C = TvxVisualObject;
  p.Enum("Align", AlignNames(), &C::Align, &C::SetAlign, vaNone);
  p.Object("Position", &C::Position);
  p.Float("Width", &C::Width, &C::SetWidth, 50);
  p.Float("Height", &C::Height, &C::SetHeight, 50);
  p.Object("Scale", &C::Scale);
  p.Float("RotateAngle", &C::RotateAngle, &C::SetRotateAngle);
  p.Object("RotateCenter", &C::RotateCenter);
  p.Object("Margins", &C::Margins);
  p.Object("Padding", &C::Padding);
  p.Float("Opacity", &C::Opacity, &C::SetOpacity, 1);
  p.Bool("Visible", &C::Visible, &C::SetVisible, true);
  p.Bool("Enabled", &C::Enabled, &C::SetEnabled, true);
  p.Bool("HitTest", &C::HitTest, &C::SetHitTest, true);
  p.Bool("ClipChildren", &C::ClipChildren, &C::SetClipChildren);
  p.Bool("ClipParent", &C::ClipParent, &C::SetClipParent);
  p.Bool("CanClipped", &C::CanClipped, &C::SetCanClipped, true);
  p.Bool("Locked", &C::Locked, &C::SetLocked);
  p.Bool("DesignHide", &C::DesignHide, &C::SetDesignHide);
  p.Integer("Cursor", &C::Cursor, &C::SetCursor, crDefault);
  p.Enum("DragMode", DragModeNames(), &C::DragMode, &C::SetDragMode, vxDragManual);
  p.Bool("DragDisableHighlight", &C::DragDisableHighlight, &C::SetDragDisableHighlight);
  p.WString("Hint", &C::Hint, &C::SetHint);
  p.Bool("ShowHint", &C::ShowHint, &C::SetShowHint);
  p.Component("PopupMenu", &C::PopupMenu, &C::SetPopupMenu);
  p.Component("Popup", &C::Popup, &C::SetPopup);
  p.Bool("IsMouseOver", &C::IsMouseOver, &IgnoreWrite<bool>).NoStore();
  p.Bool("IsFocused", &C::IsFocused, &IgnoreWrite<bool>).NoStore();
  p.Bool("IsDragOver", &C::IsDragOver, &IgnoreWrite<bool>).NoStore();
  p.Bool("IsVisible", &C::IsVisible, &IgnoreWrite<bool>).NoStore();
  p.Event("OnMouseDown", &C::OnMouseDown);
  p.Event("OnMouseMove", &C::OnMouseMove);
  p.Event("OnMouseUp", &C::OnMouseUp);
  p.Event("OnMouseWheel", &C::OnMouseWheel);
  p.Event("OnMouseEnter", &C::OnMouseEnter);
  p.Event("OnMouseLeave", &C::OnMouseLeave);
  p.Event("OnClick", &C::OnClick);
  p.Event("OnDblClick", &C::OnDblClick);
  p.Event("OnKeyDown", &C::OnKeyDown);
  p.Event("OnKeyUp", &C::OnKeyUp);
  p.Event("OnCanFocused", &C::OnCanFocused);
  p.Event("OnEnterFocus", &C::OnEnterFocus);
  p.Event("OnKillFocus", &C::OnKillFocus);
  p.Event("OnDragEnter", &C::OnDragEnter);
  p.Event("OnDragOver", &C::OnDragOver);
  p.Event("OnDragDrop", &C::OnDragDrop);
  p.Event("OnDragLeave", &C::OnDragLeave);
  p.Event("OnDragEnd", &C::OnDragEnd);
  p.Event("OnBeforePaint", &C::OnBeforePaint);
  p.Event("OnPaint", &C::OnPaint);
  p.Event("OnApplyResource", &C::OnApplyResource);
}

TvxVisualObject::TvxVisualObject(TComponent* owner)
    : TvxObject(owner),
      position_(std::make_unique<TvxPosition>()),
      scale_(std::make_unique<TvxPosition>(TvxPoint{1, 1})),
      rotateCenter_(std::make_unique<TvxPosition>(TvxPoint{0.5f, 0.5f})),
      margins_(std::make_unique<TvxBounds>()),
      padding_(std::make_unique<TvxBounds>()) {
  SetVisual();
  position_->OnChange = TNotifyEvent(this, &TvxVisualObject::PositionChanged);
  scale_->OnChange = TNotifyEvent(this, &TvxVisualObject::PositionChanged);
  rotateCenter_->OnChange = TNotifyEvent(this, &TvxVisualObject::PositionChanged);
  margins_->OnChange = [this](TObject*) { MarginsChanged(); };
  padding_->OnChange = [this](TObject*) { PaddingChanged(); };
  RebuildLocalMatrix();
}

TvxVisualObject::~TvxVisualObject() {
  DestroyTree();
}

// Tree bookkeeping.

TvxVisualObject* TvxVisualObject::VisualParent() const {
  return detached_ ? nullptr : AsVisual(Parent());
}

TvxCanvas* TvxVisualObject::Canvas() const {
  if (canvas_) return canvas_;
  return Scene() ? Scene()->GetCanvas() : nullptr;
}

void TvxVisualObject::ChildAdded(TvxObject* object) {
  if (auto* effect = dynamic_cast<TvxEffect*>(object)) {
    if (effect->Enabled()) {
      InvalidateEffectCache();
      UpdateEffects();
    }
    return;
  }
  TvxVisualObject* child = AsVisual(object);
  if (!child) return;
  if (child->align_ != vaNone) MarkAlignedChildren();
  child->SetCanvasTree(canvas_);
  child->updateCount_ = updateCount_;
  child->InvalidateOpacity();
  child->InvalidateAbsoluteMatrix();
  child->InvalidateEnabled();
  child->InvalidateUpdateRects();
  updateRectStale_ = true;
  if (child->align_ != vaNone) {
    Realign();
  } else {
    Repaint();
  }
}

void TvxVisualObject::ChildRemoving(TvxObject* object) {
  if (auto* effect = dynamic_cast<TvxEffect*>(object)) {
    // The cached area still holds what the effect covered (a leaving effect may already have
    // lost its own geometry).
    if (effect->Enabled() && hasEffects_) Repaint();
    return;
  }
  if (TvxVisualObject* child = AsVisual(object)) {
    child->updateCount_ = 0;
    child->Repaint();
  }
}

void TvxVisualObject::ChildRemoved(TvxObject* object) {
  updateRectStale_ = true;
  UpdateEffects();
  if (TvxVisualObject* child = AsVisual(object)) {
    ReevaluateAlignedChildren();
    child->SetCanvasTree(nullptr);
    // Its place came from this parent; a scene root or a new parent places it afresh.
    child->InvalidateAbsoluteMatrix();
    // The room an aligned child took goes back to its siblings.
    if (child->align_ != vaNone && child->visible_ && !HasState(csLoading)) Realign();
  }
}

void TvxVisualObject::MarkAlignedChildren() {
  // Anchored and scaled children measure the parent's growth from their first layout on.
  if (!hasAlignedChildren_) {
    lastWidth_ = width_;
    lastHeight_ = height_;
  }
  hasAlignedChildren_ = true;
}

void TvxVisualObject::ReevaluateAlignedChildren() {
  hasAlignedChildren_ = false;
  for (const TvxVisualObject& child : VisualChildren())
    if (child.align_ != vaNone) hasAlignedChildren_ = true;
}

void TvxVisualObject::SetCanvasTree(TvxCanvas* canvas) {
  canvas_ = canvas;
  ForEachVisualDescendant([canvas](TvxVisualObject& object) { object.canvas_ = canvas; });
}

void TvxVisualObject::SetOffscreenTree(bool value) {
  offscreen_ = value;
  ForEachVisualDescendant([value](TvxVisualObject& object) { object.offscreen_ = value; });
}

void TvxVisualObject::SetScene(IvxScene* scene) {
  IvxScene* old = Scene();
  if (old && old != scene) {
    if (old->GetCaptured() == this) old->SetCaptured(nullptr);
    if (isFocused_) {
      if (old->GetFocused() == this) {
        old->SetFocused(nullptr);
      } else if (!HasState(csDestroying)) {
        KillFocus();
      }
      isFocused_ = false;
    }
  }
  TvxObject::SetScene(scene);
}

void TvxVisualObject::Loaded() {
  TvxObject::Loaded();
  lastWidth_ = width_;
  lastHeight_ = height_;
  UpdateEffects();
  MatrixChanged();
  if (ChildrenCount() > 0) Realign();
}

// Matrices and coordinates.

void TvxVisualObject::PositionChanged(TObject*) {
  if (!quietPosition_) MatrixChanged();
}

void TvxVisualObject::MoveQuietly(const TvxPoint& position) {
  const TTemporaryChange quiet(quietPosition_, true);
  position_->SetPoint(position);
}

void TvxVisualObject::RebuildLocalMatrix() {
  TvxMatrix m = IdentityMatrix;
  m.m11 = scale_->X();
  m.m22 = scale_->Y();
  m.m31 = position_->X();
  m.m32 = position_->Y();
  if (rotateAngle_ != 0) {
    // Turn about the rotation centre in unscaled local units, then scale and move.
    const float cx = rotateCenter_->X() * width_;
    const float cy = rotateCenter_->Y() * height_;
    TvxMatrix toCentre = IdentityMatrix;
    toCentre.m31 = -cx;
    toCentre.m32 = -cy;
    TvxMatrix back = IdentityMatrix;
    back.m31 = cx;
    back.m32 = cy;
    const TvxMatrix turn = RotationMatrix(DegToRad(rotateAngle_));
    m = MatrixMultiply(MatrixMultiply(MatrixMultiply(toCentre, turn), back), m);
  }
  localMatrix_ = m;
}

void TvxVisualObject::MatrixChanged() {
  Repaint();
  RebuildLocalMatrix();
  InvalidateAbsoluteMatrix();
  InvalidateUpdateRects();
  InvalidateEffectCachesUp();
  Repaint();
}

TvxMatrix TvxVisualObject::GetAbsoluteMatrix() {
  if (!absoluteMatrixStale_) return absoluteMatrix_;
  if (TvxVisualObject* parent = VisualParent()) {
    absoluteMatrix_ = MatrixMultiply(MatrixMultiply(localMatrix_, parent->GetChildrenMatrix()),
                                     parent->GetAbsoluteMatrix());
  } else {
    absoluteMatrix_ = localMatrix_;
  }
  absoluteMatrixStale_ = false;
  IvxScene* scene = Scene();
  if (!(scene && scene->GetUpdateLocked()) && !offscreen_ && !layoutBusy_ && updateCount_ <= 0)
    Repaint();
  return absoluteMatrix_;
}

TvxMatrix TvxVisualObject::GetChildrenMatrix() {
  return IdentityMatrix;
}

void TvxVisualObject::InvalidateAbsoluteMatrix() {
  absoluteMatrixStale_ = true;
  for (TvxVisualObject& child : VisualChildren()) child.InvalidateAbsoluteMatrix();
}

TvxPoint TvxVisualObject::LocalToAbsolute(const TvxPoint& p) {
  const TvxVector v = VectorTransform({p.X, p.Y, 1}, GetAbsoluteMatrix());
  return {v.X, v.Y};
}

TvxPoint TvxVisualObject::AbsoluteToLocal(const TvxPoint& p) {
  TvxMatrix inverse = GetAbsoluteMatrix();
  InvertMatrix(inverse);
  const TvxVector v = VectorTransform({p.X, p.Y, 1}, inverse);
  return {v.X, v.Y};
}

TvxPoint TvxVisualObject::LocalToAbsoluteVector(const TvxPoint& v) {
  const TvxVector r = VectorTransform({v.X, v.Y, 0}, GetAbsoluteMatrix());
  return {r.X, r.Y};
}

TvxPoint TvxVisualObject::AbsoluteToLocalVector(const TvxPoint& v) {
  TvxMatrix inverse = GetAbsoluteMatrix();
  InvertMatrix(inverse);
  const TvxVector r = VectorTransform({v.X, v.Y, 0}, inverse);
  return {r.X, r.Y};
}

TvxPoint TvxVisualObject::GetAbsoluteScale() {
  TvxPoint scale = scale_->Point();
  for (TvxVisualObject* up = VisualParent(); up; up = up->VisualParent()) {
    scale.X *= up->scale_->X();
    scale.Y *= up->scale_->Y();
  }
  return scale;
}

// Rectangles.

TvxRect TvxVisualObject::GetLocalRect() {
  return {0, 0, width_, height_};
}

TvxRect TvxVisualObject::GetBoundsRect() {
  return {0, 0, width_, height_};
}

TvxRect TvxVisualObject::GetParentedRect() {
  TvxRect r{0, 0, width_, height_};
  return OffsetRect(r, position_->X(), position_->Y());
}

TvxRect TvxVisualObject::GetClipRect() {
  return {0, 0, width_, height_};
}

TvxRect TvxVisualObject::GetAbsoluteRect() {
  const std::array<TvxPoint, 4> corners = {LocalToAbsolute({0, 0}), LocalToAbsolute({width_, 0}),
                                           LocalToAbsolute({width_, height_}),
                                           LocalToAbsolute({0, height_})};
  return NormalizeRect(corners);
}

TvxRect TvxVisualObject::GetEffectRect() {
  const TvxRect local = GetLocalRect();
  TvxRect r = local;
  for (TvxEffect& effect : ChildrenOf<TvxEffect>())
    if (effect.Enabled() || countAllEffects_) r = UnionRect(r, effect.GetRect(local));
  return r;
}

TvxRect TvxVisualObject::GetUpdateRect() {
  if (!updateRectStale_) return updateRect_;
  updateRect_ = ComputeUpdateRect(true);
  updateRectStale_ = false;
  return updateRect_;
}

TvxRect TvxVisualObject::ComputeUpdateRect(bool withEffects) {
  // Matrices recomputed on the way must not repaint from inside this computation.
  ++updateCount_;
  TvxRect r = GetAbsoluteRect();
  IvxScene* scene = Scene();
  if (scene && !scene->GetUpdateLocked() && !HasState(csLoading)) {
    for (TvxVisualObject* up = VisualParent(); up; up = up->VisualParent()) {
      if (!up->clipChildren_) continue;
      const TvxRect own = r;
      IntersectRect(r, own, up->GetUpdateRect());
    }
  }
  if (canFocused_ && isFocused_) InflateRect(r, 5, 5);
  if (withEffects && hasEffects_ && !clipChildren_) {
    const TvxRect e = GetEffectRect();
    const std::array<TvxPoint, 4> corners = {
        LocalToAbsolute({e.Left, e.Top}), LocalToAbsolute({e.Right, e.Top}),
        LocalToAbsolute({e.Right, e.Bottom}), LocalToAbsolute({e.Left, e.Bottom})};
    r = UnionRect(r, NormalizeRect(corners));
  }
  if (!clipChildren_) {
    for (TvxVisualObject& child : VisualChildren())
      if (child.visible_) r = UnionRect(r, child.GetUpdateRect());
  }
  --updateCount_;
  return r;
}

void TvxVisualObject::InvalidateUpdateRects() {
  updateRectStale_ = true;
  ForEachVisualDescendant([](TvxVisualObject& object) { object.updateRectStale_ = true; });
}

// Opacity, enabled and visible state.

float TvxVisualObject::GetAbsoluteOpacity() {
  if (!absoluteOpacityStale_) return absoluteOpacity_;
  TvxVisualObject* parent = VisualParent();
  float opacity = parent ? parent->GetAbsoluteOpacity() * opacity_ : opacity_;
  // Each disabled level below the root's own children fades once more.
  if (!GetAbsoluteEnabled() && !IsRootOrRootChild()) opacity *= 0.8f;
  absoluteOpacity_ = opacity;
  absoluteOpacityStale_ = false;
  return opacity;
}

bool TvxVisualObject::IsRootOrRootChild() const {
  IvxScene* scene = Scene();
  if (!scene) return false;
  const TvxVisualObject* root = scene->GetRoot();
  return root && (root == this || Parent() == root);
}

void TvxVisualObject::InvalidateOpacity() {
  absoluteOpacityStale_ = true;
  for (TvxVisualObject& child : VisualChildren()) child.InvalidateOpacity();
}

bool TvxVisualObject::GetAbsoluteEnabled() {
  if (!absoluteEnabledStale_) return absoluteEnabled_;
  TvxVisualObject* parent = VisualParent();
  absoluteEnabled_ = parent && !parent->GetAbsoluteEnabled() ? false : enabled_;
  absoluteEnabledStale_ = false;
  if (!absoluteEnabled_ && isFocused_) ClearSceneFocus();
  return absoluteEnabled_;
}

void TvxVisualObject::InvalidateEnabled() {
  absoluteEnabledStale_ = true;
  ForEachVisualDescendant([](TvxVisualObject& object) { object.absoluteEnabledStale_ = true; });
}

void TvxVisualObject::ClearSceneFocus() {
  if (IvxScene* scene = Scene()) scene->SetFocused(nullptr);
}

bool TvxVisualObject::IsAbsoluteVisible() {
  for (TvxVisualObject* object = this; object; object = object->VisualParent())
    if (!object->visible_) return false;
  return true;
}

// Repainting.

void TvxVisualObject::Repaint() {
  if (IvxScene* scene = SceneToRepaint()) scene->AddUpdateRect(GetUpdateRect());
}

void TvxVisualObject::RepaintColours() {
  if (!hasEffects_ || !EffectsReadAlphaOnly()) return Repaint();
  if (IvxScene* scene = SceneToRepaint()) scene->AddUpdateRect(ComputeUpdateRect(false));
}

IvxScene* TvxVisualObject::SceneToRepaint() {
  if (!visible_ || updateCount_ > 0) return nullptr;
  IvxScene* scene = Scene();
  if (!scene || scene->GetUpdateLocked() || !IsAbsoluteVisible()) return nullptr;
  return scene;
}

bool TvxVisualObject::EffectsReadAlphaOnly() {
  for (const TvxEffect& effect : ChildrenOf<TvxEffect>())
    if (effect.Enabled() && !effect.ReadsAlphaOnly()) return false;
  return true;
}

void TvxVisualObject::BeginUpdate() {
  ++updateCount_;
  for (TvxVisualObject& child : VisualChildren()) child.BeginUpdate();
}

void TvxVisualObject::EndUpdate() {
  if (updateCount_ > 0) --updateCount_;
  for (TvxVisualObject& child : VisualChildren()) child.EndUpdate();
  if (updateCount_ == 0) Realign();
}

// Layout.

void TvxVisualObject::Realign() {
  if (HasState(csDestroying)) return;
  if ((width_ > -2 && width_ < 2) || (height_ > -2 && height_ < 2)) return;
  // Only the object placed for off-screen painting keeps its layout: its descendants may get
  // their style copies during that painting, and those must be laid out like any other.
  if (disableLayout_ || layoutBusy_ || detached_ || updateCount_ >= 1) return;
  if (HasState(csLoading)) {
    lastWidth_ = width_;
    lastHeight_ = height_;
    return;
  }
  if ((width_ != lastWidth_ || height_ != lastHeight_) && hasEffects_) InvalidateEffectCache();
  if (!hasAlignedChildren_ || ChildrenCount() == 0) return;
  {
    const TTemporaryChange busy(layoutBusy_, true);
    TvxAlignLayout(*this).Run();
  }
  lastWidth_ = width_;
  lastHeight_ = height_;
  Repaint();
}

void TvxVisualObject::MarginsChanged() {
  Realign();
}

void TvxVisualObject::PaddingChanged() {
  if (TvxVisualObject* parent = VisualParent()) parent->Realign();
}

// Setters.

void TvxVisualObject::SetWidth(float value) {
  if (value == width_) return;
  Repaint();
  width_ = value;
  if (rotateAngle_ != 0) MatrixChanged();  // the rotation centre moved with the size
  if (HasState(csLoading)) return;
  InvalidateEffectCachesUp();
  InvalidateUpdateRects();
  if (TvxVisualObject* parent = VisualParent())
    if (align_ != vaNone || parent->IsScrollContent()) parent->Realign();
  if (ChildrenCount() > 0) Realign();
}

void TvxVisualObject::SetHeight(float value) {
  if (value == height_) return;
  Repaint();
  height_ = value;
  if (rotateAngle_ != 0) MatrixChanged();
  if (HasState(csLoading)) return;
  InvalidateEffectCachesUp();
  InvalidateUpdateRects();
  if (TvxVisualObject* parent = VisualParent())
    if (align_ != vaNone || parent->IsScrollContent()) parent->Realign();
  if (ChildrenCount() > 0) Realign();
}

void TvxVisualObject::SetBounds(float x, float y, float width, float height) {
  Repaint();
  const bool sized = width != width_ || height != height_;
  width_ = width;
  height_ = height;
  if (x != position_->X() || y != position_->Y()) {
    MoveQuietly({x, y});
    MatrixChanged();
  } else if (sized && rotateAngle_ != 0) {
    MatrixChanged();
  }
  const bool loading = HasState(csLoading);
  if (sized && !loading) {
    InvalidateEffectCachesUp();
    TvxVisualObject* parent = VisualParent();
    if (parent && align_ != vaNone) parent->Realign();
    if (ChildrenCount() > 0) Realign();
  }
  if (!loading) {
    InvalidateUpdateRects();
    Repaint();
  }
}

void TvxVisualObject::SetBoundsRect(const TvxRect& r) {
  Repaint();
  width_ = RectWidth(r);
  height_ = RectHeight(r);
  const TvxPoint centre{r.Left + rotateCenter_->X() * width_, r.Top + rotateCenter_->Y() * height_};
  TvxPoint scale = scale_->Point();
  MoveQuietly({centre.X - scale.X * rotateCenter_->X() * width_,
               centre.Y - scale.Y * rotateCenter_->Y() * height_});
  if (width_ < 0) {
    width_ = -width_;
    scale.X = -scale.X;
  }
  if (height_ < 0) {
    height_ = -height_;
    scale.Y = -scale.Y;
  }
  {
    const TTemporaryChange quiet(quietPosition_, true);
    scale_->SetPoint(scale);
  }
  InvalidateEffectCachesUp();
  MatrixChanged();
  Realign();
}

void TvxVisualObject::SetRotateAngle(float value) {
  const float angle = NormalizeAngle(value);
  if (angle == rotateAngle_) return;
  rotateAngle_ = angle;
  MatrixChanged();
}

void TvxVisualObject::SetOpacity(float value) {
  if (!(value >= 0)) value = 0;  // NaN included
  if (value > 1) value = 1;
  if (value == opacity_) return;
  opacity_ = value;
  InvalidateOpacity();
  Repaint();
}

void TvxVisualObject::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  InvalidateEnabled();
  InvalidateOpacity();
  Repaint();
}

void TvxVisualObject::SetVisible(bool value) {
  if (value == visible_) return;
  IvxScene* scene = Scene();
  if (visible_ && scene) scene->AddUpdateRect(GetUpdateRect());
  visible_ = value;
  TvxVisualObject* parent = VisualParent();
  if (!HasState(csLoading) && parent && align_ != vaNone) parent->Realign();
  if (value) {
    InvalidateUpdateRects();
    if (scene) scene->AddUpdateRect(GetUpdateRect());
    RaiseTrigger("IsVisible", false);
  } else if (isFocused_) {
    ClearSceneFocus();
  }
}

void TvxVisualObject::SetAlign(TvxAlign value) {
  if (value == align_) return;
  align_ = value;
  if (TvxVisualObject* parent = VisualParent()) {
    parent->MarkAlignedChildren();
    if (!HasState(csLoading)) parent->Realign();
  }
}

void TvxVisualObject::SetClipChildren(bool value) {
  if (value == clipChildren_) return;
  Repaint();
  clipChildren_ = value;
  InvalidateUpdateRects();
  Repaint();
}

void TvxVisualObject::SetClipParent(bool value) {
  if (value == clipParent_) return;
  clipParent_ = value;
  if (TvxVisualObject* parent = VisualParent()) parent->Repaint();
}

void TvxVisualObject::SetPopupMenu(TPopupMenu* menu) {
  if (menu == popupMenu_) return;
  popupMenu_ = menu;
}

void TvxVisualObject::SetPopup(TvxVisualObject* popup) {
  if (popup == popup_ || popup == this) return;
  popup_ = popup;
}

// Hit testing.

TvxVisualObject* TvxVisualObject::ObjectAtPoint(const TvxPoint& p) {
  if (!visible_) return nullptr;
  if (IsControl() && !GetAbsoluteEnabled()) return nullptr;
  if (clipChildren_ && !PointInObject(p)) return nullptr;
  for (TvxVisualObject& child : ChildrenOfReversed<TvxVisualObject>())
    if (child.visible_)
      if (TvxVisualObject* found = child.ObjectAtPoint(p)) return found;
  return hitTest_ && PointInObject(p) ? this : nullptr;
}

TvxVisualObject* TvxVisualObject::DropTargetAtPoint(const TvxPoint& p, const TvxDragObject& data) {
  if (!visible_) return nullptr;
  if (IsControl() && !GetAbsoluteEnabled()) return nullptr;
  if (clipChildren_ && !PointInObject(p)) return nullptr;
  for (TvxVisualObject& child : ChildrenOfReversed<TvxVisualObject>())
    if (child.visible_)
      if (TvxVisualObject* found = child.DropTargetAtPoint(p, data)) return found;
  if (!hitTest_ || !PointInObject(p)) return nullptr;
  bool accept = false;
  DragOver(data, p, accept);
  return accept ? this : nullptr;
}

bool TvxVisualObject::PointInObject(const TvxPoint& p) {
  const TvxPoint local = AbsoluteToLocal(p);
  return local.X > 0 && local.X < width_ && local.Y > 0 && local.Y < height_;
}

// Mouse and keyboard.

TvxPoint TvxVisualObject::ToScreen(const TvxPoint& local) {
  const TvxPoint scenePoint = LocalToAbsolute(local);
  IvxScene* scene = Scene();
  return scene ? scene->LocalToScreen(scenePoint) : scenePoint;
}

void TvxVisualObject::SetFocus() {
  if (!canFocused_ || isFocused_) return;
  IvxScene* scene = Scene();
  if (!scene || scene->GetFocused() == this) return;
  if (OnCanFocused) {
    bool allow = true;
    OnCanFocused(this, allow);
    if (!allow) return;
  }
  scene->SetFocused(this);
}

void TvxVisualObject::Click() {
  OnClick(this);
}

void TvxVisualObject::DblClick() {
  OnDblClick(this);
}

void TvxVisualObject::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  SetFocus();
  OnMouseDown(this, button, shift, x, y);
  if (button == TMouseButton::mbRight) {
    ContextPopup(ToScreen({x, y}));
    return;
  }
  IvxScene* scene = Scene();
  if (autoCapture_ && scene) scene->SetCaptured(this);
  if (shift & ssDouble) {
    doubleClicked_ = true;
    DblClick();
  } else if (button == TMouseButton::mbLeft) {
    pressed_ = true;
  }
}

void TvxVisualObject::MouseMove(TShiftState shift, float x, float y) {
  OnMouseMove(this, shift, x, y);
}

void TvxVisualObject::MouseUp(TMouseButton button, TShiftState shift, float x, float y) {
  IvxScene* scene = Scene();
  if (scene && scene->GetCaptured() == this) scene->SetCaptured(nullptr);
  OnMouseUp(this, button, shift, x, y);
  const bool click = pressed_ && !doubleClicked_ && PointInRect({x, y}, GetLocalRect());
  // Cleared first: a click handler may free this object.
  pressed_ = false;
  doubleClicked_ = false;
  if (click) Click();
}

void TvxVisualObject::MouseWheel(TShiftState shift, int wheelDelta, bool& handled) {
  if (!OnMouseWheel) return;
  IvxScene* scene = Scene();
  const TvxPoint pointer = scene ? scene->GetMousePos() : TvxPoint{};
  OnMouseWheel(this, shift, wheelDelta, pointer, handled);
}

void TvxVisualObject::KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  if (key == vkApps) {
    ContextPopup(ToScreen({width_ / 2, height_ / 2}));
    return;
  }
  OnKeyDown(this, key, keyChar, shift);
}

void TvxVisualObject::KeyUp(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  OnKeyUp(this, key, keyChar, shift);
}

void TvxVisualObject::InputText(const std::u16string& text, TShiftState shift) {
  for (char16_t ch : text) {
    uint16_t key = 0;
    KeyDown(key, ch, shift);
  }
}

void TvxVisualObject::DialogKey(uint16_t& key, TShiftState shift) {
  for (TvxVisualObject& child : VisualChildren()) {
    if (key == 0) return;
    if (child.visible_ && child.enabled_) child.DialogKey(key, shift);
  }
}

void TvxVisualObject::RaiseTrigger(const char* trigger, bool effects) {
  StartTriggerAnimation(this, trigger);
  if (effects) ApplyTriggerEffect(this, trigger);
}

void TvxVisualObject::MouseEnter() {
  isMouseOver_ = true;
  RaiseTrigger("IsMouseOver", true);
  OnMouseEnter(this);
}

void TvxVisualObject::MouseLeave() {
  isMouseOver_ = false;
  RaiseTrigger("IsMouseOver", true);
  OnMouseLeave(this);
}

void TvxVisualObject::ContextPopup(const TvxPoint& screenPoint) {
  if (popupMenu_) {
    popupMenu_->SetPopupComponent(this);
    popupMenu_->Popup(ToPixel(screenPoint.X), ToPixel(screenPoint.Y));
  } else if (popup_) {
    SetPublishedOrdinal(*popup_, "StaysOpen", false);
    SetPublishedOrdinal(*popup_, "IsOpen", true);
  }
}

// Dragging.

void TvxVisualObject::DragEnter(const TvxDragObject& data, const TvxPoint& point) {
  isDragOver_ = true;
  Repaint();
  RaiseTrigger("IsDragOver", true);
  OnDragEnter(this, data, point);
}

void TvxVisualObject::DragOver(const TvxDragObject& data, const TvxPoint& point, bool& accept) {
  OnDragOver(this, data, point, accept);
}

void TvxVisualObject::DragDrop(const TvxDragObject& data, const TvxPoint& point) {
  isDragOver_ = false;
  Repaint();
  RaiseTrigger("IsDragOver", true);
  OnDragDrop(this, data, point);
}

void TvxVisualObject::DragLeave() {
  isDragOver_ = false;
  Repaint();
  RaiseTrigger("IsDragOver", true);
  OnDragLeave(this);
}

void TvxVisualObject::DragEnd() {
  // A release far outside, so that the press of the drag gives no click.
  if (dragMode_ == vxDragAutomatic) MouseUp(TMouseButton::mbLeft, 0, 65535, 65535);
  OnDragEnd(this);
}

// Focus.

void TvxVisualObject::EnterFocus() {
  if (!canFocused_) return;
  for (TvxVisualObject* up = VisualParent(); up; up = up->VisualParent()) up->ChildFocused(this);
  isFocused_ = true;
  updateRectStale_ = true;
  Repaint();
  OnEnterFocus(this);
  if (!disableFocusEffect_ && !GlobalDisableFocusEffect) {
    RaiseTrigger("IsFocused", true);
  }
}

void TvxVisualObject::KillFocus() {
  if (!canFocused_) {
    isFocused_ = false;
    return;
  }
  updateRectStale_ = true;
  Repaint();  // still focused: the focus frame's area is cleared too
  isFocused_ = false;
  updateRectStale_ = true;
  OnKillFocus(this);
  if (!disableFocusEffect_ && !GlobalDisableFocusEffect) {
    RaiseTrigger("IsFocused", true);
  }
}

void TvxVisualObject::ApplyResource() {
  OnApplyResource(this);
}

// Effects.

void TvxVisualObject::UpdateEffects() {
  bool has = false;
  if (!disableEffect_)
    for (const TvxEffect& effect : ChildrenOf<TvxEffect>())
      if ((has = effect.Enabled())) break;
  if (has == hasEffects_) return;
  hasEffects_ = has;
  InvalidateEffectCache();
  updateRectStale_ = true;
  Repaint();
}

void TvxVisualObject::EffectChanged() {
  InvalidateEffectCachesUp();
  InvalidateEffectCache();
  // Repaint with every effect counted, so that the area of one just switched off is cleared.
  const bool had = hasEffects_;
  hasEffects_ = true;
  countAllEffects_ = true;
  updateRectStale_ = true;
  Repaint();
  countAllEffects_ = false;
  hasEffects_ = had;
  updateRectStale_ = true;
  UpdateEffects();
  Repaint();
}

void TvxVisualObject::InvalidateEffectCache() {
  if (effectPainter_) effectPainter_->Invalidate();
}

void TvxVisualObject::InvalidateEffectCachesUp() {
  for (TvxVisualObject* object = this; object; object = object->VisualParent())
    if (object->hasEffects_) object->InvalidateEffectCache();
}

void TvxVisualObject::SetEffectsDisabled(bool value) {
  if (value == disableEffect_) return;
  disableEffect_ = value;
  UpdateEffects();
}

bool TvxVisualObject::EffectReplacesObject() const {
  if (!hasEffects_) return false;
  for (const TvxEffect& effect : ChildrenOf<TvxEffect>())
    if (effect.Enabled() && effect.ReplacesObject()) return true;
  return false;
}

bool TvxVisualObject::EffectDrawnAbove() const {
  if (!hasEffects_) return false;
  for (const TvxEffect& effect : ChildrenOf<TvxEffect>())
    if (effect.Enabled() && effect.DrawnAbove()) return true;
  return false;
}

// Animation shortcuts.

void TvxVisualObject::AnimateFloat(const std::string& propertyName, float newValue, float duration,
                                   TvxAnimationType type, TvxInterpolationType interpolation) {
  TvxFloatAnimation* animation =
      CreateFloatAnimation(propertyName, newValue, duration, type, interpolation);
  animation->Start();
  // A run that ended inside Start (no scene, no duration, hidden) is over; a running one frees
  // itself at its end, the last thing an animation does.
  if (!animation->IsRunning()) {
    delete animation;
    return;
  }
  animation->OnFinish = [animation](TObject*) { delete animation; };
}

void TvxVisualObject::AnimateFloatWait(const std::string& propertyName, float newValue,
                                       float duration, TvxAnimationType type,
                                       TvxInterpolationType interpolation) {
  TvxFloatAnimation* animation =
      CreateFloatAnimation(propertyName, newValue, duration, type, interpolation);
  const TWeakRef<TvxFloatAnimation> awaited(animation);
  animation->Start();
  // Messages run while waiting may free this object and the animation with it, and another
  // object may then take the animation's address.
  while (awaited && awaited->IsRunning()) {
    Platform().loop->ProcessMessages();
    std::this_thread::yield();
  }
  delete awaited.Get();
}

TvxFloatAnimation* TvxVisualObject::CreateFloatAnimation(const std::string& propertyName,
                                                         float newValue, float duration,
                                                         TvxAnimationType type,
                                                         TvxInterpolationType interpolation) {
  auto* animation = new TvxFloatAnimation(this);
  animation->SetStored(false);
  animation->SetPropertyName(propertyName);
  animation->SetStopValue(newValue);
  animation->SetDuration(duration);
  animation->SetAnimationType(type);
  animation->SetInterpolation(interpolation);
  animation->SetStartFromCurrent(true);
  AddObject(animation);
  return animation;
}

// The caret.

TvxCaret& TvxVisualObject::Caret() {
  if (!caret_) caret_ = std::make_unique<TvxCaret>(*this);
  return *caret_;
}

void TvxVisualObject::ShowCaret() {
  Caret().Show();
}

void TvxVisualObject::HideCaret() {
  if (caret_) caret_->Hide();
}

void TvxVisualObject::SetCaretPos(const TvxPoint& point) {
  Caret().SetPos(point);
}

void TvxVisualObject::SetCaretSize(const TvxPoint& size) {
  Caret().SetSize(size);
}

void TvxVisualObject::SetCaretColor(TvxColor color) {
  Caret().SetColor(color);
}

TvxVisualObject* TvxVisualObject::CaretObject() const {
  return caret_ ? caret_->Object() : nullptr;
}

// Painting.

void TvxVisualObject::PaintChildren() {
  PaintChildrenExcept(nullptr);
}

void TvxVisualObject::PaintChildrenExcept(const TvxVisualObject* skipped) {
  for (TvxVisualObject& child : VisualChildren()) {
    if (!child.visible_ || &child == skipped) continue;
    const TvxRect area = child.GetUpdateRect();
    if (RectWidth(area) == 0 || RectHeight(area) == 0) continue;
    if (child.Scene() != Scene()) child.SetScene(Scene());
    if (clipChildren_ && !RectsOverlap(area, GetUpdateRect())) continue;
    if (!child.offscreen_ && !ChildMeetsDirtyArea(child)) continue;
    PaintChild(child);
  }
}

bool TvxVisualObject::ChildMeetsDirtyArea(TvxVisualObject& child) {
  IvxScene* scene = Scene();
  if (!scene) return true;
  const TvxRect area = UnionRect(child.GetUpdateRect(), VisibleDescendantsRect(child));
  for (int i = 0; i < scene->GetPendingRectCount(); ++i)
    if (RectsOverlap(area, scene->GetPendingRect(i))) return true;
  return false;
}

// Descendants clipped away from the update rectangle may still lie in a dirty area.
TvxRect TvxVisualObject::VisibleDescendantsRect(TvxVisualObject& object) {
  TvxRect r = object.GetAbsoluteRect();
  for (TvxVisualObject& child : object.VisualChildren())
    if (child.visible_) r = UnionRect(r, VisibleDescendantsRect(child));
  return r;
}

void TvxVisualObject::PaintChild(TvxVisualObject& child) {
  TvxCanvas* canvas = child.Canvas();
  if (!canvas) return;
  bool effectsAbove = false;
  {
    const bool clipped = clipChildren_ && child.canClipped_;
    const TvxCanvasStateGuard clip(*canvas, clipped);
    if (clipped) {
      canvas->SetMatrix(GetAbsoluteMatrix());
      canvas->IntersectClipRect(GetClipRect());
    }
    canvas->SetMatrix(child.GetAbsoluteMatrix());
    child.BeforePaint();
    effectsAbove = child.EffectDrawnAbove();
    if (child.hasEffects_ && !effectsAbove) child.PaintEffects();
    if (!child.EffectReplacesObject()) PaintChildBody(child);
    child.AfterPaint();
    if (child.isDragOver_ && !child.dragDisableHighlight_) child.DrawDragHighlight(*canvas);
  }
  if (child.hasEffects_ && effectsAbove) child.PaintEffects();
}

void TvxVisualObject::PaintChildBody(TvxVisualObject& child) {
  TvxCanvas& canvas = *child.Canvas();
  const TvxMatrix matrix = child.GetAbsoluteMatrix();
  {
    // Only the first child that clips its parent clips it.
    TvxCanvasStateGuard parentClip(canvas, false);
    for (TvxVisualObject& clipper : child.VisualChildren()) {
      if (!clipper.clipParent_) continue;
      parentClip.Save();
      canvas.SetMatrix(clipper.GetAbsoluteMatrix());
      canvas.IntersectClipRect(clipper.GetLocalRect());
      canvas.SetMatrix(matrix);
      break;
    }
    const TvxCanvasStateGuard ownClip(canvas, child.clipChildren_);
    if (child.clipChildren_) canvas.IntersectClipRect(child.GetLocalRect());
    child.OnBeforePaint(&child, &canvas, child.GetLocalRect());
    child.Paint();
  }
  child.PaintChildren();
  if (child.OnPaint) {
    canvas.SetMatrix(child.GetAbsoluteMatrix());
    child.OnPaint(&child, &canvas, child.GetLocalRect());
  }
}

void TvxVisualObject::DrawDragHighlight(TvxCanvas& canvas) {
  const TvxCanvasStateGuard saved(canvas);
  canvas.Stroke().SetStyle(vxBrushSolid);
  canvas.Stroke().SetColor(0xB2005ACC);
  canvas.SetStrokeThickness(3);
  canvas.SetMatrix(GetAbsoluteMatrix());
  TvxRect r = GetLocalRect();
  canvas.DrawRect(InflateRect(r, -1, -1), 0, 0, AllCorners, 1, vxCornerRound);
}

// While alive the object sits alone, unrotated, on a rectangle of another canvas; afterwards it
// is back in its own place, also when painting threw.
class TvxVisualObject::TPlacementChange {
 public:
  TPlacementChange(TvxVisualObject& object, TvxCanvas& canvas, const TvxRect& rect)
      : object_(object), old_(object.Placement()) {
    const float w = object.width_, h = object.height_;
    object.Place({{rect.Left, rect.Top},
                  {w != 0 ? RectWidth(rect) / w : 1, h != 0 ? RectHeight(rect) / h : 1},
                  0,
                  true,
                  &canvas,
                  true});
  }
  ~TPlacementChange() {
    object_.Place(old_);
    // Matrices recomputed later would ask for a repaint of an unchanged place.
    object_.RefreshMatrices();
  }
  TPlacementChange(const TPlacementChange&) = delete;
  TPlacementChange& operator=(const TPlacementChange&) = delete;

 private:
  TvxVisualObject& object_;
  const TPlacement old_;
};

TvxVisualObject::TPlacement TvxVisualObject::Placement() const {
  return {position_->Point(), scale_->Point(), rotateAngle_, detached_, canvas_, offscreen_};
}

void TvxVisualObject::Place(const TPlacement& placement) {
  {
    const TTemporaryChange quiet(quietPosition_, true);
    position_->SetPoint(placement.position);
    scale_->SetPoint(placement.scale);
  }
  rotateAngle_ = placement.rotateAngle;
  detached_ = placement.detached;
  SetCanvasTree(placement.canvas);
  SetOffscreenTree(placement.offscreen);
  RebuildLocalMatrix();
  InvalidateAbsoluteMatrix();
  InvalidateOpacity();
  InvalidateUpdateRects();
}

void TvxVisualObject::PaintTo(TvxCanvas& canvas, const TvxRect& rect) {
  const TvxUpdateLockGuard lock(Scene());
  const TPlacementChange placement(*this, canvas, rect);
  canvas.SetMatrix(GetAbsoluteMatrix());
  BeforePaint();
  Paint();
  AfterPaint();
  PaintChildren();
}

void TvxVisualObject::RefreshMatrices() {
  GetAbsoluteMatrix();
  ForEachVisualDescendant([](TvxVisualObject& object) { object.GetAbsoluteMatrix(); });
}

std::unique_ptr<TvxBitmap> TvxVisualObject::PaintToBitmap() {
  auto bitmap = std::make_unique<TvxBitmap>(ToPixel(width_), ToPixel(height_));
  TvxCanvas* canvas = bitmap->Canvas();
  if (!canvas) return bitmap;
  if (canvas->BeginScene()) {
    canvas->Clear(0);
    PaintTo(*canvas, {0, 0, float(bitmap->Width()), float(bitmap->Height())});
    canvas->EndScene();
  }
  return bitmap;
}

void TvxVisualObject::PaintEffects() {
  TvxCanvas* canvas = Canvas();
  if (!canvas || ChildrenCount() == 0 || !Scene() || disableEffect_) return;
  if (!effectPainter_) effectPainter_ = std::make_unique<TvxEffectPainter>();
  effectPainter_->Paint(*this, *canvas);
}

void TvxVisualObject::BeginAutoDrag() {
  IvxScene* scene = Scene();
  if (!scene) return;
  std::unique_ptr<TvxBitmap> image = PaintToBitmap();
  constexpr int kMaxDragImage = 512;
  if (image->Width() > kMaxDragImage || image->Height() > kMaxDragImage) {
    TvxRect fitted{0, 0, float(image->Width()), float(image->Height())};
    FitRect(fitted, {0, 0, kMaxDragImage, kMaxDragImage});
    auto small =
        std::make_unique<TvxBitmap>(ToPixel(RectWidth(fitted)), ToPixel(RectHeight(fitted)));
    if (TvxCanvas* canvas = small->Canvas(); canvas && canvas->BeginScene()) {
      canvas->Clear(0);
      canvas->DrawBitmap(*image, {0, 0, float(image->Width()), float(image->Height())},
                         {0, 0, float(small->Width()), float(small->Height())}, 1, false);
      canvas->EndScene();
    }
    image = std::move(small);
  }
  scene->BeginDragObject(this, image.get());
}
