#include "wing/wing_file.h"

#include <cmath>
#include <exception>

#include "airfoil/airfoil.h"
#include "wing/blending.h"
#include "wing/cell_number.h"
#include "wing/file_io.h"
#include "wing/long_scientific.h"
#include "wing/platform.h"
#include "wing/settings.h"
#include "wing/text_encoding.h"

namespace velarix {

const std::array<StoredSwitch, kStoredSwitchCount> kStoredSwitches = {{
    {"Fluegelbutton", DisplaySwitch::Wing},
    {"XCbutton", DisplaySwitch::XC},
    {"XEbutton", DisplaySwitch::XE},
    {"XNbutton", DisplaySwitch::XN},
    {"XDbutton", DisplaySwitch::XD},
    {"REbutton", DisplaySwitch::Reynolds},
    {"Gammabutton", DisplaySwitch::Circulation},
    {"Gamma-Vorgabebutton", DisplaySwitch::PrescribedCirculation},
    {"Drehrichtungsbutton", DisplaySwitch::RotationDirections},
    {"Cabutton", DisplaySwitch::LiftCoefficients},
    {"Cwibutton", DisplaySwitch::InducedDrag},
    {"Muebutton", DisplaySwitch::PitchingMoments},
    {"Aibutton", DisplaySwitch::InducedAngles},
    {"xd_Oertlich_button", DisplaySwitch::LocalCentresOfPressure},
    {"wirbel_button", DisplaySwitch::Stations},
}};

namespace {

constexpr std::string_view kSectionKinks = "[Tragflaechengeometrie]";
constexpr std::string_view kSectionFlaps = "[Klappendaten]";
constexpr std::string_view kSectionSettings = "[Umgebungseinstellungen]";
constexpr std::string_view kKeyKinkCount = "Anzahl Knickstellen";
constexpr std::string_view kKeyFlapCount = "Anzahl Klappen";
constexpr std::string_view kKeyVersion = "Velarixversion";
constexpr std::string_view kKeySpanCondition = "Spannweitenbedingung";
constexpr std::string_view kKeyKinkDeleteCondition = "Knickstellenloeschbedingung";
constexpr std::string_view kKeyAngleOfAttack = "Anstellwinkel";
constexpr std::string_view kKeyMass = "Masse";
constexpr std::string_view kKeyAltitude = "Flughoehe";
constexpr std::string_view kKeyStationCount = "Stuetzstellenzahl";
constexpr std::string_view kKeyGammaExponent = "Gamma-Vorgabe";
constexpr std::string_view kLoadCaption = "Flügel laden";
constexpr std::string_view kSaveCaption = "Flügel speichern";

constexpr Real kMaxFileReal = 1e300L;

// Columns every program version wrote for a kink row.
constexpr int kRequiredKinkColumns = kColKinkAirfoil + 1;

struct DesignModeKey {
  std::string_view key;
  DesignMode mode;
};
constexpr std::array<DesignModeKey, 5> kDesignModeKeys = {{
    {"Radiobutton anstellwinkel", DesignMode::WingAngle},
    {"Radiobutton ca", DesignMode::LiftCoefficient},
    {"Radiobutton Stabilitätsmaß", DesignMode::StabilityMargin},
    {"Radiobutton Schwerpunktrücklage", DesignMode::CgPosition},
    {"Radiobutton Geschwindigkeit", DesignMode::Speed},
}};

struct SurfaceKey {
  std::string_view key;
  SurfaceCondition surface;
};
constexpr std::array<SurfaceKey, 4> kSurfaceKeys = {{
    {"Radiobutton Sauberer Flügel", SurfaceCondition::Clean},
    {"Radiobutton Verschutzter Flügel", SurfaceCondition::Dirty},
    {"Radiobutton Leichte Vereisung", SurfaceCondition::LightIcing},
    {"Radiobutton Starke Vereisung", SurfaceCondition::HeavyIcing},
}};

std::string_view trueFalse(bool on) { return on ? "True" : "False"; }

// ---------------------------------------------------------------- writing

void checkSingleLine(std::string_view text, const std::string& where) {
  if (text.find_first_of("\r\n") != std::string_view::npos) {
    throw WingFileError(where + " enthält einen Zeilenumbruch und kann nicht gespeichert werden");
  }
}

std::string cellName(std::string_view table, int column, int row) {
  return std::string(table) + ", Zelle " + std::to_string(column) + "," + std::to_string(row);
}

void appendTable(std::vector<std::string>& lines, const CellTable& table, std::string_view name,
                 std::string_view countKey) {
  const int rows = table.rowCount();
  if (rows < 1 || rows - 1 > kMaxTableRows) {
    throw WingFileError(std::string(name) + ": " + std::to_string(rows - 1) +
                        " Datenzeilen; erlaubt sind 0 bis " + std::to_string(kMaxTableRows));
  }
  lines.push_back(std::string(countKey) + "=" + std::to_string(rows - 1));
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < table.columnCount(); ++c) {
      const std::string& text = table.cell(c, r);
      checkSingleLine(text, cellName(name, c, r));
      lines.push_back(std::to_string(c) + "," + std::to_string(r) + "=" + text);
    }
  }
}

std::string longReal(Real x, std::string_view key) {
  if (!std::isfinite(x)) {
    throw WingFileError(std::string(key) +
                        " ist keine endliche Zahl und kann nicht gespeichert werden");
  }
  return formatLongScientific(x);
}

// ---------------------------------------------------------------- reading

bool startsWith(std::string_view s, std::string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

// A decimal integer: optional sign and digits, nothing else, within int.
std::optional<int> parseInt(std::string_view s) {
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  if (i >= s.size()) return std::nullopt;
  long long value = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
    value = value * 10 + (s[i] - '0');
    if (value > 2147483647LL + (negative ? 1 : 0)) return std::nullopt;
  }
  return static_cast<int>(negative ? -value : value);
}

std::string quote(std::string_view s) {
  constexpr std::size_t kShown = 40;
  if (s.size() <= kShown) return "\"" + std::string(s) + "\"";
  return "\"" + std::string(s.substr(0, kShown)) + "...\"";
}

// Reads the lines of one table section.
class TableReader {
 public:
  TableReader(CellTable& table, std::string_view sectionName, std::string_view countKey,
              int requiredColumns)
      : table_(table),
        sectionName_(sectionName),
        countKey_(countKey),
        requiredColumns_(requiredColumns) {}

  void readLine(std::string_view line, int lineNumber) {
    if (startsWith(line, countKey_)) {
      readCount(line, lineNumber);
    } else if (line.front() >= '0' && line.front() <= '9') {
      readCell(line, lineNumber);
    }
  }

  void sectionSeen() { seen_ = true; }

  // The table is complete: the section and its count exist and every row
  // has its required cells.
  void checkComplete() const {
    if (!seen_) throw WingFileError("Der Abschnitt " + std::string(sectionName_) + " fehlt");
    if (!counted_) {
      throw WingFileError("Im Abschnitt " + std::string(sectionName_) + " fehlt die Zeile \"" +
                          std::string(countKey_) + "=\"");
    }
    const int columns = table_.columnCount();
    for (int r = 0; r < table_.rowCount(); ++r) {
      for (int c = 0; c < requiredColumns_; ++c) {
        if (!present_[static_cast<std::size_t>(r * columns + c)]) {
          throw WingFileError(
              "Im Abschnitt " + std::string(sectionName_) + " fehlt die Zelle " +
                  std::to_string(c) + "," + std::to_string(r) + " (Spalte " + std::to_string(c) +
                  ", Zeile " + std::to_string(r) + "): die Datei ist unvollständig oder \"" +
                  std::string(countKey_) + "=" + std::to_string(table_.rowCount() - 1) +
                  "\" stimmt nicht mit den Zellzeilen überein",
              countLine_);
        }
      }
    }
  }

 private:
  void readCount(std::string_view line, int lineNumber) {
    if (counted_) {
      throw WingFileError("\"" + std::string(countKey_) + "\" steht ein zweites Mal in der Datei",
                          lineNumber);
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      throw WingFileError("\"" + std::string(countKey_) + "\" ohne \"=\"", lineNumber);
    }
    const std::string_view value = line.substr(eq + 1);
    const auto count = parseInt(value);
    if (!count) {
      throw WingFileError(std::string(countKey_) + ": " + quote(value) + " ist keine ganze Zahl",
                          lineNumber);
    }
    if (*count < 0 || *count > kMaxTableRows) {
      throw WingFileError(std::string(countKey_) + " " + std::to_string(*count) +
                              " liegt außerhalb von 0 bis " + std::to_string(kMaxTableRows),
                          lineNumber);
    }
    table_.setRowCount(*count + 1);
    present_.assign(static_cast<std::size_t>((*count + 1) * table_.columnCount()), false);
    counted_ = true;
    countLine_ = lineNumber;
  }

  void readCell(std::string_view line, int lineNumber) {
    const std::size_t comma = line.find(',');
    if (comma == std::string_view::npos) {
      throw WingFileError("Zellzeile ohne \",\": " + quote(line), lineNumber);
    }
    const std::size_t eq = line.find('=', comma + 1);
    if (eq == std::string_view::npos) {
      throw WingFileError("Zellzeile ohne \"=\": " + quote(line), lineNumber);
    }
    const std::string_view columnText = line.substr(0, comma);
    const std::string_view rowText = line.substr(comma + 1, eq - comma - 1);
    const auto column = parseInt(columnText);
    if (!column) {
      throw WingFileError("Spaltennummer " + quote(columnText) + " ist keine ganze Zahl",
                          lineNumber);
    }
    const auto row = parseInt(rowText);
    if (!row) {
      throw WingFileError("Zeilennummer " + quote(rowText) + " ist keine ganze Zahl", lineNumber);
    }
    if (!counted_) {
      throw WingFileError("Zellzeile vor der Zeile \"" + std::string(countKey_) + "=\"",
                          lineNumber);
    }
    const int lastColumn = table_.columnCount() - 1;
    const int lastRow = table_.rowCount() - 1;
    if (*column < 0 || *column > lastColumn) {
      throw WingFileError("Spaltennummer " + std::to_string(*column) +
                              " liegt außerhalb von 0 bis " + std::to_string(lastColumn),
                          lineNumber);
    }
    if (*row < 0 || *row > lastRow) {
      throw WingFileError("Zeilennummer " + std::to_string(*row) + " liegt außerhalb von 0 bis " +
                              std::to_string(lastRow) + " (\"" + std::string(countKey_) + "=" +
                              std::to_string(lastRow) + "\")",
                          lineNumber);
    }
    table_.setCell(*column, *row, std::string(line.substr(eq + 1)));
    present_[static_cast<std::size_t>(*row * table_.columnCount() + *column)] = true;
  }

  CellTable& table_;
  std::string_view sectionName_;
  std::string_view countKey_;
  int requiredColumns_;
  bool seen_ = false;
  bool counted_ = false;
  int countLine_ = 0;
  std::vector<bool> present_;
};

// A real of the settings section: the default for an empty value.
Real readReal(std::string_view key, std::string_view value, Real defaultValue, int lineNumber) {
  if (value.empty()) return defaultValue;
  Real x = 0;
  if (!tryParseCellNumber(value, x) || !std::isfinite(x)) {
    throw WingFileError(std::string(key) + ": " + quote(value) + " ist keine Zahl", lineNumber);
  }
  // Far beyond any physical value, and safely inside the range in which the
  // long scientific form written back reads again.
  if (std::fabs(x) > kMaxFileReal) {
    throw WingFileError(std::string(key) + ": " + quote(value) + " liegt außerhalb von ±1E300",
                        lineNumber);
  }
  return x;
}

void readSettingsLine(std::string_view line, int lineNumber, WingFileContent& content) {
  const std::size_t eq = line.find('=');
  const std::string_view value =
      eq == std::string_view::npos ? std::string_view{} : line.substr(eq + 1);
  // Each key is recognised at the start of the line; one line may serve two
  // keys ("Gamma-Vorgabebutton=" also sets "Gamma-Vorgabe", whose own line
  // comes later and gives the final value).
  auto matches = [&](std::string_view key) {
    if (!startsWith(line, key)) return false;
    if (eq == std::string_view::npos) {
      throw WingFileError("Zeile " + quote(line) + " ohne \"=\"", lineNumber);
    }
    return true;
  };
  for (std::size_t i = 0; i < kStoredSwitches.size(); ++i) {
    if (matches(kStoredSwitches[i].key)) content.switches[i] = value == "True";
  }
  if (matches(kKeySpanCondition)) {
    content.spanCondition = value.empty() ? std::string(kSpanVaria) : std::string(value);
  }
  if (matches(kKeyKinkDeleteCondition)) {
    content.kinkDeleteCondition =
        value.empty() ? std::string(kDeleteBothFlaps) : std::string(value);
  }
  if (matches(kKeyAngleOfAttack)) {
    content.wingAngleOfAttack = readReal(kKeyAngleOfAttack, value, 1.0L, lineNumber);
  }
  if (matches(kKeyMass)) content.wingMass = readReal(kKeyMass, value, 1.0L, lineNumber);
  if (matches(kKeyAltitude)) content.flightAltitude = readReal(kKeyAltitude, value, 0, lineNumber);
  if (matches(kKeyStationCount)) {
    if (value.empty()) {
      content.stationCount = 15;
    } else {
      const auto m = parseInt(value);
      if (!m) {
        throw WingFileError(
            std::string(kKeyStationCount) + ": " + quote(value) + " ist keine ganze Zahl",
            lineNumber);
      }
      content.stationCount = *m;
    }
  }
  if (matches(kKeyGammaExponent)) {
    content.gammaExponent = value.empty() ? std::string("1") : std::string(value);
  }
  for (const DesignModeKey& k : kDesignModeKeys) {
    if (matches(k.key) && value == "True") content.designMode = k.mode;
  }
  for (const SurfaceKey& k : kSurfaceKeys) {
    if (matches(k.key) && value == "True") content.surfaceCondition = k.surface;
  }
}

std::string loadErrorText(const std::filesystem::path& fileName, const std::exception& e) {
  std::string text = "Die Flügeldatei \"" + fileName.string() + "\" kann nicht geladen werden.\n";
  if (const auto* w = dynamic_cast<const WingFileError*>(&e); w != nullptr && w->line() > 0) {
    text += "Zeile " + std::to_string(w->line()) + ": ";
  }
  text += e.what();
  text += "\nDer bisherige Flügel bleibt unverändert.";
  return text;
}

}  // namespace

// ------------------------------------------------------------------ writer

std::vector<std::string> wingFileLines(const TWing& wing) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(wing.kinkTable.rowCount() * kKinkColumns +
                                         wing.flapTable.rowCount() * kFlapColumns + 48));
  lines.emplace_back(kSectionKinks);
  appendTable(lines, wing.kinkTable, "Knickstellentabelle", kKeyKinkCount);
  lines.emplace_back();
  lines.emplace_back(kSectionFlaps);
  appendTable(lines, wing.flapTable, "Klappentabelle", kKeyFlapCount);
  lines.emplace_back();
  lines.emplace_back(kSectionSettings);
  lines.push_back(std::string(kKeyVersion) + "=" + std::string(kWingFileVersion));
  for (const StoredSwitch& s : kStoredSwitches) {
    lines.push_back(std::string(s.key) + "=" +
                    std::string(trueFalse(wing.switches[s.displaySwitch])));
  }
  checkSingleLine(wing.spanCondition, std::string(kKeySpanCondition));
  checkSingleLine(wing.kinkDeleteCondition, std::string(kKeyKinkDeleteCondition));
  checkSingleLine(wing.gammaExponent, std::string(kKeyGammaExponent));
  lines.push_back(std::string(kKeySpanCondition) + "=" + wing.spanCondition);
  lines.push_back(std::string(kKeyKinkDeleteCondition) + "=" + wing.kinkDeleteCondition);
  lines.push_back(std::string(kKeyAngleOfAttack) + "=" +
                  longReal(wing.wingAngleOfAttack, kKeyAngleOfAttack));
  lines.push_back(std::string(kKeyMass) + "=" + longReal(wing.wingMass, kKeyMass));
  lines.push_back(std::string(kKeyAltitude) + "=" + longReal(wing.flightAltitude, kKeyAltitude));
  lines.push_back(std::string(kKeyStationCount) + "=" + std::to_string(wing.stationCount));
  lines.push_back(std::string(kKeyGammaExponent) + "=" + wing.gammaExponent);
  for (const DesignModeKey& k : kDesignModeKeys) {
    lines.push_back(std::string(k.key) + "=" + std::string(trueFalse(wing.designMode == k.mode)));
  }
  for (const SurfaceKey& k : kSurfaceKeys) {
    lines.push_back(std::string(k.key) + "=" +
                    std::string(trueFalse(wing.surfaceCondition == k.surface)));
  }
  lines.emplace_back();
  return lines;
}

std::string writeWingFileText(const TWing& wing) { return joinLinesCrLf(wingFileLines(wing)); }

std::string encodeWingFile(const TWing& wing) {
  const std::vector<std::string> lines = wingFileLines(wing);
  std::string bytes;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    try {
      bytes += utf8ToWindows1252(lines[i]);
    } catch (const TextEncodingError& e) {
      throw WingFileError("Zeile " + quote(lines[i]) + ": " + e.what(), static_cast<int>(i) + 1);
    }
    bytes += "\r\n";
  }
  return bytes;
}

// ------------------------------------------------------------------ reader

WingFileContent parseWingFileText(std::string_view utf8Text) {
  WingFileContent content;
  TableReader kinks(content.kinkTable, kSectionKinks, kKeyKinkCount, kRequiredKinkColumns);
  TableReader flaps(content.flapTable, kSectionFlaps, kKeyFlapCount, kFlapColumns);
  enum class Section { None, Kinks, Flaps, Settings } section = Section::None;
  bool settingsSeen = false;

  const std::vector<std::string_view> lines = splitLines(utf8Text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const int lineNumber = static_cast<int>(i) + 1;
    if (line.empty()) {
      section = Section::None;
    } else if (startsWith(line, kSectionKinks)) {
      section = Section::Kinks;
      kinks.sectionSeen();
    } else if (startsWith(line, kSectionFlaps)) {
      section = Section::Flaps;
      flaps.sectionSeen();
    } else if (startsWith(line, kSectionSettings)) {
      section = Section::Settings;
      settingsSeen = true;
    } else if (section == Section::Kinks) {
      kinks.readLine(line, lineNumber);
    } else if (section == Section::Flaps) {
      flaps.readLine(line, lineNumber);
    } else if (section == Section::Settings) {
      readSettingsLine(line, lineNumber, content);
    }
  }
  kinks.checkComplete();
  flaps.checkComplete();
  if (!settingsSeen) {
    throw WingFileError("Der Abschnitt " + std::string(kSectionSettings) +
                        " fehlt: die Datei ist unvollständig");
  }
  return content;
}

WingFileContent decodeWingFile(std::string_view bytes) {
  return parseWingFileText(windows1252ToUtf8(bytes));
}

void applyWingFileTables(const WingFileContent& content, TWing& wing) {
  wing.kinkTable = content.kinkTable;
  wing.flapTable = content.flapTable;
  for (std::size_t i = 0; i < kStoredSwitches.size(); ++i) {
    if (content.switches[i]) wing.switches[kStoredSwitches[i].displaySwitch] = *content.switches[i];
  }
  if (content.spanCondition) wing.spanCondition = *content.spanCondition;
  if (content.kinkDeleteCondition) wing.kinkDeleteCondition = *content.kinkDeleteCondition;
  if (content.wingAngleOfAttack) wing.wingAngleOfAttack = *content.wingAngleOfAttack;
  if (content.wingMass) wing.wingMass = *content.wingMass;
  if (content.flightAltitude) wing.flightAltitude = *content.flightAltitude;
  if (content.stationCount) wing.stationCount = *content.stationCount;
  if (content.gammaExponent) wing.gammaExponent = *content.gammaExponent;
}

void applyWingFileChoices(const WingFileContent& content, TWing& wing) {
  if (content.designMode) wing.designMode = *content.designMode;
  if (content.surfaceCondition) wing.surfaceCondition = *content.surfaceCondition;
}

// ------------------------------------------------------- old-format files

bool isOldFormat(const TWing& wing) {
  for (int r = 1; r <= wing.kinkCount(); ++r) {
    for (int c = kColKinkSection; c < kKinkColumns; ++c) {
      if (wing.kinkTable.cell(c, r).empty()) return true;
    }
  }
  return false;
}

std::filesystem::path airfoilFilePath(std::string_view airfoilDirectory, std::string_view name) {
  std::string path(airfoilDirectory);
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  return path;
}

namespace {

// The standard section of an airfoil file and its zero-lift values into
// the cells of one kink row.
void buildAirfoilIntoRow(TWing& wing, int row, const std::filesystem::path& file) {
  TAirfoil airfoil;
  airfoil.LoadFromFile(file);
  airfoil.EnsureLeadingEdgePoint();
  TAirfoil section = airfoil.SmoothForWing(kSectionPoints - 1);
  if (section.Count() != kSectionPoints) {
    throw AirfoilFileError("der Standardschnitt hat " + std::to_string(section.Count()) +
                           " statt " + std::to_string(kSectionPoints) + " Punkte");
  }
  section.ComputeCharacteristics();
  const Real alpha0 = section.GetCharacteristic(kSlotAlpha0);
  const Real cm0 = section.GetCharacteristic(kSlotCm0);
  bool finite = std::isfinite(alpha0) && std::isfinite(cm0);
  for (int i = 0; i < kSectionPoints; ++i) finite = finite && std::isfinite(section.point(i).Y);
  if (!finite) throw AirfoilFileError("die Profilkennwerte sind keine endlichen Zahlen");

  CellTable& t = wing.kinkTable;
  t.setNumber(kColKinkAlpha0, row, alpha0);
  t.setNumber(kColKinkCm0, row, cm0);
  for (int i = 0; i < kSectionPoints; ++i)
    t.setNumber(kColKinkSection + i, row, section.point(i).Y);
}

}  // namespace

void convertOldFormat(TWing& wing, Platform& platform, std::string_view airfoilDirectory) {
  CellTable& t = wing.kinkTable;
  for (int i = 0; i < kSectionPoints; ++i) t.setNumber(kColKinkSection + i, 0, sectionX(i));
  for (int row = 1; row <= wing.kinkCount(); ++row) {
    const std::string& name = t.cell(kColKinkAirfoil, row);
    if (name == kBlendedAirfoil) continue;
    const std::filesystem::path file = airfoilFilePath(airfoilDirectory, name);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) {
      platform.showMessage(25);
      continue;
    }
    try {
      buildAirfoilIntoRow(wing, row, file);
    } catch (const std::exception& e) {
      // Like a missing file: this kink keeps its cells, the others go on.
      platform.showError(kLoadCaption, "Das Profil \"" + file.string() + "\" der Knickstelle " +
                                           std::to_string(row) +
                                           " konnte nicht eingebaut werden: " + e.what());
    }
  }
  try {
    UpdateBlendedSections(wing);
  } catch (const std::exception& e) {
    // Typically a source kink whose airfoil was missing: the wing is loaded
    // as far as it could be converted, and the computation names the gap.
    platform.showError(
        kLoadCaption,
        std::string("Die Strak-Schnitte konnten nicht berechnet werden: ") + e.what());
  }
}

// ------------------------------------------------------------ file access

void writeWingFile(const TWing& wing, const std::filesystem::path& fileName) {
  writeFileAtomically(fileName, encodeWingFile(wing));
}

WingFileContent readWingFile(const std::filesystem::path& fileName) {
  return decodeWingFile(readFileBytes(fileName, kMaxWingFileBytes));
}

bool saveWing(TWing& wing, const std::filesystem::path& fileName, Platform& platform) {
  try {
    writeWingFile(wing, fileName);
  } catch (const std::exception& e) {
    platform.showError(kSaveCaption, "Die Flügeldatei \"" + fileName.string() +
                                         "\" wurde nicht gespeichert.\n" + e.what() +
                                         "\nEine vorhandene Datei dieses Namens ist unverändert.");
    return false;
  }
  wing.wingFileName = fileName.string();
  wing.wingSaved = true;
  platform.showWingFileName(wing.wingFileName);
  return true;
}

bool saveWingUnderCurrentName(TWing& wing, Platform& platform) {
  return saveWing(wing, wing.wingFileName, platform);
}

bool saveWingAs(TWing& wing, Platform& platform, const Settings& settings) {
  FileDialogRequest request;
  request.title = "Flügel speichern unter";
  request.filter = std::string(kWingFileFilter);
  request.defaultExtension = std::string(kWingFileExtension);
  request.proposedName = wing.wingFileName;
  request.initialDirectory = settings.wingDirectory;
  request.overwritePrompt = true;
  const auto chosen = platform.chooseSaveFile(request);
  if (!chosen) return false;
  return saveWing(wing, *chosen, platform);
}

bool loadWingFile(TWing& wing, const std::filesystem::path& fileName, Platform& platform,
                  std::string_view airfoilDirectory) {
  WingFileContent content;
  try {
    content = readWingFile(fileName);
  } catch (const std::exception& e) {
    platform.showError(kLoadCaption, loadErrorText(fileName, e));
    return false;
  }
  platform.clearDrawingArea();

  TWing loaded = wing;  // values the file does not name stay as they are
  applyWingFileTables(content, loaded);
  loaded.designMode = DesignMode::WingAngle;
  loaded.barPosition = 0;
  loaded.wingPresent = true;
  loaded.wingSaved = true;
  loaded.wingFileName = fileName.string();
  if (isOldFormat(loaded)) {
    platform.showMessage(44);
    loaded.wingSaved = false;
    try {
      convertOldFormat(loaded, platform, airfoilDirectory);
    } catch (const std::exception& e) {
      platform.showError(kLoadCaption, loadErrorText(fileName, e));
      platform.refreshWingDisplay(false);  // the cleared area shows the old wing again
      return false;
    }
  }

  wing = std::move(loaded);
  platform.showWingFileName(wing.wingFileName);
  platform.refreshWingDisplay(true);
  // The file's design-mode and surface choices act from the next recompute
  // on; this one ran in the wing-angle mode with the file's angle.
  applyWingFileChoices(content, wing);
  return true;
}

bool loadWing(TWing& wing, Platform& platform, const Settings& settings) {
  if (!wing.wingSaved && platform.showMessage(5) != Answer::Yes) return false;
  FileDialogRequest request;
  request.title = "Daten laden";
  request.filter = std::string(kWingFileFilter);
  request.defaultExtension = std::string(kWingFileExtension);
  request.proposedName = "*.flg";
  request.initialDirectory = settings.wingDirectory;
  request.mustExist = true;
  const auto chosen = platform.chooseOpenFile(request);
  if (!chosen) return false;
  return loadWingFile(wing, *chosen, platform, settings.airfoilDirectory);
}

}  // namespace velarix
