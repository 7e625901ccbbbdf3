#include "scene/controls/CheckBox.h"

#include <string>
#include <variant>
#include <vector>

#include "platform/component/Publisher.h"
#include "scene/core/Variant.h"

namespace {

// Every radio button in the tree under `node`, `node` included, parents before children.
void CollectRadioButtons(TvxObject& node, std::vector<TvxRadioButton*>& out) {
  if (auto* radio = dynamic_cast<TvxRadioButton*>(&node)) out.push_back(radio);
  for (int i = 0; i < node.ChildrenCount(); ++i) CollectRadioButtons(*node.Children(i), out);
}

bool IsToggleKey(uint16_t key) {
  return key == vkReturn || key == vkSpace;
}

}  // namespace

template <class C>
static void PublishCheckable(TPublisher<C>& p) {
  // Read-only: published for trigger texts, never set from form data.
  p.Bool("IsPressed", &C::IsPressed, [](C&, bool) {}).NoStore();
  p.Bool("IsChecked", &C::IsChecked, &C::SetIsChecked);
  p.Bool("AutoTranslate", &C::AutoTranslate, &C::SetAutoTranslate, true);
  p.Component("BindingSource", &C::BindingSource, &C::SetBindingSource);
  p.Bool("CanFocused", &C::CanFocused, &C::SetCanFocused, true);
  p.Bool("DisableFocusEffect", &C::DisableFocusEffect, &C::SetDisableFocusEffect);
  p.Object("Font", &C::Font);
  p.Enum("TextAlign", TextAlignNames, &C::TextAlign, &C::SetTextAlign, vxTextAlignNear);
  p.WString("Text", &C::Text, &C::SetText);
  p.Bool("WordWrap", &C::WordWrap, &C::SetWordWrap);
  // Named through C: the event lives in the shared base, and Event takes a member of C.
  TNotifyEvent C::*onChange = &C::OnChange;
  p.Event("OnChange", onChange);
}

LC_PUBLISH(TvxCheckBox) {
  PublishCheckable(p);
}

LC_PUBLISH(TvxRadioButton) {
  PublishCheckable(p);
  p.String("GroupName", &TvxRadioButton::GroupName, &TvxRadioButton::SetGroupName);
}

// Shared behaviour.

TvxCheckControl::TvxCheckControl(TComponent* owner) : TvxTextControl(owner) {
  SetWidth(120);
  SetHeight(19);
  SetTextAlign(vxTextAlignNear);
  SetAutoCapture(true);
  SetCanFocused(true);
  SetAutoTranslate(true);
}

void TvxCheckControl::ChangeChecked(bool value) {
  isChecked_ = value;
  StartTriggerAnimation(this, "IsChecked");
  OnChange(this);
}

void TvxCheckControl::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  TvxTextControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  pressing_ = true;
  isPressed_ = true;
  StartTriggerAnimation(this, "IsPressed");
}

void TvxCheckControl::MouseMove(TShiftState shift, float x, float y) {
  TvxTextControl::MouseMove(shift, x, y);
  if (!(shift & ssLeft) || !pressing_) return;
  const bool inside = PointInRect({x, y}, GetLocalRect());
  if (inside == isPressed_) return;
  isPressed_ = inside;
  StartTriggerAnimation(this, "IsPressed");
}

void TvxCheckControl::MouseUp(TMouseButton button, TShiftState shift, float x, float y) {
  // OnClick runs first and sees the old state.
  TvxTextControl::MouseUp(button, shift, x, y);
  if (!pressing_) return;
  pressing_ = false;
  isPressed_ = false;
  if (PointInRect({x, y}, GetLocalRect())) SetIsChecked(!isChecked_);
}

void TvxCheckControl::KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  TvxTextControl::KeyDown(key, keyChar, shift);
  if (IsToggleKey(key)) SetIsChecked(!isChecked_);
}

void TvxCheckControl::ApplyStyle() {
  TvxTextControl::ApplyStyle();
  // A freshly attached style shows the current state at once: animating into it would flash
  // the checked colour on every unchecked control while its dialog opens.
  StartTriggerAnimation(this, "IsChecked");
  StopTriggerAnimation(this);  // a stop applies each animation's end value
}

TVariant TvxCheckControl::GetData() {
  return isChecked_;
}

void TvxCheckControl::SetData(const TVariant& value) {
  if (IsMethodData(value)) {
    // A text that names no live method leaves the handler as it was.
    if (const TMethod method = VariantToMethod(value); method.code) OnChange.SetMethod(method);
  } else if (const bool* checked = std::get_if<bool>(&value)) {
    SetIsChecked(*checked);
  } else {
    SetIsChecked(false);
  }
}

// Check box.

void TvxCheckBox::SetIsChecked(bool value) {
  if (isChecked_ != value) ChangeChecked(value);
}

// Radio button.

void TvxRadioButton::SetIsChecked(bool value) {
  if (isChecked_ == value) return;
  // Stored first, so that the buttons unchecked below already see this one checked.
  if (value) isChecked_ = true;
  IvxScene* scene = Scene();
  TvxVisualObject* root = scene ? scene->GetRoot() : nullptr;
  std::vector<TvxRadioButton*> radios;
  if (root) CollectRadioButtons(*root, radios);
  int members = 0;
  int checkedMembers = 0;
  for (TvxRadioButton* other : radios) {
    if (other == this || other->groupName_ != groupName_) continue;
    const bool wasChecked = other->isChecked_;
    if (value) other->SetIsChecked(false);
    ++members;
    if (wasChecked) ++checkedMembers;
  }
  // A group never loses its last checked button.
  if (!value && (members == 0 || checkedMembers == 0)) return;
  ChangeChecked(value);
}
