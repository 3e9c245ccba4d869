#include "geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "numbers.h"

namespace velarix::analysis {

// ---------------------------------------------------------------- spline

NaturalSpline::NaturalSpline(std::vector<double> t, std::vector<double> y)
    : t_(std::move(t)), y_(std::move(y)), secondDerivative_(t_.size(), 0.0) {
  const std::size_t n = t_.size();
  if (n < 3) return;
  // Tridiagonal system for the second derivatives M_i (M_0 = M_n-1 = 0):
  // h_i-1 M_i-1 + 2 (h_i-1 + h_i) M_i + h_i M_i+1 = 6 (slope_i - slope_i-1).
  std::vector<double> diagonal(n, 1.0), upper(n, 0.0), rhs(n, 0.0);
  for (std::size_t i = 1; i + 1 < n; ++i) {
    const double hPrev = t_[i] - t_[i - 1];
    const double hNext = t_[i + 1] - t_[i];
    diagonal[i] = 2.0 * (hPrev + hNext);
    upper[i] = hNext;
    rhs[i] = 6.0 * ((y_[i + 1] - y_[i]) / hNext - (y_[i] - y_[i - 1]) / hPrev);
    // Eliminate the sub-diagonal entry hPrev with the previous row.
    const double factor = hPrev / diagonal[i - 1];
    diagonal[i] -= factor * upper[i - 1];
    rhs[i] -= factor * rhs[i - 1];
  }
  for (std::size_t i = n - 2; i >= 1; --i) {
    secondDerivative_[i] = (rhs[i] - upper[i] * secondDerivative_[i + 1]) / diagonal[i];
  }
}

std::size_t NaturalSpline::intervalOf(double t) const {
  if (t_.size() < 2) return 0;
  const auto it = std::upper_bound(t_.begin(), t_.end(), t);
  std::size_t i = static_cast<std::size_t>(std::max<std::ptrdiff_t>(it - t_.begin() - 1, 0));
  return std::min(i, t_.size() - 2);
}

void NaturalSpline::evaluate(std::size_t i, double t, double& value, double& derivative) const {
  if (t_.size() < 2) {
    value = y_.empty() ? 0.0 : y_[0];
    derivative = 0.0;
    return;
  }
  const double h = t_[i + 1] - t_[i];
  const double a = (t_[i + 1] - t) / h;
  const double b = (t - t_[i]) / h;
  const double mA = secondDerivative_[i];
  const double mB = secondDerivative_[i + 1];
  value = a * y_[i] + b * y_[i + 1] + ((a * a * a - a) * mA + (b * b * b - b) * mB) * h * h / 6.0;
  derivative = (y_[i + 1] - y_[i]) / h + ((1.0 - 3.0 * a * a) * mA + (3.0 * b * b - 1.0) * mB) * h / 6.0;
}

double NaturalSpline::value(double t) const {
  double v = 0.0, d = 0.0;
  evaluate(intervalOf(t), t, v, d);
  return v;
}

double NaturalSpline::derivative(double t) const {
  double v = 0.0, d = 0.0;
  evaluate(intervalOf(t), t, v, d);
  return d;
}

// ---------------------------------------------------------------- helpers

namespace {

double distance(const Point& a, const Point& b) { return std::hypot(b.x - a.x, b.y - a.y); }

double cross(const Point& o, const Point& a, const Point& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool onSegment(const Point& p, const Point& a, const Point& b) {
  return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
         p.y <= std::max(a.y, b.y);
}

// Segments ab and cd cross or touch.
bool segmentsMeet(const Point& a, const Point& b, const Point& c, const Point& d) {
  const double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
  if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
  if (d1 == 0 && onSegment(a, c, d)) return true;
  if (d2 == 0 && onSegment(b, c, d)) return true;
  if (d3 == 0 && onSegment(c, a, b)) return true;
  if (d4 == 0 && onSegment(d, a, b)) return true;
  return false;
}

// Intersection point of the lines through ab and cd (segments known to cross).
Point intersection(const Point& a, const Point& b, const Point& c, const Point& d) {
  const double denominator = (b.x - a.x) * (d.y - c.y) - (b.y - a.y) * (d.x - c.x);
  if (denominator == 0.0) return b;
  const double t = ((c.x - a.x) * (d.y - c.y) - (c.y - a.y) * (d.x - c.x)) / denominator;
  return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

std::vector<Point> withoutRepeats(const std::vector<Point>& points) {
  std::vector<Point> result;
  for (const Point& p : points) {
    if (result.empty() || distance(result.back(), p) > 1e-12) result.push_back(p);
  }
  return result;
}

// Contour chain of a section and the index of its nose point.
std::vector<Point> chainOf(const Section& section, std::size_t& noseIndex) {
  std::vector<Point> chain(section.upper.rbegin(), section.upper.rend());
  chain.insert(chain.end(), section.lower.begin(), section.lower.end());
  // Count repeats ahead of the nose so that the nose index follows them.
  std::vector<Point> result;
  noseIndex = 0;
  for (std::size_t i = 0; i < chain.size(); ++i) {
    if (result.empty() || distance(result.back(), chain[i]) > 1e-12) result.push_back(chain[i]);
    if (i + 1 == section.upper.size()) noseIndex = result.size() - 1;
  }
  return result;
}

Point rotateAbout(const Point& p, const Point& hinge, double angleRad) {
  const double c = std::cos(angleRad), s = std::sin(angleRad);
  const double dx = p.x - hinge.x, dy = p.y - hinge.y;
  return {hinge.x + dx * c + dy * s, hinge.y - dx * s + dy * c};
}

std::string number(double x) { return formatDecimal(x, 6); }

}  // namespace

std::vector<double> cumulativeArc(const std::vector<Point>& points) {
  std::vector<double> arc(points.size(), 0.0);
  for (std::size_t i = 1; i < points.size(); ++i) arc[i] = arc[i - 1] + distance(points[i - 1], points[i]);
  return arc;
}

double polygonArea(const std::vector<Point>& polygon) {
  double twiceArea = 0.0;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Point& a = polygon[i];
    const Point& b = polygon[(i + 1) % polygon.size()];
    twiceArea += a.x * b.y - b.x * a.y;
  }
  return 0.5 * twiceArea;
}

bool polygonSelfIntersects(const std::vector<Point>& polygonIn) {
  std::vector<Point> polygon = withoutRepeats(polygonIn);
  while (polygon.size() > 1 && distance(polygon.front(), polygon.back()) <= 1e-12) polygon.pop_back();
  const std::size_t n = polygon.size();
  if (n < 4) return false;
  for (std::size_t i = 0; i < n; ++i) {
    const Point& a = polygon[i];
    const Point& b = polygon[(i + 1) % n];
    for (std::size_t j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;  // the closing edge touches the first one
      if (segmentsMeet(a, b, polygon[j], polygon[(j + 1) % n])) return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------- section

void validateSection(const Section& section) {
  const std::size_t total = section.upper.size() + section.lower.size() - 1;
  if (section.upper.size() < 3 || section.lower.size() < 3 || total < 10) {
    throw AnalysisInputError("too few points: " + std::to_string(section.upper.size()) + " on the upper and " +
                             std::to_string(section.lower.size()) +
                             " on the lower surface; at least 3 per surface and 10 in all are needed");
  }
  const Point& nose = section.upper.front();
  const Point tail{0.5 * (section.upper.back().x + section.lower.back().x),
                   0.5 * (section.upper.back().y + section.lower.back().y)};
  const double chord = distance(nose, tail);
  if (chord < 1e-3) {
    throw AnalysisInputError("nose and trailing edge coincide (chord " + number(chord) + ")");
  }
  std::size_t noseIndex = 0;
  const std::vector<Point> chain = chainOf(section, noseIndex);
  const double area = polygonArea(chain) / (chord * chord);
  if (std::fabs(area) < 1e-5) {
    throw AnalysisInputError("the section has no thickness (area " + number(area) + " chord^2)");
  }
  if (polygonSelfIntersects(chain)) {
    throw AnalysisInputError("the upper and the lower surface cross or touch each other");
  }
  if (area < 0.0) {
    throw AnalysisInputError("the upper surface lies below the lower surface (area " + number(area) + " chord^2)");
  }
}

Section closeTrailingEdgeGap(const Section& section) {
  const Point mid{0.5 * (section.upper.back().x + section.lower.back().x),
                  0.5 * (section.upper.back().y + section.lower.back().y)};
  const auto shear = [&mid](const std::vector<Point>& surface) {
    const Point nose = surface.front();
    const Point tail = surface.back();
    const double dx = tail.x - nose.x, dy = tail.y - nose.y;
    const double lengthSquared = dx * dx + dy * dy;
    std::vector<Point> result = surface;
    for (Point& p : result) {
      const double f = ((p.x - nose.x) * dx + (p.y - nose.y) * dy) / lengthSquared;
      p.x += f * (mid.x - tail.x);
      p.y += f * (mid.y - tail.y);
    }
    result.back() = mid;
    return result;
  };
  return {shear(section.upper), shear(section.lower)};
}

Contour denseContour(const Section& section, int pointsPerSide) {
  std::size_t noseIndex = 0;
  const std::vector<Point> chain = chainOf(section, noseIndex);
  // Centripetal parameter (square root of the chord lengths): no loops or
  // overshoot where coarse input points turn sharply round the nose.
  std::vector<double> p(chain.size(), 0.0);
  for (std::size_t i = 1; i < chain.size(); ++i) p[i] = p[i - 1] + std::sqrt(distance(chain[i - 1], chain[i]));
  std::vector<double> xs, ys;
  for (const Point& q : chain) {
    xs.push_back(q.x);
    ys.push_back(q.y);
  }
  const NaturalSpline splineX(p, xs), splineY(p, ys);
  const auto at = [&](double t) { return Point{splineX.value(t), splineY.value(t)}; };

  // The spline's leading edge: the point farthest from the trailing-edge mid
  // point, searched between the nose point's neighbours (golden section).
  const Point tail{0.5 * (chain.front().x + chain.back().x), 0.5 * (chain.front().y + chain.back().y)};
  double lo = p[noseIndex > 0 ? noseIndex - 1 : 0];
  double hi = p[std::min(noseIndex + 1, p.size() - 1)];
  const double golden = 0.5 * (std::sqrt(5.0) - 1.0);
  for (int iteration = 0; iteration < 60 && hi - lo > 1e-12; ++iteration) {
    const double a = hi - golden * (hi - lo), b = lo + golden * (hi - lo);
    if (distance(at(a), tail) > distance(at(b), tail)) {
      hi = b;
    } else {
      lo = a;
    }
  }
  const double pNose = 0.5 * (lo + hi);
  const double pEnd = p.back();

  Contour contour;
  const int n = std::max(pointsPerSide, 8);
  for (int j = n; j >= 0; --j) {  // upper: trailing edge to nose
    contour.points.push_back(at(pNose * 0.5 * (1.0 + std::cos(std::numbers::pi * j / n))));
  }
  contour.noseIndex = contour.points.size() - 1;
  for (int j = 1; j <= n; ++j) {
    contour.points.push_back(at(pNose + (pEnd - pNose) * 0.5 * (1.0 - std::cos(std::numbers::pi * j / n))));
  }
  contour.points.front() = chain.front();
  contour.points.back() = chain.back();
  contour.arc = cumulativeArc(contour.points);
  return contour;
}

// ---------------------------------------------------------------- flap

namespace {

// One surface, nose to trailing edge, with the flap deflected. opening: the
// surface on the outside of the bend (upper for a positive deflection).
// hingeIndex receives the index of the hinge point in the result.
std::vector<Point> deflectSurface(const std::vector<Point>& surface, const Point& hinge, double angleRad,
                                  bool opening, std::size_t& hingeIndex) {
  std::size_t i = 0;
  while (i + 1 < surface.size() && !(surface[i].x < hinge.x && surface[i + 1].x >= hinge.x)) ++i;
  if (i + 1 >= surface.size()) {
    hingeIndex = surface.size() - 1;
    return surface;
  }
  const Point& a = surface[i];
  const Point& b = surface[i + 1];
  const double f = (hinge.x - a.x) / (b.x - a.x);
  const Point atHinge{hinge.x, a.y + f * (b.y - a.y)};

  std::vector<Point> fixed(surface.begin(), surface.begin() + static_cast<std::ptrdiff_t>(i) + 1);
  fixed.push_back(atHinge);
  std::vector<Point> moved{rotateAbout(atHinge, hinge, angleRad)};
  for (std::size_t k = i + 1; k < surface.size(); ++k) moved.push_back(rotateAbout(surface[k], hinge, angleRad));

  std::vector<Point> result;
  if (opening) {
    result = fixed;
    hingeIndex = result.size() - 1;
    const double radius = distance(atHinge, hinge);
    const double start = std::atan2(atHinge.y - hinge.y, atHinge.x - hinge.x);
    const int steps = std::max(2, static_cast<int>(std::ceil(std::fabs(angleRad) * 180.0 / std::numbers::pi)));
    for (int k = 1; k < steps; ++k) {
      const double phi = start - angleRad * k / steps;
      result.push_back({hinge.x + radius * std::cos(phi), hinge.y + radius * std::sin(phi)});
    }
    result.insert(result.end(), moved.begin(), moved.end());
    return withoutRepeats(result);
  }
  // Closing side: the first crossing of the rotated chain with the fixed one,
  // nearest to the hinge.
  for (std::size_t j = 0; j + 1 < moved.size(); ++j) {
    for (std::size_t k = fixed.size() - 1; k >= 1; --k) {
      if (segmentsMeet(fixed[k - 1], fixed[k], moved[j], moved[j + 1])) {
        result.assign(fixed.begin(), fixed.begin() + static_cast<std::ptrdiff_t>(k));
        result.push_back(intersection(fixed[k - 1], fixed[k], moved[j], moved[j + 1]));
        hingeIndex = result.size() - 1;
        result.insert(result.end(), moved.begin() + static_cast<std::ptrdiff_t>(j) + 1, moved.end());
        return withoutRepeats(result);
      }
    }
  }
  result = fixed;
  hingeIndex = result.size() - 1;
  result.insert(result.end(), moved.begin() + 1, moved.end());
  return withoutRepeats(result);
}

}  // namespace

Contour deflectFlap(const Contour& contour, const FlapGeometry& flap) {
  const double angleRad = flap.deflectionDeg * std::numbers::pi / 180.0;
  const Point& nose = contour.points[contour.noseIndex];
  const double tailX = std::max(contour.points.front().x, contour.points.back().x);
  if (angleRad == 0.0 || flap.hingeX >= tailX) return contour;
  const Point hinge{flap.hingeX, flap.hingeY};
  if (flap.hingeX <= nose.x) {
    // The whole section is the flap: it turns about the hinge as one piece.
    Contour turned = contour;
    for (Point& p : turned.points) p = rotateAbout(p, hinge, angleRad);
    return turned;
  }
  std::vector<Point> upper(contour.points.rend() - static_cast<std::ptrdiff_t>(contour.noseIndex) - 1,
                           contour.points.rend());
  std::vector<Point> lower(contour.points.begin() + static_cast<std::ptrdiff_t>(contour.noseIndex),
                           contour.points.end());
  std::size_t upperHinge = 0, lowerHinge = 0;
  upper = deflectSurface(upper, hinge, angleRad, angleRad > 0.0, upperHinge);
  lower = deflectSurface(lower, hinge, angleRad, angleRad < 0.0, lowerHinge);

  Contour result;
  result.points.assign(upper.rbegin(), upper.rend());
  result.noseIndex = result.points.size() - 1;
  result.points.insert(result.points.end(), lower.begin() + 1, lower.end());
  result.arc = cumulativeArc(result.points);
  result.hingeArcs = {result.arc[result.noseIndex - upperHinge], result.arc[result.noseIndex + lowerHinge]};
  return result;
}

// ---------------------------------------------------------------- nodes

namespace {

// Relative node density along the contour: more nodes at the nose (stagnation
// point and suction peak), fewer but still more than mid-chord at the
// trailing edge (Kutta condition) and at hinges (corner flow).
constexpr double kNoseDensity = 11.0;
constexpr double kNoseWidth = 0.035;     // [chord]
constexpr double kTailDensity = 2.0;
constexpr double kTailWidth = 0.06;      // [chord]
constexpr double kHingeDensity = 4.0;
constexpr double kHingeWidth = 0.03;     // [chord]

}  // namespace

std::vector<Point> distributeNodes(const Contour& contour, int nodeCount) {
  const std::vector<Point>& points = contour.points;
  const std::vector<double>& arc = contour.arc;
  const double total = contour.length();
  const double noseArc = arc[contour.noseIndex];
  std::vector<double> density(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double s = arc[i];
    double rho = 1.0 + kNoseDensity * std::exp(-std::fabs(s - noseArc) / kNoseWidth) +
                 kTailDensity * (std::exp(-s / kTailWidth) + std::exp(-(total - s) / kTailWidth));
    for (double hingeArc : contour.hingeArcs) rho += kHingeDensity * std::exp(-std::fabs(s - hingeArc) / kHingeWidth);
    density[i] = rho;
  }
  std::vector<double> weight(points.size(), 0.0);
  for (std::size_t i = 1; i < points.size(); ++i) {
    weight[i] = weight[i - 1] + 0.5 * (density[i - 1] + density[i]) * (arc[i] - arc[i - 1]);
  }
  std::vector<Point> nodes;
  nodes.reserve(static_cast<std::size_t>(nodeCount));
  nodes.push_back(points.front());
  std::size_t k = 0;
  for (int j = 1; j + 1 < nodeCount; ++j) {
    const double target = weight.back() * j / (nodeCount - 1);
    while (k + 2 < weight.size() && weight[k + 1] < target) ++k;
    const double f = (target - weight[k]) / (weight[k + 1] - weight[k]);
    nodes.push_back({points[k].x + f * (points[k + 1].x - points[k].x), points[k].y + f * (points[k + 1].y - points[k].y)});
  }
  nodes.push_back(points.back());
  return nodes;
}

}  // namespace velarix::analysis
