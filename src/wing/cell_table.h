// A table of text cells with a fixed column count, as the wing-list window
// shows it: row 0 is the header row, rows 1..rowCount()-1 the data rows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "wing/real.h"

namespace velarix {

class CellTable {
 public:
  explicit CellTable(int columnCount);

  int columnCount() const { return columnCount_; }
  // Number of rows, the header row included.
  int rowCount() const { return static_cast<int>(rows_.size()); }
  // A shrink drops the last rows, a growth appends empty rows.
  void setRowCount(int rows);

  // The text of a cell; a cell outside the table reads as the empty text.
  const std::string& cell(int column, int row) const;
  // Writes a cell. Throws std::out_of_range for a cell outside the table.
  void setCell(int column, int row, std::string text);

  // parseCellNumber of the cell text (throws CellConversionError).
  Real number(int column, int row) const;
  // Writes formatCellNumber(x).
  void setNumber(int column, int row, Real x);

  // The row count grows by one; rows row..end move down, row becomes empty.
  void insertRow(int row);
  // Removes a row; the rows below move up. Equivalent to marking its key
  // with "999999", sorting and dropping the last row, for a sorted table.
  void removeRow(int row);
  // Sorts the rows lo..hi by the numeric value of column `column` with the
  // quicksort of the wing model (middle pivot, Hoare exchange). Equal keys
  // keep no guaranteed order. Throws CellConversionError for a key that is no
  // number.
  void sortRows(int lo, int hi, int column);
  // Every cell becomes empty; the row count is unchanged.
  void clearTable();

  bool operator==(const CellTable&) const = default;

 private:
  int columnCount_;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace velarix
