#include "section_analysis.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "numbers.h"

namespace velarix::analysis {
namespace {

constexpr std::size_t kMaxListingRows = 100;

double degToRad(double deg) { return deg * std::numbers::pi / 180.0; }

Section sectionOf(const CardDeck& deck) {
  Section section;
  for (std::size_t i = 0; i < deck.upperX.size(); ++i) section.upper.push_back({deck.upperX[i], deck.upperY[i]});
  for (std::size_t i = 0; i < deck.lowerX.size(); ++i) section.lower.push_back({deck.lowerX[i], deck.lowerY[i]});
  return section;
}

// Indices of at most maxCount points of a chain of n, always with both ends
// and the nose.
std::vector<std::size_t> listingIndices(std::size_t n, std::size_t nose, std::size_t maxCount) {
  std::vector<std::size_t> result;
  if (n <= maxCount) {
    for (std::size_t i = 0; i < n; ++i) result.push_back(i);
    return result;
  }
  const std::size_t upperRows = std::max<std::size_t>(2, (maxCount * nose) / (n - 1));
  const std::size_t lowerRows = maxCount - upperRows;
  for (std::size_t k = 0; k < upperRows; ++k) result.push_back((k * nose) / upperRows);
  for (std::size_t k = 0; k < lowerRows; ++k) result.push_back(nose + ((k * (n - 1 - nose)) / (lowerRows - 1)));
  result.erase(std::unique(result.begin(), result.end()), result.end());
  return result;
}

// Arc position of the point of the polygon nearest to p.
double projectOnPolygon(const std::vector<Point>& polygon, const std::vector<double>& arc, const Point& p) {
  double best = 1e300, bestArc = 0.0;
  for (std::size_t j = 0; j + 1 < polygon.size(); ++j) {
    const double dx = polygon[j + 1].x - polygon[j].x, dy = polygon[j + 1].y - polygon[j].y;
    const double lengthSquared = dx * dx + dy * dy;
    double f = lengthSquared > 0.0 ? ((p.x - polygon[j].x) * dx + (p.y - polygon[j].y) * dy) / lengthSquared : 0.0;
    f = std::clamp(f, 0.0, 1.0);
    const double ex = polygon[j].x + f * dx - p.x, ey = polygon[j].y + f * dy - p.y;
    const double d = ex * ex + ey * ey;
    if (d < best) {
      best = d;
      bestArc = arc[j] + f * (arc[j + 1] - arc[j]);
    }
  }
  return bestArc;
}

Point deflected(const Point& p, const FlapGeometry& flap, double tailX) {
  const double angle = degToRad(flap.deflectionDeg);
  if (angle == 0.0 || flap.hingeX >= tailX || p.x <= flap.hingeX) return p;
  const double c = std::cos(angle), s = std::sin(angle);
  const double dx = p.x - flap.hingeX, dy = p.y - flap.hingeY;
  return {flap.hingeX + dx * c + dy * s, flap.hingeY - dx * s + dy * c};
}

// Displacement thickness as a function of x along one surface: the stations
// with growing x only (the march may start on the other side of the nose).
double delta1At(const SurfaceLayer& layer, double x) {
  double lastX = -1e300, lastD = 0.0;
  bool first = true;
  for (std::size_t i = 0; i < layer.stationX.size(); ++i) {
    const double xi = layer.stationX[i];
    if (!first && xi <= lastX) continue;
    if (xi >= x) {
      if (first) return layer.delta1[i];
      const double f = (x - lastX) / (xi - lastX);
      return lastD + f * (layer.delta1[i] - lastD);
    }
    lastX = xi;
    lastD = layer.delta1[i];
    first = false;
  }
  return lastD;
}

}  // namespace

void displacementEffect(const SurfaceLayer& upper, const SurfaceLayer& lower, double xLeadingEdge,
                        double xTrailingEdge, double& dCl, double& dCm) {
  dCl = dCm = 0.0;
  const double chord = xTrailingEdge - xLeadingEdge;
  if (chord <= 0.0 || upper.stationX.empty() || lower.stationX.empty()) return;
  constexpr int kSteps = 80;
  const auto xOf = [&](double t) { return xLeadingEdge + chord * 0.5 * (1.0 - std::cos(t)); };
  const auto dzOf = [&](double x) { return 0.5 * (delta1At(upper, x) - delta1At(lower, x)); };
  double previousX = xOf(0.0), previousDz = dzOf(previousX);
  for (int k = 1; k <= kSteps; ++k) {
    const double t0 = std::numbers::pi * (k - 1) / kSteps, t1 = std::numbers::pi * k / kSteps;
    const double x = xOf(t1), dz = dzOf(x);
    const double slope = (dz - previousDz) / (x - previousX);
    const double tm = 0.5 * (t0 + t1);
    dCl += 2.0 * slope * (std::cos(tm) - 1.0) * (t1 - t0);
    dCm += 0.5 * slope * (std::cos(2.0 * tm) - std::cos(tm)) * (t1 - t0);
    previousX = x;
    previousDz = dz;
  }
  dCl *= chord;           // referred to the unit chord
  dCm *= chord * chord;
}

PanelSolver SectionAnalysis::buildSolver(const CardDeck& deck, const AnalysisOptions& options,
                                         std::vector<Point>& listing, double& hingeX) {
  const Section input = sectionOf(deck);
  validateSection(input);
  const Section closed = closeTrailingEdgeGap(input);
  Contour contour = denseContour(closed, options.densePointsPerSide);
  FlapGeometry flap;
  const double tailX = std::max(contour.points.front().x, contour.points.back().x);
  if (deck.hasFlap && deck.flap.deflectionDeg != 0.0 && deck.flap.chordPercent > 0.0) {
    flap.hingeX = 1.0 - deck.flap.chordPercent / 100.0;
    flap.hingeY = deck.flap.hingeOrdinate;
    flap.deflectionDeg = deck.flap.deflectionDeg;
    contour = deflectFlap(contour, flap);
  }
  hingeX = flap.hingeX;
  std::vector<Point> nodes = distributeNodes(contour, options.panelNodes);
  if (polygonSelfIntersects(nodes)) {
    throw AnalysisInputError("the contour crosses itself after the flap deflection of " +
                             formatDecimal(flap.deflectionDeg, 2) + " deg");
  }
  // Listing points: the caller's points, deflected with the flap.
  std::vector<Point> chain;
  for (std::size_t i = input.upper.size(); i-- > 0;) chain.push_back(input.upper[i]);
  for (std::size_t i = 1; i < input.lower.size(); ++i) chain.push_back(input.lower[i]);
  for (std::size_t index : listingIndices(chain.size(), input.upper.size() - 1, kMaxListingRows)) {
    listing.push_back(deflected(chain[index], flap, tailX));
  }
  return PanelSolver(std::move(nodes));
}

SectionAnalysis::SectionAnalysis(const CardDeck& deck, AnalysisOptions options)
    : deck_(deck), options_(options), solver_(buildSolver(deck, options, listingPoints_, hingeX_)) {
  prepareListing();
}

void SectionAnalysis::prepareListing() {
  const std::vector<Point>& nodes = solver_.nodes();
  nodeArc_ = cumulativeArc(nodes);
  for (const Point& p : listingPoints_) listingArc_.push_back(projectOnPolygon(nodes, nodeArc_, p));
  // The nose node: farthest from the trailing edge.
  const Point tail{0.5 * (nodes.front().x + nodes.back().x), 0.5 * (nodes.front().y + nodes.back().y)};
  double farthest = -1.0;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const double d = std::hypot(nodes[i].x - tail.x, nodes[i].y - tail.y);
    if (d > farthest) {
      farthest = d;
      noseNode_ = i;
    }
  }
}

std::vector<SurfaceFlow> SectionAnalysis::surfaceFlows(const std::vector<double>& q, double& stagnationX) const {
  const std::vector<Point>& nodes = solver_.nodes();
  const std::size_t n = q.size();
  // Stagnation point: the sign change of q (negative upper, positive lower)
  // nearest to the nose.
  std::size_t k = n;
  for (std::size_t i = 0; i + 1 < n; ++i) {
    if (q[i] <= 0.0 && q[i + 1] > 0.0) {
      const auto distance = [&](std::size_t j) { return j > noseNode_ ? j - noseNode_ : noseNode_ - j; };
      if (k == n || distance(i) < distance(k)) k = i;
    }
  }
  double f = 0.5;
  if (k == n) {
    k = std::min<std::size_t>(noseNode_, n - 2);
  } else {
    f = -q[k] / (q[k + 1] - q[k]);
  }
  const double sStag = nodeArc_[k] + f * (nodeArc_[k + 1] - nodeArc_[k]);
  stagnationX = nodes[k].x + f * (nodes[k + 1].x - nodes[k].x);

  std::vector<SurfaceFlow> flows(2);
  for (SurfaceFlow& flow : flows) {
    flow.s.push_back(0.0);
    flow.u.push_back(0.0);
    flow.x.push_back(stagnationX);
  }
  const auto add = [](SurfaceFlow& flow, double s, double u, double x) {
    if (s <= flow.s.back() + 1e-12) return;
    flow.s.push_back(s);
    flow.u.push_back(std::max(u, 0.0));
    flow.x.push_back(x);
  };
  for (std::size_t i = k + 1; i-- > 0;) add(flows[0], sStag - nodeArc_[i], -q[i], nodes[i].x);
  for (std::size_t i = k + 1; i < n; ++i) add(flows[1], nodeArc_[i] - sStag, q[i], nodes[i].x);
  return flows;
}

AngleResult SectionAnalysis::analyse(double alphaDeg) const {
  const double alpha = degToRad(alphaDeg);
  AngleResult result;
  result.alphaDeg = alphaDeg;
  const std::vector<double> q = solver_.surfaceSpeed(alpha);
  const InviscidCoefficients inviscid = solver_.coefficients(q, alpha);
  result.clInviscid = inviscid.cl;
  result.cmInviscid = inviscid.cm;

  const NaturalSpline speedAlongContour(nodeArc_, q);
  for (double arc : listingArc_) result.speeds.push_back(std::fabs(speedAlongContour.value(arc)));

  const std::vector<SurfaceFlow> flows = surfaceFlows(q, result.stagnationX);
  const std::vector<Point>& nodes = solver_.nodes();
  double xLeadingEdge = nodes.front().x;
  for (const Point& p : nodes) xLeadingEdge = std::min(xLeadingEdge, p.x);
  const double xTrailingEdge = 0.5 * (nodes.front().x + nodes.back().x);

  for (const ReynoldsGroup& group : deck_.reynolds) {
    ReynoldsResult r;
    r.reynolds = group.reynolds;
    r.roughness = group.roughness;
    r.upper = marchBoundaryLayer(flows[0], group.reynolds, group.roughness);
    r.lower = marchBoundaryLayer(flows[1], group.reynolds, group.roughness);
    r.cd = r.upper.cd + r.lower.cd;
    r.cl = inviscid.cl;
    r.cm = inviscid.cm;
    if (options_.displacementCorrection) {
      double dCl = 0.0, dCm = 0.0;
      displacementEffect(r.upper, r.lower, xLeadingEdge, xTrailingEdge, dCl, dCm);
      // The moment keeps its inviscid value: the thin-airfoil moment change
      // of the displacement body moves the E387 moment away from the
      // measured one (which lies within 0.005 of the inviscid value).
      r.cl += kDisplacementFactor * dCl;
    }
    r.failed = !std::isfinite(r.cl) || !std::isfinite(r.cd) || !std::isfinite(r.cm) ||
               !std::isfinite(r.upper.transitionX) || !std::isfinite(r.lower.transitionX);
    if (r.failed) r.cl = r.cd = r.cm = 0.0;
    result.reynolds.push_back(std::move(r));
  }
  return result;
}

}  // namespace velarix::analysis
