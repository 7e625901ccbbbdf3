#include "scene/core/VisualTypes.h"

const TEnumInfo& AlignNames() {
  static const TEnumInfo names{
      {"vaNone",       "vaTopLeft",  "vaTopRight", "vaBottomLeft", "vaBottomRight", "vaTop",
       "vaLeft",       "vaRight",    "vaBottom",   "vaMostTop",    "vaMostBottom",  "vaMostLeft",
       "vaMostRight",  "vaClient",   "vaContents", "vaCenter",     "vaVertCenter",  "vaHorzCenter",
       "vaHorizontal", "vaVertical", "vaScale",    "vaFit",        "vaFitLeft",     "vaFitRight"}};
  return names;
}

const TEnumInfo& DragModeNames() {
  static const TEnumInfo names{{"vxDragManual", "vxDragAutomatic"}};
  return names;
}
