#include "scene/host/SceneStyleLink.h"

namespace {

TvxSceneStyleLink& Link() {
  static TvxSceneStyleLink link;
  return link;
}

}  // namespace

void SetSceneStyleLink(TvxSceneStyleLink link) {
  Link() = std::move(link);
}

const TvxSceneStyleLink& SceneStyleLink() {
  return Link();
}
