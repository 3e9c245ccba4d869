#include "listing.h"

#include <algorithm>
#include <cmath>

#include "numbers.h"

namespace velarix::analysis {
namespace {

constexpr std::size_t kGroupWidth = 24;
constexpr std::size_t kLabelWidth = 10;
constexpr std::size_t kVelocityColumn = 27;  // 1-based
constexpr std::size_t kVelocityWidth = 7;

// The name on the "1AIRFOIL" line must not contain the characters that the
// reader looks for: the first "," and "%" and the word "FLAP" belong to the
// flap fields.
std::string safeName(const std::string& name) {
  std::string result;
  for (char c : name) {
    if (c == ',') {
      result += ';';
    } else if (c == '%') {
      result += " pct";
    } else if (static_cast<unsigned char>(c) < 32) {
      result += ' ';
    } else {
      result += c;
    }
  }
  for (std::size_t at = result.find("FLAP"); at != std::string::npos; at = result.find("FLAP", at)) {
    result.replace(at, 4, "Flap");
  }
  return result.empty() ? "(no name)" : result;
}

void padTo(std::string& line, std::size_t columns) {
  if (line.size() < columns) line.append(columns - line.size(), ' ');
}

std::string rtrim(std::string line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

class ListingWriter {
 public:
  ListingWriter(const CardDeck& deck, const SectionAnalysis& analysis, const std::vector<AngleResult>& results)
      : deck_(deck), analysis_(analysis), results_(results) {}

  std::string write() {
    header();
    std::size_t first = 0;
    for (std::size_t table = 0; table < deck_.angleCardSizes.size(); ++table) {
      const std::size_t count = static_cast<std::size_t>(deck_.angleCardSizes[table]);
      if (table > 0) airfoilLine();
      velocityTable(first, count);
      summary(first, count, table == 0);
      first += count;
    }
    footer();
    return text_;
  }

 private:
  void line(const std::string& text) { text_ += rtrim(text) + "\n"; }

  void airfoilLine() {
    const double chord = deck_.hasFlap ? deck_.flap.chordPercent : 0.0;
    const double deflection = deck_.hasFlap ? deck_.flap.deflectionDeg : 0.0;
    line("1AIRFOIL " + safeName(deck_.name) + ", " + trimmed(formatFixed(chord, 6, 2)) + "% FLAP" +
         formatFixed(deflection, 7, 2) + " DEG    velarix airfoil analysis");
  }

  static std::string trimmed(const std::string& text) { return std::string(trimBlanks(text)); }

  void header() {
    airfoilLine();
    const std::size_t points = deck_.upperX.size() + deck_.lowerX.size() - 1;
    line("0 " + std::to_string(points) + " points (" + std::to_string(deck_.upperX.size()) + " upper, " +
         std::to_string(deck_.lowerX.size()) + " lower), " + std::to_string(analysis_.nodes().size()) +
         " panel nodes, linear-vorticity panel method with Kutta condition,");
    line("  integral boundary layer (Eppler), transition ln Re_d2 >= 18.4 H32 - 21.74 - 0.36 r, drag by Squire-Young");
    if (deck_.hasFlap && deck_.flap.deflectionDeg != 0.0 && deck_.flap.chordPercent > 0.0) {
      line("  flap hinge at x/c " + trimmed(formatFixed(analysis_.hingeX(), 8, 4)) + ", y/c " +
           trimmed(formatFixed(deck_.flap.hingeOrdinate, 8, 4)) + "; coefficients referred to the unflapped chord");
    }
    line("");
  }

  void velocityTable(std::size_t first, std::size_t count) {
    std::string angles = " MACH 0.000 ALPHA (DEG)";
    padTo(angles, kVelocityColumn - 1);
    for (std::size_t j = 0; j < count; ++j) angles += formatFixed(results_[first + j].alphaDeg, kVelocityWidth, 2);
    line(angles);
    line("   N        X/C        Y/C  V/V at the angles above");
    const auto& points = analysis_.listingPoints();
    for (std::size_t row = 0; row < points.size(); ++row) {
      std::string text = formatFixed(static_cast<double>(row + 1), 4, 0) + formatFixed(points[row].x, 11, 5) +
                         formatFixed(points[row].y, 11, 5);
      for (std::size_t j = 0; j < count; ++j) {
        text += " " + formatFixed(results_[first + j].speeds[row], kVelocityWidth - 1, 4);
      }
      line(text);
    }
  }

  void summary(std::size_t first, std::size_t count, bool withReynoldsLine) {
    line(" SUMMARY  angles " + trimmed(formatFixed(results_[first].alphaDeg, 8, 2)) + " to " +
         trimmed(formatFixed(results_[first + count - 1].alphaDeg, 8, 2)) + " deg");
    if (withReynoldsLine) {
      std::string text = "0         ";
      for (const ReynoldsGroup& group : deck_.reynolds) text += "R =" + formatFixed(group.reynolds, 9, 0) + "   ";
      text += "MU=  " + trimmed(formatFixed(deck_.reynolds.front().roughness, 6, 3));
      line(text);
    }
    for (std::size_t m = first; m < first + count; ++m) angleBlock(results_[m]);
  }

  std::string groups(const AngleResult& result, const std::string& label,
                     std::string (*field)(const ReynoldsResult&)) {
    std::string text = label;
    padTo(text, kLabelWidth);
    for (const ReynoldsResult& r : result.reynolds) {
      std::string group = field(r);
      padTo(group, kGroupWidth);
      text += group;
    }
    return text;
  }

  static std::string surfaceField(const SurfaceLayer& layer) {
    const double x = std::clamp(layer.transitionX, 0.0, 1.0);
    std::string text = formatFixed(1.0 - x, 6, 4) + " (x/c" + formatFixed(x, 7, 4) + ")";
    padTo(text, 20);
    text += layer.bubble ? "*" : " ";
    text += layer.separated ? " S" : "";
    return text;
  }

  void angleBlock(const AngleResult& result) {
    line("0 ALPHA =" + formatFixed(result.alphaDeg, 7, 2) + " DEG   inviscid cl " +
         trimmed(formatFixed(result.clInviscid, 7, 3)) + "  cm " + trimmed(formatFixed(result.cmInviscid, 8, 4)) +
         "  stagnation point x/c " + trimmed(formatFixed(result.stagnationX, 8, 4)));
    line(groups(result, "", [](const ReynoldsResult& r) {
      return "Re" + formatFixed(r.reynolds, 9, 0) + "  r" + formatFixed(r.roughness, 5, 2);
    }));
    line(groups(result, " UPPER t", [](const ReynoldsResult& r) { return surfaceField(r.upper); }));
    line(groups(result, " LOWER t", [](const ReynoldsResult& r) { return surfaceField(r.lower); }));
    line(groups(result, "", [](const ReynoldsResult& r) {
      return "CL=" + formatFixed(r.cl, 6, 3) + " CD=" + formatFixed(r.cd, 7, 5);
    }));
    line(groups(result, "", [](const ReynoldsResult& r) { return "CM=" + formatFixed(r.cm, 7, 4); }));
    for (const ReynoldsResult& r : result.reynolds) notes(r);
  }

  void notes(const ReynoldsResult& r) {
    const std::string at = "  note (Re " + trimmed(formatFixed(r.reynolds, 9, 0)) + "): ";
    if (r.failed) {
      line(at + "no converged boundary layer; the values above are not results");
      return;
    }
    const auto separation = [&](const SurfaceLayer& layer, const char* side) {
      if (!layer.separated) return;
      std::string text = at + side + " surface separated from x/c " + trimmed(formatFixed(layer.separationX, 8, 4)) +
                         " to the trailing edge";
      if (layer.separationX < 0.95) text += "; flow largely separated, cl and cd are not reliable";
      if (layer.bubble && layer.separationX < 0.95) text += "; the laminar bubble may burst";
      line(text);
    };
    separation(r.upper, "upper");
    separation(r.lower, "lower");
  }

  void footer() {
    line("");
    line(" END OF LISTING.  t = 1 - x/c of transition;  * laminar separation bubble ending in transition;");
    line("  S turbulent separation before the trailing edge.  v/V and cm inviscid; cl with the displacement");
    line("  of the boundary layer, cd from the trailing-edge boundary layer (Squire-Young).");
  }

  const CardDeck& deck_;
  const SectionAnalysis& analysis_;
  const std::vector<AngleResult>& results_;
  std::string text_;
};

}  // namespace

std::string writeListing(const CardDeck& deck, const SectionAnalysis& analysis,
                         const std::vector<AngleResult>& results) {
  return ListingWriter(deck, analysis, results).write();
}

}  // namespace velarix::analysis
