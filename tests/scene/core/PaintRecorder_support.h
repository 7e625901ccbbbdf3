#pragma once

// Painting test doubles: a canvas that logs every call with the matrix in force, a backend
// scope that gives bitmaps such canvases (sharing one log), and a visual object that logs its
// paint hooks.

#include <memory>
#include <string>
#include <vector>

#include "scene/core/VisualObject.h"
#include "scene/graphics/Backend.h"
#include "tests/scene/CanvasStub.h"

struct TPaintCall {
  std::string name;  // "Save", "Restore", "Clip", "DrawRect", "DrawBitmap", "Paint:<tag>", ...
  TvxRect rect;
  TvxMatrix matrix;
  const TvxCanvas* canvas = nullptr;
  float opacity = 0;
};
using TPaintLog = std::vector<TPaintCall>;

class TLogCanvas : public TCanvasStub {
 public:
  TLogCanvas(TPaintLog& log, int width, int height) : TCanvasStub(width, height), log_(log) {}
  TLogCanvas(TPaintLog& log, TvxBitmap& bitmap) : TCanvasStub(bitmap), log_(log) {}

  void Log(const std::string& name, const TvxRect& rect = {}, float opacity = 0);

  // Stroke colour and thickness of the last DrawRect.
  TvxColor lastStrokeColor = 0;
  float lastStrokeThickness = 0;

 protected:
  void OnClear(TvxColor) override { Log("Clear"); }
  void OnClearRect(const TvxRect& r, TvxColor) override { Log("ClearRect", r); }
  void OnIntersectClipRect(const TvxRect& r) override { Log("Clip", r); }
  void OnFillRect(const TvxRect& r, float o) override { Log("FillRect", r, o); }
  void OnDrawRect(const TvxRect& r, float o) override;
  void OnDrawBitmap(TvxBitmap&, const TvxRect&, const TvxRect& dst, float o, bool) override {
    Log("DrawBitmap", dst, o);
  }
  int OnSaveState() override;
  void OnRestoreState(int) override { Log("Restore"); }

 private:
  TPaintLog& log_;
  int nextState_ = 1;
};

// Bitmaps draw into logging canvases while alive.
class TLogBackend {
 public:
  explicit TLogBackend(TPaintLog& log);
  ~TLogBackend();
  TLogBackend(const TLogBackend&) = delete;
  TLogBackend& operator=(const TLogBackend&) = delete;
};

// Logs "BeforePaint:<tag>", "Paint:<tag>" and "AfterPaint:<tag>" with the matrix in force.
class TPaintProbe : public TvxVisualObject {
 public:
  TPaintProbe(TComponent* owner, std::string tag) : TvxVisualObject(owner), tag_(std::move(tag)) {}
  void BeforePaint() override { LogHere("BeforePaint:"); }
  void Paint() override { LogHere("Paint:"); }
  void AfterPaint() override { LogHere("AfterPaint:"); }

 private:
  void LogHere(const std::string& what);
  std::string tag_;
};

// The names of the calls, in order, optionally only those starting with `prefix`.
std::vector<std::string> CallNames(const TPaintLog& log, const std::string& prefix = {});
// Index of the first call named `name`; -1 when there is none.
int IndexOf(const TPaintLog& log, const std::string& name);
