#include "wing/BigIni.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace velarix {
namespace {

using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

TEST(BigIniFile, ReadsSectionsLinesAndSkipsWhatIsNoContent) {
  TBigIniFile ini;
  ini.setText(
      "vorher=verloren\n"
      "[Eins]\r\n"
      "a=1\r\n"
      "\x1A\r\n"
      "\r\n"
      "ohne Gleichheitszeichen\n"
      "b=x=y\n"
      "[Zwei] \n"  // does not end with "]": a line of section Eins
      "[zwei]\n"
      "A=2\n");
  EXPECT_EQ(ini.sectionNames(), (std::vector<std::string>{"Eins", "zwei"}));
  EXPECT_EQ(ini.readString("eins", "A", "-"), "1");
  EXPECT_EQ(ini.readString("EINS", "b", "-"), "x=y");
  EXPECT_EQ(ini.readString("Eins", "vorher", "-"), "-");
  EXPECT_EQ(ini.readString("Eins", "ohne Gleichheitszeichen", "-"), "-");
  EXPECT_EQ(ini.readString("Zwei", "a", "-"), "2");
  EXPECT_EQ(ini.readString("Drei", "a", "fehlt"), "fehlt");
  EXPECT_FALSE(ini.modified());
  EXPECT_EQ(ini.text(),
            "[Eins]\r\na=1\r\nohne Gleichheitszeichen\r\nb=x=y\r\n[Zwei] \r\n\r\n"
            "[zwei]\r\nA=2\r\n\r\n");
}

TEST(BigIniFile, TypedReadsFallBackToTheDefault) {
  TBigIniFile ini;
  ini.setText(
      "[S]\nhex=0xFF\nHEX=0XfF\ndez=-42\nleer=\nwort=12abc\nminus0x=-0x10\n"
      "bool1=True\nbool2=False\nbool3=yes\nbool4=true\n"
      "real1=1,5\nreal2= 1.00000000000000E+0000\nreal3=abc\n");
  struct IntCase {
    const char* key;
    long long expected;
  };
  for (const IntCase& c : {IntCase{"hex", 255}, IntCase{"dez", -42}, IntCase{"leer", 7},
                           IntCase{"wort", 7}, IntCase{"minus0x", 7}, IntCase{"fehlt", 7}}) {
    EXPECT_EQ(ini.readInteger("S", c.key, 7), c.expected) << c.key;
  }
  EXPECT_TRUE(ini.readBool("S", "bool1", false));
  EXPECT_FALSE(ini.readBool("S", "bool2", true));
  EXPECT_FALSE(ini.readBool("S", "bool3", false));
  EXPECT_TRUE(ini.readBool("S", "bool3", true));
  EXPECT_FALSE(ini.readBool("S", "bool4", false));
  EXPECT_EQ(ini.readReal("S", "real1", 0), 1.5L);
  EXPECT_EQ(ini.readReal("S", "real2", 0), 1.0L);
  EXPECT_EQ(ini.readReal("S", "real3", 9), 9.0L);
}

TEST(BigIniFile, WritesReplaceOrAppendAndSetTheFlagOnlyOnChange) {
  TBigIniFile ini;
  ini.setText("[A]\nk=1\n");
  ini.writeString("a", "K", "1");
  EXPECT_FALSE(ini.modified());
  ini.writeInteger("A", "k", 2);
  EXPECT_TRUE(ini.modified());
  ini.writeBool("B", "schalter", true);
  ini.writeReal("B", "wert", -2.5L);
  ini.writeString("A", "neu", "ä");
  EXPECT_EQ(
      ini.text(),
      "[A]\r\nk=2\r\nneu=ä\r\n\r\n[B]\r\nschalter=True\r\nwert=-2.50000000000000E+0000\r\n\r\n");
  EXPECT_THROW(ini.writeString("A", "k", "zwei\nZeilen"), IniFileError);
  EXPECT_THROW(ini.writeString("A", "k=x", "1"), IniFileError);
  EXPECT_THROW(ini.writeString("A]", "k", "1"), IniFileError);
}

TEST(BigIniFile, WritesBackWhenAnotherFileIsOpenedAndWhenDestroyed) {
  TempDir dir;
  writeBytes(dir / "a.ini", "[S]\r\nOrt=M\xFCnchen\r\n");
  {
    TBigIniFile ini(dir / "a.ini");
    EXPECT_EQ(ini.readString("S", "Ort", ""), "München");
    ini.writeString("S", "Ort", "Köln");
    ini.open(dir / "b.ini");  // writes a.ini, b.ini does not exist
    EXPECT_EQ(readBytes(dir / "a.ini"), "[S]\r\nOrt=K\xF6ln\r\n\r\n");
    EXPECT_FALSE(ini.sectionExists("S"));
    ini.writeString("T", "x", "1");
  }
  EXPECT_EQ(readBytes(dir / "b.ini"), "[T]\r\nx=1\r\n\r\n");
}

TEST(BigIniFile, UnwritableContentKeepsTheFileOnDisk) {
  TempDir dir;
  writeBytes(dir / "a.ini", "[S]\r\nx=1\r\n");
  TBigIniFile ini(dir / "a.ini");
  ini.writeString("S", "x", "Ω");
  EXPECT_THROW(ini.updateFile(), IniFileError);
  EXPECT_EQ(readBytes(dir / "a.ini"), "[S]\r\nx=1\r\n");
  ini.discard();
}

TEST(BigIniFile, OversizedFileIsRefusedAndNeverOverwritten) {
  TempDir dir;
  const std::string big(TBigIniFile::kMaxFileBytes + 1, 'x');
  writeBytes(dir / "gross.ini", big);
  {
    TBigIniFile ini;
    EXPECT_THROW(ini.open(dir / "gross.ini"), IniFileError);
    EXPECT_FALSE(ini.modified());
  }
  EXPECT_EQ(std::filesystem::file_size(dir / "gross.ini"), big.size());
}

}  // namespace
}  // namespace velarix
