#include "scene/controls/EngineStart.h"

#include <vector>

#include "scene/controls/ControlClasses.h"
#include "scene/core/AnimationClasses.h"
#include "scene/core/Registration.h"
#include "scene/core/VisualClasses.h"
#include "scene/graphics/Effects.h"
#include "scene/graphics/GraphicsClasses.h"
#include "scene/graphics/ShapeClasses.h"
#include "scene/host/HostClasses.h"

void StartEngine() {
  static const bool started = [] {
    std::vector<const TClassInfo*> classes;
    RegisterVisualClasses(classes);
    RegisterAnimationClasses(classes);
    RegisterGraphicsClasses(classes);
    RegisterEffectClasses(classes);
    RegisterShapeClasses(classes);
    RegisterHostClasses(classes);
    RegisterControlClasses(classes);
    RegisterObjects(classes);
    return true;
  }();
  (void)started;
}
