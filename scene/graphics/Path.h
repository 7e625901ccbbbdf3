#pragma once

// A free outline (glyphs, arrows, check marks) placed into the shape rectangle at its own
// size, fitted, stretched or tiled.

#include <memory>
#include <vector>

#include "scene/graphics/PathData.h"
#include "scene/graphics/Shape.h"

enum TvxPathWrap { vxPathOriginal, vxPathFit, vxPathStretch, vxPathTile };
extern const TEnumInfo PathWrapNames;

class TvxCustomPath : public TvxShape {
  LC_CLASS(TvxCustomPath, TvxShape)

 public:
  explicit TvxCustomPath(TComponent* owner);
  ~TvxCustomPath() override;

  TvxPathData* Data() const { return data_.get(); }
  TvxPathWrap WrapMode() const { return wrapMode_; }
  void SetWrapMode(TvxPathWrap value);

  void Paint() override;
  // Inside the outline where it is drawn, for paths of more than one point and objects
  // with a canvas; otherwise the rectangle test.
  bool PointInObject(const TvxPoint& p) override;

 private:
  void DataChanged(TObject*) { ShapeChanged(); }
  // The rectangles the path is drawn into; tiled and original paths are clipped to the
  // local rectangle.
  std::vector<TvxRect> Targets();
  bool Clipped() const { return wrapMode_ == vxPathOriginal || wrapMode_ == vxPathTile; }

  std::unique_ptr<TvxPathData> data_;
  TvxPathWrap wrapMode_ = vxPathStretch;
};

class TvxPath : public TvxCustomPath {
  LC_CLASS(TvxPath, TvxCustomPath)

 public:
  explicit TvxPath(TComponent* owner) : TvxCustomPath(owner) {}
};
