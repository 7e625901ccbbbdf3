#include "scene/controls/CheckBox.h"

#include <string>
#include <variant>
#include <vector>

#include "platform/component/Publisher.h"
#include "scene/core/Variant.h"

namespace {

// Applies bound data to a checkable control: a method reference becomes `onChange`, a
// boolean the checked state, anything else unchecks.
template <class C>
void SetCheckData(C& control, const TVariant& value) {
  if (TvxControl::IsMethodData(value)) {
    // A text that names no live method leaves the handler as it was.
    if (const TMethod method = VariantToMethod(value); method.code)
      control.OnChange.SetMethod(method);
  } else if (const bool* checked = std::get_if<bool>(&value)) {
    control.SetIsChecked(*checked);
  } else {
    control.SetIsChecked(false);
  }
}

// A freshly attached style shows the current state at once: animating into it would flash
// the checked colour on every unchecked control while its dialog opens.
void ShowCheckedAtOnce(TvxObject& control) {
  control.StartTriggerAnimation(&control, "IsChecked");
  control.StopTriggerAnimation(&control);  // a stop applies each animation's end value
}

// Every radio button in the tree under `node`, `node` included, parents before children.
void CollectRadioButtons(TvxObject& node, std::vector<TvxRadioButton*>& out) {
  if (auto* radio = dynamic_cast<TvxRadioButton*>(&node)) out.push_back(radio);
  for (int i = 0; i < node.ChildrenCount(); ++i) CollectRadioButtons(*node.Children(i), out);
}

bool Inside(TvxVisualObject& control, float x, float y) {
  return PointInRect({x, y}, control.GetLocalRect());
}

bool IsToggleKey(uint16_t key) {
  return key == vkReturn || key == vkSpace;
}

}  // namespace

void TvxCheckPress::Down(TvxObject& control) {
  pressing_ = true;
  isPressed_ = true;
  control.StartTriggerAnimation(&control, "IsPressed");
}

void TvxCheckPress::Move(TvxObject& control, bool inside) {
  if (!pressing_ || inside == isPressed_) return;
  isPressed_ = inside;
  control.StartTriggerAnimation(&control, "IsPressed");
}

bool TvxCheckPress::Up(bool inside) {
  if (!pressing_) return false;
  pressing_ = false;
  isPressed_ = false;
  return inside;
}

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
  p.Event("OnChange", &C::OnChange);
}

LC_PUBLISH(TvxCheckBox) {
  PublishCheckable(p);
}

LC_PUBLISH(TvxRadioButton) {
  PublishCheckable(p);
  p.String("GroupName", &TvxRadioButton::GroupName, &TvxRadioButton::SetGroupName);
}

// Check box.

TvxCheckBox::TvxCheckBox(TComponent* owner) : TvxTextControl(owner) {
  SetWidth(120);
  SetHeight(19);
  SetTextAlign(vxTextAlignNear);
  SetAutoCapture(true);
  SetCanFocused(true);
  SetAutoTranslate(true);
}

void TvxCheckBox::SetIsChecked(bool value) {
  if (isChecked_ == value) return;
  isChecked_ = value;
  StartTriggerAnimation(this, "IsChecked");
  OnChange(this);
}

void TvxCheckBox::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  TvxTextControl::MouseDown(button, shift, x, y);
  if (button == TMouseButton::mbLeft) press_.Down(*this);
}

void TvxCheckBox::MouseMove(TShiftState shift, float x, float y) {
  TvxTextControl::MouseMove(shift, x, y);
  if (shift & ssLeft) press_.Move(*this, Inside(*this, x, y));
}

void TvxCheckBox::MouseUp(TMouseButton button, TShiftState shift, float x, float y) {
  // OnClick runs first and sees the old state.
  TvxTextControl::MouseUp(button, shift, x, y);
  if (press_.Up(Inside(*this, x, y))) SetIsChecked(!isChecked_);
}

void TvxCheckBox::KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  TvxTextControl::KeyDown(key, keyChar, shift);
  if (IsToggleKey(key)) SetIsChecked(!isChecked_);
}

void TvxCheckBox::ApplyStyle() {
  TvxTextControl::ApplyStyle();
  ShowCheckedAtOnce(*this);
}

TVariant TvxCheckBox::GetData() {
  return isChecked_;
}

void TvxCheckBox::SetData(const TVariant& value) {
  SetCheckData(*this, value);
}

// Radio button.

TvxRadioButton::TvxRadioButton(TComponent* owner) : TvxTextControl(owner) {
  SetWidth(120);
  SetHeight(19);
  SetTextAlign(vxTextAlignNear);
  SetAutoCapture(true);
  SetCanFocused(true);
  SetAutoTranslate(true);
}

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
  isChecked_ = value;
  StartTriggerAnimation(this, "IsChecked");
  OnChange(this);
}

void TvxRadioButton::MouseDown(TMouseButton button, TShiftState shift, float x, float y) {
  TvxTextControl::MouseDown(button, shift, x, y);
  if (button == TMouseButton::mbLeft) press_.Down(*this);
}

void TvxRadioButton::MouseMove(TShiftState shift, float x, float y) {
  TvxTextControl::MouseMove(shift, x, y);
  if (shift & ssLeft) press_.Move(*this, Inside(*this, x, y));
}

void TvxRadioButton::MouseUp(TMouseButton button, TShiftState shift, float x, float y) {
  TvxTextControl::MouseUp(button, shift, x, y);
  if (press_.Up(Inside(*this, x, y))) SetIsChecked(!isChecked_);
}

void TvxRadioButton::KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) {
  TvxTextControl::KeyDown(key, keyChar, shift);
  if (IsToggleKey(key)) SetIsChecked(!isChecked_);
}

void TvxRadioButton::ApplyStyle() {
  TvxTextControl::ApplyStyle();
  ShowCheckedAtOnce(*this);
}

TVariant TvxRadioButton::GetData() {
  return isChecked_;
}

void TvxRadioButton::SetData(const TVariant& value) {
  SetCheckData(*this, value);
}
