// The state of the main window that the editing operations read besides the
// wing: the texts of the three percentage entries of the kink group. The bar
// position, the input mode (sym./asym.) and the span and kink-delete
// conditions live in the wing document (TWing).
#pragma once

#include <string>
#include <string_view>

namespace velarix {

struct EditingContext {
  // Entry "Bezug": the point of the chord, in % from the leading edge, that
  // keeps its x when the chord changes. Choices "0", "25", "50", "75", "100".
  std::string chordReferenceText{"0"};
  // Entry "Rücklage": the pivot of the chord angle in % of the chord.
  std::string pivotText{"75"};
  // Entry between "bei" and "%": the chord line, in % from the leading edge,
  // whose sweep the sweep entries set and the readout shows.
  std::string sweepReferenceText{"0"};

  bool operator==(const EditingContext&) const = default;
};

// Caption of the error box that shows a text which is no number.
inline constexpr std::string_view kEditingErrorCaption = "Velarix";

}  // namespace velarix
