#include "scene/host/HostClasses.h"

#include "scene/host/Frame.h"
#include "scene/host/Scene.h"

void RegisterHostClasses(std::vector<const TClassInfo*>& out) {
  out.push_back(&TvxCustomScene::StaticClass());
  out.push_back(&TvxScene::StaticClass());
  out.push_back(&TvxFrame::StaticClass());
}
