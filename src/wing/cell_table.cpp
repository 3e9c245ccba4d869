#include "wing/cell_table.h"

#include <stdexcept>
#include <utility>

#include "wing/cell_number.h"

namespace velarix {

namespace {
const std::string kEmpty;
}

CellTable::CellTable(int columnCount) : columnCount_(columnCount) {}

void CellTable::setRowCount(int rows) {
  if (rows < 0) throw std::out_of_range("negative row count");
  rows_.resize(static_cast<std::size_t>(rows),
               std::vector<std::string>(static_cast<std::size_t>(columnCount_)));
}

const std::string& CellTable::cell(int column, int row) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount_) return kEmpty;
  return rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void CellTable::setCell(int column, int row, std::string text) {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount_) {
    throw std::out_of_range("cell " + std::to_string(column) + "," + std::to_string(row) +
                            " outside the table");
  }
  rows_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

Real CellTable::number(int column, int row) const { return parseCellNumber(cell(column, row)); }

void CellTable::setNumber(int column, int row, Real x) { setCell(column, row, formatCellNumber(x)); }

void CellTable::insertRow(int row) {
  if (row < 0 || row > rowCount()) throw std::out_of_range("insertRow outside the table");
  rows_.insert(rows_.begin() + row, std::vector<std::string>(static_cast<std::size_t>(columnCount_)));
}

void CellTable::removeRow(int row) {
  if (row < 0 || row >= rowCount()) throw std::out_of_range("removeRow outside the table");
  rows_.erase(rows_.begin() + row);
}

void CellTable::sortRows(int lo, int hi, int column) {
  if (lo < 0 || hi >= rowCount() || lo >= hi) return;
  int i = lo;
  int j = hi;
  const Real pivot = number(column, (lo + hi) / 2);
  do {
    while (number(column, i) < pivot) ++i;
    while (number(column, j) > pivot) --j;
    if (i <= j) {
      std::swap(rows_[static_cast<std::size_t>(i)], rows_[static_cast<std::size_t>(j)]);
      ++i;
      --j;
    }
  } while (i <= j);
  if (lo < j) sortRows(lo, j, column);
  if (i < hi) sortRows(i, hi, column);
}

void CellTable::clearTable() {
  for (auto& row : rows_) {
    for (auto& text : row) text.clear();
  }
}

}  // namespace velarix
