#include "scene/host/Scene.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "platform/Platform.h"
#include "platform/component/FormData.h"
#include "scene/core/AniThread.h"
#include "scene/graphics/Backend.h"
#include "scene/graphics/Brush.h"
#include "scene/graphics/Canvas.h"
#include "scene/host/SceneStyleLink.h"
#include "scene/host/TabOrder.h"

namespace {

constexpr int kInitialSize = 100;
// The largest raster a window can show; bad form data must not ask for more.
constexpr int kMaxSize = 32767;
constexpr int kNoWindowMoveTag = 65535;
constexpr TvxColor kUpdateRectColor = 0x9000FF00;
constexpr TShiftState kButtons = ssLeft | ssRight | ssMiddle;

// The shared target of drags inside the program: the scene whose drag-over object it is, and
// the pointer in that scene's coordinates.
struct TDropTarget {
  TvxCustomScene* scene = nullptr;
  TvxPoint point;
};

TDropTarget& DropTarget() {
  static TDropTarget target;
  return target;
}

// The platform's event loop, or null where none is installed: tools may draw scenes on
// demand without one.
IEventLoop* EventLoop() {
  try {
    return Platform().loop;
  } catch (const std::logic_error&) {
    return nullptr;
  }
}

// Truncates towards zero into the int range; NaN gives 0.
int TruncToInt(float value) {
  if (std::isnan(value)) return 0;
  return int(std::clamp(std::trunc(double(value)), -1e9, 1e9));
}

bool IsDialogKey(uint16_t key) {
  switch (key) {
    case vkEscape:
    case vkReturn:
    case vkLeft:
    case vkUp:
    case vkRight:
    case vkDown:
    case vkHome:
    case vkEnd:
    case vkAdd:
    case vkSubtract:
      return true;
    default:
      return false;
  }
}

// The letter a control character typed with Ctrl stands for, or 0.
char16_t ControlLetter(char16_t ch) {
  switch (ch) {
    case 1:
      return u'a';
    case 3:
      return u'c';
    case 22:
      return u'v';
    case 24:
      return u'x';
    case 26:
      return u'z';
    default:
      return 0;
  }
}

// A scene's event as a field of the published class.
template <class E>
E TvxScene::*OfScene(E TvxCustomScene::*field) {
  return field;
}

bool IsQuarterTurn(float angle) {
  return angle == 90 || angle == -90 || angle == 270 || angle == -270;
}

}  // namespace

const TEnumInfo& PlatformAlignNames() {
  static const TEnumInfo names{
      {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"}};
  return names;
}

bool TvxCustomScene::ShowUpdateRects = false;

LC_PUBLISH(TvxCustomScene) {}

LC_PUBLISH(TvxScene) {
  using C = TvxScene;
  p.Integer("Left", &C::Left, &C::SetLeft);
  p.Integer("Top", &C::Top, &C::SetTop);
  p.Integer("Width", &C::Width, &C::SetWidth);
  p.Integer("Height", &C::Height, &C::SetHeight);
  p.Enum("Align", PlatformAlignNames(), &C::Align, &C::SetAlign, alNone);
  p.Bool("AnimatedCaret", &C::AnimatedCaret, &C::SetAnimatedCaret, true);
  p.Object("Fill", &C::Fill);
  p.Bool("Transparency", &C::Transparency, &C::SetTransparency);
  p.Component("Style", &C::StyleComponent, &C::SetStyleComponent);
  p.Bool("TabStop", &C::TabStop, &C::SetTabStop);
  p.Component("ActiveControl", &C::ActiveControl, &C::SetActiveControl);
  p.Integer("Cursor", &C::Cursor, &C::SetCursor, crDefault);
  p.Bool("ShowHint", &C::ShowHint, &C::SetShowHint, true);
  p.Event("OnMouseDown", OfScene(&C::OnMouseDown));
  p.Event("OnMouseUp", OfScene(&C::OnMouseUp));
  p.Event("OnMouseMove", OfScene(&C::OnMouseMove));
  p.Event("OnMouseWheel", OfScene(&C::OnMouseWheel));
}

TvxCustomScene::TvxCustomScene(TComponent* owner)
    : TComponent(owner),
      canvas_(CreateDefaultCanvas(kInitialSize, kInitialSize)),
      fill_(std::make_unique<TvxBrush>(vxBrushNone, 0xFF000000)) {
  fill_->OnChange = TNotifyEvent(this, &TvxCustomScene::FillChanged);
  AddScene(this);
}

TvxCustomScene::~TvxCustomScene() {
  Destroying();
  if (DropTarget().scene == this) DropTarget() = {};
  if (style_ && SceneStyleLink().detach) SceneStyleLink().detach(style_, this);
  SetForm(nullptr);
  FreeRoots();
  RemoveScene(this);
  FreeAniThreadWithLastScene();
}

void TvxCustomScene::FreeRoots() {
  while (!roots_.empty()) {
    TvxObject* root = roots_.back();
    roots_.pop_back();
    delete root;
  }
}

// ---- window life -----------------------------------------------------------------------------

void TvxCustomScene::SetForm(TForm* form) {
  if (form == form_) return;
  if (form_) {
    DestroyHandle();
    if (form_->Content() == this) form_->SetContent(nullptr);
  }
  Watch(form_, form);
  if (!form_) return;
  form_->SetContent(this);
  if (!HasState(csLoading)) CreateHandle();
}

void TvxCustomScene::SetParentComponent(TComponent* parent) {
  if (auto* form = dynamic_cast<TForm*>(parent)) SetForm(form);
}

INativeWindow* TvxCustomScene::Window() const {
  return form_ && handleCreated_ ? &form_->Window() : nullptr;
}

bool TvxCustomScene::PresentsLayered() const {
  return transparency_ && form_ && !HasState(csDesigning);
}

void TvxCustomScene::CreateHandle() {
  if (!form_ || handleCreated_) return;
  handleCreated_ = true;
  SetDevicePixelRatio(form_->Window().DevicePixelRatio());
  if (align_ == alClient) SetBounds(0, 0, form_->ClientWidth(), form_->ClientHeight());
  ResizeCanvas(width_, height_);
  RealignRoot();
  RepaintAll();
  if (!PresentsLayered()) return;
  form_->Window().SetTransparent(true);
  // A transparent first frame, so the window shows nothing until the first drawing.
  if (const TPixelFrame frame = Pixels(); frame.pixels) form_->Window().Present(frame, {});
  AddUpdateRect({0, 0, 65535, 65535});
}

void TvxCustomScene::DestroyHandle() {
  if (!handleCreated_) return;
  ReleaseMouse();
  if (transparency_) form_->Window().SetTransparent(false);
  handleCreated_ = false;
  windowDrag_.End();
}

void TvxCustomScene::Loaded() {
  TComponent::Loaded();
  defaultCursor_ = cursor_;
  designSnapToGrid_ = false;
  if (form_) CreateHandle();
  StartFirstDrawing();
}

void TvxCustomScene::StartFirstDrawing() {
  IEventLoop* loop = EventLoop();
  if (!loop) return;
  firstDrawing_ = loop->CreateTimer();
  firstDrawing_->SetInterval(1);
  firstDrawing_->SetOnTimer([this] {
    AddUpdateRect({0, 0, 65535, 65535});
    firstDrawing_.reset();  // frees this very callback: nothing may follow
  });
  firstDrawing_->SetEnabled(true);
}

void TvxCustomScene::ContentResized(int width, int height) {
  if (align_ == alClient) SetBounds(0, 0, width, height);
}

void TvxCustomScene::ContentShown() {
  RepaintAll();
}

void TvxCustomScene::GetChildren(const std::function<void(TComponent*)>& proc, TComponent*) {
  for (TvxObject* root : roots_)
    if (root->Stored()) proc(root);
}

void TvxCustomScene::DefineProperties(TFiler& filer) {
  // Settings of the visual designer, kept so that form data reads and writes back.
  filer.DefineProperty(
      "DesignSnapGridShow", [](const TFormValue&) {}, [] { return TFormValue::Bool(false); }, true);
  filer.DefineProperty(
      "DesignSnapToGrid",
      [this](const TFormValue& v) { designSnapToGrid_ = v.type == TValueType::True; },
      [this] { return TFormValue::Bool(designSnapToGrid_); }, true);
  filer.DefineProperty(
      "DesignSnapToLines",
      [this](const TFormValue& v) { designSnapToLines_ = v.type == TValueType::True; },
      [this] { return TFormValue::Bool(designSnapToLines_); }, true);
}

// ---- placement and properties -----------------------------------------------------------------

void TvxCustomScene::SetBounds(int left, int top, int width, int height) {
  width = std::clamp(width, 0, kMaxSize);
  height = std::clamp(height, 0, kMaxSize);
  const bool resized = width != width_ || height != height_;
  if (resized) ResizeCanvas(width, height);
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (!resized) return;
  if (!drawing_) pending_.Clear();
  RealignRoot();
  RepaintAll();
}

void TvxCustomScene::ResizeCanvas(int width, int height) {
  const int deviceWidth = int(std::lround(float(width) * ratio_));
  const int deviceHeight = int(std::lround(float(height) * ratio_));
  if (!canvas_) canvas_ = CreateDefaultCanvas(deviceWidth, deviceHeight);
  if (!canvas_) return;
  canvas_->SetDeviceScale(ratio_);
  canvas_->ResizeBuffer(deviceWidth, deviceHeight);
}

void TvxCustomScene::SetDevicePixelRatio(float value) {
  constexpr float kMaxRatio = 16;
  value = value > 0 ? std::min(value, kMaxRatio) : 1;
  if (value == ratio_) return;
  ratio_ = value;
  ResizeCanvas(width_, height_);
  if (!drawing_) pending_.Clear();
  RepaintAll();
}

void TvxCustomScene::SetAlign(TAlign value) {
  align_ = value;
  if (align_ == alClient && form_) SetBounds(0, 0, form_->ClientWidth(), form_->ClientHeight());
}

void TvxCustomScene::SetTransparency(bool value) {
  if (value == transparency_) return;
  transparency_ = value;
  if (INativeWindow* window = Window()) window->SetTransparent(PresentsLayered());
  AddUpdateRect({0, 0, 10000, 10000});
}

void TvxCustomScene::FillChanged(TObject*) {
  if (!drawing_) pending_.Clear();
  RepaintAll();
}

void TvxCustomScene::SetActiveControl(TvxVisualObject* control) {
  if (control && !control->IsControl()) return;
  Watch(activeControl_, control);
  if (activeControl_ && !HasState(csLoading)) activeControl_->SetFocus();
}

void TvxCustomScene::SetStyleComponent(TComponent* component) {
  const TvxSceneStyleLink& link = SceneStyleLink();
  SetStyle(component && link.fromComponent ? link.fromComponent(component) : nullptr);
}

void TvxCustomScene::SetStyle(TvxResources* style) {
  if (style == style_) return;
  const TvxSceneStyleLink& link = SceneStyleLink();
  TComponent* component = style && link.toComponent ? link.toComponent(style) : nullptr;
  // A container that cannot be watched would be left dangling when it is freed.
  if (style && !component) return;
  if (style_ && link.detach) link.detach(style_, this);
  style_ = style;
  Watch(styleComponent_, component);
  if (style_ && link.attach) link.attach(style_, this);
  UpdateStyle();
}

void TvxCustomScene::UpdateStyle() {
  if (TvxVisualObject* root = GetRoot()) root->UpdateStyle();
}

void TvxCustomScene::SetFramedBy(TComponent* frame) {
  Watch(frame_, frame);
  if (!frame_) RepaintAll();
}

// ---- roots -------------------------------------------------------------------------------------

void TvxCustomScene::AddObject(TvxObject* object) {
  if (!object) return;
  if (object->Parent()) {
    object->SetParent(nullptr);
  } else if (IvxScene* other = object->Scene(); other && other != this) {
    other->RemoveObject(object);
  }
  if (std::find(roots_.begin(), roots_.end(), object) != roots_.end()) return;
  roots_.push_back(object);
  object->SetScene(this);
  RealignRoot();
}

void TvxCustomScene::ReturnRoot(TvxObject* root) {
  AddObject(root);
  auto it = std::find(roots_.begin(), roots_.end(), root);
  if (it != roots_.end()) std::rotate(roots_.begin(), it, it + 1);
  RealignRoot();
  RepaintAll();
}

void TvxCustomScene::RemoveObject(TvxObject* object) {
  auto it = std::find(roots_.begin(), roots_.end(), object);
  if (it == roots_.end()) return;
  RepaintAll();
  roots_.erase(it);
  if (object->Scene() == this) object->SetScene(nullptr);
}

TvxVisualObject* TvxCustomScene::GetRoot() {
  return roots_.empty() ? nullptr : dynamic_cast<TvxVisualObject*>(roots_.front());
}

void TvxCustomScene::RealignRoot() {
  TvxVisualObject* root = GetRoot();
  if (!root) return;
  // A zero scale cannot be divided by; such a root gets the scene's own extent.
  const float scaleX = root->Scale()->X() != 0 ? root->Scale()->X() : 1;
  const float scaleY = root->Scale()->Y() != 0 ? root->Scale()->Y() : 1;
  float width = float(width_) / scaleX;
  float height = float(height_) / scaleY;
  float x = 0;
  float y = 0;
  if (IsQuarterTurn(root->RotateAngle())) {
    std::swap(width, height);
    x = -float(width_ - height_) / 2;
    y = float(width_ - height_) / 2;
  }
  root->SetBounds(x, y, width, height);
}

// ---- repainting and drawing ---------------------------------------------------------------------

void TvxCustomScene::AddUpdateRect(const TvxRect& rect) {
  if (updateLocked_ || HasState(csLoading | csDestroying)) return;
  if (!handleCreated_ && !present_) return;
  if (!canvas_ || !canvas_->Bits()) return;
  // Requests made while drawing belong to the next drawing.
  TvxPendingRects& list = drawing_ ? deferred_ : pending_;
  if (list.Add(rect, width_, height_)) PostDraw();
}

void TvxCustomScene::RepaintAll() {
  AddUpdateRect({0, 0, float(width_), float(height_)});
}

void TvxCustomScene::PostDraw() {
  IEventLoop* loop = EventLoop();
  if (drawPosted_ || !loop) return;
  drawPosted_ = true;
  loop->Post([this, alive = TWeakRef<TvxCustomScene>(this)] {
    if (!alive) return;
    drawPosted_ = false;
    Draw();
  });
}

void TvxCustomScene::DrawAll() {
  if (drawing_) return;
  pending_.Clear();
  pending_.Add({0, 0, float(width_), float(height_)}, width_, height_);
  Draw();
}

void TvxCustomScene::Draw() {
  if (frame_ && !IsDesigning()) {
    // The frame paints the tree; what was asked of the scene is repainted when it returns.
    pending_.Clear();
    return;
  }
  if (drawing_ || pending_.Empty()) return;
  drawing_ = true;
  struct TFinish {
    TvxCustomScene& scene;
    ~TFinish() {
      scene.pending_ = std::exchange(scene.deferred_, {});
      scene.drawing_ = false;
    }
  } finish{*this};
  pending_.MergeIfMany();
  if (canvas_) pending_.AlignToDevice(ratio_, canvas_->Width(), canvas_->Height());
  if (canvas_ && canvas_->BeginScene()) {
    PaintPending();
    canvas_->EndScene();
  }
  Present();
}

void TvxCustomScene::PaintPending() {
  canvas_->SetMatrix(IdentityMatrix);
  canvas_->SetClipRects(pending_.Rects());
  PaintBackground();
  canvas_->Fill().SetStyle(vxBrushSolid);
  canvas_->Stroke().SetStyle(vxBrushSolid);
  PaintRoots();
  if (ShowUpdateRects) {
    canvas_->SetMatrix(IdentityMatrix);
    canvas_->Fill().SetStyle(vxBrushSolid);
    canvas_->Fill().SetColor(kUpdateRectColor);
    for (const TvxRect& r : pending_.Rects()) canvas_->FillRect(r, 0, 0, AllCorners, 1, {});
  }
  canvas_->ResetClipRect();
}

void TvxCustomScene::PaintBackground() {
  const TvxBrushStyle style = fill_->Style();
  const bool clearOnly =
      style == vxBrushNone || (style == vxBrushSolid && ColorAlpha(fill_->Color()) == 0);
  // Cleared first in any case: a translucent fill must not pile up on the last frame.
  const TvxColor opaque = clearOnly ? 0xFF000000 | (fill_->Color() & 0x00FFFFFF) : 0xFF000000;
  const TvxColor clear = transparency_ ? 0 : opaque;
  for (const TvxRect& r : pending_.Rects()) canvas_->ClearRect(r, clear);
  if (clearOnly) return;
  canvas_->Fill().Assign(*fill_);
  canvas_->FillRect({-1, -1, float(width_ + 1), float(height_ + 1)}, 0, 0, AllCorners, 1, {});
}

void TvxCustomScene::PaintRoots() {
  // By index: a paint handler may change the list.
  for (size_t i = 0; i < roots_.size(); ++i) {
    auto* root = dynamic_cast<TvxVisualObject*>(roots_[i]);
    if (root && root->Visible() && pending_.AnyIntersects(root->GetUpdateRect())) PaintRoot(*root);
  }
}

void TvxCustomScene::PaintRoot(TvxVisualObject& root) {
  canvas_->SetMatrix(root.GetAbsoluteMatrix());
  root.BeforePaint();
  root.Paint();
  root.AfterPaint();
  root.PaintChildren();
  if (!root.OnPaint) return;
  canvas_->SetMatrix(root.GetAbsoluteMatrix());
  root.OnPaint(&root, canvas_.get(), root.GetLocalRect());
}

void TvxCustomScene::Present() {
  if (present_) return present_(this);
  INativeWindow* window = Window();
  const TPixelFrame frame = Pixels();
  if (!window || !frame.pixels) return;
  const std::vector<TBoundsI> dirty = pending_.Bounds(ratio_);
  window->Present(frame, dirty);
}

TPixelFrame TvxCustomScene::Pixels() const {
  if (!canvas_ || !canvas_->Bits()) return {};
  return {canvas_->Bits(), canvas_->Width(), canvas_->Height(), canvas_->Width() * 4, ratio_};
}

void TvxCustomScene::SetPresentationHandler(TvxPresentEvent handler) {
  present_ = std::move(handler);
}

// ---- weak references ---------------------------------------------------------------------------

template <class T>
void TvxCustomScene::Watch(T*& field, std::type_identity_t<T>* value) {
  T* old = field;
  field = value;
  if (old && old != value && !References(old)) RemoveFreeNotification(old);
  if (value) FreeNotification(value);
}

bool TvxCustomScene::References(const TComponent* c) const {
  return c == hovered_ || c == captured_ || c == focused_ || c == dragOver_ || c == dragSource_ ||
         c == activeControl_ || c == styleComponent_ || c == frame_ || c == form_;
}

void TvxCustomScene::Forget(const TComponent* c) {
  if (!c) return;
  if (c == form_) {
    form_ = nullptr;
    handleCreated_ = false;
  }
  if (c == captured_) {
    captured_ = nullptr;
    ReleaseMouse();
  }
  if (c == styleComponent_) {
    styleComponent_ = nullptr;
    style_ = nullptr;
  }
  for (TvxVisualObject** field : {&hovered_, &focused_, &dragOver_, &dragSource_, &activeControl_})
    if (*field == c) *field = nullptr;
  if (c == frame_) SetFramedBy(nullptr);
}

void TvxCustomScene::Notification(TComponent* component) {
  Forget(component);
}

void TvxCustomScene::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove) Forget(component);
}

template <class F>
bool TvxCustomScene::CallSurvived(TvxVisualObject* object, F&& call) {
  const TWeakRef<TvxVisualObject> callee(object);
  call();
  return callee.Get() != nullptr;
}

// ---- capture and focus -------------------------------------------------------------------------

void TvxCustomScene::SetCaptured(TvxVisualObject* object) {
  Watch(captured_, object);
  INativeWindow* window = Window();
  if (!window || present_) return;
  window->SetMouseCapture(captured_ != nullptr || dragSource_ != nullptr);
}

void TvxCustomScene::ReleaseMouse() {
  if (INativeWindow* window = Window(); window && !present_ && !dragSource_)
    window->SetMouseCapture(false);
}

void TvxCustomScene::SetFocused(TvxVisualObject* object) {
  if (object == focused_) return;
  TvxVisualObject* old = focused_;
  Watch(focused_, object);
  if (old) old->KillFocus();
  if (object && focused_ == object) object->EnterFocus();
}

TvxPoint TvxCustomScene::LocalToScreen(const TvxPoint& point) {
  const TPointI truncated{TruncToInt(point.X), TruncToInt(point.Y)};
  INativeWindow* window = Window();
  if (!window) return {float(truncated.x), float(truncated.y)};
  const TPointI screen = window->ClientToScreen({truncated.x + left_, truncated.y + top_});
  return {float(screen.x), float(screen.y)};
}

// ---- mouse -------------------------------------------------------------------------------------

void TvxCustomScene::ContentMessage(const TWindowMessage& message) {
  using Kind = TWindowMessage::Kind;
  const TvxPoint point{message.x - float(left_), message.y - float(top_)};
  switch (message.kind) {
    case Kind::MouseDown:
      return MousePress(message.button, message.shift, point);
    case Kind::DoubleClick:
      return MousePress(message.button, message.shift | ssDouble, point);
    case Kind::MouseUp:
      return MouseRelease(message.button, message.shift, point);
    case Kind::MouseMove:
      return MouseMoved(message.shift, point);
    case Kind::MouseLeave:
      return PointerLeft();
    case Kind::Wheel:
      return Wheel(message.shift, message.wheelDelta, point);
    case Kind::KeyDown:
      return KeyDown(message.key, 0, message.shift);
    case Kind::KeyUp:
      return KeyUp(message.key, 0, message.shift);
    case Kind::Char:
      return CharTyped(message.ch, message.shift);
    case Kind::ImeCommit:
      if (focused_) focused_->InputText(message.text, message.shift);
      return;
    case Kind::RatioChange:
      if (INativeWindow* window = Window()) SetDevicePixelRatio(window->DevicePixelRatio());
      return;
    case Kind::Close:
      return;
  }
}

TvxPoint TvxCustomScene::ClientPoint(const TvxPoint& scenePoint) const {
  return {scenePoint.X + float(left_), scenePoint.Y + float(top_)};
}

TvxVisualObject* TvxCustomScene::ObjectAt(const TvxPoint& point) {
  for (auto it = roots_.rbegin(); it != roots_.rend(); ++it) {
    auto* root = dynamic_cast<TvxVisualObject*>(*it);
    if (!root) return nullptr;
    if (!root->Visible() && !IsDesigning()) continue;
    if (TvxVisualObject* found = root->ObjectAtPoint(point)) return found;
  }
  return nullptr;
}

void TvxCustomScene::MousePress(TMouseButton button, TShiftState shift, const TvxPoint& point) {
  OnMouseDown(this, button, shift, point.X, point.Y);
  mousePos_ = point;
  TvxVisualObject* object = ObjectAt(point);
  // Any button pressed on empty space moves the form: the sprite's right-button menu relies on
  // the hook making its body hit-testable, so an empty spot must still drag.
  if (!object) return BeginWindowMove();
  if (dynamic_cast<IvxSizeGrip*>(object)) return BeginWindowResize();
  const TvxPoint local = object->AbsoluteToLocal(point);
  const bool alive =
      CallSurvived(object, [&] { object->MouseDown(button, shift, local.X, local.Y); });
  if (alive && object->DragMode() == vxDragAutomatic) object->BeginAutoDrag();
}

void TvxCustomScene::MouseRelease(TMouseButton button, TShiftState shift, const TvxPoint& point) {
  OnMouseUp(this, button, shift, point.X, point.Y);
  windowDrag_.End();
  if (dragSource_) return DropAt(point);
  TvxVisualObject* target = captured_ ? captured_ : ObjectAt(mousePos_);
  if (!target) return;
  const TvxPoint local = target->AbsoluteToLocal(point);
  target->MouseUp(button, shift, local.X, local.Y);
}

void TvxCustomScene::MouseMoved(TShiftState shift, const TvxPoint& point) {
  // A release the window never saw (a menu took the mouse) ends a move or resize.
  if (windowDrag_.Active() && !(shift & kButtons)) windowDrag_.End();
  if (windowDrag_.Active()) return FollowPointer(point);
  OnMouseMove(this, shift, point.X, point.Y);
  if (dragSource_) {
    DragTo(point);
  } else if (captured_) {
    const TvxPoint local = captured_->AbsoluteToLocal(point);
    captured_->MouseMove(shift, local.X, local.Y);
  } else {
    TvxVisualObject* object = ObjectAt(point);
    UpdateHint(object);
    ShowCursor(!object                              ? defaultCursor_
               : dynamic_cast<IvxSizeGrip*>(object) ? crSizeNWSE
                                                    : object->Cursor());
    Hover(object);
    if (object && hovered_ == object) {
      const TvxPoint local = object->AbsoluteToLocal(point);
      object->MouseMove(shift, local.X, local.Y);
    }
  }
  mousePos_ = point;
}

void TvxCustomScene::FollowPointer(const TvxPoint& point) {
  if (!form_) return windowDrag_.End();
  const TBoundsI bounds = windowDrag_.Follow(ClientPoint(point), form_->BoundsRect());
  if (windowDrag_.Mode() == TvxWindowDrag::TMode::Resize) ShowCursor(crSizeNWSE);
  form_->SetBounds(bounds);
}

void TvxCustomScene::Hover(TvxVisualObject* object) {
  if (object == hovered_) return;
  TvxVisualObject* old = hovered_;
  Watch(hovered_, object);
  if (old) old->MouseLeave();
  if (object && hovered_ == object) object->MouseEnter();
}

void TvxCustomScene::PointerLeft() {
  Hover(nullptr);
  UpdateHint(nullptr);
}

void TvxCustomScene::ShowCursor(TCursorId cursor) {
  INativeWindow* window = Window();
  if (!window || cursor == shownCursor_) return;
  shownCursor_ = cursor;
  window->SetCursor(cursor);
}

bool TvxCustomScene::HintOf(TvxVisualObject* object, std::u16string& text, TBoundsI& area) {
  if (!object || !object->ShowHint()) return false;
  text = object->Hint();
  const TvxRect r = object->GetAbsoluteRect();
  area = {TruncToInt(r.Left), TruncToInt(r.Top), TruncToInt(RectWidth(r)),
          TruncToInt(RectHeight(r))};
  return true;
}

void TvxCustomScene::UpdateHint(TvxVisualObject* object) {
  std::u16string text;
  TBoundsI area;
  if (!showHint_ || !HintOf(object, text, area)) area = {};
  if (text == hint_ && area == hintArea_) return;
  hint_ = text;
  hintArea_ = area;
  if (INativeWindow* window = Window())
    window->ShowHint(hint_, {area.left + left_, area.top + top_, area.width, area.height});
}

void TvxCustomScene::Wheel(TShiftState shift, int delta, const TvxPoint& point) {
  const TvxPoint client = ClientPoint(point);
  OnMouseWheel(this, shift, delta, client.X, client.Y);
  bool handled = false;
  if (captured_) return captured_->MouseWheel(shift, delta, handled);
  // Up the visual ancestors until one takes it; a handler may free the object it runs on.
  for (TvxVisualObject* object = ObjectAt(mousePos_); object && !handled;) {
    if (!CallSurvived(object, [&] { object->MouseWheel(shift, delta, handled); })) return;
    object = object->VisualParent();
  }
}

void TvxCustomScene::BeginWindowMove() {
  if (!Window() || form_->Tag() == kNoWindowMoveTag) return;
  windowDrag_.BeginMove(ClientPoint(mousePos_));
}

void TvxCustomScene::BeginWindowResize() {
  if (!Window()) return;
  windowDrag_.BeginResize(ClientPoint(mousePos_), form_->ClientWidth(), form_->ClientHeight());
}

// ---- drag and drop inside the program ----------------------------------------------------------

void TvxCustomScene::BeginDragObject(TvxVisualObject* object, const TvxBitmap*) {
  if (!object) return;
  Watch(dragSource_, object);
  if (INativeWindow* window = Window(); window && !present_) window->SetMouseCapture(true);
}

TvxDragObject TvxCustomScene::DragData() const {
  TvxDragObject data;
  data.Source = dragSource_;
  return data;
}

TvxCustomScene* TvxCustomScene::SceneAtScreen(TPointI screen, TvxPoint& scenePoint) {
  for (IvxScene* entry : Scenes()) {
    auto* scene = dynamic_cast<TvxCustomScene*>(entry);
    INativeWindow* window = scene ? scene->Window() : nullptr;
    if (!window || !window->Visible()) continue;
    const TPointI origin = window->ClientToScreen({scene->left_, scene->top_});
    const TvxPoint p{float(screen.x - origin.x), float(screen.y - origin.y)};
    if (p.X < 0 || p.Y < 0 || p.X >= float(scene->width_) || p.Y >= float(scene->height_)) continue;
    scenePoint = p;
    return scene;
  }
  return nullptr;
}

TvxVisualObject* TvxCustomScene::DropTargetAt(const TvxPoint& point, const TvxDragObject& data) {
  for (auto it = roots_.rbegin(); it != roots_.rend(); ++it) {
    auto* root = dynamic_cast<TvxVisualObject*>(*it);
    if (!root) return nullptr;
    if (!root->Visible()) continue;
    if (TvxVisualObject* found = root->DropTargetAtPoint(point, data)) return found;
  }
  return nullptr;
}

void TvxCustomScene::SetDragOver(TvxVisualObject* object) {
  Watch(dragOver_, object);
}

void TvxCustomScene::DragTo(const TvxPoint& point) {
  TvxCustomScene* scene = this;
  TvxPoint at = point;
  if (INativeWindow* window = Window()) {
    const TvxPoint client = ClientPoint(point);
    const TPointI screen = window->ClientToScreen({TruncToInt(client.X), TruncToInt(client.Y)});
    TvxPoint other;
    if (TvxCustomScene* found = SceneAtScreen(screen, other); found && found != this) {
      scene = found;
      at = other;
    }
  }
  const TvxDragObject data = DragData();
  TvxVisualObject* target = scene->DropTargetAt(at, data);
  TDropTarget& shared = DropTarget();
  TvxVisualObject* old = shared.scene ? shared.scene->dragOver_ : nullptr;
  shared.point = at;
  if (shared.scene == scene && old == target) return;
  if (shared.scene) shared.scene->SetDragOver(nullptr);
  shared.scene = target ? scene : nullptr;
  if (target) scene->SetDragOver(target);
  if (old) old->DragLeave();
  if (target && scene->dragOver_ == target) target->DragEnter(data, at);
}

void TvxCustomScene::DropAt(const TvxPoint& point) {
  DragTo(point);
  const TvxDragObject data = DragData();
  TDropTarget shared = std::exchange(DropTarget(), {});
  TvxVisualObject* target = shared.scene ? shared.scene->dragOver_ : nullptr;
  if (shared.scene) shared.scene->SetDragOver(nullptr);
  if (target) target->DragDrop(data, shared.point);
  TvxVisualObject* source = dragSource_;  // cleared if the drop freed it
  Watch(dragSource_, nullptr);
  if (!captured_) ReleaseMouse();
  if (source) source->DragEnd();
}

// ---- keyboard ----------------------------------------------------------------------------------

void TvxCustomScene::KeyDown(uint16_t key, char16_t keyChar, TShiftState shift) {
  TvxVisualObject* root = GetRoot();
  if (root && IsDialogKey(key)) {
    root->DialogKey(key, shift);
    if (key == 0) return;
  }
  if (key == vkEscape && CancelModalForm()) return;
  if (key != vkTab || !root) {
    if (focused_) focused_->KeyDown(key, keyChar, shift);
    return;
  }
  TabFocus(*root, shift & ssShift);
}

void TvxCustomScene::KeyUp(uint16_t key, char16_t keyChar, TShiftState shift) {
  if (focused_) focused_->KeyUp(key, keyChar, shift);
}

void TvxCustomScene::CharTyped(char16_t keyChar, TShiftState shift) {
  if (keyChar == u'\r') return;  // Enter arrives as a key
  if (const char16_t letter = ControlLetter(keyChar)) {
    KeyDown(0, letter, shift);
    KeyUp(0, letter, shift);
    return;
  }
  KeyDown(0, keyChar, shift);
}

bool TvxCustomScene::CancelModalForm() {
  for (TComponent* owner = Owner(); owner; owner = owner->Owner()) {
    auto* form = dynamic_cast<TForm*>(owner);
    if (!form || !form->Modal()) continue;
    form->SetModalResult(mrCancel);
    return true;
  }
  return false;
}

void TvxCustomScene::TabFocus(TvxVisualObject& root, bool backward) {
  if (TvxVisualObject* next = NextTabStop(TabOrderList(root), focused_, backward)) SetFocused(next);
}
