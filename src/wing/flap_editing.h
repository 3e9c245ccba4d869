// Flap editing in the flap field at the marker bar (the flap row with
// flapYLeft < barPosition < flapYRight; on a field boundary there is none).
//
// With symmetric input the operations repeat on the mirror field, with left
// and right exchanged. Operations act only while a wing is present and a
// field lies at the bar. Entry arguments are the typed texts; a text that
// is no number shows the conversion error and changes nothing. An accepted
// entry recomputes; an entry rejected with a message does not.
#pragma once

#include <optional>
#include <string_view>

#include "wing/platform.h"
#include "wing/wing.h"

namespace velarix {

// The row whose ends are the negated, exchanged ends of field `row`
// (flapYRight(M) = -flapYLeft(F), flapYLeft(M) = -flapYRight(F)).
std::optional<int> mirrorField(const TWing& wing, int row);

// "setzen" (group "Klappe"): a field without a flap (both chords "0") gets
// chords 25 and 25, group 0 and deflection 0; with symmetric input the
// mirror field likewise, and a field carrying a flap is copied onto its
// mirror field. Recomputes in every case.
void setFlap(TWing& wing, Platform& platform);

// "löschen" (group "Klappe"): chords, group and deflection become "0" (also
// on the mirror field with symmetric input). Recomputes in every case.
void deleteFlap(TWing& wing, Platform& platform);

// "Tiefe (L)" / "Tiefe (R)": the flap chord at that end in % of the local
// wing chord, truncated to an integer; 0..100 (message 8). With symmetric
// input the mirror field's opposite end gets the same value.
void setFlapChordLeft(TWing& wing, Platform& platform, std::string_view percentText);
void setFlapChordRight(TWing& wing, Platform& platform, std::string_view percentText);

// "Gruppe": the group number, truncated to an integer; 0..99 (message 16).
// Joining a group 1..99 adopts the deflection of the group (of its last
// other field in table order). Group 0 is no group: the field keeps its
// deflection.
void setFlapGroup(TWing& wing, Platform& platform, std::string_view groupText);
// The same with a group chosen in the flap group colour dialog.
void setFlapGroupNumber(TWing& wing, Platform& platform, int group);

// "Ausschlagwinkel": -89..89 (message 4). Every field of the field's group
// (1..99) gets the deflection; a field of group 0 alone. Not mirrored.
void setFlapDeflection(TWing& wing, Platform& platform, std::string_view angleText);

// "<" / ">" of the group "Klappe": the bar jumps to the middle of the
// neighbouring field (from a field boundary: of the field on that side).
// Only the bar moves (Platform::moveMarkerBar).
void jumpFieldLeft(TWing& wing, Platform& platform);
void jumpFieldRight(TWing& wing, Platform& platform);

}  // namespace velarix
