#pragma once

// Values that visual objects publish and exchange: layout alignments, drag modes and the
// data a drag carries.

#include <string>
#include <vector>

#include "platform/component/ClassInfo.h"
#include "scene/core/Variant.h"

// Ordinals are what form data stores.
enum TvxAlign {
  vaNone,
  vaTopLeft,
  vaTopRight,
  vaBottomLeft,
  vaBottomRight,
  vaTop,
  vaLeft,
  vaRight,
  vaBottom,
  vaMostTop,
  vaMostBottom,
  vaMostLeft,
  vaMostRight,
  vaClient,
  vaContents,
  vaCenter,
  vaVertCenter,
  vaHorzCenter,
  vaHorizontal,
  vaVertical,
  vaScale,
  vaFit,
  vaFitLeft,
  vaFitRight,
};
const TEnumInfo& AlignNames();

enum TvxDragMode { vxDragManual, vxDragAutomatic };
const TEnumInfo& DragModeNames();

// What is dragged: an object of this program, files, or a value (the first file, or text).
struct TvxDragObject {
  TObject* Source = nullptr;
  std::vector<std::u16string> Files;
  TVariant Data;
};
