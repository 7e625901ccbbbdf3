#include "scene/controls/ControlClasses.h"

#include "platform/Action.h"
#include "scene/controls/Background.h"
#include "scene/controls/Button.h"
#include "scene/controls/Calendar.h"
#include "scene/controls/CalendarBox.h"
#include "scene/controls/CalendarTextBox.h"
#include "scene/controls/CheckBox.h"
#include "scene/controls/CloseButton.h"
#include "scene/controls/ComboBox.h"
#include "scene/controls/Label.h"
#include "scene/controls/ListBox.h"
#include "scene/controls/ListBoxItem.h"
#include "scene/controls/NumberBox.h"
#include "scene/controls/Popup.h"
#include "scene/controls/PopupBox.h"
#include "scene/controls/ScrollBar.h"
#include "scene/controls/ScrollBox.h"
#include "scene/controls/SpinBox.h"
#include "scene/controls/StyleResources.h"
#include "scene/controls/TextBox.h"
#include "scene/controls/WideStrings.h"

void RegisterControlClasses(std::vector<const TClassInfo*>& out) {
  out.push_back(&TvxControl::StaticClass());
  out.push_back(&TvxBackground::StaticClass());
  out.push_back(&TvxResources::StaticClass());
  out.push_back(&TvxPopup::StaticClass());
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
  out.push_back(&TvxTextBox::StaticClass());
  out.push_back(&TvxNumberBox::StaticClass());
  out.push_back(&TvxSpinBox::StaticClass());
  out.push_back(&TvxPopupBox::StaticClass());
  out.push_back(&TvxWideStrings::StaticClass());
  out.push_back(&TvxScrollBar::StaticClass());
  out.push_back(&TvxSmallScrollBar::StaticClass());
  out.push_back(&TvxScrollBox::StaticClass());
  out.push_back(&TvxListBoxItem::StaticClass());
  out.push_back(&TvxListBox::StaticClass());
  out.push_back(&TvxComboListBox::StaticClass());
  out.push_back(&TvxStringListBox::StaticClass());
  out.push_back(&TvxComboBox::StaticClass());
  out.push_back(&TvxStringComboBox::StaticClass());
  out.push_back(&TvxCalendar::StaticClass());
  out.push_back(&TvxCalendarBox::StaticClass());
  out.push_back(&TvxCalendarTextBox::StaticClass());
}
