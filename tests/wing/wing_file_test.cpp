#include "wing/wing_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "wing/cell_number.h"
#include "wing/settings.h"
#include "wing/text_encoding.h"

namespace velarix {
namespace {

using testing::FakePlatform;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

const std::filesystem::path kDataDir =
    std::filesystem::path(VELARIX_SOURCE_DIR) / "tests/wing/data";

// Records what the loader does to the window and the wing's design mode at
// the moment of each recompute.
class RecordingPlatform : public FakePlatform {
 public:
  const TWing* wing = nullptr;
  int clears = 0;
  std::vector<std::string> captions;
  std::vector<DesignMode> modesAtRecompute;

  void clearDrawingArea() override { ++clears; }
  void showWingFileName(std::string_view name) override { captions.emplace_back(name); }
  void refreshWingDisplay(bool recompute) override {
    FakePlatform::refreshWingDisplay(recompute);
    if (wing != nullptr && recompute) modesAtRecompute.push_back(wing->designMode);
  }
};

TWing newWing() {
  TWing wing;
  resetToNewWing(wing);
  return wing;
}

// A wing that uses every stored value and some texts with umlauts.
TWing variedWing() {
  TWing wing = newWing();
  CellTable& k = wing.kinkTable;
  k.insertRow(4);
  k.insertRow(1);
  for (int c = 0; c < kKinkColumns; ++c) {
    k.setCell(c, 1, k.cell(c, 2));
    k.setCell(c, 5, k.cell(c, 4));
  }
  k.setCell(kColKinkY, 1, "-1,25");
  k.setCell(kColKinkY, 5, "1,25");
  k.setCell(kColKinkAirfoil, 2, "strak");
  k.setCell(kColKinkAirfoil, 4, "Jürgens Profil ä€.dat");
  k.setCell(kColKinkChordAngle, 3, "-1,005");
  k.setCell(kColKinkSection + 7, 3, "1E-6");
  wing.flapTable.insertRow(1);
  wing.flapTable.insertRow(4);
  for (int c = 0; c < kFlapColumns; ++c) {
    wing.flapTable.setCell(c, 1, "0");
    wing.flapTable.setCell(c, 4, "0");
  }
  wing.flapTable.setCell(kColFlapGroup, 4, "17");
  wing.flapTable.setCell(kColFlapDeflection, 4, "-3,5");
  wing.switches[DisplaySwitch::XN] = true;
  wing.switches[DisplaySwitch::Stations] = true;
  wing.switches[DisplaySwitch::Wing] = false;
  wing.spanCondition = std::string(kSpanKeepQuarterChordSweep);
  wing.kinkDeleteCondition = std::string(kDeleteTakeLeftFlap);
  wing.wingAngleOfAttack = -2.5L;
  wing.wingMass = 12.75L;
  wing.flightAltitude = 1234.5L;
  wing.stationCount = 31;
  wing.gammaExponent = "2,5";
  wing.designMode = DesignMode::StabilityMargin;
  wing.surfaceCondition = SurfaceCondition::LightIcing;
  return wing;
}

// The values a wing file stores.
void expectSameStoredValues(const TWing& a, const TWing& b) {
  EXPECT_EQ(a.kinkTable, b.kinkTable);
  EXPECT_EQ(a.flapTable, b.flapTable);
  for (const StoredSwitch& s : kStoredSwitches) {
    EXPECT_EQ(a.switches[s.displaySwitch], b.switches[s.displaySwitch]) << s.key;
  }
  EXPECT_EQ(a.spanCondition, b.spanCondition);
  EXPECT_EQ(a.kinkDeleteCondition, b.kinkDeleteCondition);
  EXPECT_EQ(a.wingAngleOfAttack, b.wingAngleOfAttack);
  EXPECT_EQ(a.wingMass, b.wingMass);
  EXPECT_EQ(a.flightAltitude, b.flightAltitude);
  EXPECT_EQ(a.stationCount, b.stationCount);
  EXPECT_EQ(a.gammaExponent, b.gammaExponent);
  EXPECT_EQ(a.designMode, b.designMode);
  EXPECT_EQ(a.surfaceCondition, b.surfaceCondition);
}

std::string goldenNewWing() { return readBytes(kDataDir / "new_wing.flg"); }

// The golden file with one line replaced, removed (replacement nullopt) or
// a line inserted after it, as UTF-8 text with CR LF.
std::string goldenText() { return windows1252ToUtf8(goldenNewWing()); }

std::string replaceLine(std::string text, std::string_view line, std::string_view replacement) {
  const std::string from = "\r\n" + std::string(line) + "\r\n";
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << line;
  if (at == std::string::npos) return text;
  const std::string to =
      replacement.empty() ? std::string("\r\n") : "\r\n" + std::string(replacement) + "\r\n";
  return text.replace(at, from.size(), to);
}

// ------------------------------------------------------------ saving

TEST(WingFileWrite, NewWingGivesTheGoldenFileByteForByte) {
  TempDir dir;
  RecordingPlatform platform;
  TWing wing = newWing();
  const auto file = dir / "neu.flg";
  ASSERT_TRUE(saveWing(wing, file, platform));
  const std::string bytes = readBytes(file);
  EXPECT_EQ(bytes, goldenNewWing());
  EXPECT_EQ(encodeWingFile(wing), goldenNewWing());
  EXPECT_EQ(wing.wingFileName, file.string());
  EXPECT_TRUE(wing.wingSaved);
  EXPECT_EQ(platform.captions, std::vector<std::string>{file.string()});
  EXPECT_EQ(dir.entryCount(), 1);  // no temporary file left
}

TEST(WingFileWrite, GoldenFileHasTheDocumentedShape) {
  // A cross-check of the golden file itself, independent of the writer.
  const std::string text = goldenText();
  const std::vector<std::string_view> lines = splitLines(text);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[1], "Anzahl Knickstellen=3");
  EXPECT_EQ(lines[2], "0,0=y in m");
  EXPECT_EQ(lines[3], "1,0=x in m");
  const auto cellLines = [&](std::size_t from) {
    int n = 0;
    while (from + static_cast<std::size_t>(n) < lines.size() &&
           !lines[from + static_cast<std::size_t>(n)].empty())
      ++n;
    return n;
  };
  EXPECT_EQ(cellLines(2), 280);
  EXPECT_EQ(lines[283], "[Klappendaten]");
  EXPECT_EQ(lines[284], "Anzahl Klappen=2");
  EXPECT_EQ(cellLines(285), 21);
  EXPECT_EQ(lines[307], "[Umgebungseinstellungen]");
  EXPECT_EQ(lines[308], "Velarixversion=Vers. 2.17 14.06.02 ");
  EXPECT_EQ(lines[309], "Fluegelbutton=True");
  EXPECT_EQ(lines.back(), "");
  const std::string bytes = goldenNewWing();
  EXPECT_NE(bytes.find("Radiobutton Stabilit\xE4tsma\xDF=False\r\n"), std::string::npos);
  EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");
}

TEST(WingFileWrite, FailedSaveKeepsThePreviousFileAndTheWingState) {
  TempDir dir;
  const auto file = dir / "gut.flg";
  writeBytes(file, "previous content");
  struct Case {
    const char* name;
    std::function<void(TWing&)> spoil;
  };
  const std::vector<Case> cases = {
      {"cell with a line break", [](TWing& w) { w.kinkTable.setCell(kColKinkAirfoil, 1, "a\nb"); }},
      {"character without Windows-1252 form",
       [](TWing& w) { w.kinkTable.setCell(kColKinkAirfoil, 1, "Ω.dat"); }},
      {"condition with a line break", [](TWing& w) { w.spanCondition = "Varia\r"; }},
      {"mass not finite", [](TWing& w) { w.wingMass = std::numeric_limits<Real>::infinity(); }},
  };
  for (const Case& c : cases) {
    RecordingPlatform platform;
    TWing wing = newWing();
    wing.wingSaved = false;
    wing.wingFileName = "vorher.flg";
    c.spoil(wing);
    const TWing before = wing;
    EXPECT_FALSE(saveWing(wing, file, platform)) << c.name;
    EXPECT_EQ(readBytes(file), "previous content") << c.name;
    EXPECT_EQ(dir.entryCount(), 1) << c.name;
    EXPECT_EQ(wing, before) << c.name;
    ASSERT_EQ(platform.errors.size(), 1u) << c.name;
    EXPECT_NE(platform.errors[0].second.find(file.string()), std::string::npos) << c.name;
  }
  RecordingPlatform platform;
  TWing wing = newWing();
  EXPECT_FALSE(saveWing(wing, dir / "fehlt" / "x.flg", platform));
  EXPECT_EQ(platform.errors.size(), 1u);
}

TEST(WingFileWrite, SaveAsUsesTheDialogAndCancelChangesNothing) {
  TempDir dir;
  Settings settings;
  settings.wingDirectory = dir.path().string();
  RecordingPlatform platform;
  TWing wing = newWing();
  wing.wingSaved = false;
  const TWing before = wing;
  EXPECT_FALSE(saveWingAs(wing, platform, settings));
  EXPECT_EQ(wing, before);
  ASSERT_EQ(platform.dialogs.size(), 1u);
  EXPECT_EQ(platform.dialogs[0].filter, "Flugzeugdaten *.flg|*.flg");
  EXPECT_EQ(platform.dialogs[0].defaultExtension, "flg");
  EXPECT_EQ(platform.dialogs[0].proposedName, "noname.flg");
  EXPECT_EQ(platform.dialogs[0].initialDirectory, dir.path());
  EXPECT_TRUE(platform.dialogs[0].overwritePrompt);

  platform.saveFile = dir / "gewählt.flg";
  EXPECT_TRUE(saveWingAs(wing, platform, settings));
  EXPECT_EQ(readBytes(dir / "gewählt.flg"), goldenNewWing());
  EXPECT_EQ(wing.wingFileName, (dir / "gewählt.flg").string());
  EXPECT_TRUE(wing.wingSaved);
}

// ------------------------------------------------------------ round trips

// Save, load, save again: the same bytes, and the loaded wing has every
// stored value of the saved one.
void expectRoundTrip(const TWing& original, const std::string& label) {
  TempDir dir;
  RecordingPlatform platform;
  TWing wing = original;
  ASSERT_TRUE(saveWing(wing, dir / "a.flg", platform)) << label;
  TWing loaded;
  platform.wing = &loaded;
  ASSERT_TRUE(loadWingFile(loaded, dir / "a.flg", platform, dir.path().string())) << label;
  EXPECT_TRUE(platform.messages.empty()) << label;
  EXPECT_TRUE(platform.errors.empty()) << label;
  expectSameStoredValues(loaded, wing);
  ASSERT_TRUE(saveWing(loaded, dir / "b.flg", platform)) << label;
  EXPECT_EQ(readBytes(dir / "a.flg"), readBytes(dir / "b.flg")) << label;
}

TEST(WingFileRoundTrip, NewWingAndVariedWingKeepEveryByte) {
  expectRoundTrip(newWing(), "new wing");
  expectRoundTrip(variedWing(), "varied wing");
}

TEST(WingFileRoundTrip, EveryExampleWingKeepsEveryByte) {
  const auto examples = std::filesystem::path(VELARIX_SOURCE_DIR) / "examples";
  std::error_code ec;
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(examples, ec)) {
    if (entry.path().extension() != ".flg") continue;
    ++count;
    const auto airfoils = examples / "airfoils";
    RecordingPlatform platform;
    TWing wing;
    ASSERT_TRUE(loadWingFile(wing, entry.path(), platform, airfoils.string()))
        << entry.path() << (platform.errors.empty() ? "" : platform.errors[0].second);
    expectRoundTrip(wing, entry.path().string());
  }
  if (count == 0) GTEST_SKIP() << "no example wings in " << examples;
}

// ------------------------------------------------------------ loading

TEST(WingFileLoad, LoadReplacesTheWingAndRecomputesInWingAngleModeFirst) {
  TempDir dir;
  RecordingPlatform platform;
  TWing saved = variedWing();
  ASSERT_TRUE(saveWing(saved, dir / "v.flg", platform));

  TWing wing = newWing();
  wing.barPosition = 0.25L;
  wing.designCA = 0.4L;
  platform.wing = &wing;
  platform.captions.clear();
  ASSERT_TRUE(loadWingFile(wing, dir / "v.flg", platform, ""));
  expectSameStoredValues(wing, saved);
  EXPECT_EQ(wing.barPosition, 0);
  EXPECT_EQ(wing.designCA, 0.4L);  // not stored, kept
  EXPECT_TRUE(wing.wingPresent);
  EXPECT_TRUE(wing.wingSaved);
  EXPECT_EQ(wing.wingFileName, (dir / "v.flg").string());
  EXPECT_EQ(platform.clears, 1);
  EXPECT_EQ(platform.captions, std::vector<std::string>{(dir / "v.flg").string()});
  // The recompute after loading runs with the wing angle; the file's choice
  // (stability margin) holds from then on.
  EXPECT_EQ(platform.modesAtRecompute, std::vector<DesignMode>{DesignMode::WingAngle});
  EXPECT_EQ(wing.designMode, DesignMode::StabilityMargin);
}

TEST(WingFileLoad, SettingsLinesFollowPrefixMatchingAndDefaults) {
  struct Case {
    const char* name;
    std::function<std::string(std::string)> edit;
    std::function<void(const TWing&)> check;
  };
  const std::vector<Case> cases = {
      {"empty span condition gives Varia",
       [](std::string t) {
         return replaceLine(t, "Spannweitenbedingung=Varia", "Spannweitenbedingung=");
       },
       [](const TWing& w) { EXPECT_EQ(w.spanCondition, "Varia"); }},
      {"empty kink delete condition gives the default",
       [](std::string t) {
         return replaceLine(t, "Knickstellenloeschbedingung=beide Kl. löschen",
                            "Knickstellenloeschbedingung=");
       },
       [](const TWing& w) { EXPECT_EQ(w.kinkDeleteCondition, "beide Kl. löschen"); }},
      {"empty reals and count give their defaults",
       [](std::string t) {
         t = replaceLine(t, "Anstellwinkel= 1.00000000000000E+0000", "Anstellwinkel=");
         t = replaceLine(t, "Masse= 1.00000000000000E+0000", "Masse=");
         t = replaceLine(t, "Flughoehe= 0.00000000000000E+0000", "Flughoehe=");
         t = replaceLine(t, "Stuetzstellenzahl=15", "Stuetzstellenzahl=");
         return replaceLine(t, "Gamma-Vorgabe=1", "Gamma-Vorgabe=");
       },
       [](const TWing& w) {
         EXPECT_EQ(w.wingAngleOfAttack, 1.0L);
         EXPECT_EQ(w.wingMass, 1.0L);
         EXPECT_EQ(w.flightAltitude, 0.0L);
         EXPECT_EQ(w.stationCount, 15);
         EXPECT_EQ(w.gammaExponent, "1");
       }},
      {"reals in comma and plain forms, truncated to six decimals",
       [](std::string t) {
         return replaceLine(t, "Masse= 1.00000000000000E+0000", "Masse=2,1234567");
       },
       [](const TWing& w) { EXPECT_EQ(formatCellNumber(w.wingMass), "2,123456"); }},
      {"a lone 3,2= empties the cell",
       [](std::string t) { return replaceLine(t, "3,2=0,2", "3,2="); },
       [](const TWing& w) { EXPECT_EQ(w.kinkTable.cell(3, 2), ""); }},
      {"Gamma-Vorgabebutton also feeds Gamma-Vorgabe when its own line is missing",
       [](std::string t) { return replaceLine(t, "Gamma-Vorgabe=1", ""); },
       [](const TWing& w) { EXPECT_EQ(w.gammaExponent, "False"); }},
      {"a switch is on only for the exact text True",
       [](std::string t) {
         t = replaceLine(t, "Fluegelbutton=True", "Fluegelbutton=true");
         return replaceLine(t, "XCbutton=False", "XCbutton=True");
       },
       [](const TWing& w) {
         EXPECT_FALSE(w.switches[DisplaySwitch::Wing]);
         EXPECT_TRUE(w.switches[DisplaySwitch::XC]);
       }},
      {"a missing key keeps the current value",
       [](std::string t) { return replaceLine(t, "Masse= 1.00000000000000E+0000", ""); },
       [](const TWing& w) { EXPECT_EQ(w.wingMass, 7.0L); }},
      {"the last True choice wins",
       [](std::string t) {
         t = replaceLine(t, "Radiobutton ca=False", "Radiobutton ca=True");
         return replaceLine(t, "Radiobutton Starke Vereisung=False",
                            "Radiobutton Starke Vereisung=True");
       },
       [](const TWing& w) {
         EXPECT_EQ(w.designMode, DesignMode::LiftCoefficient);
         EXPECT_EQ(w.surfaceCondition, SurfaceCondition::HeavyIcing);
       }},
      {"LF line ends",
       [](std::string t) {
         std::string out;
         for (char c : t) {
           if (c != '\r') out += c;
         }
         return out;
       },
       [](const TWing& w) { EXPECT_EQ(w.kinkTable, newWing().kinkTable); }},
      {"sections in another order, lines after an empty line ignored",
       [](std::string t) {
         const std::size_t flaps = t.find("[Klappendaten]");
         const std::size_t settings = t.find("[Umgebungseinstellungen]");
         return t.substr(settings) + "Masse=99\r\n" + t.substr(flaps, settings - flaps) +
                t.substr(0, flaps);
       },
       [](const TWing& w) {
         EXPECT_EQ(w.kinkTable, newWing().kinkTable);
         EXPECT_EQ(w.flapTable, newWing().flapTable);
         EXPECT_EQ(w.wingMass, 1.0L);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    writeBytes(dir / "w.flg", utf8ToWindows1252(c.edit(goldenText())));
    RecordingPlatform platform;
    TWing wing = newWing();
    wing.wingMass = 7.0L;
    ASSERT_TRUE(loadWingFile(wing, dir / "w.flg", platform, ""))
        << (platform.errors.empty() ? "" : platform.errors[0].second);
    c.check(wing);
  }
}

// Files that must be refused with the wing unchanged and an error that names
// the file (and the line where there is one).
TEST(WingFileLoad, HostileFilesAreRefusedAndTheWingStaysAsItWas) {
  struct Case {
    const char* name;
    std::function<std::string()> bytes;
    int line;  // expected line in the message, 0 for none
  };
  const auto edited = [](std::string_view line, std::string_view replacement) {
    return [=] { return utf8ToWindows1252(replaceLine(goldenText(), line, replacement)); };
  };
  const std::vector<Case> cases = {
      {"empty file", [] { return std::string(); }, 0},
      {"truncated in the kink section", [] { return goldenNewWing().substr(0, 1500); }, 2},
      {"truncated in the last kink row", [] { return goldenNewWing().substr(0, 3000); }, 0},
      {"truncated after the kink section",
       [] { return goldenNewWing().substr(0, goldenNewWing().find("[Klappen")); }, 0},
      {"truncated in the flap section",
       [] { return goldenNewWing().substr(0, goldenNewWing().find("3,2=0,5")); }, 285},
      {"kink count larger than the cell lines",
       edited("Anzahl Knickstellen=3", "Anzahl Knickstellen=4"), 2},
      {"kink count smaller than the cell lines",
       edited("Anzahl Knickstellen=3", "Anzahl Knickstellen=2"), 213},
      {"flap count larger than the cell lines", edited("Anzahl Klappen=2", "Anzahl Klappen=3"),
       285},
      {"row count of 10^9", edited("Anzahl Knickstellen=3", "Anzahl Knickstellen=1000000000"), 2},
      {"row count beyond int",
       edited("Anzahl Knickstellen=3", "Anzahl Knickstellen=99999999999999999999"), 2},
      {"negative row count", edited("Anzahl Klappen=2", "Anzahl Klappen=-1"), 285},
      {"column 9999", edited("5,1=75", "9999,1=75"), 78},
      {"negative row number", edited("5,1=75", "5,-1=75"), 78},
      {"non-numeric row number", edited("5,1=75", "5,x=75"), 78},
      {"row number with blanks", edited("5,1=75", "5, 1=75"), 78},
      {"cell line without =", edited("5,1=75", "5,1"), 78},
      {"cell line without ,", edited("5,1=75", "51=75"), 78},
      {"cell line before the count",
       [] {
         std::string t = goldenText();
         t = replaceLine(t, "Anzahl Knickstellen=3", "0,0=y in m");
         return utf8ToWindows1252(t);
       },
       2},
      {"second count line", edited("0,1=-0,5", "Anzahl Knickstellen=3"), 73},
      {"non-numeric Masse", edited("Masse= 1.00000000000000E+0000", "Masse=schwer"), 328},
      {"Masse beyond any real", edited("Masse= 1.00000000000000E+0000", "Masse=1E5000"), 328},
      {"Masse beyond physical sense", edited("Masse= 1.00000000000000E+0000", "Masse=1E301"), 328},
      {"non-integer station count", edited("Stuetzstellenzahl=15", "Stuetzstellenzahl=15,5"), 330},
      {"settings key without =", edited("Flughoehe= 0.00000000000000E+0000", "Flughoehe"), 329},
      {"no settings section",
       [] {
         const std::string g = goldenNewWing();
         return g.substr(0, g.find("[Umgebungseinstellungen]"));
       },
       0},
      {"binary garbage",
       [] {
         std::mt19937 random(12345);
         std::string bytes(20000, '\0');
         for (char& c : bytes) c = static_cast<char>(random());
         return bytes;
       },
       0},
      {"garbage after a valid kink header",
       [] {
         std::string bytes = "[Tragflaechengeometrie]\r\nAnzahl Knickstellen=3\r\n";
         std::mt19937 random(7);
         for (int i = 0; i < 5000; ++i) bytes += static_cast<char>(random());
         return bytes;
       },
       -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const auto file = dir / "böse.flg";
    writeBytes(file, c.bytes());
    RecordingPlatform platform;
    TWing wing = variedWing();
    wing.wingSaved = false;
    wing.wingFileName = "vorher.flg";
    const TWing before = wing;
    EXPECT_FALSE(loadWingFile(wing, file, platform, ""));
    EXPECT_EQ(wing, before);
    EXPECT_EQ(platform.clears, 0);
    EXPECT_TRUE(platform.refreshes.empty());
    ASSERT_EQ(platform.errors.size(), 1u);
    const std::string& text = platform.errors[0].second;
    EXPECT_NE(text.find(file.string()), std::string::npos) << text;
    if (c.line > 0) {
      EXPECT_NE(text.find("Zeile " + std::to_string(c.line) + ":"), std::string::npos) << text;
    } else if (c.line == 0) {
      EXPECT_EQ(text.find("\nZeile "), std::string::npos) << text;
    }
  }
}

TEST(WingFileLoad, MissingOrUnreadableFileIsReported) {
  TempDir dir;
  RecordingPlatform platform;
  TWing wing = newWing();
  const TWing before = wing;
  EXPECT_FALSE(loadWingFile(wing, dir / "fehlt.flg", platform, ""));
  EXPECT_FALSE(loadWingFile(wing, dir.path(), platform, ""));
  EXPECT_FALSE(loadWingFile(wing, "/dev/zero", platform, ""));
  EXPECT_EQ(wing, before);
  EXPECT_EQ(platform.errors.size(), 3u);
}

TEST(WingFileLoad, CommandAsksFirstAndUsesTheOpenDialog) {
  TempDir dir;
  writeBytes(dir / "w.flg", goldenNewWing());
  Settings settings;
  settings.wingDirectory = dir.path().string();

  RecordingPlatform platform;
  TWing wing = variedWing();
  wing.wingSaved = false;
  const TWing before = wing;
  platform.answers.push_back(Answer::No);
  platform.openFile = dir / "w.flg";
  EXPECT_FALSE(loadWing(wing, platform, settings));
  EXPECT_EQ(wing, before);
  EXPECT_EQ(platform.messages, std::vector<int>{5});
  EXPECT_TRUE(platform.dialogs.empty());

  platform.openFile.reset();  // Yes, then the dialog is cancelled
  EXPECT_FALSE(loadWing(wing, platform, settings));
  EXPECT_EQ(wing, before);
  ASSERT_EQ(platform.dialogs.size(), 1u);
  const FileDialogRequest& r = platform.dialogs[0];
  EXPECT_EQ(r.title, "Daten laden");
  EXPECT_EQ(r.filter, "Flugzeugdaten *.flg|*.flg");
  EXPECT_EQ(r.proposedName, "*.flg");
  EXPECT_EQ(r.initialDirectory, dir.path());
  EXPECT_TRUE(r.mustExist);

  platform.openFile = dir / "w.flg";
  EXPECT_TRUE(loadWing(wing, platform, settings));
  expectSameStoredValues(wing, newWing());
  EXPECT_TRUE(wing.wingSaved);
}

}  // namespace
}  // namespace velarix
