// Planform editing at the marker bar: kinks, span, chord, twist, pivot,
// leading-edge x, sweep, airfoil mirroring and the bar movements.
//
// Every operation acts only while a wing is present, on the kink at the bar
// (the row whose kinkY equals wing.barPosition exactly) and, with symmetric
// input, on the mirrored kink at -barPosition. Entry arguments are the typed
// texts. A range violation shows a numbered message and changes nothing; a
// text that is no number (in the entry or in a cell read on the way) shows
// the conversion error and changes nothing at all. Unless noted, an
// operation ends with a recompute and redraw (Platform::refreshWingDisplay),
// also after a message. wing.halfSpan and wing.span are those of the last
// recompute.
#pragma once

#include <string_view>

#include "wing/editing_context.h"
#include "wing/platform.h"
#include "wing/wing.h"

namespace velarix {

// "setzen" (group "Knickstelle"): a kink at the bar when the bar lies
// strictly inside a kink interval (and at the mirrored position with
// symmetric input), interpolated linearly between its neighbours, airfoil
// "strak"; the flap field of the interval is split there. Blended sections
// are recomputed. The kink is placed at the bar position as the cell stores
// it (six decimals).
void setKink(TWing& wing, Platform& platform);

// "löschen" (group "Knickstelle"): removes the kink at the bar (and the
// mirrored kink with symmetric input) and merges the two flap fields beside
// it by wing.kinkDeleteCondition; then the bar jumps one kink toward the
// centre. The tips and the centre are never removed; without a kink at the
// bar nothing happens (no redraw).
void deleteKink(TWing& wing, Platform& platform);

// Enter in "Spannweite in m": reshapes the wing to span b by
// wing.spanCondition (messages 1 and 2 for b > 100 and b < 0.01). In every
// case the bar returns to 0, x is normalised and the wing counts as changed.
void changeSpan(TWing& wing, Platform& platform, std::string_view spanText);

// Enter in "Tiefe in m": chord t >= 0.001 (message 2), keeping the x of the
// point at the chord reference percentage; a reference text outside 0..100
// or no number becomes "0".
void setChord(TWing& wing, EditingContext& context, Platform& platform, std::string_view chordText);

// Enter in "Bezug": 0..100 (message 8); a valid value is written back into
// the entry in cell form. The wing does not change.
void setChordReference(TWing& wing, EditingContext& context, Platform& platform,
                       std::string_view text);

// Enter in "Verw.-Winkel in Grad": -89..89 (message 4).
void setChordAngle(TWing& wing, Platform& platform, std::string_view angleText);

// Enter (or a choice) in "Rücklage": 0..100 (message 8).
void setPivot(TWing& wing, EditingContext& context, Platform& platform, std::string_view text);

// Enter in "X-Koordinate": the leading-edge x of the kink at the bar; at the
// centre message 14. No normalisation follows.
void setLeadingEdgeX(TWing& wing, Platform& platform, std::string_view xText);

// Enter in "rechts" / "links" of "Pfeilwinkel in Grad": -89..89 (message 4).
// The chord line at the sweep reference percentage runs from the kink at the
// bar to its right (left) neighbour at the angle, positive aft toward the
// neighbour; the wing beyond the neighbour moves with it as a block. With
// symmetric input the mirrored kink gets the opposite side's operation.
void setSweepRight(TWing& wing, const EditingContext& context, Platform& platform,
                   std::string_view angleText);
void setSweepLeft(TWing& wing, const EditingContext& context, Platform& platform,
                  std::string_view angleText);

// Enter in the sweep reference entry: 0..100 (message 8, then a recompute);
// a valid value only redraws.
void setSweepReference(TWing& wing, EditingContext& context, Platform& platform,
                       std::string_view text);

// Enter in the airfoil name field: with symmetric input the airfoil of the
// kink at the bar (name, zero-lift angle and moment, section ordinates) is
// copied to the mirrored kink. A "strak" is never copied onto a wing tip.
void mirrorAirfoil(TWing& wing, Platform& platform);

// Bar movements of the group "Balkenpos. Y". The four buttons only move the
// bar (Platform::moveMarkerBar); the typed position redraws.
void jumpKinkLeft(TWing& wing, Platform& platform);            // "<"
void jumpKinkRight(TWing& wing, Platform& platform);           // ">"
void moveBarMillimetreLeft(TWing& wing, Platform& platform);   // "-"
void moveBarMillimetreRight(TWing& wing, Platform& platform);  // "+"
void setBarPosition(TWing& wing, Platform& platform, std::string_view positionText);

}  // namespace velarix
