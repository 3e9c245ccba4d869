#include "wing/settings.h"

#include <gtest/gtest.h>

#include <string>

#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "wing/text_encoding.h"

namespace velarix {
namespace {

using testing::FakePlatform;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

TEST(Settings, FirstStartGivesDefaultsAndCloseWritesEverySection) {
  TempDir dir;
  FakePlatform platform;
  Settings settings;
  {
    TBigIniFile ini;
    ASSERT_TRUE(readSettingsAtStartup(ini, dir.path(), settings, platform));
    for (ColourRef c : settings.groupColours) EXPECT_EQ(c, kWhite);
    EXPECT_EQ(settings.wingDirectory, "");
    EXPECT_EQ(settings.airfoilDirectory, "");
    EXPECT_FALSE(settings.markerBarAsCross);
    ASSERT_TRUE(writeSettingsAtClose(ini, dir.path(), settings, platform));
  }
  std::string expected = "[KlappenGruppenFarben]\r\n";
  for (int g = 0; g < kGroupCount; ++g) expected += std::to_string(g) + "=16777215\r\n";
  expected +=
      "\r\n[Verzeichnisse]\r\nVerzeichnis_Fluegeldaten=\r\nVerzeichnis_Profildaten=\r\n\r\n"
      "[Schaltbuttons]\r\nMackieungsbalken als Kreuz=False\r\n\r\n";
  EXPECT_EQ(readBytes(dir / "velarix.ini"), expected);
  EXPECT_TRUE(platform.errors.empty());
}

TEST(Settings, ValuesAreReadByTheirOwnRules) {
  TempDir dir;
  writeBytes(dir / "velarix.ini",
             "[schaltbuttons]\r\nMackieungsbalken als Kreuz=yes\r\n"
             "[KlappenGruppenFarben]\r\n0=0xFF\r\n1=255\r\n2=-1\r\n3=16777216\r\n4=blau\r\n"
             "5=0x00FF0000\r\n");
  FakePlatform platform;
  Settings settings;
  TBigIniFile ini;
  ASSERT_TRUE(readSettingsAtStartup(ini, dir.path(), settings, platform));
  EXPECT_FALSE(settings.markerBarAsCross);    // "yes" is not "True"
  EXPECT_EQ(settings.groupColours[0], 255u);  // pure red
  EXPECT_EQ(settings.groupColours[1], 255u);
  EXPECT_EQ(settings.groupColours[2], kWhite);  // no 0x00BBGGRR colour
  EXPECT_EQ(settings.groupColours[3], kWhite);
  EXPECT_EQ(settings.groupColours[4], kWhite);
  EXPECT_EQ(settings.groupColours[5], rgb(0, 0, 255));
  EXPECT_EQ(settings.groupColours[6], kWhite);
}

TEST(Settings, WrittenAndReadAgainKeepsEveryValueAndForeignLines) {
  TempDir dir;
  writeBytes(dir / "velarix.ini", "[Fremd]\r\nbleibt=ja\r\n[Verzeichnisse]\r\nalt=1\r\n");
  Settings written;
  for (int g = 0; g < kGroupCount; ++g) {
    written.groupColours[static_cast<std::size_t>(g)] = static_cast<ColourRef>(g * 167773 % 0x1000000);
  }
  written.wingDirectory = "/home/jürgen/Flügel";
  written.airfoilDirectory = "/home/jürgen/Profile ÄÖÜß";
  written.markerBarAsCross = true;
  FakePlatform platform;
  {
    TBigIniFile ini;
    Settings unused;
    readSettingsAtStartup(ini, dir.path(), unused, platform);
    ASSERT_TRUE(writeSettingsAtClose(ini, dir.path(), written, platform));
  }
  const std::string bytes = readBytes(dir / "velarix.ini");
  EXPECT_NE(bytes.find("Verzeichnis_Fluegeldaten=/home/j\xFCrgen/Fl\xFCgel\r\n"),
            std::string::npos);
  EXPECT_NE(bytes.find("[Fremd]\r\nbleibt=ja\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("alt=1\r\n"), std::string::npos);

  TBigIniFile ini;
  Settings read;
  ASSERT_TRUE(readSettingsAtStartup(ini, dir.path(), read, platform));
  EXPECT_EQ(read, written);
  EXPECT_TRUE(platform.errors.empty());
}

TEST(Settings, CloseRereadsTheFileFromDisk) {
  TempDir dir;
  FakePlatform platform;
  TBigIniFile ini;
  Settings settings;
  readSettingsAtStartup(ini, dir.path(), settings, platform);
  // Another program (or a second instance) wrote the file meanwhile.
  writeBytes(dir / "velarix.ini", "[Neu]\r\nx=1\r\n");
  ASSERT_TRUE(writeSettingsAtClose(ini, dir.path(), settings, platform));
  EXPECT_EQ(readBytes(dir / "velarix.ini").rfind("[Neu]\r\nx=1\r\n\r\n", 0), 0u);
}

TEST(Settings, UnwritableDirectoryIsReportedAndTheFileKept) {
  TempDir dir;
  writeBytes(dir / "velarix.ini", "[Verzeichnisse]\r\nVerzeichnis_Fluegeldaten=/alt\r\n");
  FakePlatform platform;
  Settings settings;
  {
    TBigIniFile ini;
    ASSERT_TRUE(readSettingsAtStartup(ini, dir.path(), settings, platform));
    settings.wingDirectory = "/Ω";
    EXPECT_FALSE(writeSettingsAtClose(ini, dir.path(), settings, platform));
  }
  EXPECT_EQ(platform.errors.size(), 1u);
  EXPECT_EQ(readBytes(dir / "velarix.ini"), "[Verzeichnisse]\r\nVerzeichnis_Fluegeldaten=/alt\r\n");
}

TEST(Settings, UnreadableFileGivesDefaultsAndIsNotOverwritten) {
  TempDir dir;
  std::filesystem::create_directory(dir / "velarix.ini");  // a directory, not a file
  FakePlatform platform;
  Settings settings;
  TBigIniFile ini;
  EXPECT_FALSE(readSettingsAtStartup(ini, dir.path(), settings, platform));
  EXPECT_EQ(settings.groupColours[3], kWhite);
  EXPECT_FALSE(writeSettingsAtClose(ini, dir.path(), settings, platform));
  EXPECT_EQ(platform.errors.size(), 2u);
  EXPECT_TRUE(std::filesystem::is_directory(dir / "velarix.ini"));
}

}  // namespace
}  // namespace velarix
