// The readout at the marker bar: the values of the shown distributions at
// the bar's span position, and the interpolation that yields them.
#pragma once

#include <string>

#include "compute/span_distribution.h"
#include "compute/wing_computation.h"
#include "wing/control_availability.h"
#include "wing/editing_context.h"
#include "wing/wing.h"

namespace velarix {

// Value of a station distribution at span position y. With u = y/s the
// interval index is i = (m+1) div 2 - round(asin_deg(u)*(m+1)/180 + 0.5)
// (0 at u = 1, m at u = -1), and the value is linear in cos between stations
// i and i+1; index 0 (right tip) counts as 0 and index m+1 holds what the
// distribution holds there (0 for all but the Reynolds numbers).
Real distributionAtBar(const Distribution& values, int stationCount, Real halfSpan, Real y);

// Reynolds number at span position y from the local chord of the kink table
// (trailing edge minus leading edge, linear between the enclosing rows):
// round(v*c(y)*70000), halves to even.
Real reynoldsAtBar(const TWing& wing, Real speed, Real y);

struct BarReadoutValues {
  const TSpanDistribution* distribution = nullptr;
  Real flightSpeed = 0;              // v [m/s]
  Real aerodynamicNeutralPoint = 0;  // XN [m]
  Real pressurePoint = 0;            // XD [m]
};

// The readout line and the three wing-level entries the readout refills.
struct BarReadout {
  std::string line;      // Edit2
  std::string span;      // Edit1, b [m]
  std::string mass;      // Edit22 [kg]
  std::string altitude;  // Edit17 [m]
};

// The readout line for the distributions whose display switch is down, then
// "   //Instabiler Flug" when the centre of pressure lies behind the neutral
// point (XN < XD). Empty result while no wing exists.
BarReadout barReadout(const TWing& wing, const BarReadoutValues& values);

// Everything the bar readout refreshes: first the controls at the bar (what
// they enable, disable, fill and empty), then the readout line and the
// three wing-level entries. Nothing while no wing exists.
struct BarReadoutState {
  ControlAvailability controls;
  BarReadout readout;
};
BarReadoutState refreshBarReadout(const TWing& wing, const EditingContext& context,
                                  const WingResults& results);

}  // namespace velarix
