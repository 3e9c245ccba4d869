#include "compute/stations.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "wing/cell_number.h"

namespace velarix {

namespace {

std::string kinkCellName(int row, int column) {
  static const char* names[9] = {"y in m", "x in m",  "z in m",  "t in m", "Sehnenw. in °",
                                 "Rückl. in %", "Profil", "alpha 0", "cm 0"};
  std::string name = column < 9 ? names[column] : "Profilordinate " + std::to_string(column - 9);
  return "Knickstellentabelle, Zeile " + std::to_string(row) + ", Spalte " +
         std::to_string(column) + " (" + name + ")";
}

std::string flapCellName(int row, int column) {
  static const char* names[kFlapColumns] = {"Nr.",      "y-L in m",   "t-L in %",
                                            "y-R in m", "t-R in %",   "Nr. Gruppe",
                                            "Beta in Grad"};
  return "Klappentabelle, Zeile " + std::to_string(row) + ", Spalte " + std::to_string(column) +
         " (" + names[column] + ")";
}

[[noreturn]] void refuse(const std::string& where, const std::string& what) {
  throw WingDataError("Der Flügel kann nicht berechnet werden: " + where + ": " + what);
}

Real checkedNumber(const CellTable& table, int column, int row, bool kink) {
  Real value = 0;
  const std::string& text = table.cell(column, row);
  if (!tryParseCellNumber(text, value)) {
    refuse(kink ? kinkCellName(row, column) : flapCellName(row, column),
           "'" + text + "' ist keine Zahl");
  }
  return value;
}

Real lerp(Real a, Real b, Real t) { return a + t * (b - a); }

}  // namespace

void validateWingForComputation(const TWing& wing) {
  const int m = wing.stationCount;
  if (m < kMinStations || m > kMaxStations || m % 2 == 0) {
    throw WingDataError("Der Flügel kann nicht berechnet werden: die Wirbelzahl " +
                        std::to_string(m) + " ist keine ungerade Zahl zwischen 3 und 127");
  }
  const CellTable& k = wing.kinkTable;
  const int n = wing.kinkCount();
  if (n < 2) {
    throw WingDataError(
        "Der Flügel kann nicht berechnet werden: die Knickstellentabelle hat weniger als zwei "
        "Zeilen");
  }
  Real previousY = 0;
  for (int r = 1; r <= n; ++r) {
    const Real y = checkedNumber(k, kColKinkY, r, true);
    checkedNumber(k, kColKinkX, r, true);
    const Real chord = checkedNumber(k, kColKinkChord, r, true);
    checkedNumber(k, kColKinkChordAngle, r, true);
    if (r > 1 && !(y > previousY)) {
      refuse(kinkCellName(r, kColKinkY),
             "die Knickstellen sind nicht nach aufsteigendem y sortiert oder liegen doppelt");
    }
    if (!(chord > 0)) refuse(kinkCellName(r, kColKinkChord), "die Flügeltiefe muss größer 0 sein");
    const bool blended = k.cell(kColKinkAirfoil, r) == kBlendedAirfoil;
    if (blended && (r == 1 || r == n)) {
      refuse(kinkCellName(r, kColKinkAirfoil),
             "die Profile der Flügelenden können keinen Strak sein");
    }
    if (!blended) {
      checkedNumber(k, kColKinkAlpha0, r, true);
      checkedNumber(k, kColKinkCm0, r, true);
    }
    previousY = y;
  }
  const CellTable& f = wing.flapTable;
  if (wing.flapCount() != n - 1) {
    throw WingDataError("Der Flügel kann nicht berechnet werden: die Klappentabelle hat " +
                        std::to_string(wing.flapCount()) + " Zeilen, erwartet werden " +
                        std::to_string(n - 1));
  }
  for (int r = 1; r < n; ++r) {
    const Real yl = checkedNumber(f, kColFlapYLeft, r, false);
    checkedNumber(f, kColFlapChordLeft, r, false);
    const Real yr = checkedNumber(f, kColFlapYRight, r, false);
    checkedNumber(f, kColFlapChordRight, r, false);
    checkedNumber(f, kColFlapDeflection, r, false);
    if (!(yr > yl)) refuse(flapCellName(r, kColFlapYRight), "das Klappenfeld hat keine Breite");
  }
}

void computeSpan(TWing& wing) {
  wing.halfSpan = wing.kinkCount() >= 1 ? kinkY(wing, wing.kinkCount()) : 0;
  wing.span = 2 * wing.halfSpan;
}

Real computeDrawingScale(const TWing& wing, int width, int height, DrawingMapping& mapping) {
  const CellTable& k = wing.kinkTable;
  Real halfSpan = 0;
  Real xMin = 0;
  Real xMax = 0;
  for (int r = 1; r <= wing.kinkCount(); ++r) {
    halfSpan = k.number(kColKinkY, r);
    const Real x = k.number(kColKinkX, r);
    xMin = std::min(xMin, x);
    xMax = std::max(xMax, x + k.number(kColKinkChord, r));
  }
  const Real span = 2 * halfSpan;
  const Real depth = std::fabs(xMin) + std::fabs(xMax);
  if (!(depth > 0 && span > 0)) {
    mapping.drawScale = 1.0L;
    return mapping.drawScale;
  }
  const Real scaleX = (width - kPlanformMargin) / span;
  const Real scaleY = (height - kPlanformMargin) / depth;
  const Real scale = scaleX <= scaleY ? scaleX : scaleY;
  mapping.drawScale = scale;
  mapping.drawOriginX = static_cast<int>(roundHalfEven(width * 0.5L));
  mapping.drawOriginY = static_cast<int>(roundHalfEven((height - depth * scale) * 0.5L) +
                                         roundHalfEven(std::fabs(xMin) * scale));
  return scale;
}

void computeStations(const TWing& wing, TSpanDistribution& d) {
  const CellTable& k = wing.kinkTable;
  const CellTable& f = wing.flapTable;
  const int n = wing.kinkCount();
  const int m = wing.stationCount;
  const int centre = (m + 1) / 2;
  const Real s = kinkY(wing, n);
  d.stationCount = m;

  std::vector<Real> y(static_cast<std::size_t>(n + 1));
  for (int r = 1; r <= n; ++r) y[static_cast<std::size_t>(r)] = k.number(kColKinkY, r);
  auto yOf = [&](int r) { return y[static_cast<std::size_t>(r)]; };
  auto blended = [&](int r) { return k.cell(kColKinkAirfoil, r) == kBlendedAirfoil; };

  for (int j = m; j >= 1; --j) {
    const Real theta = j * kPi / (m + 1);
    d.eta[j] = j == centre ? 0.0L : s * std::cos(theta);
  }

  for (int j = 1; j <= m; ++j) {
    const Real eta = d.eta[j];
    // First kink row with kinkY >= eta; the station lies in panel k-1..k.
    int kr = 1;
    while (kr < n && yOf(kr) < eta) ++kr;
    kr = std::max(kr, 2);
    const int lo = kr - 1;
    const Real t = (eta - yOf(lo)) / (yOf(kr) - yOf(lo));

    const Real xl1 = k.number(kColKinkX, lo);
    const Real xl2 = k.number(kColKinkX, kr);
    const Real xt1 = xl1 + k.number(kColKinkChord, lo);
    const Real xt2 = xl2 + k.number(kColKinkChord, kr);
    d.xLeadingEdge[j] = lerp(xl1, xl2, t);
    d.xTrailingEdge[j] = lerp(xt1, xt2, t);
    d.chord[j] = d.xTrailingEdge[j] - d.xLeadingEdge[j];
    d.xQuarterChord[j] = d.xLeadingEdge[j] + 0.25L * d.chord[j];
    d.chordAngle[j] =
        lerp(k.number(kColKinkChordAngle, lo), k.number(kColKinkChordAngle, kr), t);

    // Zero-lift angle and moment between the nearest rows with real airfoils.
    int lower = lo;
    while (lower > 1 && blended(lower)) --lower;
    int upper = kr;
    while (upper < n && blended(upper)) ++upper;
    const Real w = (eta - yOf(lower)) / (yOf(upper) - yOf(lower));
    d.alpha0[j] = lerp(k.number(kColKinkAlpha0, lower), k.number(kColKinkAlpha0, upper), w);
    d.cm0[j] = lerp(k.number(kColKinkCm0, lower), k.number(kColKinkCm0, upper), w);
    d.angleFromZeroLift[j] = d.chordAngle[j] - d.alpha0[j];

    // Flap of the station: flap row lo (the panel's row).
    const int flapRow = lo;
    if (j == centre) {
      // The two flaps that meet at the centre are averaged. When the centre
      // lies in the last panel there is no row to its right; that row's own
      // values are used then.
      const int rightRow = kr <= wing.flapCount() ? kr : flapRow;
      d.localFlapDeflection[j] = 0.5L * (f.number(kColFlapDeflection, flapRow) +
                                         f.number(kColFlapDeflection, rightRow));
      d.flapChordPercent[j] = 0.5L * (f.number(kColFlapChordLeft, rightRow) +
                                      f.number(kColFlapChordRight, flapRow));
      d.flapChordRatio[j] = 0.01L * d.flapChordPercent[j];
    } else {
      d.localFlapDeflection[j] = f.number(kColFlapDeflection, flapRow);
      d.flapChordRatio[j] = 0;
      d.flapChordPercent[j] = 0;
      const Real chordLeft = f.number(kColFlapChordLeft, flapRow);
      const Real chordRight = f.number(kColFlapChordRight, flapRow);
      if (chordLeft > 0 || chordRight > 0) {
        const Real yLeft = f.number(kColFlapYLeft, flapRow);
        const Real yRight = f.number(kColFlapYRight, flapRow);
        d.flapChordPercent[j] =
            chordLeft + (chordRight - chordLeft) * (eta - yLeft) / (yRight - yLeft);
        d.flapChordRatio[j] = 0.01L * d.flapChordPercent[j];
      }
    }

    // Flap effects: lambda = flap chord ratio, beta = deflection.
    const Real lambda = d.flapChordRatio[j];
    const Real beta = d.localFlapDeflection[j];
    const Real betaRad = degToRadRounded(beta);
    const Real oneMinus = 1.0L - lambda;
    d.cm0[j] += -1.5L * std::sqrt(lambda * oneMinus * oneMinus * oneMinus) * betaRad;
    d.angleFromZeroLift[j] += beta * (1.0L - oneMinus * oneMinus * oneMinus);
    const Real p = d.flapChordPercent[j];
    d.flapChordLineRotation[j] = radToDegRounded(
        std::atan(p * std::sin(betaRad) / ((100.0L - p) + p * std::cos(betaRad))));
    d.angleFromZeroLift[j] += d.flapChordLineRotation[j];
  }

  // Tip chords for the Reynolds numbers.
  d.chord[m + 1] = k.number(kColKinkChord, 1);
  d.chord[0] = k.number(kColKinkChord, n);
}

}  // namespace velarix
