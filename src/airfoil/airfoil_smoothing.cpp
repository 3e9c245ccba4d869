// Subdivision, B-spline smoothing, cosine resampling and the pipeline that
// turns any airfoil into the 61-point standard section of the wing.
#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "airfoil/airfoil.h"
#include "airfoil/airfoil_geometry.h"
#include "wing/cell_number.h"

namespace velarix {

using airfoil_detail::interpolateY;

namespace {

// Number of generated points the spline of the pipeline aims at per pass.
constexpr Real kSplinePointsPerPass = 1000;
// Point count of the intermediate resampling passes of the pipeline.
constexpr int kIntermediateResampleCount = 100;
constexpr int kPipelinePasses = 5;

// A derived airfoil gets characteristics when it has surfaces to measure;
// a chain of fewer than three points keeps all slots 0.
void computeCharacteristicsIfMeasurable(TAirfoil& airfoil) {
  if (airfoil.Count() >= 3) airfoil.ComputeCharacteristics();
}

TAirfoil emptyCopyNamed(const TAirfoil& source) {
  TAirfoil result;
  result.Name = source.Name;
  return result;
}

}  // namespace

// P[i] + (P[i+1] - P[i])*k/steps for every segment i and k = 0..steps-1,
// then the last point: (N-1)*steps + 1 points.
TAirfoil TAirfoil::Subdivide(int steps) const {
  if (steps < 1) throw std::invalid_argument("Subdivide needs at least one step");
  TAirfoil result = emptyCopyNamed(*this);
  const int n = Count();
  if (n == 0) return result;
  result.points_.reserve(static_cast<std::size_t>(n - 1) * static_cast<std::size_t>(steps) + 1);
  for (int i = 0; i + 1 < n; ++i) {
    const TCoord& a = points_[i];
    const TCoord& b = points_[i + 1];
    for (int k = 0; k < steps; ++k) {
      const Real t = static_cast<Real>(k) / steps;
      result.points_.push_back({a.X + (b.X - a.X) * t, a.Y + (b.Y - a.Y) * t});
    }
  }
  result.points_.push_back(points_.back());
  computeCharacteristicsIfMeasurable(result);
  return result;
}

// Uniform cubic B-spline with the chain as control points C[1..N] and the
// ends doubled (C[0] = C[1], C[N+1] = C[N]). Segment s uses C[s..s+3] as
// P0..P3 and yields, for t = k/steps,
//   (a t^3 + b t^2 + c t + d)/6  with  a = -P0 + 3P1 - 3P2 + P3,
//   b = 3P0 - 6P1 + 3P2,  c = -3P0 + 3P2,  d = P0 + 4P1 + P2.
// The end of the last segment is not generated: (N-1)*steps points. The
// spline pulls the nose aft, so x is stretched back onto the chord:
// x := (x - xmin)/(1 - xmin), y unscaled (xmin starts at 1).
TAirfoil TAirfoil::SmoothBSpline(int steps) const {
  if (steps < 1) throw std::invalid_argument("SmoothBSpline needs at least one step");
  TAirfoil result = emptyCopyNamed(*this);
  const int n = Count();
  if (n < 2) return result;
  std::vector<TCoord> control;
  control.reserve(static_cast<std::size_t>(n) + 2);
  control.push_back(points_.front());
  control.insert(control.end(), points_.begin(), points_.end());
  control.push_back(points_.back());

  result.points_.reserve(static_cast<std::size_t>(n - 1) * static_cast<std::size_t>(steps));
  Real xmin = 1;
  for (int s = 0; s + 1 < n; ++s) {
    const TCoord& p0 = control[s];
    const TCoord& p1 = control[s + 1];
    const TCoord& p2 = control[s + 2];
    const TCoord& p3 = control[s + 3];
    const auto spline = [](Real q0, Real q1, Real q2, Real q3, Real t) {
      const Real a = -q0 + 3 * q1 - 3 * q2 + q3;
      const Real b = 3 * q0 - 6 * q1 + 3 * q2;
      const Real c = -3 * q0 + 3 * q2;
      const Real d = q0 + 4 * q1 + q2;
      return (a * t * t * t + b * t * t + c * t + d) / 6;
    };
    for (int k = 0; k < steps; ++k) {
      const Real t = static_cast<Real>(k) / steps;
      const TCoord p{spline(p0.X, p1.X, p2.X, p3.X, t), spline(p0.Y, p1.Y, p2.Y, p3.Y, t)};
      xmin = std::min(xmin, p.X);
      result.points_.push_back(p);
    }
  }
  // A chain lying wholly at x >= 1 has no chord to stretch onto.
  if (xmin < 1) {
    for (TCoord& p : result.points_) p.X = (p.X - xmin) / (1 - xmin);
  }
  computeCharacteristicsIfMeasurable(result);
  return result;
}

// Target positions x_j = (cos(j*pi/half) + 1)/2, j = 0..half-1, on both
// surfaces, plus the nose (0, 0). The upper cursor walks forward from the
// trailing edge and the lower cursor back from the other end; neither passes
// the nose (where x stops falling) nor the end of the chain. Each ordinate is
// interpolated (or, beyond the last pair, extrapolated) linearly.
TAirfoil TAirfoil::ResampleCosine(int count) const {
  TAirfoil source = Clone();
  source.EnsureLeadingEdgePoint();
  const std::vector<TCoord>& p = source.points_;
  const int n = source.Count();
  const int half = std::max(0, count / 2);

  std::vector<Real> targets(static_cast<std::size_t>(half));
  for (int j = 0; j < half; ++j) targets[j] = (std::cos(j * kPi / half) + 1) / 2;

  const auto ordinate = [&](int a, int b, Real x) {
    if (n < 2) return p.front().Y;
    return interpolateY(p[a], p[b], x);
  };

  TAirfoil result = emptyCopyNamed(*this);
  result.points_.reserve(static_cast<std::size_t>(2 * half + 1));
  int i = 0;
  for (int j = 0; j < half; ++j) {
    const Real x = targets[j];
    while (i + 2 < n && p[i + 1].X > x && p[i + 1].X <= p[i].X) ++i;
    result.points_.push_back({x, ordinate(i, i + 1, x)});
  }
  result.points_.push_back({0, 0});
  std::vector<TCoord> lower(static_cast<std::size_t>(half));
  int g = n - 1;
  for (int j = 0; j < half; ++j) {
    const Real x = targets[j];
    while (g >= 2 && p[g - 1].X > x && p[g - 1].X <= p[g].X) --g;
    lower[half - 1 - j] = {x, ordinate(g, g - 1, x)};
  }
  result.points_.insert(result.points_.end(), lower.begin(), lower.end());
  computeCharacteristicsIfMeasurable(result);
  return result;
}

// Five passes of: subdivide in two, B-spline with about 1000 points
// (steps = 1000/N rounded half to even, at least 1, so long files still get
// one point per control point), cosine resampling to 100 points (the last
// pass to count).
TAirfoil TAirfoil::SmoothForWing(int count) const {
  TAirfoil current = Clone();
  for (int pass = 1; pass <= kPipelinePasses; ++pass) {
    const TAirfoil subdivided = current.Subdivide(2);
    const int n = std::max(1, subdivided.Count());
    const long long steps = std::max(1LL, roundHalfEven(kSplinePointsPerPass / n));
    const TAirfoil smoothed = subdivided.SmoothBSpline(static_cast<int>(steps));
    current = smoothed.ResampleCosine(pass < kPipelinePasses ? kIntermediateResampleCount : count);
  }
  for (const TCoord& q : current.points_) {
    if (!std::isfinite(q.X) || !std::isfinite(q.Y)) {
      throw AirfoilGeometryError("Profil \"" + Name +
                                 "\": die Glättung ergibt keine endlichen Koordinaten");
    }
  }
  return current;
}

}  // namespace velarix
