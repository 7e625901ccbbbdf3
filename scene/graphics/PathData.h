#pragma once

// The engine's vector outline: a flat list of points, each tagged with what it does. Readers
// stretch a path into a target rectangle, so coordinates only matter relative to each other.
// A path streams as the binary property "Path", reads and writes an SVG-like text (`Data`), or
// is taken from a named path resource.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/component/Publisher.h"
#include "scene/core/Geometry.h"
#include "scene/core/Object.h"
#include "scene/core/ResourceLink.h"

class TvxPathObject;

enum TvxPathPointKind : int32_t {
  vxPathPointMoveTo,
  vxPathPointLineTo,
  // A cubic Bézier takes three consecutive entries: two control points, then the end point.
  vxPathPointCurveTo,
  // Carries the start point of its figure.
  vxPathPointClose
};

struct TvxPathPoint {
  TvxPathPointKind Kind = vxPathPointMoveTo;
  TvxPoint Point;

  friend constexpr bool operator==(const TvxPathPoint&, const TvxPathPoint&) = default;
};

// The polygon marker that ends a figure in a point list (see TvxCanvas::FillPolygon).
inline constexpr TvxPoint PolygonCloseMarker{65535, 65535};

class TvxPathData : public TPersistent {
  LC_CLASS(TvxPathData, TPersistent)

 public:
  TvxPathData() = default;
  ~TvxPathData() override;
  TvxPathData(const TvxPathData&) = delete;
  TvxPathData& operator=(const TvxPathData&) = delete;

  // Building. None of these calls OnChange; the current point is the last entry's point, or
  // (0, 0) for an empty path.
  void MoveTo(const TvxPoint& p);
  void MoveToRel(const TvxPoint& d);
  void LineTo(const TvxPoint& p);
  void LineToRel(const TvxPoint& d);
  void HLineTo(float x);
  void HLineToRel(float dx);
  void VLineTo(float y);
  void VLineToRel(float dy);
  void CurveTo(const TvxPoint& c1, const TvxPoint& c2, const TvxPoint& p);
  // All three points are relative to the point before the curve.
  void CurveToRel(const TvxPoint& d1, const TvxPoint& d2, const TvxPoint& dp);
  // The first control point mirrors the previous curve's second one about the current point.
  void SmoothCurveTo(const TvxPoint& c2, const TvxPoint& p);
  void SmoothCurveToRel(const TvxPoint& d2, const TvxPoint& dp);
  void ClosePath();
  // Angles in degrees, 0 at 3 o'clock, positive sweeps clockwise on screen. Joins the arc to
  // the current figure with a line (or starts one when the path is empty).
  void AddArc(const TvxPoint& center, const TvxPoint& radius, float startAngle, float sweepAngle);
  // The elliptical arc of an SVG "A" command from `from` to `to`, curves only.
  void AddSvgArc(const TvxPoint& from, const TvxPoint& radius, const TvxPoint& to, bool largeArc,
                 bool sweep, float xAxisRotation);
  // Appends one raw entry; the figure start follows MoveTo entries. Every building operation
  // keeps coordinates finite: overflow saturates at the float range, NaN becomes 0.
  void AddEntry(TvxPathPointKind kind, const TvxPoint& point);
  // Drops the entries (keeping their storage) and calls OnChange.
  void Clear();
  // The point building continues from: the last own entry's, or (0, 0).
  TvxPoint CurrentPoint() const;

  // Queries see the bound resource's path when there is one.
  std::span<const TvxPathPoint> Points() const;
  int Count() const { return int(Points().size()); }
  bool IsEmpty() const { return Points().empty(); }
  TvxPoint LastPoint() const;
  // Bounds of every entry but Close entries; a zero extent grows to 0.001.
  TvxRect GetBounds() const;
  void ScalePoints(float sx, float sy);
  // The outline as polygon points, curves flattened, figures ended by PolygonCloseMarker;
  // `size` receives the extent of the bounds.
  void FlattenToPolygon(std::vector<TvxPoint>& points, TvxPoint& size,
                        float flatness = 0.25f) const;

  // The text form: "M x,y L x,y C x1,y1 x2,y2 x3,y3 Z ".
  std::string Data() const;
  // Parses the text form; what cannot be read ends parsing and what was built stays.
  void SetData(const std::string& text);

  TvxPathObject* Resource() const { return link_.Get(); }
  void SetResource(TvxPathObject* resource);
  const std::string& ResourceName() const { return link_.Name(); }
  void SetResourceName(const std::string& name);

  // Binds to the source's resource when it has one, else copies its entries.
  void Assign(const TPersistent& source) override;
  void DefineProperties(TFiler& filer) override;

  TNotifyEvent OnChange;

 private:
  void AppendArc(const TvxPoint& center, const TvxPoint& radius, float start, float sweep,
                 bool connect);
  std::string PathBytes() const;
  void ReadPathBytes(const std::string& bytes);

  std::vector<TvxPathPoint> points_;
  TvxPoint figureStart_;
  TvxResourceLink<TvxPathObject> link_;
};

// A named path among the style resources.
class TvxPathObject : public TvxObject {
  LC_CLASS(TvxPathObject, TvxObject)

 public:
  explicit TvxPathObject(TComponent* owner);
  ~TvxPathObject() override;

  TvxPathData* Path() const { return &path_; }

 private:
  mutable TvxPathData path_;
};
