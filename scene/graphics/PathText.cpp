#include "scene/graphics/PathText.h"

#include <string_view>

#include "scene/core/ValueText.h"

namespace {

constexpr std::string_view kCommands = "zmlchvsqtaZMLCHVSQTA";

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

void AppendPoint(std::string& out, const TvxPoint& p) {
  out += FloatToText(p.X);
  out += ',';
  out += FloatToText(p.Y);
  out += ' ';
}

class PathTextReader {
 public:
  PathTextReader(std::string text, TvxPathData& path) : text_(std::move(text)), path_(path) {}

  void Run() {
    for (;;) {
      const size_t roundStart = pos_;
      SkipBlanks();
      const size_t first = pos_;
      while (pos_ < text_.size() && kCommands.find(text_[pos_]) != std::string_view::npos) ++pos_;
      const std::string commands = text_.substr(first, pos_ - first);
      for (char command : commands) Perform(command);
      if (pos_ == roundStart) return;
    }
  }

 private:
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  // Repetition needs the next coordinate to follow the previous number directly.
  bool RepeatFollows() const { return IsDigit(Peek()) || Peek() == '-'; }

  void SkipBlanks() {
    while (Peek() == ' ') ++pos_;
  }

  void SkipBlanksAndCommas() {
    while (Peek() == ' ' || Peek() == ',') ++pos_;
  }

  bool Number(float& value) {
    SkipBlanks();
    const size_t first = pos_;
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      const bool minus = c == '-' && (pos_ == first || text_[pos_ - 1] == 'e');
      if (!IsDigit(c) && c != '.' && c != 'e' && !minus) break;
      ++pos_;
    }
    return TryTextToFloat(text_.substr(first, pos_ - first), value);
  }

  bool Point(TvxPoint& p) {
    SkipBlanksAndCommas();
    if (!Number(p.X)) return false;
    SkipBlanksAndCommas();
    return Number(p.Y);
  }

  bool Points(TvxPoint* points, int count) {
    for (int i = 0; i < count; ++i)
      if (!Point(points[i])) return false;
    return true;
  }

  void Perform(char command) {
    TvxPoint p[3];
    float value = 0;
    switch (command) {
      case 'M':
        if (!Point(p[0])) return;
        path_.MoveTo(p[0]);
        while (RepeatFollows() && Point(p[0])) path_.LineTo(p[0]);
        return;
      case 'm':
        if (!Point(p[0])) return;
        path_.MoveToRel(p[0]);
        while (RepeatFollows() && Point(p[0])) path_.LineToRel(p[0]);
        return;
      case 'L':
        while (Point(p[0])) {
          path_.LineTo(p[0]);
          if (!RepeatFollows()) return;
        }
        return;
      case 'l':
        while (Point(p[0])) {
          path_.LineToRel(p[0]);
          if (!RepeatFollows()) return;
        }
        return;
      case 'H':
        if (Number(value)) path_.HLineTo(value);
        return;
      case 'h':
        if (Number(value)) path_.HLineToRel(value);
        return;
      case 'V':
        if (Number(value)) path_.VLineTo(value);
        return;
      case 'v':
        if (Number(value)) path_.VLineToRel(value);
        return;
      case 'C':
        while (Points(p, 3)) {
          path_.CurveTo(p[0], p[1], p[2]);
          if (!RepeatFollows()) return;
        }
        return;
      case 'c':
        while (Points(p, 3)) {
          path_.CurveToRel(p[0], p[1], p[2]);
          if (!RepeatFollows()) return;
        }
        return;
      case 'S':
        while (Points(p, 2)) {
          path_.SmoothCurveTo(p[0], p[1]);
          if (!RepeatFollows()) return;
        }
        return;
      case 's':
        while (Points(p, 2)) {
          path_.SmoothCurveToRel(p[0], p[1]);
          if (!RepeatFollows()) return;
        }
        return;
      case 'Q':
      case 'q':
        Points(p, 2);
        return;
      case 'T':
      case 't':
        Point(p[0]);
        return;
      case 'A':
      case 'a':
        return Arc(command == 'a');
      default:  // 'Z', 'z'
        path_.ClosePath();
        return;
    }
  }

  // Radii, rotation, flags (large arc, sweep; 1 is true), end point.
  void Arc(bool relative) {
    TvxPoint radius, flags, end;
    float rotation = 0;
    if (!Point(radius) || !Number(rotation) || !Point(flags) || !Point(end)) return;
    const TvxPoint from = path_.CurrentPoint();
    if (relative) end = {from.X + end.X, from.Y + end.Y};
    path_.AddSvgArc(from, radius, end, flags.X == 1, flags.Y == 1, rotation);
  }

  std::string text_;
  size_t pos_ = 0;
  TvxPathData& path_;
};

}  // namespace

std::string PathToText(std::span<const TvxPathPoint> points) {
  std::string out;
  for (size_t i = 0; i < points.size(); ++i) {
    switch (points[i].Kind) {
      case vxPathPointMoveTo:
        out += "M ";
        AppendPoint(out, points[i].Point);
        break;
      case vxPathPointLineTo:
        out += "L ";
        AppendPoint(out, points[i].Point);
        break;
      case vxPathPointCurveTo:
        // An incomplete curve at the end has no text.
        if (i + 2 >= points.size()) return out;
        out += "C ";
        for (int k = 0; k < 3; ++k) AppendPoint(out, points[i + k].Point);
        i += 2;
        break;
      case vxPathPointClose:
        out += "Z ";
        break;
    }
  }
  return out;
}

void ParsePathText(const std::string& text, TvxPathData& path) {
  std::string kept;
  kept.reserve(text.size());
  for (char c : text)
    if (c != '\t' && c != '\n' && c != '\r') kept += c;
  PathTextReader(std::move(kept), path).Run();
}
