// Cost of the station interpolation for the offered station counts.
#include <benchmark/benchmark.h>

#include "compute/stations.h"

namespace {

void BM_ComputeStations(benchmark::State& state) {
  velarix::TWing wing;
  velarix::resetToNewWing(wing);
  wing.stationCount = static_cast<int>(state.range(0));
  velarix::TSpanDistribution distribution;
  for (auto _ : state) {
    velarix::computeStations(wing, distribution);
    benchmark::DoNotOptimize(distribution.angleFromZeroLift[1]);
  }
}
BENCHMARK(BM_ComputeStations)->Arg(7)->Arg(15)->Arg(31)->Arg(63)->Arg(127);

}  // namespace
