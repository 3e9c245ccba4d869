// Runs of a real process (a stand-in program built with the tests): the
// completed run with its card file, arguments and folder, the time-out with
// the process gone afterwards, a program that writes no listing, a program
// that does not exist, and listings that cannot be read.
#include "airfoil/eppler_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace velarix {
namespace {

namespace fs = std::filesystem;

const std::string kListing =
    VELARIX_SOURCE_DIR "/tests/airfoil/data/listing_two_reynolds_sixteen_angles.out";

class RecordingPlatform : public Platform {
 public:
  std::vector<std::pair<std::string, std::string>> errors;
  Answer showMessage(int) override { return Answer::Ok; }
  void showError(std::string_view caption, std::string_view text) override {
    errors.emplace_back(std::string(caption), std::string(text));
  }
};

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> readLines(const fs::path& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

class EpplerRun : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "velarix-run-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    settings_.programPath = VELARIX_FAKE_ANALYSIS_PROGRAM;
    settings_.workFolder = folder_ / "work";  // created by the run
    settings_.pollInterval = std::chrono::milliseconds(20);
    settings_.pollCount = 250;  // five seconds for a busy machine
    setenv("VELARIX_FAKE_LISTING", kListing.c_str(), 1);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    unsetenv("VELARIX_FAKE_MODE");
  }

  static EpplerCardInputs inputs() {
    EpplerCardInputs in;
    in.airfoil.Name = "Dreieck";
    for (const TCoord p :
         std::vector<TCoord>{{1, 0}, {0.5L, 0.04L}, {0, 0}, {0.5L, -0.02L}, {1, 0}}) {
      in.airfoil.AddPoint(p);
    }
    in.reynoldsNumbers = {200000, 400000};
    in.anglesDeg = epplerAngleSequence(-2, 1, 13);
    return in;
  }

  fs::path folder_;
  EpplerSettings settings_;
  RecordingPlatform platform_;
};

TEST_F(EpplerRun, CompletedRunUsesOneFolderAndArgumentVector) {
  setenv("VELARIX_FAKE_MODE", "listing", 1);
  // A descriptor without close-on-exec must not reach the program.
  const int leaked = open("/dev/null", O_RDONLY);
  TEpplerResult result;
  const EpplerRunReport report = RunEppler(inputs(), false, settings_, platform_, result);
  close(leaked);

  EXPECT_EQ(report.status, EpplerRunStatus::Completed) << report.message;
  EXPECT_TRUE(platform_.errors.empty());
  EXPECT_TRUE(result.valid);
  EXPECT_EQ(result.airfoilName, "Dreieck");
  EXPECT_EQ(result.anglesDeg.size(), 16u);
  EXPECT_EQ(report.listing.size(), readLines(kListing).size() - 3);  // cleaned

  std::string card;
  for (const std::string& line : epplerCardLines(inputs())) card += line + '\n';
  EXPECT_EQ(readText(settings_.workFolder / "EPP.in"), card);
  const std::vector<std::string> args = readLines(settings_.workFolder / "fake.args");
  ASSERT_EQ(args.size(), 5u);
  EXPECT_EQ(args[0], "3");
  EXPECT_EQ(args[1], "EPP.in");
  EXPECT_EQ(args[2], "EPP.out");
  EXPECT_EQ(fs::canonical(args[3]), fs::canonical(settings_.workFolder));
  EXPECT_EQ(args[4], "") << "inherited descriptors";
}

TEST_F(EpplerRun, BubbleCorrectionIsAppliedOnRequest) {
  setenv("VELARIX_FAKE_MODE", "listing", 1);
  TEpplerResult plain;
  TEpplerResult corrected;
  RunEppler(inputs(), false, settings_, platform_, plain);
  RunEppler(inputs(), true, settings_, platform_, corrected);
  ASSERT_TRUE(plain.valid && corrected.valid);
  EXPECT_GT(corrected.points[0][0].cd, plain.points[0][0].cd);  // marked
  EXPECT_EQ(corrected.points[0][1].cd, plain.points[0][1].cd);  // not marked
}

TEST_F(EpplerRun, StationRunUsesItsOwnFileNames) {
  setenv("VELARIX_FAKE_MODE", "listing", 1);
  const EpplerProgramRun run =
      runEpplerProgram(settings_, kStationDragEpplerFiles, {"FXPR", "Wirbel 1"}, platform_);
  ASSERT_EQ(run.status, EpplerRunStatus::Completed);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(readText(settings_.workFolder / "EPP.in1"), "FXPR\nWirbel 1\n");
  const std::vector<std::string> args = readLines(settings_.workFolder / "fake.args");
  ASSERT_GE(args.size(), 3u);
  EXPECT_EQ(args[1], "EPP.in1");
  EXPECT_EQ(args[2], "EPP.out1");
  EXPECT_TRUE(fs::exists(settings_.workFolder / "EPP.out1"));
  EXPECT_FALSE(fs::exists(settings_.workFolder / "EPP.out"));
}

TEST_F(EpplerRun, OverrunningProgramIsKilledAndReaped) {
  setenv("VELARIX_FAKE_MODE", "sleep", 1);
  settings_.pollCount = 50;  // one second
  TEpplerResult result;
  result.valid = true;
  const EpplerRunReport report = RunEppler(inputs(), false, settings_, platform_, result);

  EXPECT_EQ(report.status, EpplerRunStatus::TimedOut);
  EXPECT_FALSE(result.valid);
  ASSERT_EQ(platform_.errors.size(), 1u);
  EXPECT_EQ(platform_.errors[0].first, "Eppler.exe");
  EXPECT_EQ(platform_.errors[0].second,
            "Fehler beim Ausführen der Eppler.exe. Zeitlimit überschritten .\r"
            "Ändern Sie die Einstellungen !");
  std::ifstream pidFile(settings_.workFolder / "fake.pid");
  pid_t pid = 0;
  ASSERT_TRUE(pidFile >> pid) << "the program did not start within the limit";
  // Gone and reaped: a zombie would still accept signal 0.
  errno = 0;
  EXPECT_EQ(kill(pid, 0), -1);
  EXPECT_EQ(errno, ESRCH);
  EXPECT_EQ(waitpid(pid, nullptr, WNOHANG), -1);
}

TEST_F(EpplerRun, ProgramWithoutListingLeavesResultInvalidAndShowsNothing) {
  setenv("VELARIX_FAKE_MODE", "silent", 1);
  // A listing of an earlier run must not be taken for this one.
  fs::create_directories(settings_.workFolder);
  fs::copy_file(kListing, settings_.workFolder / "EPP.out");
  fs::copy_file(kListing, settings_.workFolder / "EPP.out1");
  TEpplerResult result;
  const EpplerRunReport report = RunEppler(inputs(), false, settings_, platform_, result);
  EXPECT_EQ(report.status, EpplerRunStatus::NoListing);
  EXPECT_FALSE(result.valid);
  EXPECT_TRUE(platform_.errors.empty());
  const EpplerProgramRun station =
      runEpplerProgram(settings_, kStationDragEpplerFiles, {"FXPR"}, platform_);
  EXPECT_EQ(station.status, EpplerRunStatus::NoListing);
  EXPECT_TRUE(platform_.errors.empty());
}

TEST_F(EpplerRun, MissingProgramIsAnError) {
  settings_.programPath = folder_ / "no-such-analysis";
  TEpplerResult result;
  const EpplerRunReport report = RunEppler(inputs(), false, settings_, platform_, result);
  EXPECT_EQ(report.status, EpplerRunStatus::CouldNotStart);
  EXPECT_FALSE(result.valid);
  ASSERT_EQ(platform_.errors.size(), 1u);
  EXPECT_EQ(platform_.errors[0].first, "Eppler.exe");
  EXPECT_NE(platform_.errors[0].second.find(settings_.programPath.string()), std::string::npos)
      << platform_.errors[0].second;
}

TEST_F(EpplerRun, UnusableWorkFolderIsAnError) {
  std::ofstream(folder_ / "plain-file") << "x";
  settings_.workFolder = folder_ / "plain-file" / "work";
  TEpplerResult result;
  const EpplerRunReport report = RunEppler(inputs(), false, settings_, platform_, result);
  EXPECT_EQ(report.status, EpplerRunStatus::CouldNotStart);
  EXPECT_EQ(platform_.errors.size(), 1u);
}

TEST_F(EpplerRun, UnreadableListingsAreReportedAsMalformed) {
  setenv("VELARIX_FAKE_MODE", "listing", 1);
  struct Case {
    const char* what;
    std::string listing;
    const char* messagePart;
  };
  std::string badRow = readText(kListing);
  badRow.replace(badRow.find("   3  0.8181818"), 15, "   3  0.81x1818");
  const Case cases[] = {
      {"no results", "1AIRFOIL NOTHING COMPUTED\n", "keine Ergebnisse"},
      {"empty listing", "", "keine Ergebnisse"},
      {"velocity row not a number", badRow, "Zeile"},
  };
  for (const Case& c : cases) {
    const fs::path listing = folder_ / "listing.out";
    std::ofstream(listing, std::ios::binary) << c.listing;
    setenv("VELARIX_FAKE_LISTING", listing.c_str(), 1);
    platform_.errors.clear();
    TEpplerResult result;
    const EpplerRunReport report = RunEppler(inputs(), false, settings_, platform_, result);
    EXPECT_EQ(report.status, EpplerRunStatus::Malformed) << c.what;
    EXPECT_FALSE(result.valid) << c.what;
    ASSERT_EQ(platform_.errors.size(), 1u) << c.what;
    EXPECT_NE(platform_.errors[0].second.find(c.messagePart), std::string::npos)
        << c.what << ": " << platform_.errors[0].second;
  }
}

TEST_F(EpplerRun, DeleteEpplerFilesRemovesThePolarWindowFilesAndClearsValid) {
  fs::create_directories(settings_.workFolder);
  for (const char* name : {"EPP.in", "EPP.out", "EPP.in1"}) {
    std::ofstream(settings_.workFolder / name) << "x";
  }
  TEpplerResult result;
  result.valid = true;
  DeleteEpplerFiles(settings_, result);
  EXPECT_FALSE(result.valid);
  EXPECT_FALSE(fs::exists(settings_.workFolder / "EPP.in"));
  EXPECT_FALSE(fs::exists(settings_.workFolder / "EPP.out"));
  EXPECT_TRUE(fs::exists(settings_.workFolder / "EPP.in1"));
}

TEST(EpplerSettingsDefaults, AnalysisProgramBesideTheExecutableWorkFolderInTheCache) {
  const char* cache = std::getenv("XDG_CACHE_HOME");
  const std::string saved = cache != nullptr ? cache : "";
  setenv("XDG_CACHE_HOME", "/somewhere/cache", 1);
  const EpplerSettings settings = defaultEpplerSettings();
  if (cache != nullptr) {
    setenv("XDG_CACHE_HOME", saved.c_str(), 1);
  } else {
    unsetenv("XDG_CACHE_HOME");
  }
  EXPECT_EQ(settings.programPath.filename(), "velarix-analysis");
  EXPECT_EQ(settings.programPath.parent_path(), fs::read_symlink("/proc/self/exe").parent_path());
  EXPECT_EQ(settings.workFolder, fs::path("/somewhere/cache/velarix"));
  EXPECT_EQ(settings.pollInterval, std::chrono::milliseconds(100));
  EXPECT_EQ(settings.pollCount, 60);
}

}  // namespace
}  // namespace velarix
