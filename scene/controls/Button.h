#pragma once

// Push buttons: a press shows the pressed look while the pointer stays on the button, a
// release on it clicks. A staying-pressed button toggles instead; a repeating one keeps
// clicking while held. A click with a modal result ends the modal run of its form.

#include <cstdint>
#include <memory>

#include "scene/controls/TextControl.h"

class ITimer;

class TvxCustomButton : public TvxTextControl {
  LC_CLASS(TvxCustomButton, TvxTextControl)

 public:
  static constexpr uint32_t kRepeatDelay = 500;     // before the first repeated click's tick
  static constexpr uint32_t kRepeatInterval = 100;  // between repeated clicks

  explicit TvxCustomButton(TComponent* owner);
  ~TvxCustomButton() override;

  bool IsPressed() const { return isPressed_; }
  // Effective only on a staying-pressed button.
  void SetIsPressed(bool value);
  bool StaysPressed() const { return staysPressed_; }
  void SetStaysPressed(bool value) { staysPressed_ = value; }
  bool RepeatClick() const { return repeatClick_; }
  void SetRepeatClick(bool value) { repeatClick_ = value; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int value) { modalResult_ = value; }

  void Click() override;
  void MouseDown(TMouseButton button, TShiftState shift, float x, float y) override;
  void MouseMove(TShiftState shift, float x, float y) override;
  void MouseUp(TMouseButton button, TShiftState shift, float x, float y) override;
  void KeyDown(uint16_t& key, char16_t& keyChar, TShiftState shift) override;
  void ApplyStyle() override;

  // A method reference becomes OnClick; other values are ignored.
  void SetData(const TVariant& value) override;

 private:
  void RaisePressed();
  void ArmRepeat();
  void FirstRepeat();

  bool isPressed_ = false;
  bool staysPressed_ = false;
  bool repeatClick_ = false;
  bool pressing_ = false;
  int modalResult_ = 0;
  std::unique_ptr<ITimer> repeatTimer_;
};

// A button that a dialog's Enter (Default) or Esc (Cancel) clicks.
class TvxButton : public TvxCustomButton {
  LC_CLASS(TvxButton, TvxCustomButton)

 public:
  explicit TvxButton(TComponent* owner);

  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }

  void DialogKey(uint16_t& key, TShiftState shift) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
};

// A small square button outside the focus chain that repeats while held.
class TvxSpeedButton : public TvxCustomButton {
  LC_CLASS(TvxSpeedButton, TvxCustomButton)

 public:
  explicit TvxSpeedButton(TComponent* owner);
};
