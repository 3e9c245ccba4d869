// One tolerance helper for the tests: relative with an absolute floor, and a
// message that prints both numbers.
#pragma once

#include <cmath>
#include <gtest/gtest.h>
#include <iomanip>
#include <sstream>

namespace velarix::testing {

inline ::testing::AssertionResult near(long double actual, long double expected,
                                       long double relative, long double absolute = 0.0L) {
  const long double diff = std::fabs(actual - expected);
  if (diff <= absolute || diff <= relative * std::fabs(expected)) {
    return ::testing::AssertionSuccess();
  }
  std::ostringstream os;
  os << std::setprecision(18) << "actual " << actual << ", expected " << expected
     << ", difference " << diff << " (relative " << relative << ", absolute " << absolute << ")";
  return ::testing::AssertionFailure() << os.str();
}

}  // namespace velarix::testing
