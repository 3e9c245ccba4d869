#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "airfoil/airfoil.h"
#include "airfoil_test_support.h"

namespace velarix {
namespace {

namespace fs = std::filesystem;

class AirfoilFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("velarix_airfoil_file_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path write(const std::string& name, const std::string& contents) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << contents;
    return path;
  }

  fs::path dir_;
};

const char* const kSmallAirfoil =
    "Test 1\n"
    "1.0 0.0\n"
    "0.5 0.06\n"
    "0.0 0.0\n"
    "0.5 -0.04\n"
    "1.0 0.0\n";

// Forms the reader accepts: CR line ends, tabs, a leading '+', an exponent, a
// number without leading zero, text after the second number, blank lines
// (also at the end, where they add no point), a Windows-1252 name.
TEST_F(AirfoilFile, AcceptsTheUsualVariantsOfTheFormat) {
  TAirfoil a;
  a.LoadFromFile(write("v.dat",
                       "Profil \xE4\x80 \r\n"
                       "1.0\t0.0\r\n"
                       "\r\n"
                       "  +5E-1   .06  comment\r\n"
                       "0 0\r\n"
                       "0.5 -4e-2\r\n"
                       "1.0 0.0\r\n"
                       "\r\n\n"));
  EXPECT_EQ(a.Name, "Profil \xC3\xA4\xE2\x82\xAC ");
  ASSERT_EQ(a.Count(), 5);
  EXPECT_EQ(a.point(1), (TCoord{0.5L, 0.06L}));
  EXPECT_EQ(a.point(3), (TCoord{0.5L, -0.04L}));
}

// A chain that runs over the lower surface first is turned round; it then
// gives the same airfoil as the file in the usual order.
TEST_F(AirfoilFile, TurnsALowerSurfaceFirstChainRound) {
  TAirfoil usual;
  usual.LoadFromFile(write("u.dat", kSmallAirfoil));
  TAirfoil turned;
  turned.LoadFromFile(write("l.dat", "Test 1\n1 0\n0.5 -0.04\n0 0\n0.5 0.06\n1 0\n"));
  EXPECT_EQ(turned.points(), usual.points());
}

TEST_F(AirfoilFile, SharedFilesLoadWithTheirNamesAndPointCounts) {
  VELARIX_REQUIRE_SHARED_AIRFOILS();
  struct Expected {
    const char* file;
    const char* name;
    int points;
  };
  const Expected files[] = {{"n0012.dat", " NACA 0012 AIRFOILS", 131},
                            {"mh45.dat", "MH 45  9.85% ", 67},
                            {"sd7037.dat", "  SD7037-092-88", 61},
                            {"s1223.dat", "S1223HiRes", 300},
                            {"naca2412.dat", "NAca 2412 By Naca.exe D. LEDNICER", 69}};
  for (const Expected& e : files) {
    TAirfoil a;
    a.LoadFromFile(testing::sharedAirfoilDirectory() / e.file);
    EXPECT_EQ(a.Name, e.name) << e.file;
    EXPECT_EQ(a.Count(), e.points) << e.file;
  }
  TAirfoil n0012;
  n0012.LoadFromFile(testing::sharedAirfoilDirectory() / "n0012.dat");
  const auto& p = n0012.points();
  EXPECT_TRUE(std::any_of(p.begin(), p.end(), [](const TCoord& c) { return c.Y == -0.0013419L; }))
      << "a number written without leading zero";
}

std::string manyPoints(int count) {
  std::string text = "many\n";
  text.reserve(static_cast<std::size_t>(count) * 12);
  const int half = count / 2;
  for (int i = 0; i < count; ++i) {
    const int k = i < half ? half - i : i - half;
    text += std::to_string(static_cast<double>(k) / half) + " 0\n";
  }
  return text;
}

// Every file that is no usable airfoil is refused with the file name, the
// line where there is one, and the reason; the airfoil keeps what it held.
TEST_F(AirfoilFile, RefusesUnusableFilesNamingFileLineAndReason) {
  struct Case {
    const char* what;
    std::string contents;
    std::vector<std::string> messageParts;
  };
  const std::string garbage("\x7f\x45\x4c\x46\x02\x01\x01\x00\x00\x00\n\x03\x00\x3e\x00\xff\xfe",
                            17);
  std::string millionPoints = "p\n";
  for (int i = 0; i < 1000000; ++i) millionPoints += "0 0\n";
  const std::vector<Case> cases = {
      {"empty", "", {"die Datei ist leer"}},
      {"name only", "nur ein Name\n", {"keine Koordinaten"}},
      {"name only without line end", "nur ein Name", {"keine Koordinaten"}},
      {"binary garbage", garbage, {"Zeile 2", "keine Zahl"}},
      {"one number", "p\n1 0\n0.5\n0 0\n1 0\n", {"Zeile 3", "nur eine Zahl"}},
      {"not a number", "p\n1 0\n0.5 abc\n0 0\n1 0\n", {"Zeile 3", "\"abc\" ist keine Zahl"}},
      {"comma decimal", "p\n1 0\n0,5 0,1\n0 0\n1 0\n", {"Zeile 3", "keine Zahl"}},
      {"comma separated", "p\n1 0\n0.5,0.1 x\n0 0\n1 0\n", {"Zeile 3", "keine Zahl"}},
      {"nan", "p\n1 0\n0.5 nan\n0 0\n0.5 0\n1 0\n", {"Zeile 3", "keine endliche Zahl"}},
      {"inf", "p\n1 0\ninf 0.1\n0 0\n0.5 0\n1 0\n", {"Zeile 3", "keine endliche Zahl"}},
      {"overflow", "p\n1 0\n0.5 1e99999\n0 0\n1 0\n", {"Zeile 3", "außerhalb des Zahlenbereichs"}},
      {"two points", "p\n1 0\n0 0\n", {"nur 2 Koordinatenpunkte"}},
      {"one surface", "p\n1 0\n0.5 0.05\n0 0\n", {"nur eine Profilseite"}},
      {"two noses", "p\n1 0\n0 0\n1 0\n0 0\n1 0\n", {"Zeile 5", "x fällt wieder"}},
      {"percent of chord", "p\n100 0\n50 6\n0 0\n50 -4\n100 0\n", {"Zeile 3", "Bruchteile"}},
      {"chord of two", "p\n2 0\n1 0.05\n0 0\n1 -0.05\n2 0\n", {"Hinterkante bei x = 1"}},
      {"ordinate too large", "p\n1 0\n0.5 6\n0 0\n0.5 -4\n1 0\n", {"Zeile 3", "y = 6"}},
      {"no nose", "p\n1 0\n0.5 0.05\n0.4 0\n0.5 -0.05\n1 0\n", {"Zeile 4", "Nase"}},
      {"lednicer",
       "p\n3. 3.\n\n0 0\n0.5 0.05\n1 0\n\n0 0\n0.5 -0.05\n1 0\n",
       {"Zeile 2", "Lednicer"}},
      {"a million points", millionPoints, {"mehr als 10000 Koordinatenpunkte"}},
  };
  for (const Case& c : cases) {
    const fs::path path = write("bad.dat", c.contents);
    TAirfoil a = testing::chain({{1, 0}, {0, 0}, {1, 0}});
    a.Name = "before";
    const TAirfoil before = a;
    try {
      a.LoadFromFile(path);
      ADD_FAILURE() << c.what << ": accepted";
    } catch (const AirfoilFileError& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find(path.string()), std::string::npos) << c.what << ": " << message;
      for (const std::string& part : c.messageParts) {
        EXPECT_NE(message.find(part), std::string::npos) << c.what << ": " << message;
      }
    }
    EXPECT_EQ(a, before) << c.what;
  }
}

TEST_F(AirfoilFile, RefusesAMissingFileAndADirectory) {
  TAirfoil a;
  for (const fs::path& path : {dir_ / "fehlt.dat", dir_}) {
    try {
      a.LoadFromFile(path);
      ADD_FAILURE() << path << " accepted";
    } catch (const AirfoilFileError& e) {
      EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
    }
  }
}

// Large files are read (the point limit is far above real airfoils) and a
// nose point with two neighbours at equal x, as EnsureLeadingEdgePoint makes
// them, passes the checks.
TEST_F(AirfoilFile, AcceptsLongFilesAndNeighboursWithEqualX) {
  TAirfoil a;
  a.LoadFromFile(write("long.dat", manyPoints(5001)));
  EXPECT_EQ(a.Count(), 5001);
  a.LoadFromFile(write("eq.dat", "p\n1 0\n0.001 0.003\n0 0.0001\n0.001 -0.003\n1 0\n"));
  EXPECT_EQ(a.Count(), 5);
  a.LoadFromFile(write("flat.dat", "p\n1 0\n0.5 0.05\n0.5 0.06\n0 0\n0 -0.01\n1 0\n"));
  EXPECT_EQ(a.Count(), 6);
}

}  // namespace
}  // namespace velarix
