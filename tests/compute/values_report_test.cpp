#include "compute/values_report.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velarix {
namespace {

struct ReportFixture {
  TWing wing;
  TSpanDistribution distribution;
  TWingCoefficients coefficients;
  ReportFixture() {
    resetToNewWing(wing);
    wing.wingFileName = "/home/pilot/Flügel/brett.flg";
    distribution.stationCount = 7;
    for (int j = 0; j <= 8; ++j) distribution.re[j] = 100000 + j;
    coefficients.wingArea = 0.2L;
    coefficients.wingLoading = 5;
    coefficients.yawingMoment = 0.000123L;
  }
  std::vector<std::string> report(const ReportSelection& s, bool profileDragValid = false) const {
    return fillValuesReport(wing, distribution, coefficients, profileDragValid, s);
  }
};

bool contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ValuesReport, AllItemsClearedLeavesTheNameAndTheNormalisationNote) {
  const ReportFixture f;
  EXPECT_EQ(f.report(ReportSelection::none()),
            (std::vector<std::string>{"Name des Flügels = brett.flg", "Info Normierung !",
                                      "Normierter Wert = Orginal Wert * t / 2 / b! ", "", ""}));
}

TEST(ValuesReport, WingCoefficientsFollowTheNameAfterAnEmptyLine) {
  const ReportFixture f;
  const auto lines = f.report(ReportSelection{});  // item 0, as the window starts
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], "Flächeninhalt (F) = 0,2 m^2");
  EXPECT_EQ(lines[3], "Flächenbelastung = 5 kg / m^2  = 50 g / dm^2");
  EXPECT_FALSE(contains(lines, "Giermomentbeiwert (CN) = 0,00012"));
  const auto valid = f.report(ReportSelection{}, true);
  EXPECT_TRUE(contains(valid, "Giermomentbeiwert (CN) = 0,00012"));
  EXPECT_EQ(valid.size(), lines.size() + 1);
}

TEST(ValuesReport, ReynoldsSectionListsBothTips) {
  const ReportFixture f;
  ReportSelection s = ReportSelection::none();
  s.ticked[static_cast<std::size_t>(ReportSection::ReynoldsNumbers)] = true;
  const auto lines = f.report(s);
  const auto first = std::find(lines.begin(), lines.end(), "Verteilung der Re-Zahlen");
  ASSERT_NE(first, lines.end());
  for (int j = 0; j <= 8; ++j) {
    EXPECT_EQ(*(first + 1 + j), "Re " + std::to_string(j) + ") =" + std::to_string(100000 + j));
  }
  EXPECT_EQ(*(first + 10), "");
}

TEST(ValuesReport, ProfileDragSectionsSayNotAvailableBeforeTheRun) {
  const ReportFixture f;
  ReportSelection s = ReportSelection::none();
  for (ReportSection r :
       {ReportSection::ProfileDrag, ReportSection::TotalDrag, ReportSection::PolarComputed}) {
    s.ticked[static_cast<std::size_t>(r)] = true;
  }
  const auto lines = f.report(s);
  const std::vector<std::string> tail(lines.end() - 6, lines.end());
  EXPECT_EQ(tail, (std::vector<std::string>{
                      "Verteilung der Profilwiderstandsbeiwerte nicht verfügbar !", "",
                      "Verteilung der Gesamtwiderstände nicht verfügbar !", "",
                      "Berechnet Flügelpolare nicht verfügbar !", ""}));
  const auto valid = f.report(s, true);
  EXPECT_EQ(valid.back(), "Gleitwinkel = 0 Grad") << "the valid polar ends without an empty line";
  EXPECT_TRUE(contains(valid, "cwp 7) =0"));
}

TEST(ValuesReport, DistributionLinesCarryTheirUnits) {
  ReportFixture f;
  f.distribution.ai[3] = 0.01L;
  f.distribution.xd[2] = 0.0625L;
  const auto lines = f.report(ReportSelection::all());
  EXPECT_TRUE(contains(lines, "ai 3) =0,573 Grad"));
  EXPECT_TRUE(contains(lines, "xd 2) =0,0625 m"));
  EXPECT_TRUE(contains(lines, "eta 1) =0 m"));
  EXPECT_TRUE(contains(lines, "Zahl der Stützstellen = 7"));
  EXPECT_TRUE(contains(lines, "Y-Koordinaten 'eta' der 7 Stützstellen in m "));
  EXPECT_EQ(reportSectionTitles()[2], "Zikulation  gamma[v]");
}

}  // namespace
}  // namespace velarix
