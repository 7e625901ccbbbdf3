#pragma once

// Check boxes and radio buttons: a press shows the pressed look while the pointer stays on
// the control, and a release on it flips IsChecked after OnClick has seen the old value.
// Radio buttons of one GroupName anywhere in the scene keep exactly one of them checked.

#include <cstdint>
#include <string>

#include "scene/controls/TextControl.h"

// The press tracking that check boxes and radio buttons share.
class TvxCheckPress {
 public:
  bool IsPressed() const { return isPressed_; }
  // A left press on `control` began.
  void Down(TvxObject& control);
  // The pointer moved with the left button down; `inside` the control's rectangle.
  void Move(TvxObject& control, bool inside);
  // The button went up; true when a press began on the control and ends inside it.
  bool Up(bool inside);

 private:
  bool pressing_ = false;
  bool isPressed_ = false;
};

class TvxCheckBox : public TvxTextControl {
  LC_CLASS(TvxCheckBox, TvxTextControl)

 public:
  explicit TvxCheckBox(TComponent* owner);

  bool IsPressed() const { return press_.IsPressed(); }
  bool IsChecked() const { return isChecked_; }
  void SetIsChecked(bool value);

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

 private:
  TvxCheckPress press_;
  bool isChecked_ = false;
};

class TvxRadioButton : public TvxTextControl {
  LC_CLASS(TvxRadioButton, TvxTextControl)

 public:
  explicit TvxRadioButton(TComponent* owner);

  bool IsPressed() const { return press_.IsPressed(); }
  bool IsChecked() const { return isChecked_; }
  // Checking unchecks the other buttons of the group in the whole scene; unchecking is
  // refused while no other button of the group is checked.
  void SetIsChecked(bool value);
  // Compared exactly (letter case counts); empty names form one group.
  const std::string& GroupName() const { return groupName_; }
  void SetGroupName(const std::string& value) { groupName_ = value; }

  void MouseDown(TMouseButton button, TShiftState shift, float x, float y) override;
  void MouseMove(TShiftState shift, float x, float y) override;
  void MouseUp(TMouseButton button, TShiftState shift, float x, float y) override;
  void KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) override;
  void ApplyStyle() override;

  TVariant GetData() override;
  void SetData(const TVariant& value) override;

  TNotifyEvent OnChange;

 private:
  TvxCheckPress press_;
  bool isChecked_ = false;
  std::string groupName_;
};
