#include "scene/graphics/Path.h"

#include "scene/graphics/Canvas.h"
#include "scene/graphics/CanvasStateGuard.h"

const TEnumInfo PathWrapNames{{"vxPathOriginal", "vxPathFit", "vxPathStretch", "vxPathTile"}};

LC_PUBLISH(TvxCustomPath) {
  PublishShapeBrushes(p);
}

LC_PUBLISH(TvxPath) {
  p.Object("Data", &TvxPath::Data);
  p.Enum("WrapMode", PathWrapNames, &TvxPath::WrapMode, &TvxPath::SetWrapMode, vxPathStretch);
}

TvxCustomPath::TvxCustomPath(TComponent* owner)
    : TvxShape(owner), data_(std::make_unique<TvxPathData>()) {
  data_->OnChange = TNotifyEvent(this, &TvxCustomPath::DataChanged);
}

TvxCustomPath::~TvxCustomPath() {
  DestroyTree();
}

void TvxCustomPath::SetWrapMode(TvxPathWrap value) {
  if (value == wrapMode_) return;
  wrapMode_ = value;
  ShapeChanged();
}

std::vector<TvxRect> TvxCustomPath::Targets() {
  const TvxRect r = GetShapeRect();
  TvxRect bounds = data_->GetBounds();
  switch (wrapMode_) {
    case vxPathOriginal:
      return {OffsetRect(bounds, r.Left, r.Top)};
    case vxPathFit:
      FitRect(bounds, r);
      return {bounds};
    case vxPathStretch:
      return {r};
    case vxPathTile:
      break;
  }
  // Tiles keep the stroke inset between each other as well as at the edges.
  const float w = RectWidth(bounds), h = RectHeight(bounds);
  OffsetRect(bounds, r.Left, r.Top);
  const int columns = TileRepeats(Width(), w), rows = TileRepeats(Height(), h);
  std::vector<TvxRect> tiles;
  tiles.reserve(size_t(columns) * size_t(rows));
  for (int i = 0; i < columns; ++i) {
    for (int j = 0; j < rows; ++j) {
      TvxRect tile = bounds;
      tiles.push_back(OffsetRect(tile, i * (w + 2 * r.Left), j * (h + 2 * r.Top)));
    }
  }
  return tiles;
}

void TvxCustomPath::Paint() {
  TvxCanvas* canvas = Canvas();
  if (!canvas) return;
  if (!data_->IsEmpty()) {
    const float opacity = GetAbsoluteOpacity();
    const TvxCanvasStateGuard clip(*canvas, Clipped());
    if (Clipped()) canvas->IntersectClipRect(GetLocalRect());
    for (const TvxRect& target : Targets()) {
      canvas->FillPath(*data_, target, opacity);
      canvas->DrawPath(*data_, target, opacity);
    }
  }
  DrawDesignFrame(*this, *canvas);
}

bool TvxCustomPath::PointInObject(const TvxPoint& p) {
  TvxCanvas* canvas = Canvas();
  if (data_->Count() <= 1 || !canvas) return TvxShape::PointInObject(p);
  const TvxPoint local = AbsoluteToLocal(p);
  if (Clipped() && !PointInRect(local, GetLocalRect())) return false;
  for (const TvxRect& target : Targets())
    if (canvas->PtInPath(local, target, *data_)) return true;
  return false;
}
