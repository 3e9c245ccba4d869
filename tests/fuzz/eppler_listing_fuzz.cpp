// Any bytes read as an analysis-program listing: the cleanup, the parser, the
// bubble correction and the station drag reader either succeed or raise the
// listing error; a parsed result has consistent sizes and finite values.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "airfoil/eppler_listing.h"

namespace {

void requireFinite(velarix::Real value) {
  if (!std::isfinite(value)) std::abort();
}

void check(const velarix::TEpplerResult& result) {
  if (!result.valid) std::abort();
  if (result.points.size() != result.reynoldsNumbers.size()) std::abort();
  if (result.reynoldsNumbers.size() > 5 || result.anglesDeg.size() > 255) std::abort();
  if (result.velocityChordPositions.size() > 100) std::abort();
  if (result.velocityRatios.size() != result.anglesDeg.size()) std::abort();
  for (const auto& row : result.points) {
    if (row.size() != result.anglesDeg.size()) std::abort();
    for (const auto& p : row) {
      for (const velarix::Real v : {p.cl, p.cd, p.cm, p.transitionUpper, p.transitionLower}) {
        requireFinite(v);
      }
    }
  }
  for (const auto& column : result.velocityRatios) {
    if (column.size() > 100) std::abort();
    for (const velarix::Real v : column) requireFinite(v);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);

  velarix::cleanupEpplerListing(lines);
  (void)velarix::stationDragCoefficient(lines);
  try {
    velarix::TEpplerResult result = velarix::parseEpplerListing(lines);
    check(result);
    velarix::applyBubbleCorrection(result);
    check(result);
  } catch (const velarix::EpplerListingError&) {
  }
  return 0;
}
