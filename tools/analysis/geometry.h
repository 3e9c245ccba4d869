// Section geometry for the panel method: the closed contour built from the two
// surfaces, trailing-edge gap closing, the flap rotated about its hinge and
// the distribution of panel nodes.
//
// Conventions: lengths in chords; the contour runs from the upper trailing edge
// over the upper surface to the nose and back along the lower surface to the
// lower trailing edge (counter-clockwise with x to the right and y up).
#pragma once

#include <cstddef>
#include <vector>

namespace velarix::analysis {

struct Point {
  double x = 0.0;
  double y = 0.0;
};

// Cubic spline y(t) through (t_i, y_i) with zero second derivative at both ends.
class NaturalSpline {
 public:
  NaturalSpline() = default;
  NaturalSpline(std::vector<double> t, std::vector<double> y);
  double value(double t) const;
  double derivative(double t) const;
  // Value and derivative on interval i (t_i <= t <= t_i+1), no search.
  void evaluate(std::size_t i, double t, double& value, double& derivative) const;
  std::size_t intervalOf(double t) const;
  std::size_t size() const { return t_.size(); }

 private:
  std::vector<double> t_, y_, secondDerivative_;
};

// Both surfaces from the nose point to the trailing edge, sharing the nose.
struct Section {
  std::vector<Point> upper;
  std::vector<Point> lower;
};

// A closed point chain in contour order with its cumulative arc length.
struct Contour {
  std::vector<Point> points;
  std::vector<double> arc;         // arc[0] = 0 at the upper trailing edge
  std::size_t noseIndex = 0;       // point taken as the leading edge
  std::vector<double> hingeArcs;   // arc positions of flap hinges (node clustering)
  double length() const { return arc.empty() ? 0.0 : arc.back(); }
};

struct FlapGeometry {
  double hingeX = 1.0;          // x_h = 1 - flap chord
  double hingeY = 0.0;          // camber-line ordinate at x_h
  double deflectionDeg = 0.0;   // positive = trailing edge down
};

// Checks that the points make an airfoil: enough points, distinct nose and
// trailing edge, surfaces that neither cross nor coincide. Throws
// AnalysisInputError with the reason.
void validateSection(const Section& section);

// Moves each surface's trailing-edge point onto the mid point of the two by a
// shear that keeps the nose fixed (closes a blunt trailing edge; changes the
// lift by a small fraction of a percent).
Section closeTrailingEdgeGap(const Section& section);

// Dense contour sampled from a parametric spline through the section's points,
// pointsPerSide points on each surface clustered at nose and trailing edge.
Contour denseContour(const Section& section, int pointsPerSide);

// Rotates the part aft of the hinge about the hinge point by the deflection,
// rounds the opening side with an arc about the hinge and cuts the closing
// side where the rotated and the fixed chain cross.
Contour deflectFlap(const Contour& contour, const FlapGeometry& flap);

// Panel nodes along the contour, nodeCount in all; the first and the last
// node are the two ends of the contour. Clustered at the nose, at the
// trailing edge and at hinges.
std::vector<Point> distributeNodes(const Contour& contour, int nodeCount);

// True when two non-adjacent edges of the closed polygon cross or touch.
bool polygonSelfIntersects(const std::vector<Point>& polygon);

// Signed area (positive counter-clockwise) of the closed polygon.
double polygonArea(const std::vector<Point>& polygon);

// Cumulative arc length of a point chain.
std::vector<double> cumulativeArc(const std::vector<Point>& points);

}  // namespace velarix::analysis
