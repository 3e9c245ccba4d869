// Whole reports compared with reviewed files in data/. After a deliberate
// change of the report or of the computation, regenerate them with
//   VELARIX_UPDATE_GOLDEN=1 velarix_compute_tests --gtest_filter='ReportGolden*'
// and review the difference before committing it.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "compute/profile_drag.h"
#include "compute/values_report.h"
#include "support/fake_platform.h"
#include "wing/wing_file.h"

namespace velarix {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenFolder = fs::path(VELARIX_SOURCE_DIR) / "tests/compute/data";
const fs::path kExamples = fs::path(VELARIX_SOURCE_DIR) / "examples";

void expectGolden(const std::vector<std::string>& lines, const std::string& name) {
  const fs::path path = kGoldenFolder / name;
  const char* update = std::getenv("VELARIX_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) out << line << '\n';
    ASSERT_TRUE(out.good()) << path;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path << " is missing (VELARIX_UPDATE_GOLDEN=1 writes it)";
  std::vector<std::string> golden;
  for (std::string line; std::getline(in, line);) golden.push_back(line);
  for (std::size_t i = 0; i < std::min(lines.size(), golden.size()); ++i) {
    ASSERT_EQ(lines[i], golden[i]) << name << " line " << i + 1;
  }
  EXPECT_EQ(lines.size(), golden.size()) << name;
}

std::vector<std::string> report(const TWing& wing, const WingResults& r) {
  return fillValuesReport(wing, r.distribution, r.coefficients, r.profileDragValid,
                          ReportSelection::all());
}

TEST(ReportGolden, NewWingBeforeAndAfterTheProfileDrag) {
  TWing wing;
  resetToNewWing(wing);
  WingResults results;
  testing::FakePlatform platform;
  computeWing(wing, results, platform);
  ASSERT_TRUE(results.computed);
  expectGolden(report(wing, results), "new_wing_report.txt");

  const fs::path program = fs::path(VELARIX_BINARY_DIR) / "bin" / "velarix-analysis";
  if (!fs::exists(program)) GTEST_SKIP() << program << " is not built";
  std::string folder = (fs::temp_directory_path() / "velarix-golden-XXXXXX").string();
  ASSERT_NE(mkdtemp(folder.data()), nullptr);
  EpplerSettings settings;
  settings.programPath = program;
  settings.workFolder = folder;
  settings.pollCount = 300;  // a loaded (or sanitized) build
  const ProfileDragOutcome outcome = computeProfileDrag(wing, results, settings, platform);
  fs::remove_all(folder);
  ASSERT_EQ(outcome.status, ProfileDragStatus::Completed) << outcome.message;
  expectGolden(report(wing, results), "new_wing_report_profile_drag.txt");
}

TEST(ReportGolden, SweptExampleWing) {
  TWing wing;
  testing::FakePlatform platform;
  ASSERT_TRUE(
      loadWingFile(wing, kExamples / "nurfluegel_gepfeilt.flg", platform, kExamples.string()));
  WingResults results;
  computeWing(wing, results, platform);
  ASSERT_TRUE(results.computed);
  expectGolden(report(wing, results), "nurfluegel_gepfeilt_report.txt");
}

}  // namespace
}  // namespace velarix
