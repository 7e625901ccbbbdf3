#include "scene/controls/ControlClasses.h"

#include "scene/controls/Background.h"
#include "scene/controls/Popup.h"
#include "scene/controls/StyleResources.h"

void RegisterControlClasses(std::vector<const TClassInfo*>& out) {
  out.push_back(&TvxControl::StaticClass());
  out.push_back(&TvxBackground::StaticClass());
  out.push_back(&TvxResources::StaticClass());
  out.push_back(&TvxPopup::StaticClass());
}
