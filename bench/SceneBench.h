#pragma once

// What the benchmarks of styled scenes share: painting as the scene host does, ending the
// animation driver in its place, and a main that starts the engine on the raster backend.

#include <benchmark/benchmark.h>

#include "scene/controls/EngineStart.h"
#include "scene/core/AniThread.h"
#include "scene/core/VisualObject.h"
#include "scene/graphics/Canvas.h"
#include "scene/graphics/RasterBackend.h"

// What the scene host does for one dirty area: clip, clear, paint the root and its tree.
inline void PaintArea(TvxCanvas& canvas, TvxVisualObject& root, const TvxRect& area) {
  if (!canvas.BeginScene()) return;
  canvas.SetClipRects({&area, 1});
  canvas.ClearRect(area, 0);
  canvas.SetMatrix(root.GetAbsoluteMatrix());
  root.BeforePaint();
  root.Paint();
  root.AfterPaint();
  root.PaintChildren();
  canvas.ResetClipRect();
  canvas.EndScene();
}

// The animation driver runs on the platform's timers: a member of this type, declared after
// the platform, ends it after the objects whose animations stop in it and before the platform.
struct TAnimationDriverEnd {
  ~TAnimationDriverEnd() { FreeAniThread(); }
};

// Runs the benchmarks named on the command line with the engine started on the raster backend.
inline int RunEngineBenchmarks(int argc, char** argv) {
  UseRasterBackend();
  StartEngine();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
