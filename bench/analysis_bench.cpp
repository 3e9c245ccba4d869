// Cost of one analysis run: a 61-point section, 17 angles and 5 Reynolds
// numbers (the polar window's usual request), and the cost of one more angle.
#include <benchmark/benchmark.h>

#include <cmath>

#include "section_analysis.h"

namespace {

using namespace velarix::analysis;

CardDeck naca2412(int pointsPerSurface) {
  CardDeck deck;
  for (int i = 0; i < pointsPerSurface; ++i) {
    const double x = 0.5 * (1.0 - std::cos(3.141592653589793 * i / (pointsPerSurface - 1)));
    const double yt = 0.6 * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
                             0.1036 * x * x * x * x);
    const double yc = x < 0.4 ? 0.02 / 0.16 * (0.8 * x - x * x) : 0.02 / 0.36 * (0.2 + 0.8 * x - x * x);
    deck.upperX.push_back(x);
    deck.upperY.push_back(yc + yt);
    deck.lowerX.push_back(x);
    deck.lowerY.push_back(yc - yt);
  }
  deck.reynolds = {{0, 60000}, {0, 100000}, {0, 200000}, {0, 400000}, {0, 800000}};
  return deck;
}

void fullRun(benchmark::State& state) {
  const CardDeck deck = naca2412(31);
  for (auto _ : state) {
    const SectionAnalysis analysis(deck);
    for (int i = 0; i < 17; ++i) benchmark::DoNotOptimize(analysis.analyse(-4.0 + i));
  }
}
BENCHMARK(fullRun)->Unit(benchmark::kMillisecond);

void geometryAndFactorisation(benchmark::State& state) {
  const CardDeck deck = naca2412(31);
  for (auto _ : state) benchmark::DoNotOptimize(SectionAnalysis(deck));
}
BENCHMARK(geometryAndFactorisation)->Unit(benchmark::kMillisecond);

void oneAngleFiveReynolds(benchmark::State& state) {
  const SectionAnalysis analysis(naca2412(31));
  double alpha = -4.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(analysis.analyse(alpha));
    alpha = alpha > 12.0 ? -4.0 : alpha + 1.0;
  }
}
BENCHMARK(oneAngleFiveReynolds)->Unit(benchmark::kMicrosecond);

}  // namespace
