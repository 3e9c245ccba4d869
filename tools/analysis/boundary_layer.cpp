#include "boundary_layer.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "geometry.h"

namespace velarix::analysis {

LaminarClosure laminarClosure(double h32) {
  // The fit is defined from laminar separation up to the strongest
  // acceleration of the profile family.
  h32 = std::clamp(h32, kLaminarSeparationH32, 1.74);
  LaminarClosure closure{};
  if (h32 >= 1.57258) {
    closure.h12 = 79.870845 - 89.582142 * h32 + 25.715786 * h32 * h32;
    closure.cfReD2 = 1.372391 - 4.226253 * h32 + 2.221687 * h32 * h32;
  } else {
    closure.h12 = 4.02922 - (583.60182 - 724.55916 * h32 + 227.18220 * h32 * h32) * std::sqrt(h32 - 1.51509);
    const double h = closure.h12;
    closure.cfReD2 = 2.512589 - 1.686095 * h + 0.391541 * h * h - 0.031729 * h * h * h;
  }
  closure.cdReD2 = 7.853976 - 10.260551 * h32 + 3.418898 * h32 * h32;
  return closure;
}

double turbulentH12(double h32) {
  h32 = std::clamp(h32, kTurbulentSeparationH32, 2.0);
  return (11.0 * h32 + 15.0) / (48.0 * h32 - 59.0);
}

namespace {
// (H12 - 1) Re_d2 is kept above this value: at the very early transition of
// high roughness codes the power laws would otherwise blow up.
constexpr double kMinShapeReynolds = 50.0;
}  // namespace

double turbulentCf(double h12, double reD2) {
  const double x = std::max((h12 - 1.0) * reD2, kMinShapeReynolds);
  return 0.045716 * std::pow(x, -0.232) * std::exp(-1.260 * h12);
}

double turbulentCd(double h12, double reD2) {
  const double x = std::max((h12 - 1.0) * reD2, kMinShapeReynolds);
  return 0.5 * 0.01 * std::pow(x, -1.0 / 6.0);
}

namespace {

enum class Regime { Laminar, Turbulent, Separated };

struct State {
  double d2;
  double d3;
};

// Speeds below this are treated as this (stagnation point, corners).
constexpr double kMinSpeed = 1e-4;
// Separated turbulent layer: H32 frozen at separation, H12 = 2.80.
const double kSeparatedH12 = turbulentH12(kTurbulentSeparationH32);
// Smallest momentum-thickness Reynolds number the turbulent closures see.
constexpr double kMinTurbulentReD2 = 200.0;
// Largest relative change of d2 accepted in one step.
constexpr double kMaxD2Change = 0.3;
// Largest change of H32 accepted in one step.
constexpr double kMaxH32Step = 0.01;
// Step control limits: steps per station interval at most 2^10, and steps
// (tried ones included) per march.
constexpr double kMaxHalvings = 1024.0;
constexpr int kStepBudget = 2000;

class Marcher {
 public:
  Marcher(const SurfaceFlow& flow, double reynolds, double roughness)
      : flow_(flow), reynolds_(reynolds), roughness_(roughness) {
    std::vector<double> smooth = flow.u;
    // A light smoothing (1-2-1 on even spacing): spline wiggles behind the suction peak would
    // otherwise trigger false laminar separation.
    for (int pass = 0; pass < 8; ++pass) {
      std::vector<double> previous = smooth;
      for (std::size_t i = 1; i + 1 < smooth.size(); ++i) {
        // Half the value plus half the straight line through the neighbours,
        // so that a linear rise (the stagnation region) stays as it is on
        // uneven station spacing.
        const double f = (flow.s[i] - flow.s[i - 1]) / (flow.s[i + 1] - flow.s[i - 1]);
        smooth[i] = 0.5 * previous[i] + 0.5 * (previous[i - 1] + f * (previous[i + 1] - previous[i - 1]));
      }
    }
    speed_ = NaturalSpline(flow.s, smooth);
  }

  SurfaceLayer run();

 private:
  void edge(std::size_t interval, double s, double& u, double& du) const {
    speed_.evaluate(interval, s, u, du);
    u = std::max(u, kMinSpeed);
  }

  State derivative(std::size_t interval, double s, const State& y) const {
    double u = 0.0, du = 0.0;
    edge(interval, s, u, du);
    const double d2 = std::max(y.d2, 1e-12);
    const double reD2 = std::max(reynolds_ * u * d2, 1e-6);
    const double gradient = du / u;
    if (regime_ == Regime::Separated) {
      return {-(2.0 + kSeparatedH12) * d2 * gradient, -(2.0 + kSeparatedH12) * d2 * gradient * kTurbulentSeparationH32};
    }
    double h12 = 0.0, cf = 0.0, cd = 0.0;
    const double h32 = y.d3 / d2;
    if (regime_ == Regime::Laminar) {
      const LaminarClosure c = laminarClosure(h32);
      h12 = c.h12;
      cf = c.cfReD2 / reD2;
      cd = c.cdReD2 / reD2;
    } else {
      // The turbulent closures hold from Re_d2 of a few hundred on; a layer
      // that turns turbulent almost at the stagnation point (a sharp nose)
      // would otherwise see friction and dissipation without bound.
      const double turbulentReD2 = std::max(reD2, kMinTurbulentReD2);
      h12 = turbulentH12(h32);
      cf = turbulentCf(h12, turbulentReD2);
      cd = turbulentCd(h12, turbulentReD2);
    }
    return {cf - (2.0 + h12) * d2 * gradient, 2.0 * cd - 3.0 * y.d3 * gradient};
  }

  State rungeKutta(std::size_t interval, double s, const State& y, double h) const {
    const State k1 = derivative(interval, s, y);
    const State k2 = derivative(interval, s + 0.5 * h, {y.d2 + 0.5 * h * k1.d2, y.d3 + 0.5 * h * k1.d3});
    const State k3 = derivative(interval, s + 0.5 * h, {y.d2 + 0.5 * h * k2.d2, y.d3 + 0.5 * h * k2.d3});
    const State k4 = derivative(interval, s + h, {y.d2 + h * k3.d2, y.d3 + h * k3.d3});
    return {y.d2 + h / 6.0 * (k1.d2 + 2.0 * k2.d2 + 2.0 * k3.d2 + k4.d2),
            y.d3 + h / 6.0 * (k1.d3 + 2.0 * k2.d3 + 2.0 * k3.d3 + k4.d3)};
  }

  // Transition test value: >= 0 once ln Re_d2 reaches the critical value.
  double transitionMargin(std::size_t interval, double s, const State& y) const {
    double u = 0.0, du = 0.0;
    edge(interval, s, u, du);
    const double reD2 = std::max(reynolds_ * u * y.d2, 1e-6);
    return std::log(reD2) - (18.4 * (y.d3 / y.d2) - 21.74 - kRoughnessCoefficient * roughness_);
  }

  double xAt(std::size_t interval, double s) const {
    const double f = (s - flow_.s[interval]) / (flow_.s[interval + 1] - flow_.s[interval]);
    return flow_.x[interval] + f * (flow_.x[interval + 1] - flow_.x[interval]);
  }

  double currentH12(const State& y) const {
    const double h32 = y.d3 / y.d2;
    if (regime_ == Regime::Laminar) return laminarClosure(h32).h12;
    if (regime_ == Regime::Turbulent) return turbulentH12(h32);
    return kSeparatedH12;
  }

  // Checks the events of one step from (sa, ya) to (sb, yb); on an event the
  // state and position move to it and the regime changes.
  bool handleEvents(std::size_t interval, double sa, const State& ya, double& sb, State& yb, SurfaceLayer& layer);

  const SurfaceFlow& flow_;
  double reynolds_;
  double roughness_;
  NaturalSpline speed_;
  Regime regime_ = Regime::Laminar;
};

bool Marcher::handleEvents(std::size_t interval, double sa, const State& ya, double& sb, State& yb,
                           SurfaceLayer& layer) {
  const auto interpolate = [&](double f) {
    return State{ya.d2 + f * (yb.d2 - ya.d2), ya.d3 + f * (yb.d3 - ya.d3)};
  };
  if (regime_ == Regime::Laminar) {
    double fTransition = 2.0, fSeparation = 2.0;
    const double ma = transitionMargin(interval, sa, ya), mb = transitionMargin(interval, sb, yb);
    if (mb >= 0.0) fTransition = ma >= 0.0 ? 0.0 : ma / (ma - mb);
    const double ga = ya.d3 / ya.d2 - kLaminarSeparationH32, gb = yb.d3 / yb.d2 - kLaminarSeparationH32;
    if (gb <= 0.0) fSeparation = ga <= 0.0 ? 0.0 : ga / (ga - gb);
    if (fTransition > 1.0 && fSeparation > 1.0) return false;
    const bool bubble = fSeparation < fTransition;
    const double f = std::min(fTransition, fSeparation);
    State at = interpolate(f);
    sb = sa + f * (sb - sa);
    if (bubble) at.d3 = kReattachmentH32 * at.d2;
    yb = at;
    layer.transitioned = true;
    layer.bubble = bubble;
    layer.transitionX = xAt(interval, sb);
    regime_ = Regime::Turbulent;
    return true;
  }
  if (regime_ == Regime::Turbulent) {
    const double ga = ya.d3 / ya.d2 - kTurbulentSeparationH32, gb = yb.d3 / yb.d2 - kTurbulentSeparationH32;
    if (gb > 0.0) return false;
    const double f = ga <= 0.0 ? 0.0 : ga / (ga - gb);
    State at = interpolate(f);
    sb = sa + f * (sb - sa);
    at.d3 = kTurbulentSeparationH32 * at.d2;
    yb = at;
    layer.separated = true;
    layer.separationX = xAt(interval, sb);
    regime_ = Regime::Separated;
    return true;
  }
  return false;
}

SurfaceLayer Marcher::run() {
  SurfaceLayer layer;
  const std::size_t n = flow_.s.size();
  if (n < 3) return layer;

  // Start where the speed has left the stiff stagnation region, with the
  // stagnation-point solution U = a s: d2^2 = 0.08414 / (Re a), H32 = 1.62.
  std::size_t start = 1;
  while (start + 1 < n && flow_.u[start] <= 0.15) ++start;
  if (start + 1 >= n) start = 1;
  start = std::min(start, n - 2);
  const double a = std::max(flow_.u[start], kMinSpeed) / std::max(flow_.s[start], 1e-9);
  State y{0.2901 / std::sqrt(reynolds_ * a), 0.0};
  y.d3 = kStagnationH32 * y.d2;
  for (std::size_t i = 0; i <= start; ++i) {
    layer.stationX.push_back(flow_.x[i]);
    layer.delta1.push_back(currentH12(y) * y.d2 * std::min(1.0, flow_.s[i] / flow_.s[start]));
  }

  int budget = kStepBudget;
  for (std::size_t interval = start; interval + 1 < n; ++interval) {
    double s = flow_.s[interval];
    const double end = flow_.s[interval + 1];
    // Steps are halved down to this length; a rough surface (noisy points)
    // could otherwise need millions of steps.
    const double minStep = (end - s) / kMaxHalvings;
    double h = end - s;
    while (s < end) {
      h = std::min(h, end - s);
      if (--budget < 0) h = end - s;  // budget spent: one step per interval
      State next = rungeKutta(interval, s, y, h);
      const bool valid = std::isfinite(next.d2) && std::isfinite(next.d3) && next.d2 > 0.0 && next.d3 > 0.0;
      const double change = valid ? std::fabs(next.d3 / next.d2 - y.d3 / y.d2) : 1.0;
      // The thickness itself may change only by a fraction per step: near a
      // sharp nose a step that keeps H32 but lets d2 grow by orders of
      // magnitude would otherwise be taken.
      const bool thicknessJump = valid && std::fabs(next.d2 - y.d2) > kMaxD2Change * y.d2;
      if ((!valid || change > kMaxH32Step || thicknessJump) && h > minStep && budget >= 0) {
        h *= 0.5;
        continue;
      }
      if (!valid) next = y;  // cannot happen with a positive step; keep the layer finite
      double reached = s + h;
      if (handleEvents(interval, s, y, reached, next, layer)) {
        s = reached;
        y = next;
        continue;
      }
      s = reached;
      y = next;
      if (change < 0.25 * kMaxH32Step) h *= 2.0;
    }
    layer.stationX.push_back(flow_.x[interval + 1]);
    // d1 with H12 capped as in the drag formula: behind turbulent separation
    // the frozen layer would otherwise make the displacement (and the lift
    // change drawn from it) depend on the last few panels.
    layer.delta1.push_back(std::min(currentH12(y), kSquireYoungMaxH12) * y.d2);
  }

  layer.d2Te = y.d2;
  layer.h12Te = currentH12(y);
  layer.uTe = std::max(flow_.u.back(), 0.0);
  const double h12 = std::min(layer.h12Te, kSquireYoungMaxH12);
  // Squire-Young: cd = 2 d2 U_te^((H12 + 5) / 2).
  layer.cd = 2.0 * layer.d2Te * std::pow(layer.uTe, 0.5 * (h12 + 5.0));
  if (!layer.transitioned) layer.transitionX = 1.0;
  return layer;
}

}  // namespace

SurfaceLayer marchBoundaryLayer(const SurfaceFlow& flow, double reynolds, double roughness) {
  Marcher marcher(flow, reynolds, roughness);
  return marcher.run();
}

}  // namespace velarix::analysis
