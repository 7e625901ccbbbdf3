#pragma once

// The About dialog: title, version, a short description, the feature list and an OK button.

#include "platform/Form.h"

class TfAbout : public TForm {
  LC_CLASS(TfAbout, TForm)

 public:
  explicit TfAbout(TComponent* owner);

  // Handlers named in the form data.
  void FormCreate(TObject* sender);
  void SpeedButton1Click(TObject* sender);

  // Places the dialog centred on `form`'s window, wherever that has been moved to.
  void CenterOn(TForm& form);
};
