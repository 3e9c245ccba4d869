#include "panel_solver.h"

#include <Eigen/Dense>
#include <cmath>
#include <numbers>

#include "numbers.h"

namespace velarix::analysis {
namespace {

// r ln r, zero at r = 0.
double rLogR(double r) { return r < 1e-12 ? 0.0 : r * std::log(r); }

// Stream-function influence of one panel (from a to b) at the field point p:
// the panel's gamma_a and gamma_b each contribute coefficient * gamma.
// With x along the panel from a, y to its left, r1 = |p - a|, r2 = |p - b|,
// theta1 = atan2(y, x), theta2 = atan2(y, x - L):
//   I0 = x ln r1 - (x - L) ln r2 - L + y (theta2 - theta1)          (int ln r ds)
//   I1 = x I0 + r2^2 ln r2 / 2 - r1^2 ln r1 / 2 - (r2^2 - r1^2) / 4    (int s ln r ds)
//   psi = -(1 / 2 pi) [ gamma_a (I0 - I1 / L) + gamma_b I1 / L ].
void panelInfluence(const Point& a, const Point& b, const Point& p, double& coefficientA, double& coefficientB) {
  const double length = std::hypot(b.x - a.x, b.y - a.y);
  if (length < 1e-14) {
    coefficientA = coefficientB = 0.0;
    return;
  }
  const double tx = (b.x - a.x) / length, ty = (b.y - a.y) / length;
  const double dx = p.x - a.x, dy = p.y - a.y;
  const double x = dx * tx + dy * ty;
  const double y = -dx * ty + dy * tx;
  const double r1 = std::hypot(x, y);
  const double r2 = std::hypot(x - length, y);
  const double logR1 = r1 < 1e-12 ? 0.0 : std::log(r1);
  const double logR2 = r2 < 1e-12 ? 0.0 : std::log(r2);
  const double angleTerm = std::fabs(y) < 1e-14 ? 0.0 : y * (std::atan2(y, x - length) - std::atan2(y, x));
  const double i0 = x * logR1 - (x - length) * logR2 - length + angleTerm;
  const double i1 = x * i0 + 0.5 * r2 * rLogR(r2) - 0.5 * r1 * rLogR(r1) - 0.25 * (r2 * r2 - r1 * r1);
  const double scale = -0.5 / std::numbers::pi;
  coefficientA = scale * (i0 - i1 / length);
  coefficientB = scale * (i1 / length);
}

}  // namespace

PanelSolver::PanelSolver(std::vector<Point> nodes) : nodes_(std::move(nodes)) {
  const int n = static_cast<int>(nodes_.size());
  if (n < 4) throw AnalysisInputError("too few panel nodes");
  Eigen::MatrixXd matrix = Eigen::MatrixXd::Zero(n + 1, n + 1);
  Eigen::MatrixXd rhs = Eigen::MatrixXd::Zero(n + 1, 2);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j + 1 < n; ++j) {
      double cA = 0.0, cB = 0.0;
      panelInfluence(nodes_[j], nodes_[j + 1], nodes_[i], cA, cB);
      matrix(i, j) += cA;
      matrix(i, j + 1) += cB;
    }
    matrix(i, n) = -1.0;  // - psi0
    rhs(i, 0) = -nodes_[i].y;  // alpha = 0:  psi_inf = y
    rhs(i, 1) = nodes_[i].x;   // alpha = 90: psi_inf = -x
  }
  // Kutta condition: equal speeds leaving both sides of the trailing edge.
  matrix(n, 0) = 1.0;
  matrix(n, n - 1) = 1.0;
  const double gap = std::hypot(nodes_[0].x - nodes_[n - 1].x, nodes_[0].y - nodes_[n - 1].y);
  if (gap < 1e-9) {
    // Sharp edge: rows 0 and n-1 coincide. Replace the last by equal second
    // differences of gamma on both sides of the edge.
    matrix.row(n - 1).setZero();
    matrix(n - 1, 0) = 1.0;
    matrix(n - 1, 1) = -2.0;
    matrix(n - 1, 2) = 1.0;
    matrix(n - 1, n - 1) = -1.0;
    matrix(n - 1, n - 2) = 2.0;
    matrix(n - 1, n - 3) = -1.0;
    rhs.row(n - 1).setZero();
  }
  const Eigen::PartialPivLU<Eigen::MatrixXd> lu(matrix);
  const Eigen::MatrixXd solution = lu.solve(rhs);
  gamma0_.resize(static_cast<std::size_t>(n));
  gamma90_.resize(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    gamma0_[static_cast<std::size_t>(i)] = solution(i, 0);
    gamma90_[static_cast<std::size_t>(i)] = solution(i, 1);
    if (!std::isfinite(solution(i, 0)) || !std::isfinite(solution(i, 1))) {
      throw AnalysisInputError("the panel equations are singular for this geometry");
    }
  }
  // CL = -2 sum 0.5 (gamma_j + gamma_j+1) L_j for each base solution.
  for (int j = 0; j + 1 < n; ++j) {
    const double length = std::hypot(nodes_[j + 1].x - nodes_[j].x, nodes_[j + 1].y - nodes_[j].y);
    circulation0_ -= (gamma0_[j] + gamma0_[j + 1]) * length;
    circulation90_ -= (gamma90_[j] + gamma90_[j + 1]) * length;
  }
}

std::vector<double> PanelSolver::surfaceSpeed(double alphaRad) const {
  const double c = std::cos(alphaRad), s = std::sin(alphaRad);
  std::vector<double> gamma(gamma0_.size());
  for (std::size_t i = 0; i < gamma.size(); ++i) gamma[i] = c * gamma0_[i] + s * gamma90_[i];
  return gamma;
}

double PanelSolver::circulationLift(double alphaRad) const {
  return std::cos(alphaRad) * circulation0_ + std::sin(alphaRad) * circulation90_;
}

double PanelSolver::circulationLiftSlope(double alphaRad) const {
  return -std::sin(alphaRad) * circulation0_ + std::cos(alphaRad) * circulation90_;
}

InviscidCoefficients PanelSolver::coefficients(const std::vector<double>& gamma, double alphaRad) const {
  // Cp at panel mid points; Fx = -sum Cp dy, Fy = sum Cp dx,
  // CM = -sum Cp [(x_m - 0.25) dx + y_m dy].
  double fx = 0.0, fy = 0.0, cm = 0.0;
  for (std::size_t j = 0; j + 1 < nodes_.size(); ++j) {
    const double q = 0.5 * (gamma[j] + gamma[j + 1]);
    const double cp = 1.0 - q * q;
    const double dx = nodes_[j + 1].x - nodes_[j].x, dy = nodes_[j + 1].y - nodes_[j].y;
    const double xm = 0.5 * (nodes_[j + 1].x + nodes_[j].x), ym = 0.5 * (nodes_[j + 1].y + nodes_[j].y);
    fx -= cp * dy;
    fy += cp * dx;
    cm -= cp * ((xm - 0.25) * dx + ym * dy);
  }
  return {fy * std::cos(alphaRad) - fx * std::sin(alphaRad), cm};
}

}  // namespace velarix::analysis
