// Reading coordinate files: the name line, then one "x y" pair per line.
// Every file is checked before it replaces the airfoil's points, so that the
// geometric tools only ever see a chain they can work on; a file that is no
// usable airfoil raises AirfoilFileError naming the file, the line where
// there is one, and the reason.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <istream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "airfoil/airfoil.h"
#include "wing/text_encoding.h"
#include "wing/cell_number.h"

namespace velarix {
namespace {

// The chain must reach from a trailing edge near x = 1 to a nose near x = 0:
// coordinates are fractions of the chord.
constexpr Real kNoseXLimit = 0.1L;
constexpr Real kTrailingEdgeXMin = 0.9L;
constexpr Real kTrailingEdgeXMax = 1.1L;
constexpr Real kOrdinateLimit = 1.0L;

std::string describeFile(const std::string& sourceName) {
  return "Profildatei \"" + sourceName + "\"";
}

[[noreturn]] void refuse(const std::string& sourceName, const std::string& reason) {
  throw AirfoilFileError(describeFile(sourceName) + ": " + reason);
}

[[noreturn]] void refuseLine(const std::string& sourceName, long long line,
                             const std::string& reason) {
  throw AirfoilFileError(describeFile(sourceName) + ", Zeile " + std::to_string(line) + ": " +
                         reason);
}

// A token for an error message: at most 24 characters, anything that is not
// printable ASCII shown as '?', so that binary garbage stays readable.
std::string shownToken(std::string_view token) {
  std::string shown;
  for (char c : token.substr(0, 24)) {
    const auto u = static_cast<unsigned char>(c);
    shown += (u >= 0x20 && u < 0x7f) ? c : '?';
  }
  if (token.size() > 24) shown += "...";
  return shown;
}

// The name line as UTF-8: kept as it is when it already is UTF-8, otherwise
// read as Windows-1252 (the text encoding of the files).
std::string nameFromLine(std::string line) {
  if (line.starts_with("\xEF\xBB\xBF")) line.erase(0, 3);
  if (isValidUtf8(line)) return line;
  return windows1252ToUtf8(line);
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

// The next blank-separated token of a line, advancing pos past it.
std::string_view nextToken(std::string_view line, std::size_t& pos) {
  while (pos < line.size() && isBlank(line[pos])) ++pos;
  const std::size_t start = pos;
  while (pos < line.size() && !isBlank(line[pos])) ++pos;
  return line.substr(start, pos - start);
}

// One coordinate: an optionally signed decimal number with a point as
// decimal separator and an optional exponent, finite.
Real parseCoordinate(std::string_view token, const std::string& sourceName, long long line) {
  std::string_view digits = token;
  if (digits.size() > 1 && digits[0] == '+' &&
      (std::isdigit(static_cast<unsigned char>(digits[1])) || digits[1] == '.')) {
    digits.remove_prefix(1);
  }
  Real value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                      std::chars_format::general);
  if (result.ptr != digits.data() + digits.size()) {
    refuseLine(sourceName, line, "\"" + shownToken(token) + "\" ist keine Zahl");
  }
  if (result.ec == std::errc::result_out_of_range) {
    refuseLine(sourceName, line,
               "\"" + shownToken(token) + "\" liegt außerhalb des Zahlenbereichs");
  }
  if (result.ec != std::errc() || !std::isfinite(value)) {
    refuseLine(sourceName, line, "\"" + shownToken(token) + "\" ist keine endliche Zahl");
  }
  return value;
}

struct ReadPoint {
  TCoord point;
  long long line = 0;
};

// Signed area of the closed chain (shoelace): positive when the chain runs
// over the upper surface first (counter-clockwise with x aft, y up).
Real signedArea(const std::vector<ReadPoint>& points) {
  Real twiceArea = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TCoord& a = points[i].point;
    const TCoord& b = points[(i + 1) % points.size()].point;
    twiceArea += a.X * b.Y - b.X * a.Y;
  }
  return twiceArea / 2;
}

// Checks the chain of a file and returns it in the usual order.
std::vector<TCoord> checkedChain(std::vector<ReadPoint> read, const std::string& sourceName) {
  const auto n = static_cast<int>(read.size());
  if (n == 0) refuse(sourceName, "die Datei enthält keine Koordinaten");
  if (n < 3) {
    refuse(sourceName, "die Datei enthält nur " + std::to_string(n) +
                           " Koordinatenpunkte, ein Profil braucht mindestens drei");
  }
  // Lednicer files start with the two point counts ("61. 61.") and list both
  // surfaces from the nose aft.
  const TCoord& head = read.front().point;
  if (head.X >= 2 && head.Y >= 2 && head.X == std::floor(head.X) && head.Y == std::floor(head.Y)) {
    refuseLine(sourceName, read.front().line,
               "Punktzahlen wie im Lednicer-Format; gelesen wird das Selig-Format (Hinterkante, "
               "Oberseite, Nase, Unterseite, Hinterkante)");
  }
  for (const ReadPoint& r : read) {
    if (std::fabs(r.point.Y) > kOrdinateLimit) {
      refuseLine(sourceName, r.line,
                 "y = " + formatCellNumber(r.point.Y) +
                     " ist größer als die Profiltiefe; die Koordinaten müssen Bruchteile der "
                     "Profiltiefe sein");
    }
  }
  // One sweep: x falls (or stays) to the nose, then rises (or stays).
  int nose = 1;
  while (nose < n && read[nose].point.X <= read[nose - 1].point.X) ++nose;
  --nose;
  for (int i = nose + 1; i + 1 < n; ++i) {
    if (read[i + 1].point.X < read[i].point.X) {
      refuseLine(sourceName, read[i + 1].line,
                 "x fällt wieder; die Punkte müssen von der Hinterkante über eine Seite zur "
                 "Nase und über die andere zurück zur Hinterkante laufen");
    }
  }
  if (nose == 0 || nose == n - 1) {
    refuse(sourceName,
           "die Punkte laufen nicht von der Hinterkante zur Nase und wieder zurück (nur eine "
           "Profilseite)");
  }
  const Real first = read.front().point.X;
  const Real last = read.back().point.X;
  const bool edgesNearOne = first >= kTrailingEdgeXMin && first <= kTrailingEdgeXMax &&
                            last >= kTrailingEdgeXMin && last <= kTrailingEdgeXMax;
  if (!edgesNearOne) {
    refuse(sourceName, "die Kette beginnt bei x = " + formatCellNumber(first) +
                           " und endet bei x = " + formatCellNumber(last) +
                           ", erwartet wird die Hinterkante bei x = 1");
  }
  if (std::fabs(read[nose].point.X) > kNoseXLimit) {
    refuseLine(
        sourceName, read[nose].line,
        "die Nase liegt bei x = " + formatCellNumber(read[nose].point.X) + ", erwartet wird x = 0");
  }
  if (signedArea(read) < 0) std::reverse(read.begin(), read.end());
  std::vector<TCoord> chain;
  chain.reserve(read.size());
  for (const ReadPoint& r : read) chain.push_back(r.point);
  return chain;
}

}  // namespace

void TAirfoil::loadFromStream(std::istream& in, const std::string& sourceName) {
  std::string line;
  if (!std::getline(in, line)) refuse(sourceName, "die Datei ist leer");
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::string name = nameFromLine(std::move(line));

  std::vector<ReadPoint> read;
  long long lineNumber = 1;
  while (std::getline(in, line)) {
    ++lineNumber;
    std::size_t pos = 0;
    const std::string_view text(line);
    const std::string_view xText = nextToken(text, pos);
    if (xText.empty()) continue;  // a blank line adds no point
    const Real x = parseCoordinate(xText, sourceName, lineNumber);
    const std::string_view yText = nextToken(text, pos);
    if (yText.empty()) {
      refuseLine(sourceName, lineNumber, "nur eine Zahl, erwartet werden x und y");
    }
    const Real y = parseCoordinate(yText, sourceName, lineNumber);
    if (static_cast<int>(read.size()) >= kMaxAirfoilPoints) {
      refuse(sourceName, "mehr als " + std::to_string(kMaxAirfoilPoints) + " Koordinatenpunkte");
    }
    read.push_back({TCoord{x, y}, lineNumber});
  }
  if (in.bad()) refuse(sourceName, "Lesefehler");

  points_ = checkedChain(std::move(read), sourceName);
  Name = std::move(name);
}

void TAirfoil::loadFromText(std::string_view contents, const std::string& sourceName) {
  std::istringstream in{std::string(contents)};
  loadFromStream(in, sourceName);
}

void TAirfoil::LoadFromFile(const std::filesystem::path& path) {
  const std::string sourceName = path.string();
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) refuse(sourceName, "ist ein Verzeichnis");
  std::ifstream in(path, std::ios::binary);
  if (!in) refuse(sourceName, "die Datei kann nicht geöffnet werden");
  loadFromStream(in, sourceName);
}

}  // namespace velarix
