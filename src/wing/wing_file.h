// The wing file (*.flg): the two cell tables, the display switches and the
// wing-level values as INI-like text, Windows-1252 with CR LF line ends.
//
//   [Tragflaechengeometrie]
//   Anzahl Knickstellen=N
//   <column>,<row>=<cell text>      rows 0..N, columns 0..69, row after row
//   <empty line>
//   [Klappendaten]
//   Anzahl Klappen=M
//   <column>,<row>=<cell text>      rows 0..M, columns 0..6
//   <empty line>
//   [Umgebungseinstellungen]
//   Velarixversion=Vers. 2.17 14.06.02 <blank>
//   15 display switches "<key>=True|False", Spannweitenbedingung,
//   Knickstellenloeschbedingung, Anstellwinkel, Masse, Flughoehe (long
//   scientific form), Stuetzstellenzahl, Gamma-Vorgabe, 9 "Radiobutton" keys
//   <empty line>
//
// Reading matches settings keys as line prefixes, ends a section at the
// first empty line and accepts the sections in any order. A file is read
// completely into a WingFileContent before the wing is touched, so a file
// that cannot be read leaves the wing exactly as it was.
//
// Limits against damaged or hostile files: at most kMaxTableRows data rows
// per table and kMaxWingFileBytes bytes. Every row 0..N of the kink table
// must have its cells 0..6 (which every program version wrote; the section
// columns 9..69 are missing in the old format and are rebuilt), every row of
// the flap table all 7 cells, and all three sections must be present: a
// truncated file or a count that disagrees with the cell lines is refused.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "wing/cell_table.h"
#include "wing/real.h"
#include "wing/wing.h"

namespace velarix {

class Platform;
struct Settings;

// A wing file that cannot be read or written. line() is the 1-based line of
// the file that caused it, 0 when the fault belongs to no single line.
class WingFileError : public std::runtime_error {
 public:
  explicit WingFileError(const std::string& message, int line = 0)
      : std::runtime_error(message), line_(line) {}
  int line() const { return line_; }

 private:
  int line_;
};

inline constexpr std::string_view kWingFileVersion = "Vers. 2.17 14.06.02 ";
inline constexpr std::string_view kWingFileFilter = "Flugzeugdaten *.flg|*.flg";
inline constexpr std::string_view kWingFileExtension = "flg";
// Far above any wing the editing can build (the computation uses at most 127
// stations); keeps a hostile count from allocating without bound.
inline constexpr int kMaxTableRows = 2000;
inline constexpr std::size_t kMaxWingFileBytes = 32u << 20;

// A display switch stored in the wing file and its key (without "=").
struct StoredSwitch {
  std::string_view key;
  DisplaySwitch displaySwitch;
};
inline constexpr int kStoredSwitchCount = 15;
// In file order.
extern const std::array<StoredSwitch, kStoredSwitchCount> kStoredSwitches;

// Everything a wing file says. A value that the file does not name is
// empty; loading leaves the wing's current value for it.
struct WingFileContent {
  CellTable kinkTable{kKinkColumns};
  CellTable flapTable{kFlapColumns};
  std::array<std::optional<bool>, kStoredSwitchCount> switches;  // as kStoredSwitches
  std::optional<std::string> spanCondition;
  std::optional<std::string> kinkDeleteCondition;
  std::optional<Real> wingAngleOfAttack;
  std::optional<Real> wingMass;
  std::optional<Real> flightAltitude;
  std::optional<int> stationCount;
  std::optional<std::string> gammaExponent;
  // The "Radiobutton" choices: the last one set "True" in the file.
  std::optional<DesignMode> designMode;
  std::optional<SurfaceCondition> surfaceCondition;
};

// The lines of the file (UTF-8, without line ends). Throws WingFileError for
// a text that would break the line structure (a line break in a cell or
// value) and for tables beyond kMaxTableRows.
std::vector<std::string> wingFileLines(const TWing& wing);
// The file text, UTF-8, every line ended by CR LF.
std::string writeWingFileText(const TWing& wing);
// The file bytes, Windows-1252. Throws WingFileError also for a character
// that has no Windows-1252 form, naming the cell or key.
std::string encodeWingFile(const TWing& wing);

// Reads a file text (UTF-8; CR LF, LF or CR line ends). Throws WingFileError
// naming the line and the fault.
WingFileContent parseWingFileText(std::string_view utf8Text);
// Reads file bytes (Windows-1252).
WingFileContent decodeWingFile(std::string_view bytes);

// Puts the tables and the values of the first pass (switches, conditions,
// reals, station count, exponent) into the wing.
void applyWingFileTables(const WingFileContent& content, TWing& wing);
// The second pass: the design-mode and surface choices.
void applyWingFileChoices(const WingFileContent& content, TWing& wing);

// Whether a kink data row has an empty cell in the section columns 9..69:
// the file was written before the sections were stored in it.
bool isOldFormat(const TWing& wing);
// airfoilDirectory + "/" + name. A directory without a trailing separator
// gets one; an empty directory gives "/name" (the root, as the directory
// entry was empty).
std::filesystem::path airfoilFilePath(std::string_view airfoilDirectory, std::string_view name);
// Rebuilds the sections of an old-format wing: the header's chord stations,
// then for every kink with an airfoil file of its own the file's standard
// section (EnsureLeadingEdgePoint, SmoothForWing(60)) with its zero-lift
// angle and moment, then the blended kinks. A missing airfoil file shows
// message 25, an unreadable one an error naming it; that kink keeps its
// cells. Blending that fails (a source kink without a section) shows an
// error; the wing keeps what was converted.
void convertOldFormat(TWing& wing, Platform& platform, std::string_view airfoilDirectory);

// Writes the wing's file atomically (see writeFileAtomically). Throws
// WingFileError or FileAccessError; the file on disk is then unchanged.
void writeWingFile(const TWing& wing, const std::filesystem::path& fileName);
// Reads and parses a file. Throws WingFileError (a message naming the file
// and line) or FileAccessError.
WingFileContent readWingFile(const std::filesystem::path& fileName);

// Saves the wing under fileName: on success the wing takes the name, is
// saved, and the caption shows it. On failure an error box names the file
// and the reason, the wing and the file on disk stay as they were.
bool saveWing(TWing& wing, const std::filesystem::path& fileName, Platform& platform);
// "Flügel speichern": saveWing under the current name, without a dialog.
bool saveWingUnderCurrentName(TWing& wing, Platform& platform);
// "Flügel speichern unter": the save dialog in the wing directory with the
// current name proposed; cancelling changes nothing.
bool saveWingAs(TWing& wing, Platform& platform, const Settings& settings);

// Loads a wing file without dialogs or questions (the command line uses
// it): the drawing area is cleared, the wing replaced, the caption renewed,
// an old-format file converted (message 44), the wing recomputed and redrawn
// and then the file's design-mode and surface choices selected. A file that
// cannot be read shows an error naming the file and line and leaves the
// wing exactly as it was. Returns whether the wing was replaced.
bool loadWingFile(TWing& wing, const std::filesystem::path& fileName, Platform& platform,
                  std::string_view airfoilDirectory);
// "Flügel laden": asks with message 5 when the wing is unsaved, shows the
// open dialog "Daten laden" in the wing directory, then loadWingFile.
bool loadWing(TWing& wing, Platform& platform, const Settings& settings);

}  // namespace velarix
