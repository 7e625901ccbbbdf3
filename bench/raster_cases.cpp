// Times four drawings through the canvas of whichever raster backend the build has: a scaled
// bitmap, a gradient-filled rounded rectangle, a line of Chinese text and a thick arc. Prints
// "case nanoseconds-per-drawing" lines; raster_cases.sh runs it in both builds and compares.
// A plain timing loop, since not every build has Google Benchmark.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scene/graphics/Backend.h"
#include "scene/graphics/Canvas.h"
#include "scene/graphics/RasterBackend.h"

namespace {

struct Case {
  const char* name;
  std::function<void(TvxCanvas&)> draw;
};

void ScaledBitmap(TvxCanvas& canvas, TvxBitmap& image) {
  canvas.DrawBitmap(image, RectOf(0, 0, 64, 64), RectOf(10, 10, 290, 190), 1, false);
}

void GradientRoundRect(TvxCanvas& canvas) {
  TvxBrush& fill = canvas.Fill();
  if (fill.Style() != vxBrushGradient) {
    fill.SetStyle(vxBrushGradient);
    fill.Gradient()->Points()->Clear();
    fill.Gradient()->Points()->AddPoint(0xFF2060C0, 0);
    fill.Gradient()->Points()->AddPoint(0xFFF0F0FF, 1);
  }
  canvas.FillRect(RectOf(20, 20, 280, 180), 12, 12, AllCorners, 1, vxCornerRound);
}

void ChineseText(TvxCanvas& canvas) {
  canvas.Fill().SetStyle(vxBrushSolid);
  canvas.Fill().SetColor(0xFF202020);
  canvas.Font().SetFamily("微软雅黑");
  canvas.Font().SetSize(15);
  canvas.FillText(RectOf(0, 0, 300, 200), u"翎川定时关机：距离关机还有 00:12:59", false, 1,
                  vxTextAlignCenter, vxTextAlignCenter);
}

void ThickArc(TvxCanvas& canvas) {
  canvas.Stroke().SetColor(0xFFE04040);
  canvas.SetStrokeThickness(8);
  canvas.SetStrokeCap(vxCapRound);
  canvas.DrawArc(PointOf(150, 100), PointOf(80, 80), -90, 270, 1);
}

// Median time per drawing over `rounds` rounds of `count` drawings.
double Time(TvxCanvas& canvas, const Case& c, int count, int rounds) {
  std::vector<double> perDrawing;
  for (int round = 0; round < rounds; ++round) {
    canvas.Clear(0);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) c.draw(canvas);
    const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
    perDrawing.push_back(spent.count() / count);
  }
  std::sort(perDrawing.begin(), perDrawing.end());
  return perDrawing[perDrawing.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  UseRasterBackend();
  const std::unique_ptr<TvxCanvas> canvas = CreateDefaultCanvas(300, 200);
  TvxBitmap image(64, 64);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      image.Pixels()[y * 64 + x] = 0xFF000000u | uint32_t(x * 4) << 16 | uint32_t(y * 4) << 8;
    }
  }
  const Case cases[] = {
      {"scaled_bitmap", [&image](TvxCanvas& c) { ScaledBitmap(c, image); }},
      {"gradient_round_rect", GradientRoundRect},
      {"chinese_text", ChineseText},
      {"arc", ThickArc},
  };
  for (const Case& c : cases) {
    Time(*canvas, c, std::max(1, count / 10), 1);  // warm caches and fonts
    std::printf("%s %.0f\n", c.name, Time(*canvas, c, count, 5));
  }
  return 0;
}
