// Profile drag at the Multhopp stations: the blended section of every
// station is analysed by the airfoil analysis program at the station's local
// angle of attack and Reynolds number, and the wing polar is integrated with
// the quadrature of the induced drag.
#pragma once

#include <string>
#include <vector>

#include "airfoil/airfoil.h"
#include "airfoil/eppler_run.h"
#include "compute/wing_computation.h"
#include "wing/platform.h"
#include "wing/wing.h"

namespace velarix {

// Roughness code of the analysis program for a surface condition: clean 0,
// dirty 5, light icing 7, heavy icing 9.
int roughnessCode(SurfaceCondition surface);

// The 61-point section at span position eta: the kink's own section when a
// kink lies exactly there, else linear in span between the enclosing kinks.
TAirfoil stationSection(const TWing& wing, Real eta);

// Local angle of attack of station j [deg]: chord angle + wing angle - 57.3*ai.
Real stationAngleOfAttack(const TWing& wing, const TSpanDistribution& distribution, int j);

// The card text of station j ("EPP.in1"), line by line.
std::vector<std::string> stationCardLines(const TWing& wing, const TSpanDistribution& distribution,
                                          int j);

enum class ProfileDragStatus { Completed, Failed };

struct ProfileDragOutcome {
  ProfileDragStatus status = ProfileDragStatus::Failed;
  int failedStation = 0;  // the station where the run stopped, 0 when none
  std::string message;    // what went wrong, as shown to the user
};

// Runs the analysis program at every station (progress through the
// platform, station by station), normalises cwp = c*cwp/(2b), cwg = cwp + cwi,
// and integrates CWP, CWG, CN, E, e, vs and the glide angle. A station that
// times out, cannot be run, leaves no listing or no readable "CD=" stops the
// computation with an error shown; then the results and profileDragValid stay
// as they were (false after a recomputation; an earlier complete run of the
// same wing stays valid). On success profileDragValid becomes true and the
// display is redrawn without recomputation.
ProfileDragOutcome computeProfileDrag(const TWing& wing, WingResults& results,
                                      const EpplerSettings& settings, Platform& platform);

}  // namespace velarix
