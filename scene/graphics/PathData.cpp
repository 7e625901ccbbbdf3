#include "scene/graphics/PathData.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <numbers>

#include "platform/component/FormData.h"
#include "platform/component/Unicode.h"
#include "scene/graphics/PathText.h"

namespace {

// Single precision, as the arc geometry has always been computed with.
constexpr float kPi = 3.1415927f;
constexpr float kBoundsStart = 65535;
constexpr float kMinExtent = 0.001f;
constexpr float kMinFlattenStep = 0.05f;
// Keeps flattening bounded for absurd coordinates (binary data may hold anything).
constexpr int kMaxCurveSteps = 4096;
constexpr size_t kEntryBytes = 12;
constexpr size_t kPackedEntryBytes = 9;

// Entries stay finite, so that everything reading a path can rely on it: overflow saturates
// at the float range and NaN reads as 0.
float Finite(float v) {
  if (std::isnan(v)) return 0;
  return std::clamp(v, -std::numeric_limits<float>::max(), std::numeric_limits<float>::max());
}

TvxPoint Add(const TvxPoint& a, const TvxPoint& b) {
  return {a.X + b.X, a.Y + b.Y};
}

TvxPoint Bezier(const TvxPoint& p0, const TvxPoint& c1, const TvxPoint& c2, const TvxPoint& p3,
                float t) {
  const float s = 1 - t;
  const float a = s * s * s, b = 3 * s * s * t, c = 3 * s * t * t, d = t * t * t;
  return {a * p0.X + b * c1.X + c * c2.X + d * p3.X, a * p0.Y + b * c1.Y + c * c2.Y + d * p3.Y};
}

int CurveSteps(const TvxPoint& from, const TvxPoint& to, float step) {
  const double length = std::hypot(double(to.X) - from.X, double(to.Y) - from.Y);
  const double steps = RoundHalfEven(length / step);
  if (!(steps >= 2)) return 2;
  return int(std::min<double>(steps, kMaxCurveSteps));
}

// The signed angle from u to v, in radians.
double VectorsAngle(double ux, double uy, double vx, double vy) {
  const double lengths = std::hypot(ux, uy) * std::hypot(vx, vy);
  if (!(lengths > 0)) return 0;
  const double angle = std::acos(std::clamp((ux * vx + uy * vy) / lengths, -1.0, 1.0));
  return ux * vy - uy * vx < 0 ? -angle : angle;
}

void PutInt32(std::string& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(char((value >> shift) & 0xFF));
}

uint32_t GetUInt32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

LC_PUBLISH(TvxPathData) {
  p.String("Data", &TvxPathData::Data, &TvxPathData::SetData).NoStore();
  p.Component("Resource", &TvxPathData::Resource, &TvxPathData::SetResource).NoStore();
  p.String("ResourceName", &TvxPathData::ResourceName, &TvxPathData::SetResourceName);
}

LC_PUBLISH(TvxPathObject) {
  p.Object("Path", &TvxPathObject::Path);
}

TvxPathData::~TvxPathData() = default;

// Building.

TvxPoint TvxPathData::CurrentPoint() const {
  return points_.empty() ? TvxPoint{} : points_.back().Point;
}

void TvxPathData::AddEntry(TvxPathPointKind kind, const TvxPoint& point) {
  const TvxPoint kept{Finite(point.X), Finite(point.Y)};
  points_.push_back({kind, kept});
  if (kind == vxPathPointMoveTo) figureStart_ = kept;
}

void TvxPathData::MoveTo(const TvxPoint& p) {
  AddEntry(vxPathPointMoveTo, p);
}

void TvxPathData::MoveToRel(const TvxPoint& d) {
  MoveTo(Add(CurrentPoint(), d));
}

void TvxPathData::LineTo(const TvxPoint& p) {
  AddEntry(vxPathPointLineTo, p);
}

void TvxPathData::LineToRel(const TvxPoint& d) {
  LineTo(Add(CurrentPoint(), d));
}

void TvxPathData::HLineTo(float x) {
  LineTo({x, CurrentPoint().Y});
}

void TvxPathData::HLineToRel(float dx) {
  LineTo({CurrentPoint().X + dx, CurrentPoint().Y});
}

void TvxPathData::VLineTo(float y) {
  LineTo({CurrentPoint().X, y});
}

void TvxPathData::VLineToRel(float dy) {
  LineTo({CurrentPoint().X, CurrentPoint().Y + dy});
}

void TvxPathData::CurveTo(const TvxPoint& c1, const TvxPoint& c2, const TvxPoint& p) {
  AddEntry(vxPathPointCurveTo, c1);
  AddEntry(vxPathPointCurveTo, c2);
  AddEntry(vxPathPointCurveTo, p);
}

void TvxPathData::CurveToRel(const TvxPoint& d1, const TvxPoint& d2, const TvxPoint& dp) {
  const TvxPoint from = CurrentPoint();
  CurveTo(Add(from, d1), Add(from, d2), Add(from, dp));
}

void TvxPathData::SmoothCurveTo(const TvxPoint& c2, const TvxPoint& p) {
  TvxPoint c1 = c2;
  if (points_.size() >= 3) {
    const TvxPoint current = CurrentPoint();
    const TvxPoint before = points_[points_.size() - 2].Point;
    c1 = {2 * current.X - before.X, 2 * current.Y - before.Y};
  }
  CurveTo(c1, c2, p);
}

void TvxPathData::SmoothCurveToRel(const TvxPoint& d2, const TvxPoint& dp) {
  const TvxPoint from = CurrentPoint();
  TvxPoint c1 = Add(from, d2);
  if (points_.size() >= 3) {
    const TvxPoint before = points_[points_.size() - 2].Point;
    c1 = {2 * from.X - before.X, 2 * from.Y - before.Y};
  }
  CurveTo(c1, Add(from, d2), Add(from, dp));
}

void TvxPathData::ClosePath() {
  AddEntry(vxPathPointClose, figureStart_);
}

void TvxPathData::AddArc(const TvxPoint& center, const TvxPoint& radius, float startAngle,
                         float sweepAngle) {
  float a = startAngle * (kPi / 180);
  a -= 2 * kPi * std::trunc(a / (2 * kPi));
  AppendArc(center, radius, a, sweepAngle * (kPi / 180), true);
}

// Quarter turns (up to a hundredth more for the last piece), each one cubic.
void TvxPathData::AppendArc(const TvxPoint& center, const TvxPoint& radius, float start,
                            float sweep, bool connect) {
  if (!std::isfinite(start)) return;
  sweep = std::clamp(sweep, -2 * kPi, 2 * kPi);
  if (!(std::fabs(sweep) >= 1e-10f)) return;
  const auto piece = [&](float u, float w, bool first) {
    const float h = w / 2;
    const float x0 = std::cos(h), y0 = std::sin(h);
    const float tx = (1 - x0) * 4 / 3;
    const float ty = y0 - tx * x0 / y0;
    const float r = u + h, cr = std::cos(r), sr = std::sin(r);
    const auto map = [&](float px, float py) {
      return TvxPoint{center.X + radius.X * (px * cr - py * sr),
                      center.Y + radius.Y * (px * sr + py * cr)};
    };
    if (first) AddEntry(points_.empty() ? vxPathPointMoveTo : vxPathPointLineTo, map(x0, -y0));
    CurveTo(map(x0 + tx, -ty), map(x0 + tx, ty), map(x0, y0));
  };
  const float quarter = kPi / 2;
  float u = start;
  float rest = sweep;
  bool first = connect;
  while (std::fabs(rest) > quarter + 0.01f) {
    const float w = std::copysign(quarter, rest);
    piece(u, w, first);
    first = false;
    u += w;
    rest -= w;
  }
  piece(u, rest, first);
}

void TvxPathData::AddSvgArc(const TvxPoint& from, const TvxPoint& radius, const TvxPoint& to,
                            bool largeArc, bool sweep, float xAxisRotation) {
  if (from == to) return;
  double rx = std::fabs(double(radius.X)), ry = std::fabs(double(radius.Y));
  // No ellipse passes through two points with a zero radius: a straight line does.
  if (!(rx > 0 && ry > 0) || !std::isfinite(rx) || !std::isfinite(ry)) return LineTo(to);
  const double phi = double(xAxisRotation) * std::numbers::pi / 180;
  const double cphi = std::cos(phi), sphi = std::sin(phi);
  const double dx = (double(from.X) - to.X) / 2, dy = (double(from.Y) - to.Y) / 2;
  const double x1 = cphi * dx + sphi * dy, y1 = -sphi * dx + cphi * dy;
  const double lambda = x1 * x1 / (rx * rx) + y1 * y1 / (ry * ry);
  if (lambda > 1) {
    rx *= std::sqrt(lambda);
    ry *= std::sqrt(lambda);
  }
  // Ends too far apart for any float-sized ellipse.
  if (rx > std::numeric_limits<float>::max() || ry > std::numeric_limits<float>::max())
    return LineTo(to);
  const double numerator = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
  const double denominator = rx * rx * y1 * y1 + ry * ry * x1 * x1;
  const double root = denominator > 0 ? std::sqrt(std::max(0.0, numerator / denominator)) : 0;
  const double k = largeArc == sweep ? -root : root;
  const double cx1 = k * rx * y1 / ry, cy1 = -k * ry * x1 / rx;
  const double cx = cphi * cx1 - sphi * cy1 + (double(from.X) + to.X) / 2;
  const double cy = sphi * cx1 + cphi * cy1 + (double(from.Y) + to.Y) / 2;
  const double ux = (x1 - cx1) / rx, uy = (y1 - cy1) / ry;
  const double vx = (-x1 - cx1) / rx, vy = (-y1 - cy1) / ry;
  const double theta = VectorsAngle(1, 0, ux, uy);
  double delta = VectorsAngle(ux, uy, vx, vy);
  if (!sweep && delta > 0) delta -= 2 * std::numbers::pi;
  if (sweep && delta < 0) delta += 2 * std::numbers::pi;
  const size_t first = points_.size();
  AppendArc({}, {float(rx), float(ry)}, float(theta), float(delta), false);
  for (size_t i = first; i < points_.size(); ++i) {
    const TvxPoint p = points_[i].Point;
    points_[i].Point = {float(cphi * p.X - sphi * p.Y + cx), float(sphi * p.X + cphi * p.Y + cy)};
  }
}

void TvxPathData::Clear() {
  points_.clear();
  figureStart_ = {};
  OnChange(this);
}

// Queries.

std::span<const TvxPathPoint> TvxPathData::Points() const {
  if (const TvxPathObject* resource = Resource()) return resource->Path()->points_;
  return points_;
}

TvxPoint TvxPathData::LastPoint() const {
  const auto points = Points();
  return points.empty() ? TvxPoint{} : points.back().Point;
}

TvxRect TvxPathData::GetBounds() const {
  const auto points = Points();
  if (points.empty()) return {};
  TvxRect r{kBoundsStart, kBoundsStart, -kBoundsStart, -kBoundsStart};
  for (const TvxPathPoint& entry : points) {
    if (entry.Kind == vxPathPointClose) continue;
    r.Left = std::min(r.Left, entry.Point.X);
    r.Top = std::min(r.Top, entry.Point.Y);
    r.Right = std::max(r.Right, entry.Point.X);
    r.Bottom = std::max(r.Bottom, entry.Point.Y);
  }
  if (RectWidth(r) == 0) r.Right = r.Left + kMinExtent;
  if (RectHeight(r) == 0) r.Bottom = r.Top + kMinExtent;
  return r;
}

void TvxPathData::ScalePoints(float sx, float sy) {
  for (TvxPathPoint& entry : points_) {
    if (entry.Kind == vxPathPointClose) continue;
    entry.Point.X *= sx;
    entry.Point.Y *= sy;
  }
}

void TvxPathData::FlattenToPolygon(std::vector<TvxPoint>& out, TvxPoint& size,
                                   float flatness) const {
  out.clear();
  size = {};
  const auto points = Points();
  if (points.empty()) return;
  const TvxRect bounds = GetBounds();
  float step = flatness * std::min(RectWidth(bounds) / 100, RectHeight(bounds) / 100);
  if (!(step >= kMinFlattenStep)) step = kMinFlattenStep;
  TvxPoint start;
  for (size_t i = 0; i < points.size(); ++i) {
    const TvxPathPoint& entry = points[i];
    switch (entry.Kind) {
      case vxPathPointMoveTo:
        start = entry.Point;
        out.push_back(entry.Point);
        break;
      case vxPathPointLineTo:
        out.push_back(entry.Point);
        break;
      case vxPathPointCurveTo: {
        if (i + 2 >= points.size()) break;
        const TvxPoint from = i > 0 ? points[i - 1].Point : TvxPoint{};
        const TvxPoint c1 = entry.Point, c2 = points[i + 1].Point, end = points[i + 2].Point;
        const int steps = CurveSteps(c1, end, step);
        const float dt = 1.0f / float(steps - 1);
        float t = 0;
        for (int k = 0; k < steps; ++k, t += dt) out.push_back(Bezier(from, c1, c2, end, t));
        i += 2;
        break;
      }
      case vxPathPointClose:
        out.push_back(start);
        out.push_back(PolygonCloseMarker);
        break;
    }
  }
  size = {std::fabs(RectWidth(bounds)), std::fabs(RectHeight(bounds))};
}

// Text form.

std::string TvxPathData::Data() const {
  return PathToText(Points());
}

void TvxPathData::SetData(const std::string& text) {
  points_.clear();
  figureStart_ = {};
  ParsePathText(text, *this);
  OnChange(this);
}

// Resource binding.

void TvxPathData::SetResource(TvxPathObject* resource) {
  if (link_.Set(resource)) OnChange(this);
}

void TvxPathData::SetResourceName(const std::string& name) {
  if (link_.SetName(name)) OnChange(this);
}

void TvxPathData::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TvxPathData*>(&source);
  if (!other) return TPersistent::Assign(source);
  if (other == this) return;
  link_.Follow(other->link_);
  if (!link_.Get()) {
    points_ = other->points_;
    figureStart_ = other->figureStart_;
  }
  OnChange(this);
}

// Binary form: Count, then Count entries of Kind (int32), X, Y (float32), little-endian. Older
// data packs Kind into one byte.

void TvxPathData::DefineProperties(TFiler& filer) {
  filer.DefineProperty(
      "Path",
      [this](const TFormValue& value) {
        if (value.type == TValueType::Binary) ReadPathBytes(value.text);
      },
      [this] { return TFormValue::Bytes(PathBytes()); }, !points_.empty());
}

std::string TvxPathData::PathBytes() const {
  std::string bytes;
  bytes.reserve(4 + points_.size() * kEntryBytes);
  PutInt32(bytes, uint32_t(points_.size()));
  for (const TvxPathPoint& entry : points_) {
    PutInt32(bytes, uint32_t(entry.Kind));
    PutInt32(bytes, std::bit_cast<uint32_t>(entry.Point.X));
    PutInt32(bytes, std::bit_cast<uint32_t>(entry.Point.Y));
  }
  return bytes;
}

void TvxPathData::ReadPathBytes(const std::string& text) {
  points_.clear();
  figureStart_ = {};
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  const int64_t count = text.size() >= 4 ? int32_t(GetUInt32(bytes)) : 0;
  if (count > 0) {
    const size_t available = text.size() - 4;
    const size_t entrySize =
        available / uint64_t(count) == kPackedEntryBytes ? kPackedEntryBytes : kEntryBytes;
    // Truncated data yields the entries that are complete.
    const size_t n = std::min<size_t>(size_t(count), available / entrySize);
    for (size_t i = 0; i < n; ++i) {
      const uint8_t* p = bytes + 4 + i * entrySize;
      const uint32_t kind = entrySize == kPackedEntryBytes ? p[0] : GetUInt32(p);
      const uint8_t* xy = p + entrySize - 8;
      const TvxPoint point{std::bit_cast<float>(GetUInt32(xy)),
                           std::bit_cast<float>(GetUInt32(xy + 4))};
      // Entries no path could hold are skipped rather than carried into drawing.
      if (kind > vxPathPointClose || !std::isfinite(point.X) || !std::isfinite(point.Y)) continue;
      AddEntry(TvxPathPointKind(kind), point);
    }
  }
  OnChange(this);
}

// Resource object.

TvxPathObject::TvxPathObject(TComponent* owner) : TvxObject(owner) {}

TvxPathObject::~TvxPathObject() {
  // Holders are told while the path is still alive.
  DestroyTree();
}
