// The calculations one user action runs: a full recalculation with the three
// check-dimension evaluations, the mode conversions, the ball limits and the
// back-calculation. Targets on a 2-core machine: full helical recalculation
// under 20 us, typical back-calculation under 5 ms, worst case under 50 ms.
#include <benchmark/benchmark.h>

#include "core/balls.h"
#include "core/check_dimension.h"
#include "core/modes.h"
#include "device/back_calculation.h"
#include "device/instrument.h"
#include "test_gear.h"

namespace {

using namespace silvarone;
using silvarone::testing::GearInput;
using silvarone::testing::MakeGear;

const GearInput kSpur{.z = "33", .x = "0.2", .k_M = "4", .A_sne = "-60", .A_sni = "-90"};
const GearInput kHelical{
    .z = "33", .beta = "15", .x = "0.2", .k_M = "4", .A_sne = "-60", .A_sni = "-90"};

// What the calculation page runs for "Berechnung Q": the modes' profile
// shifts must be current before their three check dimensions.
void Recalculate(Gear& gear) {
  FullCalculation(gear, BallFormOf(gear), gear.rec.x);
  ModeCalculation(gear, gear.state.CalculationMode);
  EvaluateCheckDimensions(gear);
}

// The full calculation for x with the three check-dimension evaluations.
void BM_FullCalculationWithCheckDimensions(benchmark::State& state, const GearInput& input) {
  Gear gear = MakeGear(input);
  Recalculate(gear);
  for (auto _ : state) {
    EvaluateCheckDimensions(gear);
    benchmark::DoNotOptimize(gear.rec.Q_plus_D_M.value);
  }
}
BENCHMARK_CAPTURE(BM_FullCalculationWithCheckDimensions, spur, kSpur);
BENCHMARK_CAPTURE(BM_FullCalculationWithCheckDimensions, helical, kHelical);

void BM_ModeCalculation(benchmark::State& state) {
  Gear gear = MakeGear(kHelical);
  FullCalculation(gear, BallFormOf(gear), gear.rec.x);
  ModeCalculation(gear, kModeStandard);
  GearRecords& r = gear.rec;
  r.Wk_given.text = r.Wk_mode.text;
  r.Wke_given.text = r.Wke_mode.text;
  r.Wki_given.text = r.Wki_mode.text;
  r.Mdk_given.text = r.Mdk_mode.text;
  r.Mdke_given.text = r.Mdke_mode.text;
  r.Mdki_given.text = r.Mdki_mode.text;
  r.Xe_given.value = 0.2;
  r.Xee_given.value = 0.18;
  r.Xei_given.value = 0.15;
  const auto mode = static_cast<CalculationModeKind>(state.range(0));
  for (auto _ : state) {
    ModeCalculation(gear, mode);
    benchmark::DoNotOptimize(gear.rec.xE.value);
  }
}
BENCHMARK(BM_ModeCalculation)->DenseRange(0, 3);

void BM_BallLimits(benchmark::State& state) {
  Gear gear = MakeGear({.z = "-40", .beta = "15", .k_M = "-5"});
  FullCalculation(gear, BallFormOf(gear), gear.rec.x);
  for (auto _ : state) {
    BallUpperLimit(gear);
    BallLowerLimit(gear);
    benchmark::DoNotOptimize(gear.rec.D_M_min.value);
  }
}
BENCHMARK(BM_BallLimits);

void BM_BackCalculation(benchmark::State& state, bool worstCase) {
  Gear gear = MakeGear(kHelical);
  Recalculate(gear);
  std::string measured = gear.rec.Q_plus_D_M_lower.text;
  if (worstCase) {
    // Pass 1 in steps of 0.001 finds x - 0.48 after 480 steps and stops ten
    // later, just inside its cap of 500; pass 2 in steps of 1e-9 cannot cover
    // the 0.0001 to the target and runs into its cap of 1000.
    gear.rec.bigStepSize.value = 0.001;
    gear.rec.smallStepSize.value = 1e-9;
    Gear probe = gear;
    TGear shift = probe.rec.x;
    shift.value = probe.rec.x.value - 0.48;
    measured = FormatFixed(TestDimension(probe, CheckDimensionFor(probe, BallFormOf(probe), shift)),
                           15, 6);
  }
  BackCalculation back;
  int steps = 0;
  back.progress = [&](int) { ++steps; };
  for (auto _ : state) {
    steps = 0;
    benchmark::DoNotOptimize(back.Run(gear, measured));
  }
  state.counters["steps"] = steps;
}
BENCHMARK_CAPTURE(BM_BackCalculation, typical, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BackCalculation, worst, true)->Unit(benchmark::kMillisecond);

}  // namespace
