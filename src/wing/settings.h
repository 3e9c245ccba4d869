// The user's settings that do not belong to a wing, kept in the settings file
// "velarix.ini" in the start directory: the wing and airfoil directories, the
// colours of the 100 flap groups and the marker-bar style.
//
//   [Verzeichnisse]          Verzeichnis_Fluegeldaten, Verzeichnis_Profildaten
//   [KlappenGruppenFarben]   0 ... 99, colour 0x00BBGGRR as a decimal integer
//   [Schaltbuttons]          Mackieungsbalken als Kreuz = True/False
//
// The file is read when the windows are created (each reads its own part)
// and written once when the program closes.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "wing/BigIni.h"

namespace velarix {

class Platform;

inline constexpr std::string_view kSettingsFileName = "velarix.ini";
inline constexpr std::string_view kSectionDirectories = "Verzeichnisse";
inline constexpr std::string_view kKeyWingDirectory = "Verzeichnis_Fluegeldaten";
inline constexpr std::string_view kKeyAirfoilDirectory = "Verzeichnis_Profildaten";
inline constexpr std::string_view kSectionGroupColours = "KlappenGruppenFarben";
inline constexpr std::string_view kSectionSwitches = "Schaltbuttons";
inline constexpr std::string_view kKeyMarkerBarAsCross = "Mackieungsbalken als Kreuz";

inline constexpr int kGroupCount = 100;
// Colours are 0x00BBGGRR: red in the low byte, blue in the high byte.
using ColourRef = std::uint32_t;
inline constexpr ColourRef kWhite = 16777215;
inline constexpr ColourRef rgb(unsigned red, unsigned green, unsigned blue) {
  return red | (green << 8) | (blue << 16);
}

// The built-in colours of the groups 0..20. Reading the settings file gives
// every group the file's colour or white, so they show only in a Settings
// object that was never read.
extern const std::array<ColourRef, 21> kBuiltInGroupPalette;

struct Settings {
  std::string wingDirectory;                       // initial directory of the wing file dialogs
  std::string airfoilDirectory;                    // where airfoil files are looked up by name
  std::array<ColourRef, kGroupCount> groupColours{};  // index = group number
  bool markerBarAsCross = false;                   // draw the marker bar as a cross

  Settings();
  bool operator==(const Settings&) const = default;
};

// startDirectory / "velarix.ini".
std::filesystem::path settingsFilePath(const std::filesystem::path& startDirectory);

// The reads of the single windows at their creation, on an opened file:
// the main window's marker-bar check mark (false when missing or not
// "True"), the colour dialog's 100 colours (white when missing, when no
// integer or when outside 0..0xFFFFFF) and the directories dialog's two
// entries (empty when missing).
bool readMarkerBarSetting(const TBigIniFile& ini);
std::array<ColourRef, kGroupCount> readGroupColours(const TBigIniFile& ini);
void readDirectories(const TBigIniFile& ini, Settings& settings);

// Start-up: the main window, the flap group colour dialog and the
// directories dialog each open the settings file in startDirectory and read
// their part, in that order. An unreadable file is reported through
// platform.showError and gives the defaults; false then.
bool readSettingsAtStartup(TBigIniFile& ini, const std::filesystem::path& startDirectory,
                           Settings& settings, Platform& platform);

// Close: opens the settings file again (re-reading it from disk), writes the
// 100 colours, the two directories and the marker-bar switch in that order,
// and writes the file. A failure is reported through platform.showError and
// leaves the file on disk as it was; false then.
bool writeSettingsAtClose(TBigIniFile& ini, const std::filesystem::path& startDirectory,
                          const Settings& settings, Platform& platform);

}  // namespace velarix
