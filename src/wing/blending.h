// Blended sections ("strak"): a kink without an airfoil of its own gets its
// standard section interpolated between the nearest kinks with airfoils.
#pragma once

namespace velarix {

struct TWing;
class Platform;

// Recomputes every kink whose airfoil is "strak": its 61 ordinates,
// linearly in span between the nearest non-blended kinks on either side,
// and its zero-lift angle and moment from the blended shape.
void UpdateBlendedSections(TWing& wing);

// The polar window's "Strak in Flügel einbauen" for the kink at the bar (and
// its mirror kink with symmetric input). At a wing tip it shows message 10
// and changes nothing. Returns true when the polar window is to close.
bool MarkKinkAsBlended(TWing& wing, Platform& platform);

}  // namespace velarix
