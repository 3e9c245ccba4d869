// Listing of the analysis program: page-header cleanup, the parser on a
// listing written for the tests (data/make_listings.py states the rule behind
// every value), malformed listings, and the bubble drag correction.
#include "airfoil/eppler_listing.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/tolerance.h"

namespace velarix {
namespace {

using velarix::testing::near;

const std::string kDataDir = VELARIX_SOURCE_DIR "/tests/airfoil/data/";
constexpr int kAngles = 16;
constexpr int kRows = 12;

std::vector<std::string> readListing(const std::string& name) {
  std::ifstream in(kDataDir + name, std::ios::binary);
  EXPECT_TRUE(in) << "missing " << name;
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

std::vector<std::string> cleanedListing() {
  std::vector<std::string> lines = readListing("listing_two_reynolds_sixteen_angles.out");
  cleanupEpplerListing(lines);
  return lines;
}

Real angleOf(int m) { return m - 2; }

TEST(EpplerListingCleanup, RemovesPageHeadersInsideVelocityTablesOnly) {
  const std::vector<std::string> raw = readListing("listing_two_reynolds_sixteen_angles.out");
  const std::vector<std::string> lines = cleanedListing();
  ASSERT_EQ(lines.size(), raw.size() - 3);
  // Headers outside the tables stay: the first page and the one before the
  // second table.
  int pageHeaders = 0;
  for (const std::string& line : lines) pageHeaders += line.starts_with("1AIRFOIL");
  EXPECT_EQ(pageHeaders, 2);
  EXPECT_EQ(lines[0].substr(0, 8), "1AIRFOIL");
  // Row 6 now follows row 5 directly.
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i].starts_with("   5  0.63")) {
      EXPECT_TRUE(lines[i + 1].starts_with("   6  0.54"));
    }
  }
}

TEST(EpplerListingCleanup, PageHeaderRightBeforeSummaryDoesNotSwallowTheNextTable) {
  std::vector<std::string> lines = {" ALPHA(DEG)  1.000",
                                    "   N     X/C",
                                    "   1  1.0000000  0.0000000 1.0000",
                                    "1AIRFOIL X , 0.00 % FLAP   0.00",
                                    " MACH = 0",
                                    " SUMMARY",
                                    " ALPHA(DEG)  2.000",
                                    "   N     X/C",
                                    "   1  1.0000000  0.0000000 1.1000",
                                    " SUMMARY"};
  cleanupEpplerListing(lines);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[3], " SUMMARY");
  EXPECT_EQ(lines[5], "   N     X/C");
}

TEST(EpplerListingParser, ReadsEveryFieldOfTwoReynoldsNumbersAndTwoTables) {
  const TEpplerResult result = parseEpplerListing(cleanedListing());
  EXPECT_TRUE(result.valid);
  EXPECT_EQ(result.reynoldsNumbers, (std::vector<Real>{200000, 400000}));
  EXPECT_EQ(result.roughnessCode, 0);
  EXPECT_EQ(result.flapChordPercent, 25);
  EXPECT_EQ(result.flapDeflectionDeg, 10);
  ASSERT_EQ(result.anglesDeg.size(), static_cast<std::size_t>(kAngles));
  EXPECT_TRUE(near(result.anglesDeg[6], 4.0004L, 0, 1e-12L));
  ASSERT_EQ(result.points.size(), 2u);
  for (int k = 0; k < 2; ++k) {
    ASSERT_EQ(result.points[k].size(), static_cast<std::size_t>(kAngles));
    for (int m = 0; m < kAngles; ++m) {
      SCOPED_TRACE("k " + std::to_string(k) + " m " + std::to_string(m));
      const EpplerPolarPoint& p = result.points[k][m];
      EXPECT_TRUE(p.listed);
      EXPECT_TRUE(near(p.cl, 0.1L * angleOf(m) + 0.2L + 0.01L * k, 0, 1e-9L));
      EXPECT_TRUE(near(p.cd, 0.008L + 0.0001L * m + 0.001L * k, 0, 1e-9L));
      EXPECT_TRUE(near(p.cm, -0.05L - 0.001L * k, 0, 1e-9L));
      EXPECT_TRUE(near(p.transitionUpper, 0.60L - 0.01L * m, 0, 1e-9L));
      EXPECT_TRUE(near(p.transitionLower, 0.40L + 0.01L * m, 0, 1e-9L));
      EXPECT_EQ(p.bubbleUpper, m == 0 || m == 3);
      EXPECT_EQ(p.bubbleLower, m == 5 && k == 0);
    }
  }
}

// The same fields surrounded by the extra text an analysis program prints:
// note lines, text after the angle and after "SUMMARY", a " MACH" angle line.
TEST(EpplerListingParser, ReadsTheFieldsBetweenDecorations) {
  std::vector<std::string> lines = readListing("listing_one_table_with_notes.out");
  const std::size_t before = lines.size();
  cleanupEpplerListing(lines);
  EXPECT_EQ(lines.size(), before);
  const TEpplerResult result = parseEpplerListing(lines);
  EXPECT_EQ(result.flapChordPercent, 20);
  EXPECT_EQ(result.flapDeflectionDeg, 5);
  EXPECT_EQ(result.roughnessCode, 5);
  EXPECT_EQ(result.reynoldsNumbers, (std::vector<Real>{100000, 300000}));
  EXPECT_EQ(result.anglesDeg, (std::vector<Real>{-1, 0, 1}));
  ASSERT_EQ(result.points.size(), 2u);
  for (int k = 0; k < 2; ++k) {
    for (int m = 0; m < 3; ++m) {
      SCOPED_TRACE("k " + std::to_string(k) + " m " + std::to_string(m));
      const EpplerPolarPoint& p = result.points[k][m];
      ASSERT_TRUE(p.listed);
      EXPECT_TRUE(near(p.cl, 0.3L + 0.1L * (m - 1) + 0.02L * k, 0, 1e-9L));
      EXPECT_TRUE(near(p.cd, 0.0123L + 0.001L * m - 0.002L * k, 0, 1e-9L));
      EXPECT_TRUE(near(p.cm, -0.0812L + 0.0001L * m, 0, 1e-9L));
      EXPECT_TRUE(near(p.transitionUpper, 0.40L - 0.05L * k, 0, 1e-9L));
      EXPECT_TRUE(near(p.transitionLower, 0.70L, 0, 1e-9L));
      EXPECT_EQ(p.bubbleUpper, m == 0 && k == 0);
      EXPECT_FALSE(p.bubbleLower);
    }
  }
  ASSERT_EQ(result.velocityChordPositions.size(), 4u);
  EXPECT_TRUE(near(result.velocityChordPositions[1], 0.66667L, 0, 1e-12L));
  EXPECT_TRUE(near(result.velocityRatios[2][3], 1.07L, 0, 1e-12L));
}

TEST(EpplerListingParser, VelocityColumnsBelongToTheAnglesOfTheirTable) {
  const TEpplerResult result = parseEpplerListing(cleanedListing());
  ASSERT_EQ(result.velocityChordPositions.size(), static_cast<std::size_t>(kRows));
  EXPECT_EQ(result.velocityChordPositions.front(), 1);
  EXPECT_EQ(result.velocityChordPositions.back(), 0);
  ASSERT_EQ(result.velocityRatios.size(), static_cast<std::size_t>(kAngles));
  for (int m = 0; m < kAngles; ++m) {
    ASSERT_EQ(result.velocityRatios[m].size(), static_cast<std::size_t>(kRows)) << "m " << m;
    for (int r = 0; r < kRows; ++r) {
      EXPECT_TRUE(near(result.velocityRatios[m][r], 1 + 0.01L * m + 0.001L * r, 0, 1e-9L))
          << "m " << m << " row " << r;
    }
  }
}

TEST(EpplerListingParser, AngleBlocksMatchListedAnglesToAThousandth) {
  const std::vector<std::string> base = cleanedListing();
  // "4.0004" in the table and "4.000" in the block are the same angle; a
  // block for 20 degrees matches nothing and is skipped.
  const TEpplerResult result = parseEpplerListing(base);
  EXPECT_TRUE(result.points[0][6].listed);
  EXPECT_TRUE(near(result.points[0][6].cl, 0.6L, 0, 1e-9L));

  struct Case {
    const char* blockAngle;
    int expectedIndex;  // -1: no angle matches
  };
  const Case cases[] = {{"  4.000", 6}, {" 3.9996", 6}, {"  4.001", -1},
                        {"-0.0004", 2}, {"  0,000", 2}, {"  20.00", -1}};
  for (const Case& c : cases) {
    std::vector<std::string> lines = base;
    // Replace the angle of the block for 5 degrees (m = 7) and give it a CL
    // that no other block has.
    for (std::size_t l = 0; l < lines.size(); ++l) {
      if (lines[l] == "0 ALPHA =   5.000") {
        lines[l] = std::string("0 ALPHA =") + c.blockAngle;
        lines[l + 4].replace(lines[l + 4].find("CL=") + 3, 6, " 9.999");
      }
    }
    const TEpplerResult changed = parseEpplerListing(lines);
    for (int m = 0; m < kAngles; ++m) {
      const bool hit = changed.points[0][m].cl > 9;
      EXPECT_EQ(hit, m == c.expectedIndex) << c.blockAngle << " at m " << m;
    }
  }
}

TEST(EpplerListingParser, RepeatedReynoldsLineAddsNothingNewNumbersAppend) {
  const std::vector<std::string> header = {" ALPHA(DEG)  1.000", "   N     X/C",
                                           "   1  1.0000000  0.0000000 1.0000", " SUMMARY"};
  auto block = [](const char* cl) {
    return std::vector<std::string>{"0 ALPHA =   1.000",
                                    "",
                                    " UPPER    0.5000",
                                    " LOWER    0.5000",
                                    std::string("   CL=") + cl + " CD=0.01000",
                                    "   CM=-0.0500"};
  };
  std::vector<std::string> lines = header;
  lines.push_back("0         R =   100000   MU=  5.00");
  for (const auto& l : block(" 0.100")) lines.push_back(l);
  lines.push_back("0         R =   100000   MU=  5.00");
  for (const auto& l : block(" 0.200")) lines.push_back(l);
  lines.push_back("0         R =   300000   MU=  5.00");
  for (const auto& l : block(" 0.300")) lines.push_back(l);
  const TEpplerResult result = parseEpplerListing(lines);
  EXPECT_EQ(result.reynoldsNumbers, (std::vector<Real>{100000, 300000}));
  EXPECT_EQ(result.roughnessCode, 5);
  EXPECT_TRUE(near(result.points[0][0].cl, 0.2L, 0, 1e-9L));
  EXPECT_TRUE(near(result.points[1][0].cl, 0.3L, 0, 1e-9L));
}

// Mutations of the good listing: each either parses or raises the listing
// error that names the offending line; none may crash or read past a line.
TEST(EpplerListingParser, MalformedListingsRaiseTheListingError) {
  const std::vector<std::string> base = cleanedListing();
  auto firstLine = [&](const std::string& prefix) {
    for (std::size_t l = 0; l < base.size(); ++l) {
      if (base[l].starts_with(prefix)) return l;
    }
    ADD_FAILURE() << "no line " << prefix;
    return std::size_t{0};
  };
  struct Case {
    const char* what;
    std::function<void(std::vector<std::string>&)> change;
    std::size_t errorLine;  // 1-based, 0: not checked
  };
  const std::size_t firstCl = firstLine("   CL=");
  const std::size_t row3 = firstLine("   3  0.81");
  const Case cases[] = {
      {"chord position not a number", [&](auto& lines) { lines[row3].replace(6, 3, "1.x"); },
       row3 + 1},
      {"short velocity row", [&](auto& lines) { lines[row3].resize(40); }, row3 + 1},
      {"angle of the table not a number",
       [&](auto& lines) { lines[firstLine(" ALPHA(DEG)")].replace(20, 1, "x"); },
       firstLine(" ALPHA(DEG)") + 1},
      {"missing SUMMARY lines", [](auto& lines) { std::erase(lines, std::string(" SUMMARY")); }, 0},
      {"CM key missing", [&](auto& lines) { lines[firstCl + 1] = "   CX=-0.0500"; }, firstCl + 2},
      {"Reynolds number not a number",
       [&](auto& lines) { lines[firstLine("0         R")].replace(16, 3, "1x0"); },
       firstLine("0         R") + 1},
      {"table header on the first line",
       [](auto& lines) { lines.insert(lines.begin(), "   N     X/C"); }, 1},
      {"angle block before the Reynolds line",
       [&](auto& lines) { lines.erase(lines.begin() + std::ptrdiff_t(firstLine("0         R"))); },
       firstLine("0         R") + 1},
      {"flap chord not a number",
       [](auto& lines) { lines[0] = "1AIRFOIL TEST , 2x.00 % FLAP  10.00"; }, 1},
  };
  for (const Case& c : cases) {
    std::vector<std::string> lines = base;
    c.change(lines);
    try {
      parseEpplerListing(lines);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const EpplerListingError& e) {
      if (c.errorLine != 0) {
        EXPECT_EQ(e.line(), c.errorLine) << c.what << ": " << e.what();
      }
      EXPECT_NE(std::string(e.what()).find("Listing"), std::string::npos);
    }
  }
}

TEST(EpplerListingParser, PointWithAFieldThatIsNoNumberIsLeftUnlisted) {
  std::vector<std::string> lines = cleanedListing();
  int changed = 0;
  for (std::size_t l = 0; l < lines.size(); ++l) {
    if (lines[l] == "0 ALPHA =   1.000") {  // m = 3: the CD of the second group
      std::string& drag = lines[l + 4];
      drag.replace(drag.rfind("CD=") + 3, 7, "    nan");
      ++changed;
    }
    if (lines[l] == "0 ALPHA =   2.000") {  // m = 4: the upper t of the first group
      lines[l + 2].replace(10, 6, "******");
      ++changed;
    }
  }
  ASSERT_EQ(changed, 2);
  const TEpplerResult result = parseEpplerListing(lines);
  for (int k = 0; k < 2; ++k) {
    for (int m = 0; m < kAngles; ++m) {
      const bool broken = (k == 1 && m == 3) || (k == 0 && m == 4);
      EXPECT_EQ(result.points[k][m].listed, !broken) << "k " << k << " m " << m;
    }
  }
  EXPECT_EQ(result.points[1][3].cd, 0);
  EXPECT_FALSE(result.points[1][3].bubbleUpper);
}

TEST(EpplerListingParser, EveryTruncationEitherParsesOrRaisesTheListingError) {
  const std::vector<std::string> base = cleanedListing();
  for (std::size_t count = 0; count <= base.size(); ++count) {
    std::vector<std::string> lines(base.begin(), base.begin() + std::ptrdiff_t(count));
    // Cut the last line in half as well: a listing that stops mid-line.
    if (!lines.empty()) lines.back().resize(lines.back().size() / 2);
    try {
      const TEpplerResult result = parseEpplerListing(lines);
      EXPECT_TRUE(result.valid);
      EXPECT_EQ(result.points.size(), result.reynoldsNumbers.size());
    } catch (const EpplerListingError&) {
    }
  }
}

// Regression: an empty line inside a velocity table was tested for "SUMMARY"
// at column 2 beyond its end and threw std::out_of_range.
TEST(EpplerListingParser, EmptyLineInsideAVelocityTable) {
  std::vector<std::string> lines = {" ALPHA(DEG)  1.000",
                                    "   N     X/C",
                                    "",
                                    "   1  1.0000000  0.0000000 1.2500",
                                    "",
                                    " SUMMARY"};
  cleanupEpplerListing(lines);
  const TEpplerResult result = parseEpplerListing(lines);
  ASSERT_EQ(result.velocityRatios.size(), 1u);
  EXPECT_EQ(result.velocityRatios[0], std::vector<Real>{1.25L});
}

TEST(EpplerListingParser, StrayTextBetweenBlocksIsIgnored) {
  std::vector<std::string> lines = cleanedListing();
  lines.insert(lines.begin() + 3, std::string("\x01\xff garbage \t", 13));
  lines.insert(lines.begin() + 3, "");
  EXPECT_TRUE(parseEpplerListing(lines).valid);
  EXPECT_TRUE(parseEpplerListing({}).valid);
  EXPECT_FALSE(parseEpplerListing({}).hasPolarPoints());
}

TEST(EpplerListingParser, StationDragReadsTheFirstBlock) {
  const std::optional<Real> cd = stationDragCoefficient(cleanedListing());
  ASSERT_TRUE(cd);
  EXPECT_TRUE(near(*cd, 0.008L, 0, 1e-12L));
  EXPECT_FALSE(stationDragCoefficient({"0 ALPHA =   1.000", "", "", ""}));
  EXPECT_FALSE(stationDragCoefficient({"0 ALPHA =   1.000", "", "", "", "   CL= 0.1 CD=  abc"}));
  EXPECT_FALSE(stationDragCoefficient({}));
}

TEST(BubbleCorrection, DragIncrementOfTheEmpiricalFit) {
  struct Case {
    Real transition;
    Real reynolds;
    Real increment;
  };
  const Case cases[] = {
      {0.65L, 100000, 0.003L + 0.05625L * 0.35L * 0.35L},  // x = 0.35: Re_lim = 200000
      {0.65L, 200000, 0},                                  // nothing at Re_lim
      {0.65L, 150000, (0.003L + 0.05625L * 0.35L * 0.35L) / 2},
      {0.65L, 250000, 0},       // above Re_lim
      {0.50L, 100000, 0.006L},  // x = 0.5: the linear branch
      {0.30L, 100000, 0},       // x = 0.7: no bubble drag
      {1.20L, 100000, 0},       // x < 0
      {-0.1L, 100000, 0},       // x > 1
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(near(bubbleDragIncrement(c.transition, c.reynolds), c.increment, 1e-6L, 1e-10L))
        << "t " << double(c.transition) << " Re " << double(c.reynolds);
  }
}

TEST(BubbleCorrection, AddsBothSurfacesWhereAMarkerIsSetOnly) {
  const TEpplerResult before = parseEpplerListing(cleanedListing());
  TEpplerResult after = before;
  applyBubbleCorrection(after);
  for (int k = 0; k < 2; ++k) {
    for (int m = 0; m < kAngles; ++m) {
      const EpplerPolarPoint& p = before.points[k][m];
      const Real reynolds = before.reynoldsNumbers[k];
      const Real expected = (p.bubbleUpper || p.bubbleLower)
                                ? p.cd + bubbleDragIncrement(p.transitionUpper, reynolds) +
                                      bubbleDragIncrement(p.transitionLower, reynolds)
                                : p.cd;
      EXPECT_EQ(after.points[k][m].cd, expected) << "k " << k << " m " << m;
    }
  }
  // m = 0 at Re 200000: upper x = 0.4 lies just below its Re_lim of 201480.
  EXPECT_GT(after.points[0][0].cd, before.points[0][0].cd);
}

}  // namespace
}  // namespace velarix
