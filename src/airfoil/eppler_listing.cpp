#include "airfoil/eppler_listing.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "airfoil/eppler_card.h"
#include "wing/cell_number.h"

namespace velarix {

namespace {

constexpr std::string_view kPageHeader = "1AIRFOIL";
constexpr std::string_view kMachLine = " MACH";
constexpr std::string_view kTableHeader = "   N";
constexpr std::string_view kReynoldsLine = "0         R";
constexpr std::string_view kAlphaLine = "0 ALPHA";

// Columns of the velocity tables and the angle blocks (1-based).
constexpr std::size_t kChordColumn = 5;
constexpr std::size_t kChordWidth = 11;
constexpr std::size_t kVelocityColumn = 27;
constexpr std::size_t kVelocityWidth = 7;
constexpr std::size_t kTransitionColumn = 11;
constexpr std::size_t kTransitionWidth = 6;
constexpr std::size_t kBubbleColumn = 31;
constexpr std::size_t kReynoldsGroupWidth = 24;
constexpr std::size_t kAngleFieldWidth = 7;
constexpr std::size_t kClWidth = 6;
constexpr std::size_t kCdWidth = 7;
constexpr std::size_t kCmWidth = 7;
constexpr std::size_t kRoughnessOffset = 3;  // field starts 3 columns after "MU"
constexpr std::size_t kRoughnessWidth = 6;
constexpr std::size_t kReynoldsOffset = 3;  // field starts 3 columns after "R"
constexpr std::size_t kReynoldsWidth = 9;
constexpr std::size_t kReynoldsGroup = 12;  // characters removed per "R" group
constexpr std::size_t kFlapDeflectionWidth = 7;
// Lines of an angle block after the "0 ALPHA" line (one skipped, four read).
constexpr std::size_t kAlphaBlockLines = 5;

bool startsWith(std::string_view line, std::string_view prefix) {
  return line.substr(0, prefix.size()) == prefix;
}

bool isSummaryLine(std::string_view line) {
  return line.size() > 1 && line.substr(1, 7) == "SUMMARY";
}

bool isBlankLine(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// n characters from 1-based column c, shorter (or empty) near the line end.
std::string_view field(std::string_view line, std::size_t column, std::size_t width) {
  if (column == 0 || column - 1 >= line.size()) return {};
  return line.substr(column - 1, width);
}

std::string_view trimBlanks(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string_view::npos) return {};
  const std::size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

// Plain decimal number: [sign] digits [. digits] [E [sign] digits], at least
// one digit in the mantissa, blanks around it allowed.
bool tryParsePlainNumber(std::string_view text, Real& value) {
  std::string_view s = trimBlanks(text);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  std::size_t i = 0;
  if (i < s.size() && s[i] == '-') ++i;
  auto skipDigits = [&] {
    const std::size_t start = i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
    return i > start;
  };
  bool digits = skipDigits();
  if (i < s.size() && s[i] == '.') {
    ++i;
    digits = skipDigits() || digits;
  }
  if (!digits) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    if (!skipDigits()) return false;
  }
  if (i != s.size()) return false;
  long double parsed = 0;
  const auto result = std::from_chars(s.data(), s.data() + s.size(), parsed);
  if (result.ec != std::errc() || result.ptr != s.data() + s.size() || !std::isfinite(parsed)) {
    return false;
  }
  value = parsed;
  return true;
}

class ListingParser {
 public:
  explicit ListingParser(const std::vector<std::string>& lines) : lines_(lines) {}

  TEpplerResult parse() {
    std::size_t l = 0;
    while (l < lines_.size()) {
      const std::string_view line = lines_[l];
      if (startsWith(line, kPageHeader)) {
        readPageHeader(l);
        ++l;
      } else if (startsWith(line, kTableHeader)) {
        l = readVelocityTable(l);
      } else if (startsWith(line, kReynoldsLine)) {
        readReynoldsLine(l);
        ++l;
      } else if (startsWith(line, kAlphaLine)) {
        readAlphaBlock(l);
        l += 1 + kAlphaBlockLines;
      } else {
        ++l;
      }
    }
    result_.points.resize(result_.reynoldsNumbers.size());
    for (auto& row : result_.points) row.resize(result_.anglesDeg.size());
    result_.velocityRatios.resize(result_.anglesDeg.size());
    result_.valid = true;
    return std::move(result_);
  }

 private:
  [[noreturn]] void fail(std::size_t l, const std::string& what) const {
    throw EpplerListingError(l + 1, what);
  }

  Real plainNumber(std::size_t l, std::size_t column, std::string_view text,
                   const char* what) const {
    Real value = 0;
    if (!tryParsePlainNumber(text, value)) {
      fail(l, std::string(what) + " in Spalte " + std::to_string(column) + ": \"" +
                  std::string(text) + "\" ist keine Zahl");
    }
    return value;
  }

  Real cellNumber(std::size_t l, std::string_view text, const char* what) const {
    Real value = 0;
    if (!tryParseCellNumber(text, value)) {
      fail(l, std::string(what) + ": \"" + std::string(text) + "\" ist keine Zahl");
    }
    return value;
  }

  void readPageHeader(std::size_t l) {
    const std::string_view line = lines_[l];
    const std::size_t percent = line.rfind('%');
    if (percent == std::string_view::npos) return;
    const std::size_t comma = line.rfind(',', percent);
    if (comma != std::string_view::npos) {
      const std::size_t begin = std::min(comma + 2, percent);
      result_.flapChordPercent = cellNumber(l, line.substr(begin, percent - begin), "Klappentiefe");
    }
    const std::size_t flap = line.find("FLAP", percent);
    if (flap != std::string_view::npos) {
      result_.flapDeflectionDeg =
          cellNumber(l, line.substr(flap + 4, kFlapDeflectionWidth), "Klappenausschlag");
    }
  }

  // The angles of a velocity table from the line before its header.
  std::vector<Real> readTableAngles(std::size_t headerLine) const {
    if (headerLine == 0) fail(headerLine, "Geschwindigkeitstabelle ohne Winkelzeile");
    const std::size_t l = headerLine - 1;
    std::string_view rest = lines_[l];
    const std::size_t gap = rest.find("  ");
    if (gap != std::string_view::npos) rest.remove_prefix(gap + 1);
    std::vector<Real> angles;
    for (;;) {
      const std::size_t begin = rest.find_first_not_of(' ');
      if (begin == std::string_view::npos) break;
      rest.remove_prefix(begin);
      const std::size_t blank = rest.find(' ');
      const std::string_view token = rest.substr(0, blank);
      angles.push_back(cellNumber(l, token, "Anstellwinkel der Geschwindigkeitstabelle"));
      rest.remove_prefix(blank == std::string_view::npos ? rest.size() : blank);
    }
    return angles;
  }

  // Reads the table whose header is at line `header`; returns the index of
  // its "SUMMARY" line (or the end of the listing).
  std::size_t readVelocityTable(std::size_t header) {
    const std::vector<Real> tableAngles = readTableAngles(header);
    const std::size_t firstColumn = result_.anglesDeg.size();
    for (const Real angle : tableAngles) {
      if (result_.anglesDeg.size() < static_cast<std::size_t>(kMaxEpplerAngles)) {
        result_.anglesDeg.push_back(angle);
      }
    }
    const std::size_t storedColumns = result_.anglesDeg.size() - firstColumn;
    result_.velocityRatios.resize(result_.anglesDeg.size());

    std::size_t l = header + 1;
    std::size_t row = 0;
    for (; l < lines_.size() && !isSummaryLine(lines_[l]); ++l) {
      const std::string_view line = lines_[l];
      if (isBlankLine(line)) continue;
      const Real chord = plainNumber(l, kChordColumn, field(line, kChordColumn, kChordWidth),
                                     "Profiltiefe der Geschwindigkeitstabelle");
      std::vector<Real> velocities;
      for (std::size_t j = 0; j < tableAngles.size(); ++j) {
        const std::size_t column = kVelocityColumn + kVelocityWidth * j;
        velocities.push_back(plainNumber(l, column, field(line, column, kVelocityWidth),
                                         "Geschwindigkeitsverhältnis"));
      }
      if (row < static_cast<std::size_t>(kMaxEpplerVelocityRows)) {
        if (result_.velocityChordPositions.size() <= row) {
          result_.velocityChordPositions.resize(row + 1);
        }
        result_.velocityChordPositions[row] = chord;
        for (std::size_t j = 0; j < storedColumns; ++j) {
          std::vector<Real>& column = result_.velocityRatios[firstColumn + j];
          if (column.size() <= row) column.resize(row + 1);
          column[row] = velocities[j];
        }
      }
      ++row;
    }
    return l;
  }

  void readReynoldsLine(std::size_t l) {
    std::string line = lines_[l];
    const std::size_t mu = line.find("MU");
    if (mu != std::string::npos) {
      result_.roughnessCode =
          cellNumber(l,
                     std::string_view(line).substr(std::min(mu + kRoughnessOffset, line.size()),
                                                   kRoughnessWidth),
                     "Rauhigkeit");
    }
    std::vector<Real> numbers;
    for (std::size_t r = line.find('R'); r != std::string::npos; r = line.find('R')) {
      numbers.push_back(cellNumber(
          l,
          std::string_view(line).substr(std::min(r + kReynoldsOffset, line.size()), kReynoldsWidth),
          "Reynoldszahl"));
      line.erase(r, kReynoldsGroup);
    }
    if (numbers == currentReynolds_) return;
    currentReynolds_ = numbers;
    currentColumns_.clear();
    for (const Real reynolds : numbers) {
      if (result_.reynoldsNumbers.size() < static_cast<std::size_t>(kMaxEpplerReynoldsNumbers)) {
        currentColumns_.push_back(static_cast<int>(result_.reynoldsNumbers.size()));
        result_.reynoldsNumbers.push_back(reynolds);
      } else {
        currentColumns_.push_back(-1);
      }
    }
  }

  // First m with round(1000 angle_m) = round(1000 angle), or nothing.
  std::optional<std::size_t> angleIndex(Real angle) const {
    const Real key = std::nearbyint(angle * 1000);
    for (std::size_t m = 0; m < result_.anglesDeg.size(); ++m) {
      if (std::nearbyint(result_.anglesDeg[m] * 1000) == key) return m;
    }
    return std::nullopt;
  }

  // Reads `width` characters after the next `key` from `rest` and consumes
  // everything up to the end of the key. A missing key breaks the layout of
  // the block (error); a field that is no number gives false.
  bool takeAfter(std::size_t l, std::string_view& rest, std::string_view key, std::size_t width,
                 const char* what, Real& value) const {
    const std::size_t at = rest.find(key);
    if (at == std::string_view::npos) {
      fail(l, std::string(what) + ": \"" + std::string(key) + "\" fehlt");
    }
    rest.remove_prefix(at + key.size());
    return tryParsePlainNumber(rest.substr(0, width), value);
  }

  void readAlphaBlock(std::size_t l) {
    const std::string_view line = lines_[l];
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) fail(l, "Anstellwinkel: \"=\" fehlt");
    const Real angle = cellNumber(l, line.substr(equals + 1, kAngleFieldWidth), "Anstellwinkel");
    if (l + kAlphaBlockLines >= lines_.size()) {
      fail(l, "unvollständiger Ergebnisblock zum Anstellwinkel");
    }
    if (currentColumns_.empty()) fail(l, "Ergebnisblock vor der Zeile der Reynoldszahlen");

    const std::string_view upper = lines_[l + 2];
    const std::string_view lower = lines_[l + 3];
    std::string_view liftDragRest = lines_[l + 4];
    std::string_view momentRest = lines_[l + 5];
    // A point is listed only when all its fields are numbers: a section that
    // did not converge may print "nan" or stars, which must not reach a chart
    // as a made-up value, while the other points of the run stay usable.
    std::vector<EpplerPolarPoint> values(currentColumns_.size());
    std::vector<bool> numeric(values.size(), true);
    for (std::size_t k = 0; k < values.size(); ++k) {
      EpplerPolarPoint& p = values[k];
      const std::size_t tColumn = kTransitionColumn + kReynoldsGroupWidth * k;
      const std::size_t bubbleColumn = kBubbleColumn + kReynoldsGroupWidth * k;
      numeric[k] =
          tryParsePlainNumber(field(upper, tColumn, kTransitionWidth), p.transitionUpper) &&
          tryParsePlainNumber(field(lower, tColumn, kTransitionWidth), p.transitionLower);
      p.bubbleUpper = field(upper, bubbleColumn, 1) == "*";
      p.bubbleLower = field(lower, bubbleColumn, 1) == "*";
    }
    for (std::size_t k = 0; k < values.size(); ++k) {
      const bool cl =
          takeAfter(l + 4, liftDragRest, "CL=", kClWidth, "Auftriebsbeiwert CL", values[k].cl);
      const bool cd =
          takeAfter(l + 4, liftDragRest, "CD=", kCdWidth, "Widerstandsbeiwert CD", values[k].cd);
      numeric[k] = numeric[k] && cl && cd;
    }
    for (std::size_t k = 0; k < values.size(); ++k) {
      const bool cm =
          takeAfter(l + 5, momentRest, "CM=", kCmWidth, "Momentenbeiwert CM", values[k].cm);
      values[k].listed = numeric[k] && cm;
      if (!values[k].listed) values[k] = EpplerPolarPoint{};
    }

    const std::optional<std::size_t> m = angleIndex(angle);
    if (!m) return;
    for (std::size_t k = 0; k < values.size(); ++k) {
      if (currentColumns_[k] < 0) continue;
      const auto reynoldsIndex = static_cast<std::size_t>(currentColumns_[k]);
      if (result_.points.size() <= reynoldsIndex) result_.points.resize(reynoldsIndex + 1);
      std::vector<EpplerPolarPoint>& row = result_.points[reynoldsIndex];
      if (row.size() <= *m) row.resize(*m + 1);
      row[*m] = values[k];
    }
  }

  const std::vector<std::string>& lines_;
  TEpplerResult result_;
  std::vector<Real> currentReynolds_;
  std::vector<int> currentColumns_;  // result index per group, -1 beyond five
};

}  // namespace

EpplerListingError::EpplerListingError(std::size_t line, const std::string& what)
    : std::runtime_error(line > 0 ? "Listing des Analyseprogramms, Zeile " + std::to_string(line) +
                                        ": " + what
                                  : "Listing des Analyseprogramms: " + what),
      line_(line) {}

bool TEpplerResult::hasPolarPoints() const {
  for (const auto& row : points) {
    for (const EpplerPolarPoint& p : row) {
      if (p.listed) return true;
    }
  }
  return false;
}

void cleanupEpplerListing(std::vector<std::string>& lines) {
  std::size_t k = 0;
  while (k < lines.size()) {
    if (!startsWith(lines[k], kTableHeader)) {
      ++k;
      continue;
    }
    std::size_t p = k + 1;
    while (p < lines.size() && !isSummaryLine(lines[p])) {
      const std::string_view line = lines[p];
      if (startsWith(line, kPageHeader) || startsWith(line, kMachLine) ||
          startsWith(line, kTableHeader)) {
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(p));
      } else {
        ++p;
      }
    }
    k = p;
  }
}

TEpplerResult parseEpplerListing(const std::vector<std::string>& lines) {
  return ListingParser(lines).parse();
}

Real bubbleDragIncrement(Real transition, Real reynolds) {
  const Real x = 1 - transition;
  const Real reynoldsLimit = 591836.73L * x * x - 414285.71L * x + 272500;
  if (reynolds > reynoldsLimit || x > 1 || x < 0) return 0;
  Real dragIncrement = 0.05625L * x * x + 0.003L;
  if (x > 0.4L) dragIncrement = -0.06L * x + 0.036L;
  if (x > 0.6L) dragIncrement = 0;
  // Re_lim >= 200000 for every x (its minimum lies at x = 0.35), so the
  // divisor is never 0.
  return dragIncrement * (reynoldsLimit - reynolds) / (reynoldsLimit - 100000);
}

void applyBubbleCorrection(TEpplerResult& result) {
  const std::size_t reynoldsCount = std::min(result.reynoldsNumbers.size(), result.points.size());
  for (std::size_t k = 0; k < reynoldsCount; ++k) {
    const Real reynolds = result.reynoldsNumbers[k];
    for (EpplerPolarPoint& p : result.points[k]) {
      if (!p.listed || !(p.bubbleUpper || p.bubbleLower)) continue;
      p.cd += bubbleDragIncrement(p.transitionUpper, reynolds);
      p.cd += bubbleDragIncrement(p.transitionLower, reynolds);
    }
  }
}

std::optional<Real> stationDragCoefficient(const std::vector<std::string>& cleanedLines) {
  for (std::size_t l = 0; l < cleanedLines.size(); ++l) {
    if (!startsWith(cleanedLines[l], kAlphaLine)) continue;
    if (l + 4 >= cleanedLines.size()) return std::nullopt;
    const std::string_view line = cleanedLines[l + 4];
    const std::size_t at = line.find("CD=");
    if (at == std::string_view::npos) return std::nullopt;
    Real value = 0;
    if (!tryParsePlainNumber(line.substr(at + 3, kCdWidth), value)) return std::nullopt;
    return value;
  }
  return std::nullopt;
}

}  // namespace velarix
