#pragma once

// The effect result of one visual object, cached in a bitmap until the object or one of its
// effects changes. Each enabled effect renders the object alone at its absolute scale times the
// canvas's device scale into the bitmap, processes it and draws it; repaints from the cache draw
// the last result into every enabled effect's area.

#include <cstdint>
#include <memory>
#include <vector>

class TvxBitmap;
class TvxCanvas;
class TvxEffect;
class TvxVisualObject;

class TvxEffectPainter {
 public:
  TvxEffectPainter();
  ~TvxEffectPainter();
  TvxEffectPainter(const TvxEffectPainter&) = delete;
  TvxEffectPainter& operator=(const TvxEffectPainter&) = delete;

  void Invalidate() { stale_ = true; }
  bool Stale() const { return stale_; }
  // Paints the enabled effects of `object` onto `canvas`.
  void Paint(TvxVisualObject& object, TvxCanvas& canvas);

 private:
  void Rebuild(TvxVisualObject& object, TvxCanvas& canvas);
  void RenderEffect(TvxVisualObject& object, TvxEffect& effect, TvxCanvas& canvas);
  void DrawCached(TvxVisualObject& object, TvxCanvas& canvas);
  void DrawResult(TvxVisualObject& object, TvxCanvas& canvas, const TvxEffect& effect);
  bool ReuseResult(const TvxEffect& effect, float scale);
  void KeepResult(const TvxEffect& effect);

  std::unique_ptr<TvxBitmap> bitmap_;
  bool stale_ = true;
  // The device scale of the canvas the cached result was made for.
  float builtDeviceScale_ = 1;

  // The last result of an effect that reads alpha only, with what it was made from: while
  // only the object's colours animate (a flashing text under a glow) nothing is blurred.
  struct TAlphaResult {
    uint64_t revision = 0;
    float scale = 0;
    std::vector<uint8_t> alpha;
    std::vector<uint32_t> pixels;
  } kept_;
};
