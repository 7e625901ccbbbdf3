// Filling a calendar for a new month: the day numbers alone, and the whole view (weekday
// names, 42 day cells, week numbers, selection and pickers) as the arrows and the wheel do it.

#include <benchmark/benchmark.h>

#include "platform/headless/HeadlessPlatform.h"
#include "scene/controls/Calendar.h"
#include "scene/controls/CalendarMonth.h"
#include "scene/controls/EngineStart.h"

namespace {

void BM_MonthNumbers(benchmark::State& state) {
  TDateTime date = EncodeDate(2010, 11, 29);
  for (auto _ : state) {
    date = IncMonth(date, 1);
    TvxCalendarMonth month(date, 1);
    benchmark::DoNotOptimize(month.CellDay(41));
  }
}
BENCHMARK(BM_MonthNumbers)->Unit(benchmark::kMicrosecond);

void BM_CalendarNewMonth(benchmark::State& state) {
  THeadlessPlatform platform;
  StartEngine();
  TvxCalendar calendar(nullptr);
  calendar.SetWeekNumbers(state.range(0) != 0);
  for (auto _ : state) calendar.SetDate(IncMonth(calendar.Date(), 1));
}
BENCHMARK(BM_CalendarNewMonth)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
