#include "compute/profile_drag.h"

#include <cmath>

#include "airfoil/eppler_card.h"
#include "airfoil/eppler_listing.h"
#include "wing/cell_number.h"

namespace velarix {

namespace {

constexpr std::string_view kProgressCaption = "Die Profilwiderstände werden berechnet !";

std::string stationProgressText(int j) {
  return "Profilwiderstand Wirbelstelle " + std::to_string(j) + " wird berechnet !";
}

}  // namespace

int roughnessCode(SurfaceCondition surface) {
  switch (surface) {
    case SurfaceCondition::Clean:
      return kRoughnessClean;
    case SurfaceCondition::Dirty:
      return kRoughnessSoiled;
    case SurfaceCondition::LightIcing:
      return kRoughnessLightIcing;
    case SurfaceCondition::HeavyIcing:
      return kRoughnessHeavyIcing;
  }
  return kRoughnessClean;
}

TAirfoil stationSection(const TWing& wing, Real eta) {
  const CellTable& k = wing.kinkTable;
  const int n = wing.kinkCount();
  int lower = 0;
  int upper = 0;
  for (int r = 1; r < n; ++r) {
    const Real y1 = k.number(kColKinkY, r);
    const Real y2 = k.number(kColKinkY, r + 1);
    if (y1 == eta) {
      lower = upper = r;
    } else if (y2 == eta) {
      lower = upper = r + 1;
    } else if (y1 < eta && eta < y2) {
      lower = r;
      upper = r + 1;
    }
  }
  TAirfoil section;
  if (lower == 0) return section;
  const Real yLower = k.number(kColKinkY, lower);
  const Real yUpper = k.number(kColKinkY, upper);
  for (int i = 0; i < kSectionPoints; ++i) {
    const Real x = k.number(kColKinkSection + i, 0);
    const Real vLower = k.number(kColKinkSection + i, lower);
    Real y = vLower;
    if (lower != upper) {
      const Real vUpper = k.number(kColKinkSection + i, upper);
      y = vLower + (vUpper - vLower) * (eta - yLower) / (yUpper - yLower);
    }
    section.AddPoint({x, y});
  }
  return section;
}

Real stationAngleOfAttack(const TWing& wing, const TSpanDistribution& d, int j) {
  return d.chordAngle[j] + wing.wingAngleOfAttack - kDegPerRadRounded * d.ai[j];
}

std::vector<std::string> stationCardLines(const TWing& wing, const TSpanDistribution& d, int j) {
  TAirfoil section = stationSection(wing, d.eta[j]);
  section.Name = "Wirbel " + std::to_string(j);
  std::vector<std::string> lines{"FXPR", section.Name};
  const std::vector<std::string> coordinates = epplerCoordinateLines(section);
  lines.insert(lines.end(), coordinates.begin(), coordinates.end());
  if (d.localFlapDeflection[j] != 0) {
    lines.push_back(epplerFlapCard(section, d.flapChordPercent[j], d.localFlapDeflection[j]));
  }
  lines.push_back(epplerAngleCard({stationAngleOfAttack(wing, d, j)}));
  lines.push_back(epplerReynoldsCard(roughnessCode(wing.surfaceCondition), {d.re[j]}));
  lines.push_back("ENDE");
  return lines;
}

ProfileDragOutcome computeProfileDrag(const TWing& wing, WingResults& results,
                                      const EpplerSettings& settings, Platform& platform) {
  ProfileDragOutcome outcome;
  TSpanDistribution& d = results.distribution;
  TWingCoefficients& c = results.coefficients;
  const int m = d.stationCount;
  if (!results.computed || m < 1) {
    outcome.message = "Der Flügel ist nicht berechnet.";
    platform.showError("Velarix", outcome.message);
    return outcome;
  }

  // Raw coefficients of this run, apart from the distribution: a run that
  // stops part-way leaves the results of an earlier complete run as they were.
  Distribution raw{};
  platform.showProgress(kProgressCaption, m);
  for (int j = 1; j <= m; ++j) {
    platform.setProgressLabel(stationProgressText(j));
    std::vector<std::string> card;
    try {
      card = stationCardLines(wing, d, j);
    } catch (const std::exception& e) {
      outcome.failedStation = j;
      outcome.message = "Wirbelstelle " + std::to_string(j) + ": " + e.what();
      platform.hideProgress();
      platform.showError("Velarix", outcome.message);
      return outcome;
    }
    const EpplerProgramRun run =
        runEpplerProgram(settings, kStationDragEpplerFiles, card, platform);
    std::optional<Real> cd;
    if (run.status == EpplerRunStatus::Completed) {
      std::vector<std::string> listing = run.listing;
      cleanupEpplerListing(listing);
      cd = stationDragCoefficient(listing);
    }
    if (!cd || !std::isfinite(*cd)) {
      outcome.failedStation = j;
      platform.hideProgress();
      if (run.status == EpplerRunStatus::TimedOut || run.status == EpplerRunStatus::CouldNotStart ||
          run.status == EpplerRunStatus::Malformed) {
        outcome.message = run.message;  // already shown by the run
      } else {
        outcome.message = "Profilwiderstand Wirbelstelle " + std::to_string(j) +
                          ": das Analyseprogramm hat keinen Widerstandsbeiwert (CD=) geliefert." +
                          "\rDie Profilwiderstände sind nicht berechnet.";
        platform.showError("Velarix", outcome.message);
      }
      return outcome;
    }
    raw[j] = *cd;
    platform.setProgressPosition(j);
  }
  platform.hideProgress();

  const Real b = 2 * wing.halfSpan;
  for (int j = 1; j <= m; ++j) {
    d.cwp[j] = d.chord[j] * raw[j] * 0.5L / b;
    d.cwg[j] = d.cwp[j] + d.cwi[j];
  }
  Real sumTotal = 0;
  Real sumProfile = 0;
  Real sumYaw = 0;
  for (int j = 1; j <= m; ++j) {
    const Real theta = j * kPi / (m + 1);
    sumTotal += d.cwg[j] * std::sin(theta);
    sumProfile += d.cwp[j] * std::sin(theta);
    sumYaw += d.cwg[j] * std::sin(2 * theta);
  }
  const Real piLambda = kPi * c.aspectRatio;
  c.totalDrag = piLambda * sumTotal / (m + 1);
  c.profileDrag = piLambda * sumProfile / (m + 1);
  c.yawingMoment = piLambda * 0.25L * sumYaw / (m + 1);
  const Real ca = c.liftCoefficient;
  const Real absCa = std::fabs(ca);
  c.glideRatio = c.totalDrag != 0 ? ca / c.totalDrag : 0;
  c.climbFactor = c.totalDrag != 0 ? std::pow(absCa, 1.5L) / c.totalDrag : 0;
  c.sinkSpeed =
      absCa > 0 && c.airDensity > 0 && c.wingArea > 0
          ? c.totalDrag *
                std::sqrt(2 * kGravity * wing.wingMass / c.airDensity / c.wingArea / absCa) / absCa
          : 0;
  c.glideAngle = ca != 0 ? std::atan(c.totalDrag / ca) : 0;
  results.profileDragValid = true;
  outcome.status = ProfileDragStatus::Completed;
  platform.refreshWingDisplay(false);
  return outcome;
}

}  // namespace velarix
