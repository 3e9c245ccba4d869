// Inviscid flow about the section: a vortex sheet of linearly varying
// strength gamma on the panels between the contour nodes, the stream function
// equal to one constant psi0 at every node, and the Kutta condition.
//
// Nodes run counter-clockwise from the upper trailing edge; gamma_i is then the
// surface speed at node i in the direction of increasing node number (negative
// on the upper surface of a lifting section). Speeds in free-stream units.
//
// The matrix does not depend on the angle of attack: it is factorised once and
// the solutions for alpha = 0 and 90 deg are superposed,
//   gamma(alpha) = cos(alpha) gamma0 + sin(alpha) gamma90.
#pragma once

#include <vector>

#include "geometry.h"

namespace velarix::analysis {

struct InviscidCoefficients {
  double cl = 0.0;  // lift coefficient, pressure integration, chord 1
  double cm = 0.0;  // moment about (0.25, 0), nose up positive
};

class PanelSolver {
 public:
  // nodes: closed contour; first and last node coincide for a sharp edge.
  explicit PanelSolver(std::vector<Point> nodes);

  const std::vector<Point>& nodes() const { return nodes_; }
  std::vector<double> surfaceSpeed(double alphaRad) const;
  // Lift and moment from the pressure integration of the given speeds.
  InviscidCoefficients coefficients(const std::vector<double>& gamma, double alphaRad) const;
  // Lift from the circulation (Kutta-Joukowski), and its derivative by alpha.
  double circulationLift(double alphaRad) const;
  double circulationLiftSlope(double alphaRad) const;

 private:
  std::vector<Point> nodes_;
  std::vector<double> gamma0_, gamma90_;
  double circulation0_ = 0.0, circulation90_ = 0.0;
};

}  // namespace velarix::analysis
