#include "wing/cell_table.h"

#include <gtest/gtest.h>

#include "wing/cell_number.h"

namespace velarix {
namespace {

CellTable tableWithKeys(const std::vector<std::string>& keys) {
  CellTable t(2);
  t.setRowCount(static_cast<int>(keys.size()) + 1);
  t.setCell(0, 0, "key");
  for (int r = 1; r <= static_cast<int>(keys.size()); ++r) {
    t.setCell(0, r, keys[static_cast<std::size_t>(r - 1)]);
    t.setCell(1, r, "row" + std::to_string(r));
  }
  return t;
}

std::vector<std::string> column(const CellTable& t, int c) {
  std::vector<std::string> out;
  for (int r = 1; r < t.rowCount(); ++r) out.push_back(t.cell(c, r));
  return out;
}

TEST(CellTable, CellsOutsideReadEmptyAndRefuseWrites) {
  CellTable t(3);
  t.setRowCount(2);
  EXPECT_EQ(t.cell(0, 5), "");
  EXPECT_EQ(t.cell(7, 0), "");
  EXPECT_EQ(t.cell(-1, 0), "");
  EXPECT_THROW(t.setCell(3, 0, "x"), std::out_of_range);
  EXPECT_THROW(t.setCell(0, 2, "x"), std::out_of_range);
  t.setCell(2, 1, "x");
  t.setRowCount(1);
  t.setRowCount(2);
  EXPECT_EQ(t.cell(2, 1), "") << "a grown row starts empty";
}

TEST(CellTable, InsertRowMovesWholeRowsDown) {
  CellTable t = tableWithKeys({"1", "2"});
  t.insertRow(1);
  EXPECT_EQ(t.rowCount(), 4);
  EXPECT_EQ(column(t, 0), (std::vector<std::string>{"", "1", "2"}));
  EXPECT_EQ(column(t, 1), (std::vector<std::string>{"", "row1", "row2"}));
  t.insertRow(4);  // append
  EXPECT_EQ(t.rowCount(), 5);
}

TEST(CellTable, SortsByNumericValueMovingWholeRows) {
  CellTable t = tableWithKeys({"0,5", "-0,5", "10", "2", "-3,25", "0"});
  t.sortRows(1, 6, 0);
  EXPECT_EQ(column(t, 0), (std::vector<std::string>{"-3,25", "-0,5", "0", "0,5", "2", "10"}));
  EXPECT_EQ(column(t, 1), (std::vector<std::string>{"row5", "row2", "row6", "row1", "row4", "row3"}));
}

TEST(CellTable, SortPutsTheRemovalMarkLast) {
  CellTable t = tableWithKeys({"-0,5", "999999", "0", "0,25", "0,5"});
  t.sortRows(1, 5, 0);
  EXPECT_EQ(t.cell(0, 5), "999999");
  EXPECT_EQ(t.cell(1, 5), "row2");
}

TEST(CellTable, SortHandlesEqualKeysAndTinyRanges) {
  CellTable t = tableWithKeys({"1", "1", "0", "1", "0"});
  t.sortRows(1, 5, 0);
  EXPECT_EQ(column(t, 0), (std::vector<std::string>{"0", "0", "1", "1", "1"}));
  t.sortRows(3, 3, 0);  // one row: nothing to do
  t.sortRows(4, 2, 0);  // empty range
}

TEST(CellTable, SortOfANonNumberRaisesTheConversionError) {
  CellTable t = tableWithKeys({"1", "x"});
  EXPECT_THROW(t.sortRows(1, 2, 0), CellConversionError);
}

TEST(CellTable, ClearKeepsTheRowCountAndRemoveClosesTheGap) {
  CellTable t = tableWithKeys({"1", "2", "3"});
  t.removeRow(2);
  EXPECT_EQ(column(t, 0), (std::vector<std::string>{"1", "3"}));
  t.clearTable();
  EXPECT_EQ(t.rowCount(), 3);
  EXPECT_EQ(t.cell(0, 0), "");
  EXPECT_EQ(t.cell(1, 2), "");
}

TEST(CellTable, NumberAndSetNumberGoThroughTheCellText) {
  CellTable t(1);
  t.setRowCount(1);
  t.setNumber(0, 0, 1.0L / 3.0L);
  EXPECT_EQ(t.cell(0, 0), "0,333333");
  EXPECT_EQ(t.number(0, 0), parseCellNumber("0,333333"));
}

}  // namespace
}  // namespace velarix
