#pragma once

// The alignment layout of a visual object's children. Alignments are handled in a fixed
// order, each child once, all sharing one shrinking area that starts as the object's rectangle
// inside its Margins; each child's Padding is kept free around it. Positions and sizes are
// written without change notifications and each placed child gets one MatrixChanged.

#include <array>
#include <vector>

#include "scene/core/VisualObject.h"

class TvxAlignLayout {
 public:
  explicit TvxAlignLayout(TvxVisualObject& parent);
  void Run();

 private:
  using Group = std::vector<TvxVisualObject*>;

  void Collect();
  void AlignChild(TvxVisualObject& child, TvxAlign align);
  void KeepEdgeDistance(TvxVisualObject& child, TvxAlign align);
  void FillParent(TvxVisualObject& child);
  void ScaleChild(TvxVisualObject& child);
  void FitChild(TvxVisualObject& child, TvxAlign align);
  void Place(TvxVisualObject& child, float x, float y, float width, float height);
  void Correct(TvxVisualObject& child, TvxAlign align, float u, float w);

  TvxVisualObject& parent_;
  TvxRect area_;
  std::array<Group, vaFitRight + 1> groups_;
};
