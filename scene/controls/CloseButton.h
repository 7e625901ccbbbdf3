#pragma once

// The small round button of a dialog's title bar: a release on it asks the form to close and
// then fires its own OnClick. It takes no focus and does not capture the pointer, so it only
// sees a release that happens over it.

#include "scene/controls/Control.h"

class TvxCloseButton : public TvxControl {
  LC_CLASS(TvxCloseButton, TvxControl)

 public:
  explicit TvxCloseButton(TComponent* owner);

  bool CloseForm() const { return closeForm_; }
  void SetCloseForm(bool value) { closeForm_ = value; }

  void MouseDown(TMouseButton button, TShiftState shift, float x, float y) override;
  void MouseUp(TMouseButton button, TShiftState shift, float x, float y) override;

  // The close button's own click, apart from the visual object's OnClick.
  TNotifyEvent OnClick;

 private:
  bool pressed_ = false;
  bool closeForm_ = true;
};
