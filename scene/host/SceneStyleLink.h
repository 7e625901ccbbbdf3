#pragma once

// Scenes sit below the styles library, yet hold, stream and register with its style
// containers (TvxResources). The styles library installs this link once, when it registers
// its classes; until then a scene's Style can be set only to null.

#include <functional>

class IvxScene;
class TComponent;
class TvxResources;

struct TvxSceneStyleLink {
  // The container a component is, or null.
  std::function<TvxResources*(TComponent*)> fromComponent;
  std::function<TComponent*(TvxResources*)> toComponent;
  // The scene starts or stops using the container, which tells its users when its styles
  // change. Optional.
  std::function<void(TvxResources*, IvxScene*)> attach;
  std::function<void(TvxResources*, IvxScene*)> detach;
};

void SetSceneStyleLink(TvxSceneStyleLink link);
const TvxSceneStyleLink& SceneStyleLink();
