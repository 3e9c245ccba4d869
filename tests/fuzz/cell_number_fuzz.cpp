// Any text either converts to a finite number that formats and converts back
// to itself, or raises the conversion error.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "wing/cell_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  velarix::Real value = 0;
  if (!velarix::tryParseCellNumber(text, value)) return 0;
  if (!std::isfinite(value)) std::abort();
  const std::string formatted = velarix::formatCellNumber(value);
  velarix::Real again = 0;
  if (std::fabs(value) < 1e14L) {
    if (!velarix::tryParseCellNumber(formatted, again)) std::abort();
    if (velarix::formatCellNumber(again) != formatted) std::abort();
  }
  return 0;
}
