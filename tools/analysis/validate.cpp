// Checks of the analysis against exact potential flow and measured polars.
//   velarix-analysis-validate [shared folder]
// Prints tables; the numbers are quoted in the project's notes.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "joukowski.h"
#include "numbers.h"
#include "section_analysis.h"

using namespace velarix::analysis;

namespace {

CardDeck deckFromSelig(const std::string& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  std::vector<Point> points;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string xs, ys;
    if (!(fields >> xs >> ys)) continue;
    const auto x = parseDecimal(xs), y = parseDecimal(ys);
    if (x && y) points.push_back({*x, *y});
  }
  if (points.size() < 3) {
    std::fprintf(stderr, "cannot read the coordinates %s\n", path.c_str());
    std::exit(1);
  }
  std::size_t nose = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (points[i].x < points[nose].x) nose = i;
  }
  CardDeck deck;
  for (std::size_t i = nose + 1; i-- > 0;) {
    deck.upperX.push_back(points[i].x);
    deck.upperY.push_back(points[i].y);
  }
  for (std::size_t i = nose; i < points.size(); ++i) {
    deck.lowerX.push_back(points[i].x);
    deck.lowerY.push_back(points[i].y);
  }
  deck.name = path;
  return deck;
}

CardDeck deckFromJoukowski(const JoukowskiAirfoil& airfoil) {
  CardDeck deck;
  for (const Point& p : airfoil.upper) {
    deck.upperX.push_back(p.x);
    deck.upperY.push_back(p.y);
  }
  for (const Point& p : airfoil.lower) {
    deck.lowerX.push_back(p.x);
    deck.lowerY.push_back(p.y);
  }
  deck.reynolds = {{0.0, 1e6}};
  return deck;
}

// Largest |v - v_exact| over the listing points (all; ahead of x/c 0.995;
// ahead of x/c 0.98), with the exact speed taken at the nearest input point.
struct SpeedErrors {
  double all = 0.0, worstX = 0.0, rear = 0.0, rearX = 0.0, inner = 0.0, innerX = 0.0;
};

SpeedErrors speedErrors(const JoukowskiAirfoil& airfoil, const SectionAnalysis& analysis, const AngleResult& result) {
  std::vector<Point> chain;
  std::vector<double> exact;
  for (std::size_t i = airfoil.upper.size(); i-- > 0;) {
    chain.push_back(airfoil.upper[i]);
    exact.push_back(airfoil.upperSpeed[i]);
  }
  for (std::size_t i = 1; i < airfoil.lower.size(); ++i) {
    chain.push_back(airfoil.lower[i]);
    exact.push_back(airfoil.lowerSpeed[i]);
  }
  SpeedErrors errors;
  const auto& listing = analysis.listingPoints();
  for (std::size_t row = 0; row < listing.size(); ++row) {
    std::size_t match = 0;
    double nearest = 1e300;
    for (std::size_t i = 0; i < chain.size(); ++i) {
      const double d = std::hypot(chain[i].x - listing[row].x, chain[i].y - listing[row].y);
      if (d < nearest) {
        nearest = d;
        match = i;
      }
    }
    const double error = std::fabs(result.speeds[row] - exact[match]);
    if (error > errors.all) {
      errors.all = error;
      errors.worstX = listing[row].x;
    }
    if (listing[row].x <= 0.995 && error > errors.rear) {
      errors.rear = error;
      errors.rearX = listing[row].x;
    }
    if (listing[row].x <= 0.98 && error > errors.inner) {
      errors.inner = error;
      errors.innerX = listing[row].x;
    }
  }
  return errors;
}

void inviscidCheck() {
  struct Case {
    const char* title;
    double centreX, centreY, tauDeg;
  };
  const Case cases[] = {
      {"Joukowski airfoil (cusped trailing edge)", -0.1, 0.08, 0.0},
      {"Karman-Trefftz airfoil, trailing-edge angle 12 deg", -0.08, 0.08, 12.0},
  };
  for (const Case& c : cases) {
    // The exact speed at a finite-angle trailing edge is zero and rises as a
    // small power of the distance, to 0.75 of the speed nearby within 0.1 %
    // of the chord; hence the columns ahead of x/c 0.995 and 0.98.
    std::printf("== Inviscid: %s, circle centre (%.2f, %.2f), alpha 4 deg\n", c.title, c.centreX, c.centreY);
    std::printf("  points | thickness | max |v - v_exact|: all (at x/c) | x/c <= 0.995 (at x/c) | x/c <= 0.98 (at x/c) | CL panel | CL exact | CL error\n");
    for (int points : {61, 160}) {
      const int upper = (points + 1) / 2;
      const int lower = points + 1 - upper;
      const JoukowskiAirfoil airfoil = karmanTrefftzAirfoil(c.centreX, c.centreY, c.tauDeg, 4.0, upper, lower);
      const SectionAnalysis analysis(deckFromJoukowski(airfoil), AnalysisOptions{});
      const AngleResult result = analysis.analyse(4.0);
      const SpeedErrors e = speedErrors(airfoil, analysis, result);
      double thickness = 0.0;
      for (std::size_t i = 0; i < airfoil.upper.size(); ++i) {
        for (std::size_t j = 0; j + 1 < airfoil.lower.size(); ++j) {
          const Point& a = airfoil.lower[j];
          const Point& b = airfoil.lower[j + 1];
          const double x = airfoil.upper[i].x;
          if (x >= a.x && x <= b.x && b.x > a.x) {
            thickness = std::max(thickness, airfoil.upper[i].y - (a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y)));
          }
        }
      }
      std::printf("  %6d | %8.1f%% | %15.4f (%.4f) | %12.4f (%.4f) | %11.4f (%.3f) | %8.4f | %8.4f | %7.2f %%\n",
                  points, 100.0 * thickness, e.all, e.worstX, e.rear, e.rearX, e.inner, e.innerX, result.clInviscid,
                  airfoil.cl,
                  100.0 * (result.clInviscid - airfoil.cl) / airfoil.cl);
    }
  }
}

struct Measured {
  double alpha, cl, cd, cm;
};

struct MeasuredFile {
  std::vector<Measured> drag;  // rows with alpha, CL and CD
  std::vector<Measured> lift;  // rows with alpha and CL (first lift block)
  std::vector<Measured> polar; // rows with CL and CD, no angle
};

MeasuredFile readMeasured(const std::string& path) {
  std::ifstream in(path);
  MeasuredFile file;
  std::string line, block;
  int liftBlocks = 0;
  while (std::getline(in, line)) {
    if (line.rfind("# block:", 0) == 0) {
      block = line;
      if (block.find("lift") != std::string::npos) ++liftBlocks;
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string f[4];
    if (!(fields >> f[0] >> f[1] >> f[2] >> f[3])) continue;
    double v[4];
    for (int k = 0; k < 4; ++k) {
      const auto value = parseDecimal(f[k]);
      v[k] = value ? *value : std::nan("");
    }
    const Measured row{v[0], v[1], v[2], v[3]};
    const bool hasAlpha = std::isfinite(row.alpha), hasCl = std::isfinite(row.cl), hasCd = std::isfinite(row.cd);
    if (block.find("drag run") != std::string::npos || block.find("lift curve") != std::string::npos) {
      if (hasAlpha && hasCl && hasCd) file.drag.push_back(row);
      if (hasAlpha && hasCl && block.find("lift curve") != std::string::npos) file.lift.push_back(row);
    } else if (block.find("lift run") != std::string::npos && liftBlocks == 1) {
      if (hasAlpha && hasCl) file.lift.push_back(row);
    } else if (block.find("polar") != std::string::npos) {
      if (hasCl && hasCd && !hasAlpha) file.polar.push_back(row);
    }
  }
  return file;
}

struct Polar {
  std::vector<double> alpha, cl, cd, cm;
  double at(const std::vector<double>& values, double a) const {
    for (std::size_t i = 0; i + 1 < alpha.size(); ++i) {
      if (a >= alpha[i] && a <= alpha[i + 1]) {
        const double f = (a - alpha[i]) / (alpha[i + 1] - alpha[i]);
        return values[i] + f * (values[i + 1] - values[i]);
      }
    }
    return std::nan("");
  }
  // CD at the given CL on the rising part of the lift curve.
  double cdAtCl(double c) const {
    for (std::size_t i = 0; i + 1 < alpha.size(); ++i) {
      if ((c - cl[i]) * (c - cl[i + 1]) <= 0.0 && cl[i + 1] != cl[i]) {
        const double f = (c - cl[i]) / (cl[i + 1] - cl[i]);
        return cd[i] + f * (cd[i + 1] - cd[i]);
      }
    }
    return std::nan("");
  }
};

Polar computePolar(const CardDeck& deckIn, double reynolds, double roughness, double from, double to) {
  CardDeck deck = deckIn;
  deck.reynolds = {{roughness, reynolds}};
  const SectionAnalysis analysis(deck);
  Polar polar;
  for (double a = from; a <= to + 1e-9; a += 0.25) {
    const AngleResult r = analysis.analyse(a);
    polar.alpha.push_back(a);
    polar.cl.push_back(r.reynolds[0].cl);
    polar.cd.push_back(r.reynolds[0].cd);
    polar.cm.push_back(r.reynolds[0].cm);
  }
  return polar;
}

struct Stats {
  double sum = 0.0, worst = 0.0, bias = 0.0;
  int n = 0;
  void add(double error, double signedError) {
    if (!std::isfinite(error)) return;
    sum += error;
    bias += signedError;
    worst = std::max(worst, error);
    ++n;
  }
  double mean() const { return n ? sum / n : std::nan(""); }
  double meanBias() const { return n ? bias / n : std::nan(""); }
};

void viscousCheck(const std::string& shared) {
  struct Case {
    const char* airfoil;
    const char* file;
    double reynolds;
    double from, to;  // attached-flow range compared [deg]
  };
  const Case cases[] = {
      {"e387.dat", "e387_re60k.txt", 60000, -2.5, 6.5},    {"e387.dat", "e387_re100k.txt", 100000, -2.5, 6.5},
      {"e387.dat", "e387_re200k.txt", 200000, -2.5, 6.5},  {"e387.dat", "e387_re300k.txt", 300000, -2.5, 6.5},
      {"e387.dat", "e387_re460k.txt", 460000, -2.5, 6.5},  {"mh45.dat", "mh45_re60k.txt", 60000, -2.5, 6.5},
      {"mh45.dat", "mh45_re100k.txt", 100000, -2.5, 6.5},  {"mh45.dat", "mh45_re200k.txt", 200000, -2.5, 6.5},
      {"mh45.dat", "mh45_re300k.txt", 300000, -2.5, 6.5},  {"naca2412.dat", "naca2412_re3e6.txt", 3.1e6, -4.0, 8.0},
      {"naca2412.dat", "naca2412_re6e6.txt", 5.9e6, -4.0, 8.0}, {"naca2412.dat", "naca2412_re9e6.txt", 8.9e6, -4.0, 8.0},
      {"n0012.dat", "naca0012_re6e6_abbott.txt", 6e6, -8.0, 8.0},
  };
  std::printf("\n== Viscous: measured polars, attached range; CD errors relative to measured CD\n");
  std::printf("  %-26s | CL mean | CL worst | CL bias | CD mean | CD worst | CD bias | CD@CL mean | CD@CL worst | CM mean | n\n",
              "file");
  for (const Case& c : cases) {
    const CardDeck deck = deckFromSelig(shared + "/airfoils/" + c.airfoil);
    const MeasuredFile measured = readMeasured(shared + "/validation/" + c.file);
    const Polar polar = computePolar(deck, c.reynolds, 0.0, c.from - 1.0, c.to + 1.0);
    Stats clStats, cdStats, cdAtClStats, cmStats;
    for (const Measured& m : measured.lift) {
      if (m.alpha < c.from || m.alpha > c.to) continue;
      const double cl = polar.at(polar.cl, m.alpha);
      clStats.add(std::fabs(cl - m.cl), cl - m.cl);
      if (std::isfinite(m.cm)) {
        const double cm = polar.at(polar.cm, m.alpha);
        cmStats.add(std::fabs(cm - m.cm), cm - m.cm);
      }
    }
    for (const Measured& m : measured.drag) {
      if (m.alpha < c.from || m.alpha > c.to) continue;
      const double cd = polar.at(polar.cd, m.alpha);
      cdStats.add(std::fabs(cd - m.cd) / m.cd, (cd - m.cd) / m.cd);
      const double cdAtCl = polar.cdAtCl(m.cl);
      cdAtClStats.add(std::fabs(cdAtCl - m.cd) / m.cd, (cdAtCl - m.cd) / m.cd);
    }
    for (const Measured& m : measured.polar) {
      const double clLow = polar.at(polar.cl, c.from), clHigh = polar.at(polar.cl, c.to);
      if (m.cl < clLow || m.cl > clHigh) continue;
      const double cdAtCl = polar.cdAtCl(m.cl);
      cdAtClStats.add(std::fabs(cdAtCl - m.cd) / m.cd, (cdAtCl - m.cd) / m.cd);
    }
    std::printf("  %-26s | %7.3f | %8.3f | %+7.3f | %6.1f%% | %7.1f%% | %+6.1f%% | %9.1f%% | %10.1f%% | %7.4f | %d/%d\n", c.file,
                clStats.mean(), clStats.worst, clStats.meanBias(), 100 * cdStats.mean(), 100 * cdStats.worst,
                100 * cdStats.meanBias(), 100 * cdAtClStats.mean(), 100 * cdAtClStats.worst, cmStats.mean(),
                clStats.n, cdStats.n + cdAtClStats.n);
  }
}

void transitionCheck(const std::string& shared) {
  std::printf("\n== E387, Re 200000: upper laminar separation / transition x/c against LTPT oil flow (TM-4062)\n");
  CardDeck deck = deckFromSelig(shared + "/airfoils/e387.dat");
  deck.reynolds = {{0.0, 200000}};
  const SectionAnalysis analysis(deck);
  const double alphas[] = {0.0, 2.0, 5.0};
  const double measured[] = {0.48, 0.43, 0.38};
  for (int i = 0; i < 3; ++i) {
    const AngleResult r = analysis.analyse(alphas[i]);
    std::printf("  alpha %4.1f: computed %.3f%s, measured laminar separation %.2f, difference %+.3f\n", alphas[i],
                r.reynolds[0].upper.transitionX, r.reynolds[0].upper.bubble ? " (bubble)" : "", measured[i],
                r.reynolds[0].upper.transitionX - measured[i]);
  }
}

void roughnessCheck(const std::string& shared) {
  std::printf("\n== Roughness codes: E387 and NACA 2412; upper/lower transition x/c and CD\n");
  for (const auto& [file, reynolds] : {std::pair{"e387.dat", 200000.0}, std::pair{"e387.dat", 460000.0},
                                       std::pair{"naca2412.dat", 3.1e6}}) {
    CardDeck deck = deckFromSelig(shared + "/airfoils/" + file);
    deck.reynolds = {{0.0, reynolds}, {5.0, reynolds}, {7.0, reynolds}, {9.0, reynolds}};
    const SectionAnalysis analysis(deck);
    for (double alpha : {0.0, 4.0}) {
      const AngleResult r = analysis.analyse(alpha);
      std::printf("  %-12s Re %8.0f alpha %3.1f:", file, reynolds, alpha);
      for (const ReynoldsResult& g : r.reynolds) {
        std::printf("  r%.0f: %.3f/%.3f CD %.5f", g.roughness, g.upper.transitionX, g.lower.transitionX, g.cd);
      }
      std::printf("\n");
    }
  }
}

void flapCheck(const std::string& shared) {
  std::printf("\n== Flap 25 %% chord: CL rise at alpha 0 against thin-airfoil theory 2 (pi - t + sin t) delta\n");
  const double hinge = 0.75;
  const double t = std::acos(1.0 - 2.0 * hinge);
  const double perRadian = 2.0 * (std::numbers::pi - t + std::sin(t));
  for (const auto& [file, reynolds] : {std::pair{"n0012.dat", 3e6}, std::pair{"e387.dat", 460000.0}}) {
    CardDeck deck = deckFromSelig(shared + "/airfoils/" + file);
    deck.reynolds = {{0.0, reynolds}};
    const AngleResult clean = SectionAnalysis(deck).analyse(0.0);
    for (double deflection : {5.0, 10.0}) {
      CardDeck flapped = deck;
      flapped.hasFlap = true;
      flapped.flap = {25.0, 0.0, deflection};
      // Camber-line ordinate at the hinge, as the caller writes it.
      const auto ordinate = [](const std::vector<double>& xs, const std::vector<double>& ys, double x) {
        for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
          if (x >= xs[i] && x <= xs[i + 1]) return ys[i] + (x - xs[i]) / (xs[i + 1] - xs[i]) * (ys[i + 1] - ys[i]);
        }
        return 0.0;
      };
      flapped.flap.hingeOrdinate =
          0.5 * (ordinate(deck.upperX, deck.upperY, hinge) + ordinate(deck.lowerX, deck.lowerY, hinge));
      const AngleResult r = SectionAnalysis(flapped).analyse(0.0);
      const double theory = perRadian * deflection * std::numbers::pi / 180.0;
      const double inviscidRise = r.clInviscid - clean.clInviscid;
      const double viscousRise = r.reynolds[0].cl - clean.reynolds[0].cl;
      std::printf("  %-10s Re %8.0f delta %4.1f: theory %.3f, inviscid %.3f (%+.1f %%), viscous %.3f; CM %.4f -> %.4f\n",
                  file, reynolds, deflection, theory, inviscidRise, 100.0 * (inviscidRise - theory) / theory,
                  viscousRise, clean.reynolds[0].cm, r.reynolds[0].cm);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The shared folder lies beside the repository (or beside its work-tree folder).
  std::string shared = std::string(VELARIX_SOURCE_DIR) + "/../shared";
  if (!std::ifstream(shared + "/airfoils/e387.dat")) shared = std::string(VELARIX_SOURCE_DIR) + "/../../shared";
  if (argc > 1) shared = argv[1];
  inviscidCheck();
  viscousCheck(shared);
  transitionCheck(shared);
  roughnessCheck(shared);
  flapCheck(shared);
  return 0;
}
