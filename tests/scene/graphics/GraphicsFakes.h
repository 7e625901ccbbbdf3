#pragma once

// Test doubles for the graphics backend: a canvas that records the primitive calls it gets
// and an image codec that stores raw pixels, plus a scope that registers them.

#include <string>
#include <vector>

#include "scene/graphics/Backend.h"
#include "scene/graphics/Canvas.h"
#include "scene/graphics/Filter.h"

struct RecordedCall {
  std::string name;
  TvxRect rect;
  float opacity = 0;
  std::vector<TvxPathPoint> path;  // FillPath / DrawPath / PtInPath
};

class RecordingCanvas : public TvxCanvas {
 public:
  RecordingCanvas(int width, int height) { ResizeBuffer(width, height); }
  explicit RecordingCanvas(TvxBitmap& bitmap) : TvxCanvas(bitmap) {}

  std::vector<RecordedCall> calls;
  int fontChanges = 0;
  int nextState = 100;
  bool hasContext = true;
  std::vector<int> restoredStates;

  void FontChanged(TObject*) override { ++fontChanges; }
  void FlushBuffer(int, int, TvxDeviceContext) override { Record("FlushBuffer"); }
  void FlushBufferRect(int, int, TvxDeviceContext, const TvxRect& r) override {
    Record("FlushBufferRect", r);
  }
  void FreeBuffer() override { Record("FreeBuffer"); }
  void Clear(TvxColor) override { Record("Clear"); }
  void ClearRect(const TvxRect& r, TvxColor) override { Record("ClearRect", r); }
  void SetClipRects(std::span<const TvxRect>) override { Record("SetClipRects"); }
  void IntersectClipRect(const TvxRect& r) override { Record("IntersectClipRect", r); }
  void ExcludeClipRect(const TvxRect& r) override { Record("ExcludeClipRect", r); }
  void ResetClipRect() override { Record("ResetClipRect"); }
  // The end points as (p1.X, p1.Y, p2.X, p2.Y).
  void DrawLine(const TvxPoint& p1, const TvxPoint& p2, float o) override {
    Record("DrawLine", {p1.X, p1.Y, p2.X, p2.Y}, o);
  }
  void FillRect(const TvxRect& r, float, float, TvxCorners, float o, TvxCornerType) override {
    Record("FillRect", r, o);
  }
  void DrawRect(const TvxRect& r, float, float, TvxCorners, float o, TvxCornerType) override {
    Record("DrawRect", r, o);
  }
  void FillEllipse(const TvxRect& r, float o) override { Record("FillEllipse", r, o); }
  void DrawEllipse(const TvxRect& r, float o) override { Record("DrawEllipse", r, o); }
  bool PtInPath(const TvxPoint&, const TvxRect& r, const TvxPathData& path) override {
    RecordPath("PtInPath", path, r, 1);
    return false;
  }
  void FillPath(const TvxPathData& path, const TvxRect& r, float o) override {
    RecordPath("FillPath", path, r, o);
  }
  void DrawPath(const TvxPathData& path, const TvxRect& r, float o) override {
    RecordPath("DrawPath", path, r, o);
  }
  void DrawBitmap(TvxBitmap&, const TvxRect&, const TvxRect& dst, float o, bool) override {
    Record("DrawBitmap", dst, o);
  }
  void DrawThumbnail(TvxBitmap&, float, float) override { Record("DrawThumbnail"); }
  void FillText(const TvxRect& r, const std::u16string&, bool, float o, TvxTextAlign,
                TvxTextAlign) override {
    Record("FillText", r, o);
  }
  // Seven units per character on one line.
  void MeasureText(TvxRect& r, const std::u16string& text, bool, TvxTextAlign,
                   TvxTextAlign) override {
    Record("MeasureText", r);
    r.Right = r.Left + 7 * float(text.size());
  }
  bool TextToPath(TvxPathData&, const TvxRect&, const std::u16string&, bool, TvxTextAlign,
                  TvxTextAlign) override {
    return false;
  }

 protected:
  int SaveState() override { return hasContext ? nextState++ : -1; }
  void RestoreState(int state) override { restoredStates.push_back(state); }

 private:
  void Record(const std::string& name, const TvxRect& r = {}, float o = 0) {
    calls.push_back({name, r, o, {}});
  }
  void RecordPath(const std::string& name, const TvxPathData& path, const TvxRect& r, float o) {
    const auto points = path.Points();
    calls.push_back({name, r, o, {points.begin(), points.end()}});
  }
};

// Encodes as "RAW:" + format + ":" + width + "x" + height + ":" + the pixel words.
class RawCodec : public TvxFilter {
 public:
  struct Log {
    std::string format, params;
    int loads = 0;
  };
  explicit RawCodec(Log& log) : log_(log) {}

  bool LoadFromStream(TMemoryStream& stream, TvxBitmap& bitmap) override;
  bool LoadFromFile(const std::string&, TvxBitmap&, float) override { return false; }
  bool LoadThumbnailFromFile(const std::string&, bool, float, float, TvxBitmap&) override {
    return false;
  }
  bool SaveToStream(TMemoryStream& stream, const TvxBitmap& bitmap, const std::string& format,
                    const std::string& params) override;
  bool SaveToFile(const std::string&, const TvxBitmap&, const std::string&) override {
    return false;
  }

 private:
  Log& log_;
};

// Registers the recording canvas and the raw codec while alive.
class FakeBackend {
 public:
  FakeBackend();
  ~FakeBackend();
  FakeBackend(const FakeBackend&) = delete;
  FakeBackend& operator=(const FakeBackend&) = delete;

  RawCodec::Log codec;
  int canvasesMade = 0;
};
