// The card file that the main program writes for the analysis program.
//
//   FXPR
//   <airfoil name>
//      s   d                       points of the upper and of the lower surface
//   upper x, upper y, lower x, lower y    four blocks, nose to trailing edge,
//                                          eight values to a line
//   FLAP   cccc yyyy tttt dddd     optional: flap chord % x100 (columns 5-15),
//                                  hinge camber ordinate x10000 (16-20), a
//                                  third number (21-25, read and ignored) and
//                                  the deflection in degrees x100 (26-30)
//   ALFA  1  n aaaaa aaaaa ...     n angles (columns 8-10), angle x100 in five
//                                  columns each from column 11
//   RE  110   rrrrrRRRRR ...       up to five groups of ten columns from column
//                                  11: roughness code x1000, Re / 1000
//   ENDE
//
// Every angle card is followed by a copy of the Reynolds card.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velarix::analysis {

struct FlapCard {
  double chordPercent = 0.0;   // flap chord [% of chord]
  double hingeOrdinate = 0.0;  // camber-line ordinate at the hinge [chord]
  double deflectionDeg = 0.0;  // positive = trailing edge down [deg]
};

struct ReynoldsGroup {
  double roughness = 0.0;  // roughness code r: 0 clean, 5 soiled, 7 light, 9 heavy icing
  double reynolds = 0.0;   // Re = V c / nu
};

struct CardDeck {
  std::string name;
  // Both surfaces from the nose point to the trailing edge [chord].
  std::vector<double> upperX, upperY, lowerX, lowerY;
  bool hasFlap = false;
  FlapCard flap;
  std::vector<ReynoldsGroup> reynolds;  // 1 ... 5 groups, in card order
  std::vector<double> anglesDeg;        // all angle cards in order, at most 255
  std::vector<int> angleCardSizes;      // angles per card, for the listing's tables
};

inline constexpr int kMaxAngles = 255;
inline constexpr int kMaxReynoldsGroups = 5;
inline constexpr int kMaxPointsPerSurface = 2000;

// Reads a whole card file. Throws AnalysisInputError naming the line for a
// missing, unknown or malformed card.
CardDeck readCards(std::string_view text);

}  // namespace velarix::analysis
