// Which controls of the main window are usable at the marker bar and what
// they show: a pure function of the wing and the editing context, which the
// readout at the bar applies to the window after every move of the bar and
// every recompute. Control names in the comments are those of the window.
//
// The bar is on a kink when some kink row has kinkY exactly equal to the
// bar position (the first such row); it is in a flap field when some flap
// row has flapYLeft < bar < flapYRight (the first such row). A cell that is
// no number never matches and shows as it stands.
#pragma once

#include <optional>
#include <string>

#include "wing/editing_context.h"
#include "wing/wing.h"

namespace velarix {

// An entry: usable or not, and its text (empty when not usable).
struct ControlState {
  bool enabled = false;
  std::string text;
  bool operator==(const ControlState&) const = default;
};

struct ControlAvailability {
  // ComboBox6: the station count m.
  ControlState stationCount;
  // Edit6, Label6 "Balkenpos. Y": the bar position rounded to 4 decimals.
  ControlState barPosition;

  // Button5 "setzen": not at a tip (+-halfSpan) and not at the centre.
  bool setKinkEnabled = false;
  // button6 "löschen", Label7, ComboBox2 (its condition): on an inner kink.
  bool deleteKinkEnabled = false;

  // The kink row at the bar, if any; the entries below are usable only then.
  std::optional<int> kinkRow;
  ControlState chord;                  // Edit7, Label43, Label44: kinkChord
  bool chordReferenceEnabled = false;  // ComboBox3 "Bezug" (its text is kept)
  ControlState chordAngle;             // Edit13: kinkChordAngle
  ControlState pivot;                  // ComboBox4, Label14, Label15: kinkPivotPercent
  ControlState leadingEdgeX;           // Edit10, Label9: kinkX rounded to 4 decimals
  ControlState airfoil;                // Button9 "Profil", Edit18: kinkAirfoil
  bool sweepReferenceEnabled = false;  // ComboBox5, Label47, Label48 (text kept)
  // Edit14, Label46 "rechts": on a kink left of the right tip, the angle of
  // the chord line at the sweep reference to the right neighbour, degrees
  // rounded to one decimal. Empty when the reference text is no number.
  ControlState sweepRight;
  // Edit9, Label45 "links": the same toward the left neighbour.
  ControlState sweepLeft;

  // Button12, Button13: usable when the bar is not on a kink.
  bool offKinkButtonsEnabled = false;

  // The flap field at the bar when it carries a flap (a chord > 0); the
  // flap entries (and Label1, Label27 to Label33, Button11) are usable only
  // then.
  std::optional<int> flapRow;
  ControlState flapGroup;       // Edit8
  ControlState flapNumber;      // Edit27
  ControlState flapChordLeft;   // Edit28
  ControlState flapChordRight;  // Edit29
  ControlState flapDeflection;  // Edit30

  bool operator==(const ControlAvailability&) const = default;
};

ControlAvailability controlsAtBar(const TWing& wing, const EditingContext& context);

}  // namespace velarix
