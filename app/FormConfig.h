#pragma once

// The settings dialog: the timing method (a countdown or a calendar moment), the power action
// and the display mode, with "启动" and "停止" acting as command buttons. It only gathers
// input; starting and stopping are the countdown engine's. Made afresh for every showing, so
// it always opens with the values of its form data.

#include "app/CountdownEngine.h"
#include "platform/Form.h"

class TFormMain;

class TfConfig : public TForm {
  LC_CLASS(TfConfig, TForm)

 public:
  explicit TfConfig(TComponent* owner);

  // Handlers named in the form data.
  void RadioButton1Click(TObject* sender);
  void RadioButton2Click(TObject* sender);
  void RadioButton3Click(TObject* sender);
  void RadioButton4Click(TObject* sender);
  void CloseButton1Click(TObject* sender);

  // The values as the engine reads them. The calendar box gives its date only: the time of
  // day always comes from the three boxes beside it.
  TConfigInput Input() const;

 private:
  template <class T>
  T& Part(const char* name) const;
  TFormMain* Main() const;
  void ShowPanel(bool countdown);
};
