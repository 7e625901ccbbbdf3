#include "scene/controls/Popup.h"

#include <algorithm>
#include <cmath>

#include "platform/Platform.h"
#include "platform/component/Publisher.h"
#include "scene/controls/PopupForm.h"
#include "scene/controls/StyleResources.h"
#include "scene/core/Bounds.h"
#include "scene/core/Position.h"
#include "scene/host/Scene.h"

const TEnumInfo PlacementNames{{"vxPlacementBottom", "vxPlacementTop", "vxPlacementLeft",
                                "vxPlacementRight", "vxPlacementCenter", "vxPlacementBottomCenter",
                                "vxPlacementTopCenter", "vxPlacementLeftCenter",
                                "vxPlacementRightCenter", "vxPlacementAbsolute", "vxPlacementMouse",
                                "vxPlacementMouseCenter"}};

namespace {

constexpr uint32_t kFollowIntervalMs = 10;

// Every open popup, staying open or not, so that their windows are known.
std::vector<TvxPopup*>& ShownPopups() {
  static std::vector<TvxPopup*> shown;
  return shown;
}

std::vector<TvxPopup*>& ClosingList() {
  static std::vector<TvxPopup*> open;
  return open;
}

template <class T, class F>
void ForEachChild(TvxObject& object, F&& call) {
  for (int i = 0; i < object.ChildrenCount(); ++i)
    if (auto* child = dynamic_cast<T*>(object.Children(i))) call(*child);
}

bool AnimationRunsIn(TvxObject& object) {
  bool running = false;
  ForEachChild<TvxObject>(object, [&running](TvxObject& child) {
    auto* animation = dynamic_cast<IvxAnimationEnd*>(&child);
    running = running || (animation && animation->IsRunning()) || AnimationRunsIn(child);
  });
  return running;
}

TvxPopup* PopupOfWindow(const INativeWindow& window) {
  for (TvxPopup* popup : ShownPopups())
    if (popup->PopupForm() && &popup->PopupForm()->Window() == &window) return popup;
  return nullptr;
}

bool IsPress(TWindowMessage::Kind kind) {
  return kind == TWindowMessage::Kind::MouseDown || kind == TWindowMessage::Kind::DoubleClick;
}

bool IsKeyboard(TWindowMessage::Kind kind) {
  using Kind = TWindowMessage::Kind;
  return kind == Kind::KeyDown || kind == Kind::KeyUp || kind == Kind::Char ||
         kind == Kind::ImeCommit;
}

// Closes the popups opened after `kept`, newest first.
void CloseNewerThan(const TvxPopup* kept) {
  while (!ClosingList().empty() && ClosingList().back() != kept) {
    TvxPopup* newest = ClosingList().back();
    newest->ClosePopup();
    // A popup that refuses to leave (a modal run that takes the result first) leaves the list
    // once its run ends; stop rather than spin.
    if (!ClosingList().empty() && ClosingList().back() == newest) return;
  }
}

// Sees every message of the program's windows while popups are open: a press outside every
// open popup closes them and is taken, so that it does not also act on what it hit (a combo
// box pressed to close its list would open it again); its release is taken with it. Keys
// typed into the dialog go to the newest popup, which the dialog keeps active meanwhile.
class TPopupInputWatch {
 public:
  // Installed with the first popup that opens and kept: it passes everything on while no
  // popup is open, and a release to swallow may come after the last popup has closed.
  static void Ensure() {
    static TPopupInputWatch watch;
    if (watch.filterId_ == 0)
      watch.filterId_ = AddMessageFilter(
          [](INativeWindow& window, const TWindowMessage& m) { return watch.Filter(window, m); });
  }

 private:
  bool Filter(INativeWindow& window, const TWindowMessage& m) {
    if (m.kind == TWindowMessage::Kind::MouseUp && swallowRelease_ == &window) {
      swallowRelease_ = nullptr;
      return true;
    }
    TvxPopup* popup = PopupOfWindow(window);
    if (IsPress(m.kind)) return Pressed(window, popup, m);
    if (!popup && IsKeyboard(m.kind) && !ClosingList().empty()) {
      TvxPopupForm* form = ClosingList().back()->PopupForm();
      if (form && form->Content()) form->Content()->ContentMessage(m);
      return true;
    }
    return false;
  }

  bool Pressed(INativeWindow& window, TvxPopup* popup, const TWindowMessage& m) {
    if (popup && popup->PopupForm()->Outside(m.x, m.y)) return PressedAround(*popup, m);
    const bool inList = popup && std::find(ClosingList().begin(), ClosingList().end(), popup) !=
                                     ClosingList().end();
    if (inList) {
      CloseNewerThan(popup);
      return false;
    }
    if (ClosingList().empty()) return false;
    TvxPopup::CloseAllPopups();
    if (popup) return false;
    swallowRelease_ = &window;
    return true;
  }

  // A press the grab of the newest popup brought from elsewhere on the screen: on an older
  // popup it goes there, anywhere else it closes them all.
  bool PressedAround(TvxPopup& grabber, const TWindowMessage& m) {
    const TPointI screen =
        grabber.PopupForm()->Window().ClientToScreen({int(std::floor(m.x)), int(std::floor(m.y))});
    TvxPopup* under = PopupAtScreen(screen);
    if (!under) {
      TvxPopup::CloseAllPopups();
      return true;
    }
    TWindowMessage moved = m;
    moved.x = m.x + float(screen.x - int(std::floor(m.x)) - under->PopupForm()->Left());
    moved.y = m.y + float(screen.y - int(std::floor(m.y)) - under->PopupForm()->Top());
    TvxPopupForm* form = under->PopupForm();
    Pressed(form->Window(), under, moved);
    if (form->Content()) form->Content()->ContentMessage(moved);
    return true;
  }

  static TvxPopup* PopupAtScreen(TPointI at) {
    for (auto it = ShownPopups().rbegin(); it != ShownPopups().rend(); ++it) {
      const TBoundsI b = (*it)->PopupForm()->BoundsRect();
      if (at.x >= b.left && at.y >= b.top && at.x < b.left + b.width && at.y < b.top + b.height)
        return *it;
    }
    return nullptr;
  }

  int filterId_ = 0;
  const INativeWindow* swallowRelease_ = nullptr;
};

}  // namespace

LC_PUBLISH(TvxPopup) {
  using C = TvxPopup;
  p.Bool("IsOpen", &C::IsOpen, &C::SetIsOpen).NoStore();
  p.Enum("Placement", PlacementNames, &C::Placement, &C::SetPlacement, vxPlacementBottom);
  p.Component("PlacementTarget", &C::PlacementTarget, &C::SetPlacementTarget);
  p.Object("PlacementRectangle", &C::PlacementRectangle);
  p.Float("HorizontalOffset", &C::HorizontalOffset, &C::SetHorizontalOffset);
  p.Float("VerticalOffset", &C::VerticalOffset, &C::SetVerticalOffset);
  p.Bool("StaysOpen", &C::StaysOpen, &C::SetStaysOpen);
  p.Component("Style", &C::Style, &C::SetStyle);
  p.Bool("DragWithParent", &C::DragWithParent, &C::SetDragWithParent);
  p.Event("OnClosePopup", &C::OnClosePopup);
}

TvxPopup::TvxPopup(TComponent* owner)
    : TvxControl(owner), placementRectangle_(std::make_unique<TvxBounds>()) {
  SetVisible(false);
  SetCanFocused(true);
}

TvxPopup::~TvxPopup() {
  Destroying();
  // Freed by a handler while closing or in a modal run: those calls see `alive_` cleared and
  // leave the rest to this one.
  closing_ = false;
  modal_ = false;
  ClosePopup();
  *alive_ = false;
  Watch(target_, static_cast<TvxVisualObject*>(nullptr));
  Watch(style_, static_cast<TvxResources*>(nullptr));
  DestroyTree();
}

const std::vector<TvxPopup*>& TvxPopup::OpenPopups() {
  return ClosingList();
}

void TvxPopup::CloseAllPopups() {
  CloseNewerThan(nullptr);
}

template <class T>
void TvxPopup::Watch(T*& field, T* value) {
  if (field == value) return;
  if (field) field->RemoveFreeNotification(this);
  field = value;
  if (field) field->FreeNotification(this);
}

void TvxPopup::SetPlacementTarget(TvxVisualObject* value) {
  if (value == this) return;
  Watch(target_, value);
}

void TvxPopup::SetStyle(TvxResources* value) {
  Watch(style_, value);
}

void TvxPopup::Notification(TComponent* component, TOperation operation) {
  TvxControl::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  if (component == target_) target_ = nullptr;
  if (component == style_) style_ = nullptr;
  if (component == savedParent_) savedParent_ = nullptr;
}

void TvxPopup::SetIsOpen(bool value) {
  if (value == isOpen_) return;
  IvxScene* scene = Scene();
  if (HasState(csDesigning) || (scene && scene->IsDesigning())) return;
  value ? OpenPopup() : ClosePopup();
}

// ---- opening -----------------------------------------------------------------------------------

void TvxPopup::OpenPopup() {
  if (closing_) return;
  if (form_) return ClosePopup();
  IvxScene* fromScene = Scene();
  const TvxPoint scale = GetAbsoluteScale();
  savedScale_ = Scale()->Point();
  savedIndex_ = Index();
  Watch(savedParent_, Parent());
  CreatePopupForm();
  form_->SetClientWidth(int(std::lround(Width() * scale.X)));
  form_->SetClientHeight(int(std::lround(Height() * scale.Y)));
  Scale()->SetPoint(scale);
  ApplyPlacement();
  CreatePopupScene(fromScene);
  ShownPopups().push_back(this);
  if (!staysOpen_) ClosingList().push_back(this);
  TPopupInputWatch::Ensure();
  isOpen_ = true;
  ApplyTriggerEffect(this, "IsOpen");
  StartTriggerAnimation(this, "IsOpen");
  if (dragWithParent_ && staysOpen_) StartFollowing();
}

void TvxPopup::CreatePopupForm() {
  TForm* parentForm = dynamic_cast<TForm*>(Owner());
  if (!parentForm) {
    IvxScene* scene = Scene();
    parentForm = scene ? dynamic_cast<TForm*>(scene->GetOwnerComponent()) : nullptr;
  }
  form_ = std::make_unique<TvxPopupForm>(this, parentForm, !staysOpen_);
}

void TvxPopup::CreatePopupScene(IvxScene* fromScene) {
  auto* scene = new TvxScene(form_.get());
  scene->SetTransparency(true);
  scene->SetAlign(alClient);
  scene->SetForm(form_.get());
  scene->SetStyle(style_ ? style_ : fromScene ? fromScene->GetStyle() : nullptr);
  SetVisible(true);
  scene->AddObject(this);
  scene->SetActiveControl(this);
  UpdateStyle();
  form_->Show();
  SetFocus();
}

void TvxPopup::StartFollowing() {
  follow_ = Platform().loop->CreateTimer();
  follow_->SetOnTimer([this] { ApplyPlacement(); });
  follow_->SetInterval(kFollowIntervalMs);
  follow_->SetEnabled(true);
}

// ---- placement ---------------------------------------------------------------------------------

TvxVisualObject* TvxPopup::EffectiveTarget() const {
  if (target_) return target_;
  // While open the popup is a root of its own scene; its parent is the one it came from.
  TvxObject* parent = form_ ? savedParent_ : Parent();
  return parent && parent->IsVisual() ? static_cast<TvxVisualObject*>(parent) : nullptr;
}

void TvxPopup::ApplyPlacement() {
  if (!form_) return;
  TPointI at;
  if (placement_ == vxPlacementAbsolute) {
    at = {int(placementRectangle_->Left()), int(placementRectangle_->Top())};
  } else if (placement_ == vxPlacementMouse || placement_ == vxPlacementMouseCenter) {
    // The pointer's place counts when the popup opens; later calls leave the window there.
    if (isOpen_) return;
    at = Platform().windows->CursorPos();
    if (placement_ == vxPlacementMouseCenter) at.x = int(std::lround(at.x - Width() / 2));
  } else if (TvxVisualObject* target = EffectiveTarget()) {
    at = PlaceNextTo(*target);
  } else {
    at = PlaceOnRectangle();
  }
  form_->SetBounds({at.x, at.y, form_->ClientWidth(), form_->ClientHeight()});
}

namespace {

struct TEdges {
  float left, top, right, bottom;
};

// The table of placements on edges, for a popup of w x h with offsets ox, oy. The centred
// rows centre on the edges given, a rectangle's as much as a target's own.
TvxPoint PlaceOnEdges(TvxPlacement placement, const TEdges& e, float w, float h, float ox,
                      float oy) {
  const float midX = (e.left + e.right) / 2 - w / 2;
  const float midY = (e.top + e.bottom) / 2 - h / 2;
  switch (placement) {
    case vxPlacementTop:
      return {e.left + ox, e.top - h - oy};
    case vxPlacementLeft:
      return {e.left - w - ox, e.top + oy};
    case vxPlacementRight:
      return {e.right + ox, e.top + oy};
    case vxPlacementCenter:
      return {midX + ox, midY + oy};
    case vxPlacementBottomCenter:
      return {midX + ox, e.bottom + oy};
    case vxPlacementTopCenter:
      return {midX + ox, e.top - h - oy};
    case vxPlacementLeftCenter:
      return {e.left - w - ox, midY + oy};
    case vxPlacementRightCenter:
      return {e.right + ox, midY + oy};
    default:
      return {e.left + ox, e.bottom + oy};
  }
}

// Without a target the centred rows fall back to their plain ones.
TvxPlacement Uncentred(TvxPlacement placement) {
  switch (placement) {
    case vxPlacementBottomCenter:
      return vxPlacementBottom;
    case vxPlacementTopCenter:
      return vxPlacementTop;
    case vxPlacementLeftCenter:
      return vxPlacementLeft;
    case vxPlacementRightCenter:
      return vxPlacementRight;
    default:
      return placement;
  }
}

}  // namespace

TPointI TvxPopup::PlaceNextTo(TvxVisualObject& target) const {
  const TvxBounds& r = *placementRectangle_;
  const TEdges edges = r.Empty() ? TEdges{0, 0, target.Width(), target.Height()}
                                 : TEdges{r.Left(), r.Top(), r.Right(), r.Bottom()};
  const TvxPoint local =
      PlaceOnEdges(placement_, edges, Width(), Height(), horizontalOffset_, verticalOffset_);
  const TvxPoint absolute = target.LocalToAbsolute(local);
  const TvxPoint whole{std::trunc(absolute.X), std::trunc(absolute.Y)};
  IvxScene* scene = target.Scene() ? target.Scene() : Scene();
  const TvxPoint screen = scene ? scene->LocalToScreen(whole) : whole;
  return {int(std::lround(screen.X)), int(std::lround(screen.Y))};
}

TPointI TvxPopup::PlaceOnRectangle() const {
  const TvxBounds& r = *placementRectangle_;
  const TvxPoint at =
      PlaceOnEdges(Uncentred(placement_), {r.Left(), r.Top(), r.Right(), r.Bottom()}, Width(),
                   Height(), horizontalOffset_, verticalOffset_);
  return {int(std::lround(at.X)), int(std::lround(at.Y))};
}

// ---- closing -----------------------------------------------------------------------------------

void TvxPopup::ClosePopup() {
  if (closing_ || !form_) return;
  if (modal_ && form_->ModalResult() == mrNone) return form_->SetModalResult(mrCancel);
  follow_.reset();
  const std::shared_ptr<bool> alive = alive_;
  closing_ = true;
  isOpen_ = false;
  if (!HasState(csDestroying)) PlayClosing();
  if (!*alive) return;
  SetVisible(false);
  ReleaseForm();
  RestorePlace();
  closing_ = false;
  std::erase(ShownPopups(), this);
  std::erase(ClosingList(), this);
  // Handlers of a popup that is being freed would meet an owner half gone.
  if (!HasState(csDestroying)) OnClosePopup(this);
}

void TvxPopup::PlayClosing() {
  ApplyTriggerEffect(this, "IsOpen");
  StartTriggerAnimation(this, "IsOpen");
  // The window stays until the closing animations have played out; the loop runs timers
  // meanwhile, so virtual time moves on too.
  const std::shared_ptr<bool> alive = alive_;
  Platform().loop->RunUntil([this, alive] { return !*alive || !AnimationRunsIn(*this); });
}

void TvxPopup::ReleaseForm() {
  if (IvxScene* scene = Scene()) scene->RemoveObject(this);
  form_->Hide();
  // The window may be what is handling the message that closes it: freed later.
  std::shared_ptr<TvxPopupForm> released(form_.release());
  Platform().loop->Post([released] {});
}

void TvxPopup::RestorePlace() {
  Scale()->SetPoint(savedScale_);
  TvxObject* parent = savedParent_;
  Watch(savedParent_, static_cast<TvxObject*>(nullptr));
  if (!parent || HasState(csDestroying)) return;
  SetParent(parent);
  if (savedIndex_ >= 0 && savedIndex_ < parent->ChildrenCount()) SetIndex(savedIndex_);
}

// ---- modal run and keys ------------------------------------------------------------------------

TModalResult TvxPopup::PopupModal() {
  const std::shared_ptr<bool> alive = alive_;
  modal_ = true;
  SetIsOpen(true);
  if (!form_) {
    modal_ = false;
    return mrCancel;
  }
  form_->SetModalResult(mrNone);
  Platform().loop->RunUntil(
      [this, alive] { return !*alive || !form_ || form_->ModalResult() != mrNone; });
  if (!*alive) return mrCancel;
  // Ended by the application quitting: as cancelled.
  const TModalResult result =
      form_ && form_->ModalResult() != mrNone ? form_->ModalResult() : mrCancel;
  modal_ = false;
  ClosePopup();
  return result;
}

void TvxPopup::SetModalResult(TModalResult value) {
  if (form_) form_->SetModalResult(value);
}

void TvxPopup::DialogKey(uint16_t& key, TShiftState shift) {
  if (key == vkEscape && isOpen_ && !staysOpen_) {
    key = 0;
    return ClosePopup();
  }
  TvxControl::DialogKey(key, shift);
}
