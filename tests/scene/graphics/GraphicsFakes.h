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
  std::vector<TvxPathPoint> path;     // FillPath / DrawPath / PtInPath
  TvxMatrix matrix = IdentityMatrix;  // the device matrix in force
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

 protected:
  void OnFontChanged() override { ++fontChanges; }
  void OnFlushBufferRect(int, int, TvxDeviceContext, const TvxRect& r) override {
    Record("FlushBufferRect", r);
  }
  void OnFreeBuffer() override { Record("FreeBuffer"); }
  void OnClear(TvxColor) override { Record("Clear"); }
  void OnClearRect(const TvxRect& r, TvxColor) override { Record("ClearRect", r); }
  void OnSetMatrix(const TvxMatrix& m) override { device_ = m; }
  void OnMultiplyMatrix(const TvxMatrix&) override {}
  int OnSaveState() override { return hasContext ? nextState++ : -1; }
  void OnRestoreState(int state) override { restoredStates.push_back(state); }
  void OnSetClipRects(std::span<const TvxRect>) override { Record("SetClipRects"); }
  void OnIntersectClipRect(const TvxRect& r) override { Record("IntersectClipRect", r); }
  void OnExcludeClipRect(const TvxRect& r) override { Record("ExcludeClipRect", r); }
  void OnResetClipRect() override { Record("ResetClipRect"); }
  void OnIntersectClipPath(const TvxPathData& path, const TvxRect& r) override {
    RecordPath("IntersectClipPath", path, r, 0);
  }
  // The end points as (p1.X, p1.Y, p2.X, p2.Y).
  void OnDrawLine(const TvxPoint& p1, const TvxPoint& p2, float o) override {
    Record("DrawLine", {p1.X, p1.Y, p2.X, p2.Y}, o);
  }
  void OnFillRect(const TvxRect& r, float o) override { Record("FillRect", r, o); }
  void OnDrawRect(const TvxRect& r, float o) override { Record("DrawRect", r, o); }
  void OnDrawOutline(const TvxPathData& outline, const TvxRect& r, float o) override {
    RecordPath("DrawOutline", outline, r, o);
  }
  void OnFillEllipse(const TvxRect& r, float o) override { Record("FillEllipse", r, o); }
  void OnDrawEllipse(const TvxRect& r, float o) override { Record("DrawEllipse", r, o); }
  bool OnPtInPath(const TvxPoint&, const TvxRect& r, const TvxPathData& path) override {
    RecordPath("PtInPath", path, r, 1);
    return false;
  }
  void OnFillPath(const TvxPathData& path, const TvxRect& r, float o) override {
    RecordPath("FillPath", path, r, o);
  }
  void OnDrawPath(const TvxPathData& path, const TvxRect& r, float o) override {
    RecordPath("DrawPath", path, r, o);
  }
  void OnDrawBitmap(TvxBitmap&, const TvxRect&, const TvxRect& dst, float o, bool) override {
    Record("DrawBitmap", dst, o);
  }
  void OnDrawThumbnail(TvxBitmap&, float, float) override { Record("DrawThumbnail"); }
  void OnFillText(const TvxRect& r, const std::u16string&, bool, float o, TvxTextAlign,
                  TvxTextAlign) override {
    Record("FillText", r, o);
  }
  // Seven units per character on one line.
  void OnMeasureText(TvxRect& r, const std::u16string& text, bool, TvxTextAlign,
                     TvxTextAlign) override {
    Record("MeasureText", r);
    r.Right = r.Left + 7 * float(text.size());
  }
  bool OnTextToPath(TvxPathData&, const TvxRect&, const std::u16string&, bool, TvxTextAlign,
                    TvxTextAlign) override {
    return false;
  }

 private:
  void Record(const std::string& name, const TvxRect& r = {}, float o = 0) {
    calls.push_back({name, r, o, {}, device_});
  }
  void RecordPath(const std::string& name, const TvxPathData& path, const TvxRect& r, float o) {
    const auto points = path.Points();
    calls.push_back({name, r, o, {points.begin(), points.end()}, device_});
  }

  TvxMatrix device_ = IdentityMatrix;
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
