// Wing files written before the standard sections were stored in them: the
// kink rows lack the columns 7..69 and the header row lacks the chord
// stations. Loading rebuilds them from the airfoil files.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "airfoil/airfoil.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "wing/cell_number.h"
#include "wing/text_encoding.h"
#include "wing/wing_file.h"

namespace velarix {
namespace {

using testing::FakePlatform;
using testing::TempDir;
using testing::writeBytes;

// A symmetric 12 % section (NACA four-digit thickness form), Selig order.
std::string symmetricAirfoilFile() {
  std::ostringstream out;
  out << "SYM12\n";
  const int n = 40;
  auto thickness = [](double x) {
    return 0.6 * (0.2969 * std::sqrt(x) - 0.1260 * x - 0.3516 * x * x + 0.2843 * x * x * x -
                  0.1036 * x * x * x * x);
  };
  for (int i = 0; i <= n; ++i) {
    const double x = 0.5 * (1 + std::cos(M_PI * i / n));
    out << x << ' ' << thickness(x) << '\n';
  }
  for (int i = n - 1; i >= 0; --i) {
    const double x = 0.5 * (1 + std::cos(M_PI * i / n));
    out << x << ' ' << -thickness(x) << '\n';
  }
  return out.str();
}

// An old-format file: the new wing's lines without the columns 9..69 of the
// header and 7..69 of the data rows, with the given airfoil names.
std::string oldFormatFile(const std::vector<std::string>& airfoils) {
  TWing wing;
  resetToNewWing(wing);
  for (int r = 1; r <= 3; ++r)
    wing.kinkTable.setCell(kColKinkAirfoil, r, airfoils[static_cast<std::size_t>(r - 1)]);
  std::vector<std::string> kept;
  bool inKinkSection = true;  // the kink section comes first
  for (const std::string& line : wingFileLines(wing)) {
    if (line.empty()) inKinkSection = false;
    int column = -1;
    int row = -1;
    if (inKinkSection && std::sscanf(line.c_str(), "%d,%d=", &column, &row) == 2 &&
        ((row == 0 && column >= kColKinkSection) || (row > 0 && column >= kColKinkAlpha0))) {
      continue;
    }
    kept.push_back(line);
  }
  return utf8ToWindows1252(joinLinesCrLf(kept));
}

struct Loaded {
  TWing wing;
  FakePlatform platform;
  bool ok = false;
};

void load(Loaded& result, const TempDir& dir, const std::vector<std::string>& airfoils) {
  writeBytes(dir / "alt.flg", oldFormatFile(airfoils));
  resetToNewWing(result.wing);
  result.ok = loadWingFile(result.wing, dir / "alt.flg", result.platform, dir.path().string());
}

TEST(WingFileOldFormat, RebuildsSectionsFromTheAirfoilFilesAndBlendsStrak) {
  TempDir dir;
  writeBytes(dir / "sym12.dat", symmetricAirfoilFile());
  Loaded r;
  load(r, dir, {"sym12.dat", "strak", "sym12.dat"});
  ASSERT_TRUE(r.ok) << (r.platform.errors.empty() ? "" : r.platform.errors[0].second);
  EXPECT_EQ(r.platform.messages, std::vector<int>{44});  // once for three old rows
  EXPECT_TRUE(r.platform.errors.empty());
  EXPECT_FALSE(r.wing.wingSaved);
  EXPECT_FALSE(isOldFormat(r.wing));

  const CellTable& k = r.wing.kinkTable;
  for (int i = 0; i < kSectionPoints; ++i) {
    EXPECT_EQ(k.cell(kColKinkSection + i, 0), formatCellNumber(sectionX(i))) << i;
  }
  // The kink's section is the file's standard section with its zero-lift
  // values, built the way the polar window builds an airfoil into a kink.
  TAirfoil expected;
  expected.LoadFromFile(dir / "sym12.dat");
  expected.EnsureLeadingEdgePoint();
  expected = expected.SmoothForWing(60);
  expected.ComputeCharacteristics();
  EXPECT_EQ(k.cell(kColKinkAlpha0, 1), formatCellNumber(expected.GetCharacteristic(kSlotAlpha0)));
  EXPECT_EQ(k.cell(kColKinkCm0, 1), formatCellNumber(expected.GetCharacteristic(kSlotCm0)));
  for (int i = 0; i < kSectionPoints; ++i) {
    EXPECT_EQ(k.cell(kColKinkSection + i, 1), formatCellNumber(expected.point(i).Y)) << i;
    EXPECT_EQ(k.cell(kColKinkSection + i, 3), k.cell(kColKinkSection + i, 1)) << i;
    // A blend between two equal sections is that section.
    EXPECT_EQ(k.cell(kColKinkSection + i, 2), k.cell(kColKinkSection + i, 1)) << i;
  }
  // Half thickness at mid-chord of the 12 % section 0.0529; symmetric, so
  // the zero-lift values are about zero.
  EXPECT_NEAR(static_cast<double>(kinkSectionY(r.wing, 1, 15)), 0.0529, 0.001);
  EXPECT_NEAR(static_cast<double>(kinkSectionY(r.wing, 1, 45)), -0.0529, 0.001);
  EXPECT_NEAR(static_cast<double>(k.number(kColKinkAlpha0, 2)), 0.0, 0.01);
  EXPECT_NEAR(static_cast<double>(k.number(kColKinkCm0, 2)), 0.0, 0.001);
}

TEST(WingFileOldFormat, MissingAndBrokenAirfoilsAreReportedAndTheLoadGoesOn) {
  TempDir dir;
  writeBytes(dir / "sym12.dat", symmetricAirfoilFile());
  writeBytes(dir / "kaputt.dat", "KAPUTT\n1 0\nzwei drei\n");
  Loaded r;
  load(r, dir, {"fehlt.dat", "kaputt.dat", "sym12.dat"});
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.platform.messages, (std::vector<int>{44, 25}));
  ASSERT_EQ(r.platform.errors.size(), 1u);
  EXPECT_NE(r.platform.errors[0].second.find("kaputt.dat"), std::string::npos);
  EXPECT_FALSE(r.wing.wingSaved);
  EXPECT_EQ(r.wing.kinkTable.cell(kColKinkSection + 5, 1), "");
  EXPECT_EQ(r.wing.kinkTable.cell(kColKinkSection + 5, 2), "");
  EXPECT_NE(r.wing.kinkTable.cell(kColKinkSection + 5, 3), "");
}

TEST(WingFileOldFormat, BlendWithoutSourceSectionIsReportedButTheWingLoads) {
  TempDir dir;
  writeBytes(dir / "sym12.dat", symmetricAirfoilFile());
  Loaded r;
  load(r, dir, {"fehlt.dat", "strak", "sym12.dat"});
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.platform.messages, (std::vector<int>{44, 25}));
  EXPECT_EQ(r.platform.errors.size(), 1u);
  EXPECT_EQ(r.wing.kinkTable.cell(kColKinkAirfoil, 2), "strak");
  EXPECT_FALSE(r.wing.wingSaved);
}

TEST(WingFileOldFormat, AirfoilPathJoinsDirectoryAndName) {
  EXPECT_EQ(airfoilFilePath("/daten/profile", "e387.dat"), "/daten/profile/e387.dat");
  EXPECT_EQ(airfoilFilePath("/daten/profile/", "e387.dat"), "/daten/profile/e387.dat");
  EXPECT_EQ(airfoilFilePath("", "e387.dat"), "/e387.dat");
}

}  // namespace
}  // namespace velarix
