// Geometric and thin-airfoil characteristics of a point chain.
//
// Slots 0..3 come from the chain itself: the largest thickness and the
// largest absolute camber (mean-line ordinate) at the upper points. Slots
// 4..9 come from fixed quadrature tables at eleven chord stations
// x_s = (1 + cos(s*15 deg))/2, s = 1..11, applied to the mean line
// z_s = (y_u + y_l)/2 and the half thickness t_s = (y_u - y_l)/2:
//   alpha0 = 2*sum(z*T4)*180/pi [deg]    cm0.25 = 2*sum(z*T5)
//   dca    = (2*sum(t*T6) + 1)*2*pi      xNp    = (2*sum(t*T7) + 1)*25 [%]
//   alphaE = 2*sum(z*T8)*180/pi [deg]    caE    = 2*sum(z*T9)
// so a flat plate of zero thickness gives dca = 2*pi and xNp = 25 %.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "airfoil/airfoil.h"
#include "airfoil/airfoil_geometry.h"
#include "wing/cell_number.h"

namespace velarix {

using airfoil_detail::interpolateY;

namespace {

constexpr int kStations = 11;

// The stored tables, trailing edge first. The stations are rounded to four
// decimals, and T6 ends with 0.6439 although it starts with 0.644: these are
// the values the characteristics of every stored wing were computed with.
constexpr std::array<Real, kStations> kStationX = {0.983L,  0.933L, 0.8536L, 0.75L,  0.6294L, 0.5L,
                                                   0.3706L, 0.25L,  0.1465L, 0.067L, 0.017L};
constexpr std::array<Real, kStations> kT6LiftSlope = {0.644L,  0, 0.2357L, 0, 0.1726L, 0,
                                                      0.1726L, 0, 0.2357L, 0, 0.6439L};
constexpr std::array<Real, kStations> kT4Alpha0 = {-4.8919L, 0, -0.569L,  0, -0.2249L, 0,
                                                   -0.1324L, 0, -0.0976L, 0, -0.0848L};
constexpr std::array<Real, kStations> kT7NeutralPoint = {0.6864L,  0.1667L, 0.3333L, 0.2887L,
                                                         0.2387L,  0.3333L, 0.0601L, 0.2887L,
                                                         -0.3333L, 0.1667L, -1.8017L};
constexpr std::array<Real, kStations> kT5Cm0 = {-7.937L,  -0.2267L, -1.079L, -0.1309L, -0.421L, 0,
                                                -0.1402L, 0.1309L,  0.0318L, 0.2267L,  0.1197L};
constexpr std::array<Real, kStations> kT8AlphaE = {-2.4032L, 0, -0.2357L, 0, -0.0462L, 0,
                                                   0.0462L,  0, 0.2357L,  0, 2.4032L};
constexpr std::array<Real, kStations> kT9CaE = {15.6333L, 0, 2.0944L, 0, 1.1244L, 0,
                                                1.1244L,  0, 2.0944L, 0, 15.6333L};

struct SlotLabel {
  const char* label;
  const char* unit;
};
constexpr std::array<SlotLabel, kCharacteristicCount> kSlotLabels = {{
    {"d = ", " %"},
    {"xd = ", " %"},
    {"f = ", " %"},
    {"xf = ", " %"},
    {"Alfa_0 = ", " °"},
    {"Cm_0.25 = ", ""},
    {"dca = ", ""},
    {"xNp = ", " %"},
    {"Alfa_e = ", " °"},
    {"Ca_e = ", ""},
}};

// Surface cursors over a chain with nose index k. The upper cursor u uses
// the pair (u, u+1) and stays on the upper surface (u+1 <= k); the lower
// cursor m uses the pair (n-1-m, n-2-m) and stays on the lower surface
// (n-2-m >= k). Both only move towards the nose, so a surface that does not
// reach a station is extrapolated from its foremost pair instead of the
// cursor running off the chain.
class SurfaceCursors {
 public:
  SurfaceCursors(const std::vector<TCoord>& p, int nose)
      : p_(p), n_(static_cast<int>(p.size())), nose_(nose) {}

  Real upperAt(Real x) {
    while (u_ + 2 <= nose_ && p_[u_ + 1].X > x) ++u_;
    return interpolateY(p_[u_], p_[u_ + 1], x);
  }
  Real lowerAt(Real x) {
    while (n_ - 3 - m_ >= nose_ && p_[n_ - 2 - m_].X > x) ++m_;
    return interpolateY(p_[n_ - 1 - m_], p_[n_ - 2 - m_], x);
  }

 private:
  const std::vector<TCoord>& p_;
  int n_;
  int nose_;
  int u_ = 0;
  int m_ = 0;
};

}  // namespace

void TAirfoil::ComputeCharacteristics() {
  const int n = Count();
  if (n < 3) {
    throw AirfoilGeometryError("Profil \"" + Name + "\": " + std::to_string(n) +
                               " Punkte reichen nicht für die Profilkennwerte");
  }
  const int nose = noseIndex();
  std::array<Real, kCharacteristicCount> slots{};

  // Thickness and camber at the upper points; ties keep the point nearer
  // the trailing edge.
  {
    Real dmax = 0, xd = 0, fmax = 0, xf = 0;
    SurfaceCursors cursors(points_, nose);
    for (int j = 0; j <= nose; ++j) {
      const Real x = points_[j].X;
      const Real yUpper = points_[j].Y;
      const Real yLower = cursors.lowerAt(x);
      const Real t = yUpper - yLower;
      if (t > dmax) {
        dmax = t;
        xd = x;
      }
      const Real z = (yUpper + yLower) / 2;
      if (std::fabs(z) > std::fabs(fmax)) {
        fmax = z;
        xf = x;
      }
    }
    slots[kSlotThickness] = 100 * dmax;
    slots[kSlotThicknessPosition] = 100 * xd;
    slots[kSlotCamber] = 100 * fmax;
    slots[kSlotCamberPosition] = 100 * xf;
  }

  // Quadrature at the eleven stations.
  {
    Real s4 = 0, s5 = 0, s6 = 0, s7 = 0, s8 = 0, s9 = 0;
    SurfaceCursors cursors(points_, nose);
    for (int s = 0; s < kStations; ++s) {
      const Real x = kStationX[s];
      const Real yUpper = cursors.upperAt(x);
      const Real yLower = cursors.lowerAt(x);
      const Real z = (yUpper + yLower) / 2;
      const Real t = (yUpper - yLower) / 2;
      s6 += t * kT6LiftSlope[s];
      s4 += z * kT4Alpha0[s];
      s7 += t * kT7NeutralPoint[s];
      s5 += z * kT5Cm0[s];
      s8 += z * kT8AlphaE[s];
      s9 += z * kT9CaE[s];
    }
    slots[kSlotAlpha0] = 2 * s4 * 180 / kPi;
    slots[kSlotCm0] = 2 * s5;
    slots[kSlotLiftSlope] = (2 * s6 + 1) * 2 * kPi;
    slots[kSlotNeutralPoint] = (2 * s7 + 1) * 0.25L * 100;
    slots[kSlotAlphaE] = 2 * s8 * 180 / kPi;
    slots[kSlotCaE] = 2 * s9;
  }

  if (!std::all_of(slots.begin(), slots.end(), [](Real v) { return std::isfinite(v); })) {
    throw AirfoilGeometryError("Profil \"" + Name +
                               "\": die Profilkennwerte sind keine endlichen Zahlen");
  }
  characteristics_ = slots;
}

std::vector<std::string> TAirfoil::CharacteristicsListing() const {
  std::vector<std::string> lines;
  lines.reserve(3 + kCharacteristicCount);
  lines.push_back(Name);
  lines.emplace_back();
  lines.push_back("Anzahl Koordinaten = " + std::to_string(Count()));
  for (int slot = 0; slot < kCharacteristicCount; ++slot) {
    const SlotLabel& l = kSlotLabels[static_cast<std::size_t>(slot)];
    lines.push_back(l.label + formatCellNumber(GetCharacteristic(slot)) + l.unit);
  }
  return lines;
}

}  // namespace velarix
