#include "scene/core/SceneInterface.h"

#include <algorithm>

namespace {

std::vector<IvxScene*>& SceneList() {
  static std::vector<IvxScene*> scenes;
  return scenes;
}

}  // namespace

void AddScene(IvxScene* scene) {
  if (std::find(SceneList().begin(), SceneList().end(), scene) == SceneList().end())
    SceneList().push_back(scene);
}

void RemoveScene(IvxScene* scene) {
  std::erase(SceneList(), scene);
}

const std::vector<IvxScene*>& Scenes() {
  return SceneList();
}
