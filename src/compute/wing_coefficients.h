// Whole-wing results of one computation.
#pragma once

#include "wing/real.h"

namespace velarix {

struct TWingCoefficients {
  // Planform.
  Real wingArea = 0;               // F [m^2]
  Real aspectRatio = 0;            // Lambda = b^2/F
  Real referenceChord = 0;         // lu, area-weighted mean aerodynamic chord [m]
  Real wingLoading = 0;            // mass/F [kg/m^2]
  Real airDensity = 0;             // rho at the flight altitude [kg/m^3]
  Real geometricNeutralPoint = 0;  // XC, area-weighted quarter point [m]
  Real ellipticNeutralPoint = 0;   // XE, quarter-chord line under elliptic loading [m]

  // Lifting-line solution.
  Real aerodynamicNeutralPoint = 0;  // XN [m]
  Real pressurePoint = 0;            // XD, centre of pressure [m]
  Real stabilityMargin = 0;          // SM = (XN - XD)/lu [% of lu]
  Real zeroLiftAngle = 0;            // A0 [deg]
  Real zeroLiftMoment = 0;           // CM0 about XC
  Real liftSlope = 0;                // dCA [1/rad]
  Real momentSlope = 0;              // dCM about XC [1/rad]
  Real liftCoefficient = 0;          // CA
  Real momentCoefficient = 0;        // CM about XC
  Real inducedDrag = 0;              // CWI
  Real inducedDragQuality = 0;       // CWI / (CA^2/(pi Lambda))
  Real rollingMoment = 0;            // CL
  Real inducedYawingMoment = 0;      // CNI
  Real yawingMoment = 0;             // CN: CNI, replaced by the profile-drag run
  Real flightSpeed = 0;              // v [m/s]

  // Estimated polar (flat-plate friction at the stations' Reynolds numbers).
  Real frictionDragEstimated = 0;  // CWR_est
  Real totalDragEstimated = 0;     // CWG_est = CWR_est + CWI
  Real glideRatioEstimated = 0;    // E_est = CA/CWG_est
  Real climbFactorEstimated = 0;   // e_est = |CA|^1.5/CWG_est
  Real sinkSpeedEstimated = 0;     // vs_est [m/s]
  Real glideAngleEstimated = 0;    // arctan(CWG_est/CA) [rad]

  // Computed polar (profile drag from the airfoil program at the stations).
  Real profileDrag = 0;  // CWP
  Real totalDrag = 0;    // CWG
  Real glideRatio = 0;   // E
  Real climbFactor = 0;  // e
  Real sinkSpeed = 0;    // vs [m/s]
  Real glideAngle = 0;   // [rad]
};

}  // namespace velarix
