#pragma once

// The node of the scene tree that has geometry: a size, a local transform, an opacity, a
// place in its parent's alignment layout, painting of itself and its children, and the input
// handlers the scene host calls. Derived values (absolute matrix, opacity, enabled state,
// update rectangle) are cached behind out-of-date flags; invalidation walks down only.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/Input.h"
#include "scene/core/AnimationTypes.h"
#include "scene/core/Bounds.h"
#include "scene/core/Color.h"
#include "scene/core/Object.h"
#include "scene/core/Position.h"
#include "scene/core/VisualTypes.h"

class TPopupMenu;
class TvxBitmap;
class TvxCanvas;
class TvxCaret;
class TvxEffect;
class TvxEffectPainter;
class TvxFloatAnimation;

using TvxMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, float, float>;
using TvxMouseMoveEvent = TEvent<TObject*, TShiftState, float, float>;
using TvxMouseWheelEvent = TEvent<TObject*, TShiftState, int, const TvxPoint&, bool&>;
using TvxKeyEvent = TEvent<TObject*, uint16_t&, char16_t&, TShiftState>;
using TvxCanFocusEvent = TEvent<TObject*, bool&>;
using TvxDragEnterEvent = TEvent<TObject*, const TvxDragObject&, const TvxPoint&>;
using TvxDragOverEvent = TEvent<TObject*, const TvxDragObject&, const TvxPoint&, bool&>;
using TvxPaintEvent = TEvent<TObject*, TvxCanvas*, const TvxRect&>;

class TvxVisualObject : public TvxObject {
  LC_CLASS(TvxVisualObject, TvxObject)

 public:
  explicit TvxVisualObject(TComponent* owner);
  ~TvxVisualObject() override;

  // Geometry and state setters the layout and subclasses refine.
  virtual void SetVisible(bool value);
  virtual void SetHeight(float value);
  virtual void SetWidth(float value);
  virtual void SetAlign(TvxAlign value);

  // Derived geometry. Rectangles are (0, 0, Width, Height) in local units unless named
  // absolute (scene coordinates) or parented (parent coordinates).
  virtual TvxRect GetAbsoluteRect();
  virtual TvxMatrix GetAbsoluteMatrix();
  // Applied between this object and its children; a scaled layout overrides it.
  virtual TvxMatrix GetChildrenMatrix();
  virtual TvxPoint GetAbsoluteScale();
  virtual TvxRect GetLocalRect();
  // The scene area to repaint for this object: clipped by ClipChildren ancestors, grown by
  // the focus frame, effects and children.
  virtual TvxRect GetUpdateRect();
  virtual TvxRect GetBoundsRect();
  virtual TvxRect GetParentedRect();
  virtual TvxRect GetClipRect();
  virtual TvxRect GetEffectRect();
  virtual bool GetAbsoluteEnabled();
  // `r` in parent coordinates; a negative extent flips the matching scale.
  virtual void SetBoundsRect(const TvxRect& r);
  virtual void InvalidateOpacity();
  virtual void InvalidateAbsoluteMatrix();
  virtual float GetAbsoluteOpacity();

  // Input, called by the scene host with points in local coordinates.
  virtual void BeginAutoDrag();
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton button, TShiftState shift, float x, float y);
  virtual void MouseMove(TShiftState shift, float x, float y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, float x, float y);
  virtual void MouseWheel(TShiftState shift, int wheelDelta, bool& handled);
  virtual void KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift);
  virtual void KeyUp(uint16_t& key, char16_t& keyChar, TShiftState shift);
  // Text an input method composed; by default each character arrives as if typed.
  virtual void InputText(const std::u16string& text, TShiftState shift);
  // Offers the key to the visible, enabled visual children until one consumes it (sets 0).
  virtual void DialogKey(uint16_t& key, TShiftState shift);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void ContextPopup(const TvxPoint& screenPoint);
  virtual void DragEnter(const TvxDragObject& data, const TvxPoint& point);
  virtual void DragOver(const TvxDragObject& data, const TvxPoint& point, bool& accept);
  virtual void DragDrop(const TvxDragObject& data, const TvxPoint& point);
  virtual void DragLeave();
  virtual void DragEnd();
  // Called on every visual ancestor when a descendant receives the focus.
  virtual void ChildFocused(TvxVisualObject*) {}
  virtual void EnterFocus();
  virtual void KillFocus();

  // Painting: the scene host sets the canvas matrix to the absolute matrix, then calls
  // BeforePaint, Paint, AfterPaint and PaintChildren.
  virtual void ApplyResource();
  virtual void BeforePaint() {}
  virtual void Paint() {}
  virtual void AfterPaint() {}
  virtual void PaintChildren();

  virtual void MarginsChanged();
  virtual void PaddingChanged();
  virtual void MatrixChanged();

  virtual TvxPoint AbsoluteToLocal(const TvxPoint& p);
  virtual TvxPoint LocalToAbsolute(const TvxPoint& p);
  virtual TvxPoint AbsoluteToLocalVector(const TvxPoint& v);
  virtual TvxPoint LocalToAbsoluteVector(const TvxPoint& v);
  // The topmost visible, hit-testable object under the scene point, or null.
  virtual TvxVisualObject* ObjectAtPoint(const TvxPoint& p);
  // Strictly inside: points on the edges are outside.
  virtual bool PointInObject(const TvxPoint& p);
  virtual void SetBounds(float x, float y, float width, float height);
  virtual bool IsAbsoluteVisible();
  virtual void BeginUpdate();
  virtual void EndUpdate();
  // Lays out the aligned children.
  void Realign() override;
  // Hands the update rectangle to the scene as dirty.
  void Repaint() override;
  // Repaints after a change of colours alone that kept the object's alpha: effects that read
  // only alpha (glows, shadows) keep their results, so only the object's own area is drawn.
  void RepaintColours();

  // Like ObjectAtPoint, but only an object whose DragOver accepts `data`.
  TvxVisualObject* DropTargetAtPoint(const TvxPoint& p, const TvxDragObject& data);
  TvxVisualObject* VisualParent() const;
  // The canvas painting goes to: inherited from the parent, else the scene's.
  TvxCanvas* Canvas() const;
  // Asks the scene to focus this object when it can take the focus; OnCanFocused may refuse.
  void SetFocus();
  // Renders the object and its children alone into a new bitmap of its size.
  std::unique_ptr<TvxBitmap> PaintToBitmap();
  // Renders the object and its children alone into `rect` of `canvas`, unrotated.
  void PaintTo(TvxCanvas& canvas, const TvxRect& rect);
  // Draws the enabled effects from the cached effect bitmap, rebuilding it when stale.
  void PaintEffects();
  // Animates a published float property (a path such as "Position.X") to `newValue`; the
  // animation frees itself when it ends.
  void AnimateFloat(const std::string& propertyName, float newValue, float duration = 0.2f,
                    TvxAnimationType type = vxAnimationIn,
                    TvxInterpolationType interpolation = vxInterpolationLinear);
  // The same, waiting in place until the animation has ended.
  void AnimateFloatWait(const std::string& propertyName, float newValue, float duration = 0.2f,
                        TvxAnimationType type = vxAnimationIn,
                        TvxInterpolationType interpolation = vxInterpolationLinear);

  // The text caret of text boxes.
  void ShowCaret();
  void HideCaret();
  void SetCaretPos(const TvxPoint& point);
  void SetCaretSize(const TvxPoint& size);
  void SetCaretColor(TvxColor color);
  TvxVisualObject* CaretObject() const;

  // Effects: the flag of enabled effect children and the cached effect bitmap.
  bool HasEffects() const { return hasEffects_; }
  // Re-evaluates the flag; repaints when it becomes set.
  void UpdateEffects();
  // An effect child changed: its old and new areas are repainted and the cache rebuilt.
  void EffectChanged();
  void InvalidateEffectCache();
  bool EffectsDisabled() const { return disableEffect_; }
  void SetEffectsDisabled(bool value);

  // Published properties.
  TvxAlign Align() const { return align_; }
  TvxPosition* Position() const { return position_.get(); }
  float Width() const { return width_; }
  float Height() const { return height_; }
  TvxPosition* Scale() const { return scale_.get(); }
  float RotateAngle() const { return rotateAngle_; }
  void SetRotateAngle(float value);
  TvxPosition* RotateCenter() const { return rotateCenter_.get(); }
  TvxBounds* Margins() const { return margins_.get(); }
  TvxBounds* Padding() const { return padding_.get(); }
  float Opacity() const { return opacity_; }
  void SetOpacity(float value);
  bool Visible() const { return visible_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool HitTest() const { return hitTest_; }
  void SetHitTest(bool value) { hitTest_ = value; }
  bool ClipChildren() const { return clipChildren_; }
  void SetClipChildren(bool value);
  bool ClipParent() const { return clipParent_; }
  void SetClipParent(bool value);
  bool CanClipped() const { return canClipped_; }
  void SetCanClipped(bool value) { canClipped_ = value; }
  bool Locked() const { return locked_; }
  void SetLocked(bool value) { locked_ = value; }
  bool DesignHide() const { return designHide_; }
  void SetDesignHide(bool value) { designHide_ = value; }
  TCursorId Cursor() const { return cursor_; }
  void SetCursor(TCursorId value) { cursor_ = value; }
  TvxDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TvxDragMode value) { dragMode_ = value; }
  bool DragDisableHighlight() const { return dragDisableHighlight_; }
  void SetDragDisableHighlight(bool value) { dragDisableHighlight_ = value; }
  const std::u16string& Hint() const { return hint_; }
  void SetHint(const std::u16string& value) { hint_ = value; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value) { showHint_ = value; }
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu);
  // A popup control opened on a right press; anything publishing StaysOpen and IsOpen.
  TvxVisualObject* Popup() const { return popup_; }
  void SetPopup(TvxVisualObject* popup);
  bool IsMouseOver() const { return isMouseOver_; }
  bool IsFocused() const { return isFocused_; }
  bool IsDragOver() const { return isDragOver_; }
  bool IsVisible() const { return visible_; }
  bool CanFocused() const { return canFocused_; }

  TvxMouseEvent OnMouseDown;
  TvxMouseMoveEvent OnMouseMove;
  TvxMouseEvent OnMouseUp;
  TvxMouseWheelEvent OnMouseWheel;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TvxKeyEvent OnKeyDown;
  TvxKeyEvent OnKeyUp;
  TvxCanFocusEvent OnCanFocused;
  TNotifyEvent OnEnterFocus;
  TNotifyEvent OnKillFocus;
  TvxDragEnterEvent OnDragEnter;
  TvxDragOverEvent OnDragOver;
  TvxDragEnterEvent OnDragDrop;
  TNotifyEvent OnDragLeave;
  TNotifyEvent OnDragEnd;
  TvxPaintEvent OnBeforePaint;
  TvxPaintEvent OnPaint;
  TNotifyEvent OnApplyResource;

  // Switches the focus animations and effects off for every object.
  static bool GlobalDisableFocusEffect;

  bool IsStylePart() const override { return locked_ && !hitTest_; }
  // A scroll box's content, which lays out its children whenever one is resized.
  virtual bool IsScrollContent() const { return false; }
  void SetScene(IvxScene* scene) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

 protected:
  void ChildAdded(TvxObject* object) override;
  void ChildRemoving(TvxObject* object) override;
  void ChildRemoved(TvxObject* object) override;

  // Settings of controls and containers.
  void SetCanFocused(bool value) { canFocused_ = value; }
  void SetAutoCapture(bool value) { autoCapture_ = value; }
  bool DisableFocusEffect() const { return disableFocusEffect_; }
  void SetDisableFocusEffect(bool value) { disableFocusEffect_ = value; }
  // Containers that place their children themselves switch the alignment layout off.
  void SetLayoutDisabled(bool value) { disableLayout_ = value; }
  // Inside a BeginUpdate / EndUpdate bracket.
  bool IsUpdating() const { return updateCount_ > 0; }
  // PaintChildren leaving one child out, for owners that hide a child only while painting.
  void PaintChildrenExcept(const TvxVisualObject* skipped);

 private:
  friend class TvxAlignLayout;

  struct Offscreen;

  void PositionChanged(TObject*);
  void RebuildLocalMatrix();
  void InvalidateUpdateRects();
  TvxRect ComputeUpdateRect(bool withEffects);
  // The scene when a repaint may be asked of it now, else null.
  IvxScene* SceneToRepaint();
  bool EffectsReadAlphaOnly();
  void InvalidateEnabled();
  void InvalidateEffectCachesUp();
  void SetCanvasTree(TvxCanvas* canvas);
  void SetOffscreenTree(bool value);
  void RefreshMatrices();
  void ReevaluateAlignedChildren();
  void MarkAlignedChildren();
  bool IsRootOrRootChild() const;
  void ClearSceneFocus();
  void RaiseTrigger(const char* trigger, bool effects);
  TvxFloatAnimation* CreateFloatAnimation(const std::string& propertyName, float newValue,
                                          float duration, TvxAnimationType type,
                                          TvxInterpolationType interpolation);
  void PaintChild(TvxVisualObject& child);
  void PaintChildBody(TvxVisualObject& child);
  bool ChildMeetsDirtyArea(TvxVisualObject& child);
  TvxRect VisibleDescendantsRect(TvxVisualObject& object);
  void DrawDragHighlight(TvxCanvas& canvas);
  bool EffectReplacesObject() const;
  bool EffectDrawnAbove() const;
  TvxCaret& Caret();
  TvxPoint ToScreen(const TvxPoint& local);

  std::unique_ptr<TvxPosition> position_;
  std::unique_ptr<TvxPosition> scale_;
  std::unique_ptr<TvxPosition> rotateCenter_;
  std::unique_ptr<TvxBounds> margins_;
  std::unique_ptr<TvxBounds> padding_;
  TvxAlign align_ = vaNone;
  float width_ = 50;
  float height_ = 50;
  float rotateAngle_ = 0;
  float opacity_ = 1;
  bool visible_ = true;
  bool enabled_ = true;
  bool hitTest_ = true;
  bool clipChildren_ = false;
  bool clipParent_ = false;
  bool canClipped_ = true;
  bool locked_ = false;
  bool designHide_ = false;
  TCursorId cursor_ = crDefault;
  TvxDragMode dragMode_ = vxDragManual;
  bool dragDisableHighlight_ = false;
  std::u16string hint_;
  bool showHint_ = false;
  TPopupMenu* popupMenu_ = nullptr;
  TvxVisualObject* popup_ = nullptr;

  bool isMouseOver_ = false;
  bool isFocused_ = false;
  bool isDragOver_ = false;

  TvxMatrix localMatrix_ = IdentityMatrix;
  TvxMatrix absoluteMatrix_ = IdentityMatrix;
  bool absoluteMatrixStale_ = true;
  float absoluteOpacity_ = 1;
  bool absoluteOpacityStale_ = true;
  bool absoluteEnabled_ = true;
  bool absoluteEnabledStale_ = true;
  TvxRect updateRect_;
  bool updateRectStale_ = true;
  float lastWidth_ = 50;
  float lastHeight_ = 50;
  TvxCanvas* canvas_ = nullptr;

  bool hasAlignedChildren_ = false;
  bool hasEffects_ = false;
  bool countAllEffects_ = false;  // while repainting the area of a just-disabled effect
  bool disableEffect_ = false;
  bool disableLayout_ = false;
  bool disableFocusEffect_ = false;
  bool layoutBusy_ = false;
  bool offscreen_ = false;
  bool detached_ = false;  // painted off-screen as if it had no parent
  bool quietPosition_ = false;
  int updateCount_ = 0;

  bool canFocused_ = false;
  bool autoCapture_ = false;
  bool pressed_ = false;
  bool doubleClicked_ = false;

  std::unique_ptr<TvxEffectPainter> effectPainter_;
  std::unique_ptr<TvxCaret> caret_;
};
