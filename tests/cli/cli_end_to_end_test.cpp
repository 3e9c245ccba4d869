// End-to-end tests of velarix-cli: the built binary runs as a child process
// in a temporary directory holding a copy of examples/, and its stdout is
// compared with the golden files in tests/cli/data/. After a deliberate
// change of the output, regenerate them with VELARIX_UPDATE_GOLDEN=1 and
// review the difference by eye.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = VELARIX_SOURCE_DIR;
const fs::path kCli = fs::path(VELARIX_BINARY_DIR) / "bin" / "velarix-cli";

std::string readBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void writeBytes(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           (std::string("velarix_cli_") + info->name() + "_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "cache");
    for (const auto& entry : fs::directory_iterator(kSource / "examples")) {
      fs::copy_file(entry.path(), dir_ / entry.path().filename());
    }
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs velarix-cli with the arguments (single-quoted for the shell) in the
  // temporary directory; the analysis program's cache goes there as well.
  // In a sanitizer build the leak checker ignores fontconfig's cache.
  Outcome run(const std::vector<std::string>& args) const {
    std::string command = "cd '" + dir_.string() + "' && XDG_CACHE_HOME='" +
                          (dir_ / "cache").string() + "' LSAN_OPTIONS='suppressions=" +
                          (kSource / "tests" / "cli" / "lsan.supp").string() +
                          ":print_suppressions=0' '" + kCli.string() + "'";
    for (const std::string& a : args) command += " '" + a + "'";
    command += " >stdout.txt 2>stderr.txt";
    const int raw = std::system(command.c_str());
    Outcome r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readBytes(dir_ / "stdout.txt");
    r.err = readBytes(dir_ / "stderr.txt");
    return r;
  }

  // Runs a command that must succeed quietly and compares its stdout with
  // tests/cli/data/<golden>.
  void expectGolden(const std::vector<std::string>& args, const std::string& golden) const {
    const Outcome r = run(args);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const fs::path file = kSource / "tests" / "cli" / "data" / golden;
    if (std::getenv("VELARIX_UPDATE_GOLDEN") != nullptr) writeBytes(file, r.out);
    ASSERT_TRUE(fs::exists(file)) << file << " fehlt (VELARIX_UPDATE_GOLDEN=1 erzeugt sie)";
    EXPECT_EQ(r.out, readBytes(file)) << "golden file " << file;
  }

  fs::path dir_;
};

TEST_F(CliTest, NewWingFile) {
  const Outcome r = run({"new", "-o", "neu.flg"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out + r.err, "");
  const fs::path golden = kSource / "tests" / "cli" / "data" / "new.flg";
  if (std::getenv("VELARIX_UPDATE_GOLDEN") != nullptr) {
    writeBytes(golden, readBytes(dir_ / "neu.flg"));
  }
  EXPECT_EQ(readBytes(dir_ / "neu.flg"), readBytes(golden));
}

TEST_F(CliTest, ConvertKeepsCurrentFilesByteForByte) {
  for (const std::string wing : {"brett.flg", "nurfluegel_gepfeilt.flg"}) {
    const Outcome r = run({"convert", wing, "-o", "kopie.flg"});
    ASSERT_EQ(r.status, 0) << wing << ": " << r.err;
    EXPECT_EQ(r.out + r.err, "") << wing;
    EXPECT_EQ(readBytes(dir_ / "kopie.flg"), readBytes(dir_ / wing)) << wing;
  }
}

TEST_F(CliTest, AirfoilListing) {
  expectGolden({"airfoil", "mh45.dat"}, "airfoil_mh45.txt");
  expectGolden({"airfoil", "mh45.dat", "--section"}, "airfoil_mh45_section.txt");
}

TEST_F(CliTest, ReportAllSections) {
  expectGolden({"report", "brett.flg", "--sections", "all"}, "report_brett.txt");
  expectGolden({"report", "nurfluegel_gepfeilt.flg", "--sections", "all"},
               "report_nurfluegel_gepfeilt.txt");
}

// The report file holds the printed report in Windows-1252 with CR LF.
TEST_F(CliTest, ReportFileIsWindows1252WithCrLf) {
  const Outcome printed = run({"report", "nurfluegel_gepfeilt.flg", "--sections", "0,1,9"});
  ASSERT_EQ(printed.status, 0) << printed.err;
  const Outcome saved = run({"report", "nurfluegel_gepfeilt.flg", "--sections", "0,1,9", "-o", "r.txt"});
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_EQ(saved.out + saved.err, "");

  // Latin-1 characters are two UTF-8 bytes C2/C3 xx and one byte in
  // Windows-1252; the report has no others beyond ASCII.
  std::string expected;
  for (std::size_t i = 0; i < printed.out.size(); ++i) {
    const auto c = static_cast<unsigned char>(printed.out[i]);
    if (c == '\n') {
      expected += "\r\n";
    } else if (c == 0xC2 || c == 0xC3) {
      const auto next = static_cast<unsigned char>(printed.out[++i]);
      expected += static_cast<char>(((c & 0x03) << 6) | (next & 0x3F));
    } else {
      ASSERT_LT(c, 0x80) << "unexpected character at byte " << i;
      expected += static_cast<char>(c);
    }
  }
  const std::string bytes = readBytes(dir_ / "r.txt");
  EXPECT_NE(bytes.find("R\xFC" "cklage"), std::string::npos);  // ü as one byte
  EXPECT_EQ(bytes, expected);
}

TEST_F(CliTest, PolarCsv) {
  expectGolden({"polar", "e230.dat", "--re", "100000,200000", "--alpha=-2:4:2", "--format", "csv"},
               "polar_e230.csv");
}

TEST_F(CliTest, ProfileDrag) {
  expectGolden({"profile-drag", "brett.flg", "--stations", "15"}, "profile_drag_brett.txt");
}

#ifdef VELARIX_HAVE_PLOT
TEST_F(CliTest, PlotWritesPng) {
  const Outcome r = run({"plot", "nurfluegel_gepfeilt.flg", "-o", "bild.png", "--show", "planform,ca",
                     "--axis", "ca", "--size", "400x300"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out + r.err, "");
  const std::string png = readBytes(dir_ / "bild.png");
  ASSERT_GT(png.size(), 24U);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x01\x90\0\0\x01\x2C", 8));  // 400 x 300
}
#endif

TEST_F(CliTest, EveryCommandHasGermanHelp) {
  for (const std::string command :
       {"new", "convert", "airfoil", "report", "profile-drag", "polar", "plot"}) {
    const Outcome r = run({command, "--help"});
    EXPECT_EQ(r.status, 0) << command;
    EXPECT_NE(r.out.find("Aufruf: velarix-cli " + command), std::string::npos) << r.out;
  }
}

struct BadInput {
  std::vector<std::string> args;
  int status;
  std::string stderrLine;
};

TEST_F(CliTest, BadInputsExitWithStatusAndOneLine) {
  writeBytes(dir_ / "kaputt.flg", "[Tragflaechengeometrie]\r\nAnzahl Knickstellen=abc\r\n");
  const std::string wing = "brett.flg";
  const std::string m33 =
      "Meldung 33: Falscheingabe: Bitte nur ungerade Zahlen zwischen 3 und 127 eingeben !";
  const std::vector<BadInput> cases = {
      {{"report", "fehlt.flg"}, 1, "velarix-cli: fehlt.flg: Datei nicht gefunden"},
      {{"convert", "fehlt.flg", "-o", "x.flg"}, 1, "velarix-cli: fehlt.flg: Datei nicht gefunden"},
      {{"airfoil", "fehlt.dat"}, 1, "velarix-cli: fehlt.dat: Datei nicht gefunden"},
      {{"report", "kaputt.flg"}, 1,
       "velarix-cli: kaputt.flg, Zeile 2: Anzahl Knickstellen: \"abc\" ist keine ganze Zahl"},
      {{"report", wing, "--bogus"}, 2,
       "velarix-cli report: unerwartetes Argument: --bogus (Hilfe: velarix-cli report --help)"},
      {{"bogus"}, 2,
       "velarix-cli: unbekannter Befehl 'bogus' (Befehle: new, convert, airfoil, report, "
       "profile-drag, polar, plot; Hilfe: velarix-cli --help)"},
      {{}, 2, "velarix-cli: kein Befehl angegeben (Hilfe: velarix-cli --help)"},
      {{"report", wing, "--stations", "8"}, 1, "velarix-cli: brett.flg: --stations 8: " + m33},
      {{"profile-drag", wing, "--stations", "8"}, 1, "velarix-cli: brett.flg: --stations 8: " + m33},
      {{"report", wing, "--mass", "0"}, 1,
       "velarix-cli: brett.flg: --mass 0: Meldung 9: Achtung Bereichsunterschreitung. "
       "Bitte nur Werte größer 0 eingeben."},
      {{"report", wing, "--altitude", "30000"}, 1,
       "velarix-cli: brett.flg: --altitude 30000: Meldung 24: Achtung Bereichsüberschreitung. "
       "Bitte nur Werte von 0 bis 25000 m eingeben."},
      {{"report", wing, "--mode", "angle"}, 2,
       "velarix-cli report: --mode verlangt --value (Hilfe: velarix-cli report --help)"},
      {{"report", wing, "--sections", "15"}, 2,
       "velarix-cli: --sections: '15' (erlaubt: all oder Nummern 0 bis 14)"},
      {{"polar", "e230.dat", "--re", "100000", "--alpha", "10:-10:1"}, 1,
       "velarix-cli: e230.dat: --alpha 10:-10:1: Meldung 38: In das Feld letzter Anstellwinkel "
       "wurde ein falscher Wert eingetragen ! Bitte nur Winkelwerte zwischen -89 und 98 Grad "
       "eingeben . Der letzte Anstellwinkel muß > dem ersten Anstellwinkel sein ."},
      {{"polar", "e230.dat", "--re", "500", "--alpha", "0:2:1"}, 1,
       "velarix-cli: e230.dat: --re 500: Meldung 43: In das Feld Re-Zahlen wurden falsche Werte "
       "eingetragen ! Bitte nur Zahlenwerte >= 1000 eingeben z.B. 1000 , 10000 , 50000 , "
       "100000 , 200000 usw."},
      {{"polar", "e230.dat", "--alpha", "0:2:1"}, 2,
       "velarix-cli polar: --re fehlt (Hilfe: velarix-cli polar --help)"},
  };
  for (const BadInput& c : cases) {
    std::string shown;
    for (const std::string& a : c.args) shown += a + " ";
    const Outcome r = run(c.args);
    EXPECT_EQ(r.status, c.status) << shown;
    EXPECT_EQ(r.err, c.stderrLine + "\n") << shown;
    EXPECT_EQ(r.out, "") << shown;
  }
}

}  // namespace
