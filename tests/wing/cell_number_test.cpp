#include "wing/cell_number.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace velarix {
namespace {

TEST(CellNumber, FormatsTheDocumentedExamples) {
  EXPECT_EQ(formatCellNumber(0.2L), "0,2");
  EXPECT_EQ(formatCellNumber(-0.5L), "-0,5");
  EXPECT_EQ(formatCellNumber(75.0L), "75");
  EXPECT_EQ(formatCellNumber(1.0L / 3.0L), "0,333333");
  EXPECT_EQ(formatCellNumber(-1.0L / 3.0L), "-0,333333");
  EXPECT_EQ(formatCellNumber(2.0000009L), "2");
  EXPECT_EQ(formatCellNumber(0.1L + 0.2L), "0,3");
  EXPECT_EQ(formatCellNumber(0.1 + 0.2), "0,3");  // the double sum 0.30000000000000004
  EXPECT_EQ(formatCellNumber(-0.0000005L), "0");  // truncation toward zero, no "-0"
  EXPECT_EQ(formatCellNumber(1e-7L), "0");
  EXPECT_EQ(formatCellNumber(0.0L), "0");
  EXPECT_EQ(formatCellNumber(-0.0L), "0");
}

TEST(CellNumber, SmallValuesUseTheScientificForm) {
  for (int k = 1; k <= 9; ++k) {
    const std::string positive = std::to_string(k) + "E-6";
    EXPECT_EQ(formatCellNumber(parseCellNumber(positive)), positive);
    EXPECT_EQ(formatCellNumber(-parseCellNumber(positive)), "-" + positive);
  }
  EXPECT_EQ(formatCellNumber(0.00001L), "0,00001");
  EXPECT_EQ(formatCellNumber(0.0000123L), "0,000012");
  EXPECT_EQ(formatCellNumber(1e15L), "1E15");
  EXPECT_EQ(formatCellNumber(999999999999999.0L), "999999999999999");
}

// A bare trunc(x*1e6) in binary writes these one unit low.
TEST(CellNumber, ComputedValuesPrintAsTheirDecimal) {
  EXPECT_EQ(formatCellNumber(0.3 + 0.15), "0,45");
  EXPECT_EQ(formatCellNumber(0.000249L), "0,000249");
  EXPECT_EQ(formatCellNumber(0.12843L), "0,12843");
  EXPECT_EQ(formatCellNumber(roundToDecimals(0.001L, 3)), "0,001");
  EXPECT_EQ(formatCellNumber(roundToDecimals(0.12345678L, 4)), "0,1235");
}

TEST(CellNumber, ParsesPointAndCommaAndTruncates) {
  EXPECT_EQ(parseCellNumber("0.5"), 0.5L);
  EXPECT_EQ(parseCellNumber("0,5"), 0.5L);
  EXPECT_EQ(formatCellNumber(parseCellNumber("1.2345678")), "1,234567");
  EXPECT_EQ(formatCellNumber(parseCellNumber("-1,2345678")), "-1,234567");
  EXPECT_EQ(formatCellNumber(parseCellNumber(" 12 ")), "12");
  EXPECT_EQ(formatCellNumber(parseCellNumber("+3")), "3");
  EXPECT_EQ(formatCellNumber(parseCellNumber("2,5E3")), "2500");
  EXPECT_EQ(formatCellNumber(parseCellNumber("1E-7")), "0");
  EXPECT_EQ(formatCellNumber(parseCellNumber("-1E-7")), "0");
  EXPECT_EQ(formatCellNumber(parseCellNumber("1E-99999")), "0");
  EXPECT_EQ(formatCellNumber(parseCellNumber(",5")), "0,5");
}

TEST(CellNumber, RefusesTextsThatAreNoNumbers) {
  for (const char* text : {"", " ", "abc", "1,2,3", "1.000,5", "1e", "1e+", "--1", "1 2", "inf",
                           "NaN", "0x10", "1E999999", "E5", ",", "-"}) {
    Real value = 0;
    EXPECT_FALSE(tryParseCellNumber(text, value)) << text;
    try {
      parseCellNumber(text);
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const CellConversionError& e) {
      EXPECT_NE(std::string(e.what()).find("'" + std::string(text) + "'"), std::string::npos);
      EXPECT_EQ(e.text(), text);
    }
  }
}

TEST(CellNumber, RoundTripsDecimalTextsByteForByte) {
  EXPECT_EQ(formatCellNumber(parseCellNumber("1,005")), "1,005");
  std::mt19937_64 random(20261208);
  std::uniform_int_distribution<long long> integerPart(0, 1000000000);
  std::uniform_int_distribution<int> decimals(0, 6);
  std::uniform_int_distribution<int> digit(0, 9);
  std::uniform_int_distribution<int> kind(0, 3);
  for (int n = 0; n < 200000; ++n) {
    const int k = kind(random);
    long long whole = k == 0 ? 0 : k == 1 ? integerPart(random) % 100 : integerPart(random);
    const int places = decimals(random);
    std::string fraction;
    for (int i = 0; i < places; ++i) fraction += static_cast<char>('0' + digit(random));
    if (k == 0) fraction = "00000" + std::to_string(digit(random));  // near 1E-6
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    const bool negative = (n % 2) == 1;
    std::string canonical = std::to_string(whole);
    if (!fraction.empty()) canonical += "," + fraction;
    if (canonical == "0") {
      EXPECT_EQ(formatCellNumber(parseCellNumber("0")), "0");
      continue;
    }
    if (whole == 0 && fraction.size() == 6 && fraction.compare(0, 5, "00000") == 0) {
      canonical = std::string(1, fraction[5]) + "E-6";
    }
    if (negative) canonical = "-" + canonical;
    std::string input = negative ? "-" : "";
    input += std::to_string(whole);
    if (!fraction.empty()) input += (n % 3 == 0 ? "." : ",") + fraction;
    ASSERT_EQ(formatCellNumber(parseCellNumber(input)), canonical) << input;
  }
}

TEST(CellNumber, RoundsHalvesToEven) {
  EXPECT_EQ(roundHalfEven(2.5L), 2);
  EXPECT_EQ(roundHalfEven(3.5L), 4);
  EXPECT_EQ(roundHalfEven(-2.5L), -2);
  EXPECT_EQ(roundHalfEven(3.3L * 15), 50);  // 49.5 rounds to 50
  EXPECT_EQ(formatCellNumber(roundToDecimals(0.125L, 2)), "0,12");
  EXPECT_EQ(formatCellNumber(roundToDecimals(-1.23456L, 3)), "-1,235");
}

}  // namespace
}  // namespace velarix
