#include "scene/core/VisualClasses.h"

#include "platform/Menus.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/Effect.h"

void RegisterVisualClasses(std::vector<const TClassInfo*>& out) {
  out.push_back(&TvxVisualObject::StaticClass());
  out.push_back(&TvxEffect::StaticClass());
  out.push_back(&TPopupMenu::StaticClass());
  out.push_back(&TMenuItem::StaticClass());
}
