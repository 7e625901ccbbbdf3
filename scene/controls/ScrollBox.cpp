#include "scene/controls/ScrollBox.h"

#include <algorithm>

#include "platform/component/Publisher.h"
#include "scene/controls/ScrollBar.h"

namespace {

// Where a bar that ShowScrollBars hides waits, far from any viewport.
constexpr float kOutOfView = -100000;
constexpr float kWheelNotch = 120;
constexpr float kNotchSmallChanges = 3;

}  // namespace

LC_PUBLISH(TvxScrollBox) {
  using C = TvxScrollBox;
  p.Bool("AutoHide", &C::AutoHide, &C::SetAutoHide, true);
  p.Bool("Animated", &C::Animated, &C::SetAnimated, true);
  p.Bool("DisableMouseWheel", &C::DisableMouseWheel, &C::SetDisableMouseWheel);
  p.Bool("MouseTracking", &C::MouseTracking, &C::SetMouseTracking);
  p.Bool("ShowScrollBars", &C::ShowScrollBars, &C::SetShowScrollBars, true);
  p.Bool("ShowSizeGrip", &C::ShowSizeGrip, &C::SetShowSizeGrip);
  p.Bool("UseSmallScrollBars", &C::UseSmallScrollBars, &C::SetUseSmallScrollBars);
  p.Bool("CanFocused", &C::CanFocused, &C::SetCanFocused, true);
  p.Bool("DisableFocusEffect", &C::DisableFocusEffect, &C::SetDisableFocusEffect);
}

// Content.

TvxScrollContent::TvxScrollContent(TvxScrollBox& box) : TvxVisualObject(&box), box_(box) {
  SetStored(false);
  SetHitTest(false);
  SetLocked(true);
}

void TvxScrollContent::Realign() {
  TvxVisualObject::Realign();
  box_.RealignContent();
}

void TvxScrollContent::ChildAdded(TvxObject* object) {
  TvxVisualObject::ChildAdded(object);
  box_.RealignContent();
}

void TvxScrollContent::ChildRemoved(TvxObject* object) {
  TvxVisualObject::ChildRemoved(object);
  box_.RealignContent();
}

void TvxScrollContent::Paint() {
  if (TvxCanvas* canvas = Canvas()) box_.PaintContent(*canvas);
}

// Scroll box.

TvxScrollBox::TvxScrollBox(TComponent* owner) : TvxControl(owner) {
  SetWidth(100);
  SetHeight(100);
  SetCanFocused(true);
  content_ = new TvxScrollContent(*this);
  AddObject(content_);
}

TvxScrollBox::~TvxScrollBox() {
  // The content may sit in the style copy; it leaves with the box, not before it.
  DestroyTree();
}

void TvxScrollBox::SetAutoHide(bool value) {
  if (value == autoHide_) return;
  autoHide_ = value;
  RealignContent();
}

void TvxScrollBox::SetShowScrollBars(bool value) {
  if (value == showScrollBars_) return;
  showScrollBars_ = value;
  if (StyleObject()) ApplyStyle();
}

void TvxScrollBox::SetShowSizeGrip(bool value) {
  if (value == showSizeGrip_) return;
  showSizeGrip_ = value;
  if (auto* grip = dynamic_cast<TvxVisualObject*>(FindResource("sizegrip")))
    grip->SetVisible(value);
}

void TvxScrollBox::SetUseSmallScrollBars(bool value) {
  if (value == useSmallScrollBars_) return;
  useSmallScrollBars_ = value;
  if (StyleObject()) ApplyStyle();
}

TvxVisualObject* TvxScrollBox::Viewport() const {
  return viewport_ ? viewport_ : const_cast<TvxScrollBox*>(this);
}

bool TvxScrollBox::IsContentChild(TvxObject* object) const {
  return object->IsVisual() && object != content_ && object != StyleObject();
}

void TvxScrollBox::AddObject(TvxObject* object) {
  if (object && content_ && IsContentChild(object)) return content_->AddObject(object);
  TvxControl::AddObject(object);
}

void TvxScrollBox::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  TvxControl::GetChildren(proc, root);
  if (!content_ || content_->Parent() == this) return;
  for (int i = 0; i < content_->ChildrenCount(); ++i)
    if (TvxObject* child = content_->Children(i); child->Stored()) proc(child);
}

TvxScrollBar* TvxScrollBox::BarPart(const char* name) {
  return dynamic_cast<TvxScrollBar*>(FindResource(name));
}

void TvxScrollBox::ApplyStyle() {
  TvxControl::ApplyStyle();
  auto* port = dynamic_cast<TvxVisualObject*>(FindResource("content"));
  viewport_ = port && port != content_ ? port : nullptr;
  if (viewport_) {
    viewport_->AddObject(content_);
    content_->SetIndex(0);  // beneath the bars
  }
  if (auto* grip = dynamic_cast<TvxVisualObject*>(FindResource("sizegrip")))
    grip->SetVisible(showSizeGrip_);
  BindScrollBars();
  RealignContent();
}

void TvxScrollBox::BindScrollBars() {
  for (TvxScrollBar* bar : {vbar_, hbar_})
    if (bar) bar->OnChange = {};
  TvxScrollBar* small[] = {BarPart("vsmallscrollbar"), BarPart("hsmallscrollbar")};
  TvxScrollBar* large[] = {BarPart("vscrollbar"), BarPart("hscrollbar")};
  TvxScrollBar** used = useSmallScrollBars_ ? small : large;
  for (TvxScrollBar* bar : useSmallScrollBars_ ? large : small)
    if (bar) bar->SetVisible(false);
  vbar_ = used[0];
  hbar_ = used[1];
  for (TvxScrollBar* bar : {vbar_, hbar_}) {
    if (!bar) continue;
    bar->OnChange = [this](TObject*) { ScrollChanged(); };
    if (!showScrollBars_) HideBar(bar);
  }
}

// A bar the box keeps hidden still carries the scroll position.
void TvxScrollBox::HideBar(TvxScrollBar* bar) {
  bar->SetOpacity(0);
  bar->SetHitTest(false);
  bar->SetAlign(vaNone);
  bar->Position()->SetPoint({kOutOfView, kOutOfView});
}

void TvxScrollBox::FreeStyle() {
  for (TvxScrollBar* bar : {vbar_, hbar_})
    if (bar) bar->OnChange = {};
  vbar_ = hbar_ = nullptr;
  viewport_ = nullptr;
  // The content outlives the style copy it sits in.
  if (content_ && content_->Parent() != this) TvxControl::AddObject(content_);
  TvxControl::FreeStyle();
}

void TvxScrollBox::Realign() {
  TvxControl::Realign();
  RealignContent();
}

void TvxScrollBox::Loaded() {
  TvxControl::Loaded();
  RealignContent();
}

float TvxScrollBox::BarThickness(TvxScrollBar* bar, bool vertical) const {
  if (!bar || !showScrollBars_ || !bar->Visible()) return 0;
  return vertical ? bar->Width() : bar->Height();
}

TvxRect TvxScrollBox::ViewportRect() const {
  TvxVisualObject* port = Viewport();
  return {0, 0, std::max(0.0f, port->Width() - BarThickness(vbar_, true)),
          std::max(0.0f, port->Height() - BarThickness(hbar_, false))};
}

TvxPoint TvxScrollBox::ScrollOffset() const {
  return {hbar_ ? hbar_->Value() : 0, vbar_ ? vbar_->Value() : 0};
}

TvxPoint TvxScrollBox::LayoutContent(float width) {
  TvxPoint size{width, 0};
  for (int i = 0; i < content_->ChildrenCount(); ++i) {
    auto* child = dynamic_cast<TvxVisualObject*>(content_->Children(i));
    if (!child || !child->Visible()) continue;
    size.X = std::max(size.X, child->Position()->X() + child->Width());
    size.Y = std::max(size.Y, child->Position()->Y() + child->Height());
  }
  return size;
}

void TvxScrollBox::UpdateBar(TvxScrollBar* bar, bool overflows, float length, float view) {
  if (!bar) return;
  bar->SetEnabled(overflows);
  bar->SetVisible(!autoHide_ || overflows);
  bar->SetMax(length);
  bar->SetViewportSize(view);
  bar->SetSmallChange(view / 5);
}

void TvxScrollBox::RealignContent() {
  if (laying_ || !content_ || HasState(csLoading) || HasState(csDestroying)) return;
  laying_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{laying_};
  TvxVisualObject* port = Viewport();
  const float fullWidth = port->Width();
  const float fullHeight = port->Height();
  // A vertical bar narrows the content, which may grow taller; so lay out twice at most.
  TvxPoint size = LayoutContent(fullWidth);
  const bool vertical = size.Y > fullHeight;
  const float width =
      vertical ? fullWidth - (vbar_ && showScrollBars_ ? vbar_->Width() : 0) : fullWidth;
  if (width != fullWidth) size = LayoutContent(width);
  const bool horizontal = size.X > width;
  const float height =
      horizontal && hbar_ && showScrollBars_ ? fullHeight - hbar_->Height() : fullHeight;
  UpdateBar(vbar_, size.Y > height, size.Y, height);
  UpdateBar(hbar_, horizontal, size.X, width);
  if (hbar_ && showScrollBars_) {
    TvxRect padding = hbar_->Padding()->Rect();
    padding.Right = vbar_ && vbar_->Visible() && vbar_->Enabled() ? vbar_->Width() : 0;
    hbar_->Padding()->SetRect(padding);
  }
  const TvxPoint offset = ScrollOffset();
  content_->SetBounds(-offset.X, -offset.Y, std::max(size.X, width), size.Y);
  ContentScrolled();
}

void TvxScrollBox::ScrollChanged() {
  if (!content_) return;
  const TvxPoint offset = ScrollOffset();
  content_->Position()->SetPoint({-offset.X, -offset.Y});
  ContentScrolled();
}

void TvxScrollBox::MouseWheel(TShiftState shift, int wheelDelta, bool& handled) {
  TvxControl::MouseWheel(shift, wheelDelta, handled);
  if (handled || disableMouseWheel_) return;
  TvxScrollBar* bar = vbar_ && vbar_->Visible() ? vbar_ : hbar_;
  if (!bar || !bar->Visible()) return;
  const float steps = float(wheelDelta) / kWheelNotch;
  bar->ScrollTo(bar->TargetValue() - steps * bar->SmallChange() * kNotchSmallChanges, animated_);
  handled = true;
}
