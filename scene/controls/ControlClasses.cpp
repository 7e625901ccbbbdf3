#include "scene/controls/ControlClasses.h"

#include "scene/controls/Background.h"
#include "scene/controls/NumberBox.h"
#include "scene/controls/SpinBox.h"
#include "scene/controls/StyleResources.h"
#include "scene/controls/TextBox.h"

void RegisterControlClasses(std::vector<const TClassInfo*>& out) {
  out.push_back(&TvxControl::StaticClass());
  out.push_back(&TvxBackground::StaticClass());
  out.push_back(&TvxResources::StaticClass());
  out.push_back(&TvxTextBox::StaticClass());
  out.push_back(&TvxNumberBox::StaticClass());
  out.push_back(&TvxSpinBox::StaticClass());
}
