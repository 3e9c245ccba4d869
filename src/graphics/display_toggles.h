// Availability of the main window's display toggles.
//
// Whether a toggle is down is part of the wing (TWing::switches, stored in
// the wing file). Whether it can be used at the moment, and the check mark
// of the menu item "Markierungsbalken als Kreuz", are window state kept
// here. The redraw cycle enables and disables the toggles that refine
// another drawing; the computation enables the others once a wing exists.
#pragma once

#include <array>
#include <optional>

#include "wing/wing.h"

namespace velarix {

// Toggles of which at most one may be down: the three drag curves, and the
// six value axes.
enum class ToggleGroup { Drag, Axis };
std::optional<ToggleGroup> toggleGroupOf(DisplaySwitch s);

// The distribution a value axis belongs to.
enum class ValueAxis {
  Reynolds,
  Circulation,
  LiftCoefficient,
  PitchingMoment,
  InducedAngle,
  InducedDrag,
  ProfileDrag,
  TotalDrag
};

class DisplayToggleState {
 public:
  // At program start every toggle is disabled.
  DisplayToggleState() = default;

  bool enabled(DisplaySwitch s) const { return enabled_[index(s)]; }
  void setEnabled(DisplaySwitch s, bool on) { enabled_[index(s)] = on; }

  // Enables the toggles that do not depend on another drawing: planform,
  // circulation, ca, induced drag, mü, ai, xd, Reynolds numbers and the
  // stations. Called once a wing has been computed.
  void enableComputedWingToggles();

  // Down and enabled.
  bool isActive(const DisplaySwitches& down, DisplaySwitch s) const {
    return down[s] && enabled(s);
  }

  // A click on toggle s: a disabled toggle ignores it; a down toggle goes
  // up; an up toggle goes down and raises the other members of its group.
  // Returns whether a down state changed.
  bool press(DisplaySwitches& down, DisplaySwitch s) const;

  bool crossBarChecked() const { return crossBarChecked_; }
  void setCrossBarChecked(bool on) { crossBarChecked_ = on; }

 private:
  static std::size_t index(DisplaySwitch s) { return static_cast<std::size_t>(s); }
  std::array<bool, kDisplaySwitchCount> enabled_{};
  bool crossBarChecked_ = false;
};

// The value axis shown: the first axis toggle down and enabled in the order
// Re, gamma, ca, mü, ai, cw; for cw the drag curve shown decides (induced,
// else profile, else total drag, each down and enabled), and without one
// there is no axis.
std::optional<ValueAxis> chosenValueAxis(const DisplaySwitches& down,
                                         const DisplayToggleState& toggles);

}  // namespace velarix
