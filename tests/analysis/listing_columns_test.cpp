// End-to-end runs of velarix-analysis and an independent reading of the
// listing fields at their fixed columns (1-based as the main program reads
// them), written here without the analysis library's own code.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "card_text.h"

namespace velarix::analysis::testing {
namespace {

namespace fs = std::filesystem;

struct RunResult {
  int status = -1;
  std::string listing;  // empty when no listing was written
  std::string errors;
};

RunResult runProgram(const std::string& cards, const std::string& tag) {
  const fs::path dir = fs::path(VELARIX_BINARY_DIR) / "analysis-test-runs" / tag;
  fs::create_directories(dir);
  std::ofstream(dir / "EPP.in", std::ios::binary) << cards;
  fs::remove(dir / "EPP.out");
  const std::string program = (fs::path(VELARIX_BINARY_DIR) / "bin" / "velarix-analysis").string();
  const std::string command = "cd '" + dir.string() + "' && '" + program + "' EPP.in EPP.out 2> stderr.txt";
  RunResult result;
  const int raw = std::system(command.c_str());
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream out(dir / "EPP.out", std::ios::binary), err(dir / "stderr.txt");
  std::stringstream listing, errors;
  if (out) listing << out.rdbuf();
  errors << err.rdbuf();
  result.listing = listing.str();
  result.errors = errors.str();
  return result;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

// n characters from 1-based column c (shorter at the end of the line).
std::string field(const std::string& line, std::size_t column, std::size_t n) {
  return column - 1 < line.size() ? line.substr(column - 1, n) : std::string();
}

double number(const std::string& text) {
  return std::stod(text);  // test-only: digits, sign and a point
}

bool startsWith(const std::string& line, const std::string& prefix) { return line.rfind(prefix, 0) == 0; }

TEST(AnalysisListing, FieldsStandAtTheirColumns) {
  const CardSection section = nacaSection(0.02, 0.4, 0.12, 31);
  std::vector<double> angles;
  for (int i = 0; i < 16; ++i) angles.push_back(-2.0 + 0.5 * i);  // two velocity tables
  const RunResult run = runProgram(cardText(section, angles, {200000, 1000000}, 0.0, 25.0, 5.0), "columns");
  ASSERT_EQ(run.status, 0) << run.errors;
  const auto text = lines(run.listing);

  // "1AIRFOIL": flap chord between ", " and "%", deflection the 7 characters after "FLAP".
  ASSERT_TRUE(startsWith(text.at(0), "1AIRFOIL"));
  const std::string& airfoil = text[0];
  const std::size_t comma = airfoil.find(',');
  const std::size_t percent = airfoil.find('%', comma);
  EXPECT_DOUBLE_EQ(number(airfoil.substr(comma + 2, percent - comma - 2)), 25.0);
  EXPECT_DOUBLE_EQ(number(airfoil.substr(airfoil.find("FLAP") + 4, 7)), 5.0);

  std::vector<double> listedAngles;
  std::size_t tables = 0, rows = 0;
  double firstRowX = -1.0, firstRowSpeed = -1.0;
  std::vector<double> reynolds;
  std::string roughness;
  std::size_t blocks = 0;
  for (std::size_t l = 0; l < text.size(); ++l) {
    const std::string& line = text[l];
    if (startsWith(line, "   N")) {
      ++tables;
      // Angles: after the first two consecutive blanks of the line before.
      std::string before = text.at(l - 1);
      before = before.substr(before.find("  ") + 1);
      std::istringstream angleTexts(before);
      std::size_t inTable = 0;
      for (std::string a; angleTexts >> a; ++inTable) listedAngles.push_back(number(a));
      for (++l; l < text.size() && field(text[l], 2, 7) != "SUMMARY"; ++l) {
        ++rows;
        const double x = number(field(text[l], 5, 11));
        EXPECT_GE(x, -0.01);
        EXPECT_LE(x, 1.01);
        for (std::size_t j = 0; j < inTable; ++j) {
          const double v = number(field(text[l], 27 + 7 * j, 7));
          EXPECT_TRUE(v >= 0.0 && v < 5.0) << text[l];
        }
        if (firstRowX < 0.0) {
          firstRowX = x;
          firstRowSpeed = number(field(text[l], 27, 7));
        }
      }
      ASSERT_LT(l, text.size()) << "velocity table without SUMMARY";
    } else if (startsWith(line, "0         R")) {
      roughness = field(line, line.find("MU") + 1 + 3, 6);
      std::string rest = line;
      for (std::size_t r = rest.find('R'); r != std::string::npos; r = rest.find('R')) {
        reynolds.push_back(number(rest.substr(r + 3, 9)));
        rest.erase(r, 12);
      }
    } else if (startsWith(line, "0 ALPHA")) {
      ++blocks;
      const double alpha = number(line.substr(line.find('=') + 1, 7));
      EXPECT_NEAR(alpha, angles.at(blocks - 1), 1e-9);
      const std::string& upper = text.at(l + 2);
      const std::string& lower = text.at(l + 3);
      std::string coefficients = text.at(l + 4);
      std::string moments = text.at(l + 5);
      for (std::size_t k = 0; k < 2; ++k) {
        const double tUpper = number(field(upper, 11 + 24 * k, 6));
        const double tLower = number(field(lower, 11 + 24 * k, 6));
        EXPECT_TRUE(tUpper >= 0.0 && tUpper <= 1.0 && tLower >= 0.0 && tLower <= 1.0);
        const std::string mark = field(upper, 31 + 24 * k, 1);
        EXPECT_TRUE(mark == "*" || mark == " " || mark.empty()) << upper;
        const std::size_t cl = coefficients.find("CL=");
        ASSERT_NE(cl, std::string::npos);
        const double clValue = number(coefficients.substr(cl + 3, 6));
        coefficients.erase(0, cl + 3);
        const std::size_t cd = coefficients.find("CD=");
        ASSERT_NE(cd, std::string::npos);
        const double cdValue = number(coefficients.substr(cd + 3, 7));
        coefficients.erase(0, cd + 3);
        const std::size_t cm = moments.find("CM=");
        ASSERT_NE(cm, std::string::npos);
        const double cmValue = number(moments.substr(cm + 3, 7));
        moments.erase(0, cm + 3);
        EXPECT_TRUE(clValue > -1.0 && clValue < 2.0);
        EXPECT_TRUE(cdValue > 0.002 && cdValue < 0.05) << cdValue;
        EXPECT_TRUE(cmValue > -0.2 && cmValue < 0.05);
      }
      l += 5;
    }
  }
  EXPECT_EQ(tables, 2u);
  EXPECT_EQ(rows, 2u * 61u);
  ASSERT_EQ(listedAngles.size(), angles.size());
  for (std::size_t m = 0; m < angles.size(); ++m) EXPECT_NEAR(listedAngles[m], angles[m], 1e-9);
  ASSERT_EQ(reynolds.size(), 2u);
  EXPECT_DOUBLE_EQ(reynolds[0], 200000.0);
  EXPECT_DOUBLE_EQ(reynolds[1], 1000000.0);
  EXPECT_DOUBLE_EQ(number(roughness), 0.0);
  EXPECT_EQ(blocks, angles.size());
  // Row 1 is the trailing edge, moved down by the 5 deg flap; its speed is finite.
  EXPECT_NEAR(firstRowX, 1.0, 0.01);
  EXPECT_TRUE(firstRowSpeed > 0.3 && firstRowSpeed < 1.2);
}

TEST(AnalysisListing, StationRunGivesDragInTheFourthLineAfterAlpha) {
  // The station drag run: one angle, one Reynolds number, roughness 5.
  const CardSection section = nacaSection(0.0, 0.0, 0.12, 31);
  const RunResult run = runProgram(cardText(section, {2.0}, {500000}, 5.0), "station");
  ASSERT_EQ(run.status, 0) << run.errors;
  const auto text = lines(run.listing);
  std::size_t alpha = 0;
  while (alpha < text.size() && !startsWith(text[alpha], "0 ALPHA")) ++alpha;
  ASSERT_LT(alpha + 4, text.size());
  const std::string& line = text[alpha + 4];
  const double cd = number(line.substr(line.find("CD=") + 3, 7));
  EXPECT_GT(cd, 0.005);
  EXPECT_LT(cd, 0.02);
  for (const std::string& l : text) {
    if (startsWith(l, "0         R")) {
      EXPECT_DOUBLE_EQ(number(field(l, l.find("MU") + 1 + 3, 6)), 5.0);
    }
  }
}

struct BadInput {
  const char* name;
  std::string cards;
  const char* message;  // part of the error text
};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(AnalysisRobustness, UnusableInputGivesAnErrorAndNoListing) {
  const CardSection good = nacaSection(0.02, 0.4, 0.12, 31);
  const std::string goodCards = cardText(good, {0.0, 2.0}, {200000}, 0.0);
  CardSection few = nacaSection(0.0, 0.0, 0.12, 4);
  CardSection crossing = good;
  for (std::size_t i = 10; i < 20; ++i) std::swap(crossing.upperY[i], crossing.lowerY[i]);
  CardSection flat = good;
  for (std::size_t i = 0; i < flat.upperY.size(); ++i) flat.upperY[i] = flat.lowerY[i] = 0.0;
  const std::vector<BadInput> cases = {
      {"fewer than ten points", cardText(few, {0.0}, {200000}, 0.0), "too few points"},
      {"crossing surfaces", cardText(crossing, {0.0}, {200000}, 0.0), "cross"},
      {"zero thickness", cardText(flat, {0.0}, {200000}, 0.0), "thickness"},
      {"NaN coordinate", replaced(goodCards, "0.0000000", "nan      "), "not a number"},
      {"unknown card", replaced(goodCards, "ENDE", "XYZW 12\nENDE"), "unknown card"},
      {"missing ENDE", replaced(goodCards, "ENDE\n", ""), "ENDE"},
      {"angle field not a number", replaced(goodCards, "ALFA  1  2    0  200", "ALFA  1  2    0  2x0"), "angle"},
      {"Reynolds number 0", replaced(goodCards, " 0000  200", " 0000    0"), "below 1000"},
      {"empty file", "", "empty"},
  };
  for (const BadInput& bad : cases) {
    SCOPED_TRACE(bad.name);
    const RunResult run = runProgram(bad.cards, "bad");
    EXPECT_NE(run.status, 0);
    EXPECT_TRUE(run.listing.empty());
    EXPECT_NE(run.errors.find(bad.message), std::string::npos) << run.errors;
  }
}

TEST(AnalysisRobustness, ExtremeButValidRunsGiveFiniteListings) {
  const CardSection section = nacaSection(0.02, 0.4, 0.12, 31);
  std::vector<double> manyAngles;
  for (int i = 0; i < 255; ++i) manyAngles.push_back(-10.0 + 0.1 * i);
  // Noisy points: one x out of order and a spike in the lower surface.
  CardSection rough = nacaSection(0.02, 0.4, 0.12, 31);
  rough.upperX[14] = 0.8954716;
  rough.lowerY[1] = -0.0732697;
  struct Extreme {
    const char* name;
    std::string cards;
  };
  const std::vector<Extreme> cases = {
      {"255 angles, 5 Reynolds numbers", cardText(section, manyAngles, {60000, 100000, 200000, 400000, 800000}, 0.0)},
      {"flap 89 deg", cardText(section, {-5.0, 0.0, 10.0}, {200000}, 0.0, 25.0, 89.0)},
      {"flap -89 deg", cardText(section, {0.0}, {200000}, 9.0, 40.0, -89.0)},
      {"Reynolds number 1000", cardText(section, {-20.0, 0.0, 15.0, 89.0}, {1000}, 0.0)},
      {"heavy icing at Re 9e7", cardText(section, {0.0, 8.0}, {99000000}, 9.0)},
      {"noisy points", cardText(rough, {-10.0, -4.0, 0.0, 4.0, 8.0, 12.0}, {60000, 200000, 800000}, 5.0)},
  };
  for (const Extreme& extreme : cases) {
    SCOPED_TRACE(extreme.name);
    const auto start = std::chrono::steady_clock::now();
    const RunResult run = runProgram(extreme.cards, "extreme");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_LT(seconds, 6.0);  // the time the main program allows one run
    EXPECT_FALSE(run.listing.empty());
    EXPECT_EQ(run.listing.find("nan"), std::string::npos);
    EXPECT_EQ(run.listing.find("inf"), std::string::npos);
    EXPECT_NE(run.listing.find("END OF LISTING"), std::string::npos);
  }
}

}  // namespace
}  // namespace velarix::analysis::testing
