#include "compute/profile_drag.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "compute/values_report.h"
#include "support/fake_platform.h"
#include "wing/cell_number.h"
#include "wing/wing_file.h"

namespace velarix {
namespace {

namespace fs = std::filesystem;

const fs::path kAnalysisProgram = fs::path(VELARIX_BINARY_DIR) / "bin" / "velarix-analysis";
const fs::path kExamples = fs::path(VELARIX_SOURCE_DIR) / "examples";

// ---- The card of one station -------------------------------------------

// The new wing (kinks at -0,5, 0, 0,5) with a centre section twice as thick
// as the tip sections, every ordinate raised by 0,01 (camber 0,01) and one
// lower-surface point at -0,012345 on every kink (six decimals, as a cell holds).
TWing cardWing() {
  TWing wing;
  resetToNewWing(wing);
  for (int row = 1; row <= 3; ++row) {
    for (int i = 0; i < kSectionPoints; ++i) {
      const Real y = (row == 2 ? 2 : 1) * flatPlateOrdinate(i) + 0.01L;
      wing.kinkTable.setNumber(kColKinkSection + i, row, i == 45 ? -0.012345L : y);
    }
  }
  return wing;
}

TSpanDistribution cardStations() {
  TSpanDistribution d;
  d.stationCount = 3;
  d.eta[1] = 0.25L;
  d.eta[2] = 0;  // exactly at the centre kink
  d.eta[3] = -0.5L;
  for (int j = 1; j <= 3; ++j) d.re[j] = 200000;
  return d;
}

TEST(StationCard, SectionAtAKinkIsThatKinksOwnAndInterpolatedBetweenKinks) {
  const TWing wing = cardWing();
  for (const auto& [eta, lowerWeight] : {std::pair<Real, Real>{0, 1}, {-0.5L, 1}, {0.25L, 0.5L}}) {
    const TAirfoil section = stationSection(wing, eta);
    ASSERT_EQ(section.Count(), kSectionPoints);
    const int lower = eta == -0.5L ? 1 : 2;
    for (int i = 0; i < kSectionPoints; ++i) {
      const Real own = wing.kinkTable.number(kColKinkSection + i, lower);
      const Real next = wing.kinkTable.number(kColKinkSection + i, 3);
      EXPECT_EQ(section.point(i).X, wing.kinkTable.number(kColKinkSection + i, 0));
      if (lowerWeight == 1) {
        EXPECT_EQ(section.point(i).Y, own) << eta << " point " << i;  // bit for bit
      } else {
        EXPECT_NEAR(static_cast<double>(section.point(i).Y), static_cast<double>((own + next) / 2),
                    1e-15);
      }
    }
  }
}

TEST(StationCard, CoordinateBlocksReynoldsFlapAndAngleCards) {
  struct Case {
    SurfaceCondition surface;
    Real re, flapPercent, deflection, angle;
    std::vector<std::string> tail;  // the cards after the coordinates
  };
  const std::vector<Case> cases = {
      {SurfaceCondition::Clean,
       200000,
       25,
       0,
       2.5L,
       {"ALFA  1  1  250", "RE  110    0000  200", "ENDE"}},
      {SurfaceCondition::Dirty,
       473230,
       0,
       0,
       -1.5L,
       {"ALFA  1  1 -150", "RE  110    5000  473", "ENDE"}},
      {SurfaceCondition::LightIcing,
       99500,
       0,
       0,
       0.25L,
       {"ALFA  1  1   25", "RE  110    7000  100", "ENDE"}},
      {SurfaceCondition::HeavyIcing,
       1234567,
       25,
       5,
       1,
       {"FLAP       2500  100  400  500", "ALFA  1  1  100", "RE  110    9000 1235", "ENDE"}},
      {SurfaceCondition::Clean,
       200000,
       20,
       -3,
       1,
       {"FLAP       2000  100  400 -300", "ALFA  1  1  100", "RE  110    0000  200", "ENDE"}},
  };
  TWing wing = cardWing();
  wing.wingAngleOfAttack = 1;
  for (const Case& c : cases) {
    wing.surfaceCondition = c.surface;
    TSpanDistribution d = cardStations();
    d.re[2] = c.re;
    d.flapChordPercent[2] = c.flapPercent;
    d.localFlapDeflection[2] = c.deflection;
    // alpha_j = chord angle + wing angle - 57.3 ai
    d.chordAngle[2] = c.angle - 1 + 0.5L;
    d.ai[2] = 0.5L / kDegPerRadRounded;
    const std::vector<std::string> lines = stationCardLines(wing, d, 2);
    ASSERT_EQ(lines.size(), 19 + c.tail.size());
    EXPECT_EQ(lines[0], "FXPR");
    EXPECT_EQ(lines[1], "Wirbel 2");
    EXPECT_EQ(lines[2], "   31   31");
    EXPECT_EQ(lines[3].substr(0, 20), "0.0000000 0.0027400 ") << "upper x from the nose";
    EXPECT_EQ(lines[7].substr(0, 20), "0.0100000 0.0172000 ") << "upper y from the nose";
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 19, lines.end()), c.tail);
  }
}

TEST(StationCard, NegativeOrdinatesLoseTheirLeadingZero) {
  const std::vector<std::string> lines = stationCardLines(cardWing(), cardStations(), 2);
  // Lower y block (lines 15..18): point 45 is the 16th value from the nose.
  EXPECT_EQ(lines[16].substr(70, 10), "-.0123450 ");
  for (std::size_t i = 3; i < 19; ++i) {
    EXPECT_EQ(lines[i].find("-0"), std::string::npos) << lines[i];
    EXPECT_EQ(lines[i].size() % 10, 0u) << "ten columns per value: " << lines[i];
  }
}

// ---- Runs of the analysis program ---------------------------------------

class ProfileDragRun : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "velarix-drag-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    settings_.workFolder = folder_;
    settings_.pollInterval = std::chrono::milliseconds(10);
    settings_.pollCount = 3000;  // 30 s per station for a loaded (or sanitized) build
  }
  void TearDown() override {
    unsetenv("VELARIX_FAKE_MODE");
    unsetenv("VELARIX_FAKE_LISTING");
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  // The new wing, computed.
  void computeNewWing() {
    resetToNewWing(wing_);
    computeWing(wing_, results_, platform_);
    ASSERT_TRUE(results_.computed);
  }
  void useFake(const char* mode) {
    settings_.programPath = VELARIX_FAKE_ANALYSIS_PROGRAM;
    setenv("VELARIX_FAKE_MODE", mode, 1);
    const fs::path listing =
        fs::path(VELARIX_SOURCE_DIR) / "tests/airfoil/data/listing_one_table_with_notes.out";
    setenv("VELARIX_FAKE_LISTING", listing.c_str(), 1);
  }

  fs::path folder_;
  EpplerSettings settings_;
  TWing wing_;
  WingResults results_;
  testing::FakePlatform platform_;
};

TEST_F(ProfileDragRun, ExampleWingWithTheAnalysisProgramGivesAPlausiblePolar) {
  if (!fs::exists(kAnalysisProgram)) GTEST_SKIP() << kAnalysisProgram << " is not built";
  settings_.programPath = kAnalysisProgram;
  ASSERT_TRUE(
      loadWingFile(wing_, kExamples / "nurfluegel_gepfeilt.flg", platform_, kExamples.string()));
  wing_.stationCount = 31;
  computeWing(wing_, results_, platform_);
  ASSERT_TRUE(results_.computed);
  const ProfileDragOutcome outcome = computeProfileDrag(wing_, results_, settings_, platform_);
  ASSERT_EQ(outcome.status, ProfileDragStatus::Completed) << outcome.message;
  EXPECT_TRUE(platform_.errors.empty());
  EXPECT_TRUE(results_.profileDragValid);
  const TWingCoefficients& c = results_.coefficients;
  EXPECT_GT(c.profileDrag, 0.005L);
  EXPECT_LT(c.profileDrag, 0.03L);
  EXPECT_GT(c.glideRatio, 5);
  EXPECT_TRUE(std::isfinite(c.sinkSpeed) && c.sinkSpeed > 0);
  EXPECT_TRUE(std::isfinite(c.yawingMoment));
  for (int j = 1; j <= 31; ++j) {
    const Real section = results_.distribution.cwp[j] * 2 * wing_.span /
                         results_.distribution.chord[j];  // back to the section's cd
    EXPECT_TRUE(section > 0.003L && section < 0.05L) << "station " << j << ": " << section;
  }
  EXPECT_EQ(platform_.refreshes.back(), false) << "redrawn without recomputation";
}

TEST_F(ProfileDragRun, FakeListingIsNormalisedAndIntegrated) {
  computeNewWing();
  useFake("listing");
  ASSERT_EQ(computeProfileDrag(wing_, results_, settings_, platform_).status,
            ProfileDragStatus::Completed);
  const TSpanDistribution& d = results_.distribution;
  for (int j = 1; j <= 15; ++j) {
    EXPECT_NEAR(static_cast<double>(d.cwp[j]), 0.2 * 0.0123 * 0.5 / 1, 1e-15);  // c cd / (2b)
    EXPECT_EQ(d.cwg[j], d.cwp[j] + d.cwi[j]);
  }
  // Constant cwp over the span: CWP = pi A cwp sum(sin)/(m+1) = pi A cwp cot(pi/32)/16.
  const Real expected = kPi * 5 * d.cwp[1] / std::tan(kPi / 32) / 16;
  EXPECT_NEAR(static_cast<double>(results_.coefficients.profileDrag), static_cast<double>(expected),
              1e-15);
  ASSERT_GE(platform_.progressLabels.size(), 2u);
  EXPECT_EQ(platform_.progressLabels[1], "Die Profilwiderstände werden berechnet !");
  EXPECT_EQ(platform_.progressLabels.back(), "Profilwiderstand Wirbelstelle 15 wird berechnet !");
}

TEST_F(ProfileDragRun, AFailedStationShowsTheErrorAndChangesNoResult) {
  struct Case {
    const char* mode;
    int pollCount;  // short for the sleeper, generous for the quick exit
    std::string caption;
    std::string text;  // the shown text, or a part of it
  };
  const Case cases[] = {
      {"sleep", 5, "Eppler.exe",
       "Fehler beim Ausführen der Eppler.exe. Zeitlimit überschritten .\rÄndern Sie die "
       "Einstellungen !"},
      {"silent", 3000, "Velarix", "Profilwiderstand Wirbelstelle 1: "},
  };
  for (const Case& c : cases) {
    for (const bool earlierRun : {false, true}) {
      SCOPED_TRACE(std::string(c.mode) + (earlierRun ? " after a complete run" : ""));
      platform_.errors.clear();
      computeNewWing();
      if (earlierRun) {
        useFake("listing");
        ASSERT_EQ(computeProfileDrag(wing_, results_, settings_, platform_).status,
                  ProfileDragStatus::Completed);
      }
      const WingResults before = results_;
      useFake(c.mode);
      settings_.pollCount = c.pollCount;
      const ProfileDragOutcome outcome = computeProfileDrag(wing_, results_, settings_, platform_);
      settings_.pollCount = 3000;
      EXPECT_EQ(outcome.status, ProfileDragStatus::Failed);
      EXPECT_EQ(outcome.failedStation, 1);
      ASSERT_EQ(platform_.errors.size(), 1u);
      EXPECT_EQ(platform_.errors[0].first, c.caption);
      EXPECT_EQ(platform_.errors[0].second.substr(0, c.text.size()), c.text);
      EXPECT_EQ(results_.profileDragValid, earlierRun);
      EXPECT_EQ(results_.distribution.cwp, before.distribution.cwp);
      EXPECT_EQ(results_.coefficients.totalDrag, before.coefficients.totalDrag);
      const auto report = fillValuesReport(wing_, results_.distribution, results_.coefficients,
                                           results_.profileDragValid, ReportSelection{});
      EXPECT_EQ(std::count_if(
                    report.begin(), report.end(),
                    [](const std::string& l) { return l.starts_with("Giermomentbeiwert (CN)"); }),
                earlierRun ? 1 : 0);
    }
  }
}

}  // namespace
}  // namespace velarix
