// The blur behind shadows and glows: its cost per pixel must not grow with the radius.

#include <benchmark/benchmark.h>

#include <vector>

#include "scene/graphics/StackBlur.h"

namespace {

constexpr int kSide = 512;

void BM_StackBlur(benchmark::State& state) {
  const int radius = int(state.range(0));
  std::vector<uint32_t> pixels(size_t(kSide * kSide));
  for (size_t i = 0; i < pixels.size(); ++i) {
    const uint32_t a = uint32_t(i * 7 % 256);
    pixels[i] = a << 24 | (a / 2) << 16 | (a / 3) << 8 | (a / 4);
  }
  StackBlur(pixels, kSide, kSide, radius);  // the division table is built once per radius
  for (auto _ : state) {
    StackBlur(pixels, kSide, kSide, radius);
    benchmark::DoNotOptimize(pixels.data());
  }
  state.counters["ns_per_pixel"] = benchmark::Counter(
      double(kSide * kSide) * double(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_StackBlur)->Arg(1)->Arg(8)->Arg(64)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
