// Binary form data from arbitrary bytes read into engine objects: applying properties and placing
// children never crashes, and whatever loads is written as data that loads again.

#include <cstdlib>
#include <vector>

#include "platform/headless/HeadlessPlatform.h"
#include "scene/core/AnimationClasses.h"
#include "scene/core/Object.h"
#include "scene/core/Registration.h"
#include "scene/core/VisualClasses.h"

namespace {

// Animations that start on loading need a clock and a loop.
void StartOnce() {
  static THeadlessPlatform platform;
  static const bool registered = [] {
    std::vector<const TClassInfo*> classes;
    RegisterVisualClasses(classes);
    RegisterAnimationClasses(classes);
    RegisterObjects(classes);
    return true;
  }();
  (void)registered;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  StartOnce();
  TComponent owner(nullptr);
  TMemoryStream stream(std::vector<uint8_t>(data, data + size));
  TvxObject* object = CreateObjectFromBinStream(&owner, stream);
  if (!object) return 0;
  TMemoryStream saved;
  object->SaveToStream(saved);
  saved.SetPosition(0);
  if (!CreateObjectFromBinStream(&owner, saved)) std::abort();
  return 0;
}
