#pragma once

// The window an open popup lives in: borderless, transparent, above every other window,
// without a taskbar entry, placed by the program in screen coordinates and never activated.
// Its tag keeps a press on its empty space from dragging it. Closing it by the window system
// closes its popup.

#include "platform/Form.h"

class TvxPopup;

class TvxPopupForm : public TForm {
  LC_CLASS(TvxPopupForm, TForm)

 public:
  static constexpr int kPopupTag = 65535;

  // `watchOutside`: presses outside the program reach this window while it is shown.
  TvxPopupForm(TvxPopup* popup, TForm* parentForm, bool watchOutside);
  ~TvxPopupForm() override;

  TvxPopup* Popup() const { return popup_; }
  // The form whose scene the popup came from, or null once that form is gone.
  TForm* ParentForm() const { return parentForm_; }
  // True when the press at client point (x, y) falls outside the window.
  bool Outside(float x, float y) const;

  void Notification(TComponent* component, TOperation operation) override;

 private:
  void Closed(TObject*);

  TvxPopup* popup_;
  TForm* parentForm_;
};
