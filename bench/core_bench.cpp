// Throughput of the number texts and the inverse involute solvers, which the
// back-calculation scan runs hundreds of times per request.
#include <benchmark/benchmark.h>

#include "core/geometry.h"
#include "core/number_text.h"

namespace {

using namespace silvarone;

void BM_FormatFixed(benchmark::State& state) {
  double value = 37.58770483143634;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatFixed(value, 15, 3));
    value += 1e-9;
  }
}
BENCHMARK(BM_FormatFixed);

void BM_ParseParameter(benchmark::State& state) {
  TGear record;
  record.minimum = -1000;
  record.maximum = 1000;
  for (auto _ : state) {
    record.text = "20,50";
    benchmark::DoNotOptimize(ParseParameter(record, {.normalise = true}));
  }
}
BENCHMARK(BM_ParseParameter);

void BM_InvoluteNewton(benchmark::State& state) {
  const double target = 0.0149043838;  // inv 20 degrees
  for (auto _ : state)
    benchmark::DoNotOptimize(SolveInvoluteNewton(target));
}
BENCHMARK(BM_InvoluteNewton);

void BM_InvoluteFixedPoint(benchmark::State& state) {
  const double target = 0.0149043838;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SolveInvoluteFixedPoint(target));
  }
}
BENCHMARK(BM_InvoluteFixedPoint);

}  // namespace
