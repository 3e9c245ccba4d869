#include "wing/settings.h"

#include <exception>

#include "wing/platform.h"

namespace velarix {

namespace {
constexpr std::string_view kSettingsCaption = "Einstellungen";
}

const std::array<ColourRef, 21> kBuiltInGroupPalette = {
    rgb(255, 255, 255), rgb(106, 0, 0),   rgb(213, 0, 0),   rgb(255, 64, 64),
    rgb(255, 170, 170), rgb(106, 106, 0), rgb(213, 213, 0), rgb(255, 255, 64),
    rgb(255, 255, 170), rgb(0, 106, 0),   rgb(0, 213, 0),   rgb(64, 255, 64),
    rgb(170, 255, 170), rgb(0, 0, 106),   rgb(0, 0, 213),   rgb(64, 64, 255),
    rgb(170, 170, 255), rgb(0, 106, 106), rgb(0, 213, 213), rgb(64, 255, 255),
    rgb(170, 255, 255)};

Settings::Settings() {
  groupColours.fill(kWhite);
  for (std::size_t i = 0; i < kBuiltInGroupPalette.size(); ++i) {
    groupColours[i] = kBuiltInGroupPalette[i];
  }
}

std::filesystem::path settingsFilePath(const std::filesystem::path& startDirectory) {
  return startDirectory / std::string(kSettingsFileName);
}

bool readMarkerBarSetting(const TBigIniFile& ini) {
  return ini.readBool(kSectionSwitches, kKeyMarkerBarAsCross, false);
}

std::array<ColourRef, kGroupCount> readGroupColours(const TBigIniFile& ini) {
  std::array<ColourRef, kGroupCount> colours{};
  for (int group = 0; group < kGroupCount; ++group) {
    const long long value = ini.readInteger(kSectionGroupColours, std::to_string(group), kWhite);
    // Anything outside 0x00BBGGRR (negative, or a high byte) is no colour.
    colours[static_cast<std::size_t>(group)] =
        value >= 0 && value <= 0xFFFFFF ? static_cast<ColourRef>(value) : kWhite;
  }
  return colours;
}

void readDirectories(const TBigIniFile& ini, Settings& settings) {
  settings.wingDirectory = ini.readString(kSectionDirectories, kKeyWingDirectory, "");
  settings.airfoilDirectory = ini.readString(kSectionDirectories, kKeyAirfoilDirectory, "");
}

bool readSettingsAtStartup(TBigIniFile& ini, const std::filesystem::path& startDirectory,
                           Settings& settings, Platform& platform) {
  const std::filesystem::path file = settingsFilePath(startDirectory);
  bool ok = true;
  try {
    ini.open(file);
  } catch (const std::exception& e) {
    platform.showError(kSettingsCaption, std::string(e.what()) +
                                             "\nEs gelten die Voreinstellungen; die Datei "
                                             "wird beim Beenden nicht überschrieben.");
    ok = false;
  }
  // Main window, then the colour dialog, then the directories dialog, each
  // opening the file again as the windows do.
  settings.markerBarAsCross = readMarkerBarSetting(ini);
  if (ok) {
    try {
      ini.open(file);
    } catch (const std::exception&) {
      ok = false;
    }
  }
  settings.groupColours = readGroupColours(ini);
  if (ok) {
    try {
      ini.open(file);
    } catch (const std::exception&) {
      ok = false;
    }
  }
  readDirectories(ini, settings);
  return ok;
}

bool writeSettingsAtClose(TBigIniFile& ini, const std::filesystem::path& startDirectory,
                          const Settings& settings, Platform& platform) {
  try {
    ini.open(settingsFilePath(startDirectory));
    for (int group = 0; group < kGroupCount; ++group) {
      ini.writeInteger(kSectionGroupColours, std::to_string(group),
                       settings.groupColours[static_cast<std::size_t>(group)]);
    }
    ini.writeString(kSectionDirectories, kKeyWingDirectory, settings.wingDirectory);
    ini.writeString(kSectionDirectories, kKeyAirfoilDirectory, settings.airfoilDirectory);
    ini.writeBool(kSectionSwitches, kKeyMarkerBarAsCross, settings.markerBarAsCross);
    ini.updateFile();
    return true;
  } catch (const std::exception& e) {
    // Forget the unwritten changes so that the destructor does not try again.
    ini.discard();
    platform.showError(kSettingsCaption, std::string(e.what()));
    return false;
  }
}

}  // namespace velarix
