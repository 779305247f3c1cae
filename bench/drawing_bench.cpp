// The measurement drawing is built anew after every calculation while its
// window is open: for a gear of 1000 teeth (the largest) it must stay well
// inside one frame, so a calculation never stutters.
#include <benchmark/benchmark.h>

#include <cmath>

#include "device/measurement_drawing.h"

namespace silvarone {
namespace {

void BM_DrawingOfLargeGear(benchmark::State& state) {
  DrawingInput in;
  in.z = static_cast<double>(state.range(0));
  in.m_n = 1.0;
  in.alpha_n = 20.0;
  in.beta = 10.0;
  in.d_Na = (in.z + 2.0) * in.m_n / std::cos(10.0 * 3.14159265358979 / 180.0);
  in.d_Nf = in.d_Na - 4.5;
  in.d_f = in.d_Nf;
  in.kSpan = in.z / 9.0;
  in.ballDiameter = 1.75;
  in.kInstrument = 3;
  in.instrumentBall = 1.75;
  in.instrumentDistance = 45.0;
  for (auto _ : state)
    benchmark::DoNotOptimize(BuildMeasurementDrawing(in));
}
BENCHMARK(BM_DrawingOfLargeGear)->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace silvarone
