// Spanwise distributions at the Multhopp stations.
//
// Parallel arrays with room for indices 0..128. Index j = 1..m are the
// stations, eta_j = s*cos(j*pi/(m+1)): station 1 lies next to the right tip
// (positive y), station m next to the left tip, station (m+1)/2 at the centre.
// Index 0 (right tip) and m+1 (left tip) hold only the tip chords and the
// Reynolds numbers derived from them; every other distribution reads 0 there.
#pragma once

#include <array>

#include "wing/real.h"

namespace velarix {

inline constexpr int kMinStations = 3;
inline constexpr int kMaxStations = 127;
inline constexpr int kDistributionSize = kMaxStations + 2;

using Distribution = std::array<Real, kDistributionSize>;

struct TSpanDistribution {
  int stationCount = 0;  // m

  // Geometry and section data at the stations (computeStations).
  Distribution eta{};                    // span position [m]
  Distribution xLeadingEdge{};           // [m]
  Distribution xTrailingEdge{};          // [m]
  Distribution chord{};                  // [m]; [0] right tip, [m+1] left tip
  Distribution xQuarterChord{};          // [m]
  Distribution chordAngle{};             // twist [deg]
  Distribution alpha0{};                 // section zero-lift angle [deg]
  Distribution angleFromZeroLift{};      // driving angle incl. flap [deg]
  Distribution cm0{};                    // zero-lift moment incl. flap
  Distribution localFlapDeflection{};    // [deg]
  Distribution flapChordPercent{};       // [% of local chord]
  Distribution flapChordRatio{};         // lambda, 0..1
  Distribution flapChordLineRotation{};  // [deg]

  // Lifting-line solution (normalised with c/(2b) where noted).
  Distribution gamma{};  // circulation, gamma = ca*c/(2b)
  Distribution mue{};    // local moment, mu = cm*c/(2b)
  Distribution ai{};     // induced angle [rad]
  Distribution cwi{};    // induced drag, ai*gamma
  Distribution ca{};     // local lift coefficient
  Distribution xd{};     // local centre of pressure [m]

  // Drag.
  Distribution re{};            // Reynolds number, integer value; 0..m+1
  Distribution cwrEstimated{};  // estimated friction drag of the section
  Distribution cwgEstimated{};  // estimated total drag
  Distribution cwp{};           // profile drag, normalised after the run
  Distribution cwg{};           // total drag cwp + cwi, normalised
};

}  // namespace velarix
