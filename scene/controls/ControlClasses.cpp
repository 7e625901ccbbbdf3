#include "scene/controls/ControlClasses.h"

#include "platform/Action.h"
#include "scene/controls/Background.h"
#include "scene/controls/Button.h"
#include "scene/controls/CheckBox.h"
#include "scene/controls/CloseButton.h"
#include "scene/controls/Label.h"
#include "scene/controls/NumberBox.h"
#include "scene/controls/Popup.h"
#include "scene/controls/PopupBox.h"
#include "scene/controls/SpinBox.h"
#include "scene/controls/StyleResources.h"
#include "scene/controls/TextBox.h"

void RegisterControlClasses(std::vector<const TClassInfo*>& out) {
  out.push_back(&TvxControl::StaticClass());
  out.push_back(&TvxBackground::StaticClass());
  out.push_back(&TvxResources::StaticClass());
  out.push_back(&TvxTextControl::StaticClass());
  out.push_back(&TvxLabel::StaticClass());
  out.push_back(&TvxCustomButton::StaticClass());
  out.push_back(&TvxButton::StaticClass());
  out.push_back(&TvxSpeedButton::StaticClass());
  out.push_back(&TvxCheckBox::StaticClass());
  out.push_back(&TvxRadioButton::StaticClass());
  out.push_back(&TvxCloseButton::StaticClass());
  // Controls link to actions, so form data holding controls may declare them.
  out.push_back(&TAction::StaticClass());
  out.push_back(&TvxPopup::StaticClass());
  out.push_back(&TvxTextBox::StaticClass());
  out.push_back(&TvxNumberBox::StaticClass());
  out.push_back(&TvxSpinBox::StaticClass());
  out.push_back(&TvxPopupBox::StaticClass());
}
