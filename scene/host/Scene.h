#pragma once

// The host that puts an object tree into a form. It owns a canvas of its own size and the
// root objects (entry 0 is the root), collects the areas that need drawing, draws them once
// per burst of changes and presents the result to the form's window, opaque or, with
// Transparency, as a per-pixel-alpha picture of the whole form. It routes the window's mouse,
// wheel, key, character and input-method messages to the objects and moves or resizes the
// form when a press meets no object or a size grip.
//
// Without a window a scene draws for a presentation handler instead, or on demand:
//
//   TvxScene scene(nullptr);
//   scene.SetBounds(0, 0, 200, 100);
//   scene.AddObject(root);            // the scene owns its roots from now on
//   scene.DrawAll();
//   TPixelFrame pixels = scene.Pixels();

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/Form.h"
#include "platform/Timer.h"
#include "platform/component/Publisher.h"
#include "scene/core/SceneInterface.h"
#include "scene/core/VisualObject.h"
#include "scene/host/PendingRects.h"
#include "scene/host/WindowDrag.h"

class TvxBrush;
class TvxCustomScene;

// Placement of a control in its form; a scene with alClient fills the client area.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
const TEnumInfo& PlatformAlignNames();

using TvxPresentEvent = TEvent<TvxCustomScene*>;
using TvxSceneMouseEvent = TEvent<TObject*, TMouseButton, TShiftState, float, float>;
using TvxSceneMoveEvent = TEvent<TObject*, TShiftState, float, float>;
using TvxSceneWheelEvent = TEvent<TObject*, TShiftState, int, float, float>;

class TvxCustomScene : public TComponent, public IvxScene, private IFormContent {
  LC_CLASS(TvxCustomScene, TComponent)

 public:
  explicit TvxCustomScene(TComponent* owner);
  ~TvxCustomScene() override;

  // Drawing.
  // Draws the pending areas and presents them; does nothing while a frame shows the scene,
  // while drawing, or with nothing pending.
  virtual void Draw();
  // Draws the whole scene now, with or without a window.
  void DrawAll();
  // The canvas pixels: premultiplied ARGB, rows top to bottom; empty without a canvas.
  TPixelFrame Pixels() const;
  // Makes the scene window-less: it draws for `handler` instead of a window and neither
  // captures the mouse nor takes the focus.
  void SetPresentationHandler(TvxPresentEvent handler);
  // Debugging aid: draws every pending area in translucent green.
  static bool ShowUpdateRects;
  // Device pixels per logical pixel of the screen showing the scene: the canvas holds the
  // scene's logical size times the ratio in pixels and draws everything scaled by it, while
  // placement, input and hit testing stay logical. A scene in a window follows its window's
  // screen; anything not above 0 counts as 1, and ratios above 16 as 16.
  float DevicePixelRatio() const { return ratio_; }
  void SetDevicePixelRatio(float value);

  // Placement. Left and Top are in the form's client coordinates.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
  void SetTop(int value) { SetBounds(left_, value, width_, height_); }
  void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
  void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
  // Resizes the canvas, realigns the root and repaints when the size changes.
  void SetBounds(int left, int top, int width, int height);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign value);
  // Places the scene on `form` (null: on none); reading form data places it on its form.
  void SetForm(TForm* form);
  TForm* Form() const { return form_; }

  // Published state.
  bool AnimatedCaret() const { return animatedCaret_; }
  void SetAnimatedCaret(bool value) { animatedCaret_ = value; }
  TvxBrush* Fill() const { return fill_.get(); }
  bool Transparency() const { return transparency_; }
  void SetTransparency(bool value);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value) { tabStop_ = value; }
  TCursorId Cursor() const { return cursor_; }
  void SetCursor(TCursorId value) { cursor_ = value; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value) { showHint_ = value; }
  // The hint of the object last under the pointer.
  const std::u16string& Hint() const { return hint_; }
  TvxVisualObject* ActiveControl() const { return activeControl_; }
  // Takes controls only; focuses the control unless loading.
  void SetActiveControl(TvxVisualObject* control);
  // The style container as a component, for streaming.
  TComponent* StyleComponent() const { return styleComponent_; }
  void SetStyleComponent(TComponent* component);

  TvxSceneMouseEvent OnMouseDown;
  TvxSceneMouseEvent OnMouseUp;
  TvxSceneMoveEvent OnMouseMove;
  TvxSceneWheelEvent OnMouseWheel;

  // Framing by a TvxFrame, which borrows the root and paints it as its own child.
  TComponent* FramedBy() const { return frame_; }
  void SetFramedBy(TComponent* frame);
  // Gives a borrowed root back as entry 0.
  void ReturnRoot(TvxObject* root);

  // IvxScene.
  void AddObject(TvxObject* object) override;
  void RemoveObject(TvxObject* object) override;
  void BeginWindowMove() override;
  void BeginWindowResize() override;
  void AddUpdateRect(const TvxRect& rect) override;
  TvxVisualObject* GetActiveControl() override { return activeControl_; }
  bool GetUpdateLocked() override { return updateLocked_; }
  void SetUpdateLocked(bool locked) override { updateLocked_ = locked; }
  bool IsDesigning() override { return HasState(csDesigning); }
  TvxCanvas* GetCanvas() override { return canvas_.get(); }
  TvxVisualObject* GetRoot() override;
  TComponent* GetComponent() override { return this; }
  TComponent* GetOwnerComponent() override { return Owner(); }
  TvxResources* GetStyle() override { return style_; }
  void SetStyle(TvxResources* style) override;
  bool GetTransparency() override { return transparency_; }
  void UpdateStyle() override;
  void Notification(TComponent* component) override;
  TvxVisualObject* GetDragOverObject() override { return dragOver_; }
  int GetPendingRectCount() override { return pending_.Count(); }
  TvxRect GetPendingRect(int index) override { return pending_.At(index); }
  void SetCaptured(TvxVisualObject* object) override;
  TvxVisualObject* GetCaptured() override { return captured_; }
  void SetFocused(TvxVisualObject* object) override;
  TvxVisualObject* GetFocused() override { return focused_; }
  TvxPoint GetMousePos() override { return mousePos_; }
  TvxPoint LocalToScreen(const TvxPoint& point) override;
  // Drags inside the program: the pointer carries the object over this program's scenes
  // until the button is released.
  void BeginDragObject(TvxVisualObject* object, const TvxBitmap* image) override;
  bool GetAnimatedCaret() override { return animatedCaret_; }

  // TComponent.
  void Loaded() override;
  void SetParentComponent(TComponent* parent) override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void Notification(TComponent* component, TOperation operation) override;
  void DefineProperties(TFiler& filer) override;

 private:
  // IFormContent.
  void ContentMessage(const TWindowMessage& message) override;
  void ContentResized(int width, int height) override;
  void ContentShown() override;

  // Window life.
  void CreateHandle();
  void DestroyHandle();
  INativeWindow* Window() const;
  bool PresentsLayered() const;
  void StartFirstDrawing();
  void FreeRoots();

  // Repainting and drawing.
  void RepaintAll();
  void PostDraw();
  void PaintPending();
  void PaintBackground();
  void PaintRoots();
  void PaintRoot(TvxVisualObject& root);
  void Present();
  void FillChanged(TObject*);
  // Sizes the canvas to the scene's extent in device pixels.
  void ResizeCanvas(int width, int height);
  void RealignRoot();

  // Mouse.
  void MousePress(TMouseButton button, TShiftState shift, const TvxPoint& point);
  void MouseRelease(TMouseButton button, TShiftState shift, const TvxPoint& point);
  void MouseMoved(TShiftState shift, const TvxPoint& point);
  void PointerLeft();
  void Wheel(TShiftState shift, int delta, const TvxPoint& point);
  void FollowPointer(const TvxPoint& point);
  void Hover(TvxVisualObject* object);
  void ShowCursor(TCursorId cursor);
  // Shows the hint of `object` (none: no hint) when it differs from the one shown.
  void UpdateHint(TvxVisualObject* object);
  // The text and absolute bounds (whole pixels) of an object that shows its hint.
  static bool HintOf(TvxVisualObject* object, std::u16string& text, TBoundsI& area);
  TvxVisualObject* ObjectAt(const TvxPoint& point);
  TvxPoint ClientPoint(const TvxPoint& scenePoint) const;

  // Drag and drop inside the program.
  void DragTo(const TvxPoint& point);
  void DropAt(const TvxPoint& point);
  TvxDragObject DragData() const;
  TvxVisualObject* DropTargetAt(const TvxPoint& point, const TvxDragObject& data);
  void SetDragOver(TvxVisualObject* object);
  static TvxCustomScene* SceneAtScreen(TPointI screen, TvxPoint& scenePoint);

  // Keyboard.
  void KeyDown(uint16_t key, char16_t keyChar, TShiftState shift);
  void KeyUp(uint16_t key, char16_t keyChar, TShiftState shift);
  void CharTyped(char16_t keyChar, TShiftState shift);
  bool CancelModalForm();
  void TabFocus(TvxVisualObject& root, bool backward);

  // Weak references: each watched field forgets its component when that is freed.
  template <class T>
  void Watch(T*& field, std::type_identity_t<T>* value);
  bool References(const TComponent* component) const;
  void Forget(const TComponent* component);
  // Runs `call` on `object`; false when the object was freed meanwhile.
  template <class F>
  bool CallSurvived(TvxVisualObject* object, F&& call);
  void ReleaseMouse();

  std::unique_ptr<TvxCanvas> canvas_;
  std::unique_ptr<TvxBrush> fill_;
  std::vector<TvxObject*> roots_;
  TvxPendingRects pending_;
  // Requests made while drawing, drawn by the next Draw.
  TvxPendingRects deferred_;
  TvxPresentEvent present_;
  std::unique_ptr<ITimer> firstDrawing_;
  bool drawPosted_ = false;
  bool drawing_ = false;
  bool handleCreated_ = false;
  bool updateLocked_ = false;

  TForm* form_ = nullptr;
  int left_ = 0;
  int top_ = 0;
  int width_ = 100;  // as the canvas is created
  int height_ = 100;
  float ratio_ = 1;
  TAlign align_ = alNone;
  bool animatedCaret_ = true;
  bool transparency_ = false;
  bool tabStop_ = false;
  bool showHint_ = true;
  bool designSnapToGrid_ = false;
  bool designSnapToLines_ = false;
  TCursorId cursor_ = crDefault;
  TCursorId defaultCursor_ = crDefault;
  TCursorId shownCursor_ = crDefault;
  std::u16string hint_;
  TBoundsI hintArea_;

  TvxVisualObject* hovered_ = nullptr;
  TvxVisualObject* captured_ = nullptr;
  TvxVisualObject* focused_ = nullptr;
  TvxVisualObject* dragOver_ = nullptr;
  TvxVisualObject* dragSource_ = nullptr;
  TvxVisualObject* activeControl_ = nullptr;
  TComponent* styleComponent_ = nullptr;
  TvxResources* style_ = nullptr;
  TComponent* frame_ = nullptr;

  TvxWindowDrag windowDrag_;
  TvxPoint mousePos_;
};

// The scene with its properties published for form data.
class TvxScene : public TvxCustomScene {
  LC_CLASS(TvxScene, TvxCustomScene)

 public:
  using TvxCustomScene::TvxCustomScene;
};
