#include "wing/text_encoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wing/long_scientific.h"

namespace velarix {
namespace {

TEST(TextEncoding, EveryByteSequenceSurvivesDecodingAndEncoding) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = windows1252ToUtf8(all);
  EXPECT_TRUE(isWindows1252Encodable(utf8));
  EXPECT_EQ(utf8ToWindows1252(utf8), all);
}

TEST(TextEncoding, HighBytesMapToTheirCharacters) {
  struct Case {
    unsigned char byte;
    const char* utf8;
  };
  const Case cases[] = {
      {0x80, "€"},
      {0x82, "‚"},
      {0x84, "„"},
      {0x85, "…"},
      {0x8A, "Š"},
      {0x8C, "Œ"},
      {0x8E, "Ž"},
      {0x91, "‘"},
      {0x93, "“"},
      {0x96, "–"},
      {0x97, "—"},
      {0x99, "™"},
      {0x9C, "œ"},
      {0x9E, "ž"},
      {0x9F, "Ÿ"},
      {0xA0, "\u00A0"},
      {0xB0, "°"},
      {0xC4, "Ä"},
      {0xD6, "Ö"},
      {0xDC, "Ü"},
      {0xDF, "ß"},
      {0xE4, "ä"},
      {0xF6, "ö"},
      {0xFC, "ü"},
      {0xFF, "ÿ"},
      // Undefined in Windows-1252: the control character of the same value.
      {0x81, "\u0081"},
      {0x8D, "\u008D"},
      {0x8F, "\u008F"},
      {0x90, "\u0090"},
      {0x9D, "\u009D"},
  };
  for (const Case& c : cases) {
    const std::string byte(1, static_cast<char>(c.byte));
    EXPECT_EQ(windows1252ToUtf8(byte), c.utf8) << std::hex << int(c.byte);
    EXPECT_EQ(utf8ToWindows1252(c.utf8), byte) << std::hex << int(c.byte);
  }
}

TEST(TextEncoding, RefusesCharactersWithoutWindows1252FormAndBrokenUtf8) {
  struct Case {
    std::string text;
    std::size_t offset;
  };
  const std::vector<Case> cases = {
      {"Profil Ω.dat", 7},  // Greek capital omega
      {"a→b", 1},           // arrow
      {"x😀", 1},            // outside the basic plane
      {"ab\xC3", 2},        // truncated sequence
      {"\xC0\xAF", 0},      // overlong "/"
      {"\xED\xA0\x80", 0},  // surrogate
      {"\x80", 0},          // lone continuation byte
      {"\u0080", 0},        // C1 control 0x80 (the byte 0x80 is the euro sign)
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(isWindows1252Encodable(c.text)) << c.text;
    try {
      utf8ToWindows1252(c.text);
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const TextEncodingError& e) {
      EXPECT_EQ(e.offset(), c.offset) << c.text;
    }
  }
}

TEST(TextEncoding, SplitsLinesAtCrLfLfAndCr) {
  using Lines = std::vector<std::string_view>;
  EXPECT_EQ(splitLines(""), Lines{});
  EXPECT_EQ(splitLines("a"), Lines{"a"});
  EXPECT_EQ(splitLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(splitLines("a\nb\n"), (Lines{"a", "b"}));
  EXPECT_EQ(splitLines("a\rb\r\nc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(splitLines("\n\n"), (Lines{"", ""}));
  EXPECT_EQ(joinLinesCrLf({"a", ""}), "a\r\n\r\n");
}

TEST(LongScientific, WritesTwentyThreeCharactersWithAPoint) {
  struct Case {
    Real x;
    const char* text;
  };
  const Case cases[] = {
      {1.0L, " 1.00000000000000E+0000"},
      {-2.5L, "-2.50000000000000E+0000"},
      {0.0L, " 0.00000000000000E+0000"},
      {-0.0L, " 0.00000000000000E+0000"},
      {1234.5L, " 1.23450000000000E+0003"},
      {0.1L, " 1.00000000000000E-0001"},
      {-1e-7L, "-1.00000000000000E-0007"},
      {9.999999999999999e20L, " 1.00000000000000E+0021"},  // rounding carries into the exponent
      {1e-300L, " 1.00000000000000E-0300"},
      {1.5e4000L, " 1.50000000000000E+4000"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(formatLongScientific(c.x), c.text);
    EXPECT_EQ(formatLongScientific(c.x).size(), 23u);
  }
  EXPECT_THROW(formatLongScientific(std::numeric_limits<Real>::infinity()), std::domain_error);
}

TEST(LongScientific, ReadsLongAndPlainFormsButNoWords) {
  EXPECT_EQ(parseLongReal(" 1.00000000000000E+0000"), 1.0L);
  EXPECT_EQ(parseLongReal("-2.50000000000000E+0000"), -2.5L);
  EXPECT_EQ(parseLongReal("1,5"), 1.5L);
  EXPECT_EQ(parseLongReal("+3"), 3.0L);
  for (const char* bad : {"", " ", "abc", "inf", "nan", "1..2", "1e", "--1", "1e99999", "0x10"}) {
    EXPECT_FALSE(parseLongReal(bad)) << bad;
  }
}

}  // namespace
}  // namespace velarix
