#pragma once

// Check boxes and radio buttons: a press shows the pressed look while the pointer stays on
// the control, and a release on it flips IsChecked after OnClick has seen the old value.
// Radio buttons of one GroupName anywhere in the scene keep exactly one of them checked.

#include <cstdint>
#include <string>

#include "scene/controls/TextControl.h"

// What check boxes and radio buttons share: the press tracking, the toggle by a click or by
// Return/Space, and IsChecked as the bound value. Not registered, so each control's class
// chain and style lookup go straight to TvxTextControl.
class TvxCheckControl : public TvxTextControl {
 public:
  bool IsPressed() const { return isPressed_; }
  bool IsChecked() const { return isChecked_; }
  virtual void SetIsChecked(bool value) = 0;

  void MouseDown(TMouseButton button, TShiftState shift, float x, float y) override;
  void MouseMove(TShiftState shift, float x, float y) override;
  void MouseUp(TMouseButton button, TShiftState shift, float x, float y) override;
  void KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) override;
  void ApplyStyle() override;

  // The bound value is IsChecked.
  TVariant GetData() override;
  // A method reference becomes OnChange, a boolean IsChecked; anything else unchecks.
  void SetData(const TVariant& value) override;

  TNotifyEvent OnChange;

 protected:
  explicit TvxCheckControl(TComponent* owner);
  // Stores a changed state, animates to it and tells OnChange.
  void ChangeChecked(bool value);

  bool isChecked_ = false;

 private:
  bool pressing_ = false;
  bool isPressed_ = false;
};

class TvxCheckBox : public TvxCheckControl {
  LC_CLASS(TvxCheckBox, TvxCheckControl)

 public:
  explicit TvxCheckBox(TComponent* owner) : TvxCheckControl(owner) {}

  void SetIsChecked(bool value) override;
};

class TvxRadioButton : public TvxCheckControl {
  LC_CLASS(TvxRadioButton, TvxCheckControl)

 public:
  explicit TvxRadioButton(TComponent* owner) : TvxCheckControl(owner) {}

  // Checking unchecks the other buttons of the group in the whole scene; unchecking is
  // refused while no other button of the group is checked.
  void SetIsChecked(bool value) override;
  // Compared exactly (letter case counts); empty names form one group.
  const std::string& GroupName() const { return groupName_; }
  void SetGroupName(const std::string& value) { groupName_ = value; }

 private:
  std::string groupName_;
};
