#include "graphics/display_toggles.h"

namespace velarix {

std::optional<ToggleGroup> toggleGroupOf(DisplaySwitch s) {
  switch (s) {
    case DisplaySwitch::InducedDrag:
    case DisplaySwitch::ProfileDrag:
    case DisplaySwitch::TotalDrag:
      return ToggleGroup::Drag;
    case DisplaySwitch::AxisReynolds:
    case DisplaySwitch::AxisCirculation:
    case DisplaySwitch::AxisLiftCoefficient:
    case DisplaySwitch::AxisPitchingMoment:
    case DisplaySwitch::AxisInducedAngle:
    case DisplaySwitch::AxisDrag:
      return ToggleGroup::Axis;
    default:
      return std::nullopt;
  }
}

void DisplayToggleState::enableComputedWingToggles() {
  for (DisplaySwitch s :
       {DisplaySwitch::Wing, DisplaySwitch::Circulation, DisplaySwitch::LiftCoefficients,
        DisplaySwitch::InducedDrag, DisplaySwitch::PitchingMoments, DisplaySwitch::InducedAngles,
        DisplaySwitch::LocalCentresOfPressure, DisplaySwitch::Reynolds, DisplaySwitch::Stations}) {
    setEnabled(s, true);
  }
}

bool DisplayToggleState::press(DisplaySwitches& down, DisplaySwitch s) const {
  if (s == DisplaySwitch::Count || !enabled(s)) return false;
  if (down[s]) {
    down[s] = false;
    return true;
  }
  if (const auto group = toggleGroupOf(s)) {
    for (int i = 0; i < kDisplaySwitchCount; ++i) {
      const auto other = static_cast<DisplaySwitch>(i);
      if (toggleGroupOf(other) == group) down[other] = false;
    }
  }
  down[s] = true;
  return true;
}

std::optional<ValueAxis> chosenValueAxis(const DisplaySwitches& down,
                                         const DisplayToggleState& toggles) {
  auto active = [&](DisplaySwitch s) { return toggles.isActive(down, s); };
  if (active(DisplaySwitch::AxisReynolds)) return ValueAxis::Reynolds;
  if (active(DisplaySwitch::AxisCirculation)) return ValueAxis::Circulation;
  if (active(DisplaySwitch::AxisLiftCoefficient)) return ValueAxis::LiftCoefficient;
  if (active(DisplaySwitch::AxisPitchingMoment)) return ValueAxis::PitchingMoment;
  if (active(DisplaySwitch::AxisInducedAngle)) return ValueAxis::InducedAngle;
  if (active(DisplaySwitch::AxisDrag)) {
    if (active(DisplaySwitch::InducedDrag)) return ValueAxis::InducedDrag;
    if (active(DisplaySwitch::ProfileDrag)) return ValueAxis::ProfileDrag;
    if (active(DisplaySwitch::TotalDrag)) return ValueAxis::TotalDrag;
  }
  return std::nullopt;
}

}  // namespace velarix
