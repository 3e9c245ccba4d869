// Cost of one wing computation (planform, stations, lifting-line solution,
// drag estimate) for the offered station counts.
#include <benchmark/benchmark.h>

#include "compute/wing_computation.h"

namespace {

using velarix::Real;

class SilentPlatform : public velarix::Platform {
 public:
  velarix::Answer showMessage(int) override { return velarix::Answer::Ok; }
  void showError(std::string_view, std::string_view) override {}
};

// Swept, tapered wing of 2 m span (root 0,3 m, tips 0,15 m, leading edge
// 0,3 m aft at the tips, 2 degrees washout) with elevons at 3 degrees up.
velarix::TWing sweptWingWithFlaps() {
  velarix::TWing w;
  velarix::resetToNewWing(w);
  struct Row {
    Real y, x, chord, twist, alpha0, cm0;
  };
  const Row rows[] = {{-1, 0.3L, 0.15L, -2, -1, 0.01L},
                      {-0.5L, 0.15L, 0.225L, -1, -1.5L, 0.005L},
                      {0, 0, 0.3L, 0, -2, -0.01L},
                      {0.5L, 0.15L, 0.225L, -1, -1.5L, 0.005L},
                      {1, 0.3L, 0.15L, -2, -1, 0.01L}};
  velarix::CellTable& k = w.kinkTable;
  k.setRowCount(6);
  for (int r = 1; r <= 5; ++r) {
    const Row& row = rows[r - 1];
    k.setNumber(velarix::kColKinkY, r, row.y);
    k.setNumber(velarix::kColKinkX, r, row.x);
    k.setCell(velarix::kColKinkZ, r, "0");
    k.setNumber(velarix::kColKinkChord, r, row.chord);
    k.setNumber(velarix::kColKinkChordAngle, r, row.twist);
    k.setCell(velarix::kColKinkPivotPercent, r, "75");
    k.setCell(velarix::kColKinkAirfoil, r, "ebene_platte.dat");
    k.setNumber(velarix::kColKinkAlpha0, r, row.alpha0);
    k.setNumber(velarix::kColKinkCm0, r, row.cm0);
  }
  velarix::CellTable& f = w.flapTable;
  f.setRowCount(5);
  const Real flapChord[4][2] = {{20, 25}, {0, 0}, {0, 0}, {25, 20}};
  for (int r = 1; r <= 4; ++r) {
    f.setNumber(velarix::kColFlapNumber, r, r);
    f.setNumber(velarix::kColFlapYLeft, r, rows[r - 1].y);
    f.setNumber(velarix::kColFlapChordLeft, r, flapChord[r - 1][0]);
    f.setNumber(velarix::kColFlapYRight, r, rows[r].y);
    f.setNumber(velarix::kColFlapChordRight, r, flapChord[r - 1][1]);
    f.setCell(velarix::kColFlapGroup, r, "0");
    f.setNumber(velarix::kColFlapDeflection, r, flapChord[r - 1][0] > 0 ? -3 : 0);
  }
  return w;
}

void runComputeWing(benchmark::State& state, velarix::TWing wing) {
  wing.stationCount = static_cast<int>(state.range(0));
  SilentPlatform platform;
  velarix::WingResults results;
  for (auto _ : state) {
    velarix::computeWing(wing, results, platform);
    benchmark::DoNotOptimize(results.coefficients.liftSlope);
  }
}

void BM_ComputeWingNewWing(benchmark::State& state) {
  velarix::TWing wing;
  velarix::resetToNewWing(wing);
  runComputeWing(state, wing);
}
BENCHMARK(BM_ComputeWingNewWing)
    ->Arg(7)
    ->Arg(15)
    ->Arg(31)
    ->Arg(63)
    ->Arg(127)
    ->Unit(benchmark::kMillisecond);

void BM_ComputeWingSweptWithFlaps(benchmark::State& state) {
  runComputeWing(state, sweptWingWithFlaps());
}
BENCHMARK(BM_ComputeWingSweptWithFlaps)
    ->Arg(7)
    ->Arg(15)
    ->Arg(31)
    ->Arg(63)
    ->Arg(127)
    ->Unit(benchmark::kMillisecond);

}  // namespace
