// The computed-values report: German text lines, section by section, as the
// computed-values window lists, prints and saves them.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "compute/span_distribution.h"
#include "compute/wing_coefficients.h"
#include "wing/wing.h"

namespace velarix {

inline constexpr int kReportSectionCount = 15;

// The check-list items that select the sections, index 0..14.
enum class ReportSection {
  WingCoefficients,          // "Beiwerte des Flügels"
  StationPositions,          // "Y-Koordinaten der Wirbelstellen"
  Circulation,               // "Zikulation  gamma[v]"
  LiftCoefficients,          // "Auftriebsbeiwerte  ca[v]"
  InducedDrag,               // "induzierten Widerstände cwi[v]"
  MomentCoefficients,        // "Momentbeiwerte  mue[v]"
  InducedAngles,             // "induzierten Anstellwinkel  ai[v]"
  LocalCentresOfPressure,    // "örtlichen Druckpunkte  xd[v]"
  ReynoldsNumbers,           // "Re-Zahlen  Re[v]"
  FrictionDragEstimated,     // "geschätzte Reibungswiderstände  cwr_geschätzt[v]"
  TotalDragEstimated,        // "geschätzte Gesamtwiderstände  cwg_geschätzt[v]"
  PolarEstimated,            // "geschätzte Flügelpolare"
  ProfileDrag,               // "Profilwiderstände  cwp[v]"
  TotalDrag,                 // "Gesamtwiderstände  cwg[v]"
  PolarComputed,             // "Berechnet Flügelpolare"
};

// Ticked state of the 15 check-list items; the window starts with item 0.
struct ReportSelection {
  std::array<bool, kReportSectionCount> ticked{true};
  static ReportSelection all();
  static ReportSelection none();
  bool operator[](ReportSection s) const { return ticked[static_cast<std::size_t>(s)]; }
};

// The texts of the check-list items, in index order.
const std::array<std::string, kReportSectionCount>& reportSectionTitles();

// The report lines of the current results.
std::vector<std::string> fillValuesReport(const TWing& wing, const TSpanDistribution& distribution,
                                          const TWingCoefficients& coefficients,
                                          bool profileDragValid, const ReportSelection& selection);

// The file name part of a path written with "/" or "\" separators.
std::string fileNamePart(const std::string& path);

}  // namespace velarix
