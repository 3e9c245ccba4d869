#include "graphics/redraw_cycle.h"

#include <exception>

namespace velarix {

namespace {

using S = DisplaySwitch;

void drawPlanformAndMarks(Canvas& canvas, const DrawingInputs& in, DisplayToggleState& toggles) {
  const DisplaySwitches& down = in.wing.switches;
  const bool shown = down[S::Wing];
  for (S dependent : {S::XC, S::XE, S::XN, S::XD, S::RotationDirections}) {
    toggles.setEnabled(dependent, shown);
  }
  if (!shown) return;
  drawPlanform(canvas, in);
  if (down[S::RotationDirections]) drawRotationIcons(canvas, in);
  if (down[S::XC]) drawNeutralPointMark(canvas, in, NeutralPoint::XC);
  if (down[S::XE]) drawNeutralPointMark(canvas, in, NeutralPoint::XE);
  if (down[S::XN]) drawNeutralPointMark(canvas, in, NeutralPoint::XN);
  if (down[S::XD]) drawNeutralPointMark(canvas, in, NeutralPoint::XD);
}

void drawCurves(Canvas& canvas, const DrawingInputs& in, DisplayToggleState& toggles,
                bool profileDragValid) {
  const DisplaySwitches& down = in.wing.switches;
  const TSpanDistribution& d = in.distribution;

  const bool circulation = down[S::Circulation];
  toggles.setEnabled(S::PrescribedCirculation, circulation);
  toggles.setEnabled(S::AxisCirculation, circulation);
  if (circulation) {
    if (down[S::PrescribedCirculation]) {
      if (const auto prescription = computeGammaPrescription(in.wing, d)) {
        drawDistributionCurve(canvas, in, *prescription, colours::kRed, CurveKind::Prescription);
      }
    }
    drawDistributionCurve(canvas, in, d.gamma, colours::kRed, CurveKind::Plain);
  }

  const bool lift = down[S::LiftCoefficients];
  if (lift) drawDistributionCurve(canvas, in, d.ca, colours::kGreen, CurveKind::Plain);
  toggles.setEnabled(S::AxisLiftCoefficient, lift);

  toggles.setEnabled(S::ProfileDrag, profileDragValid);
  toggles.setEnabled(S::TotalDrag, profileDragValid);
  if (down[S::InducedDrag]) {
    drawDistributionCurve(canvas, in, d.cwi, colours::kPurple, CurveKind::Plain);
  }
  if (toggles.isActive(down, S::ProfileDrag)) {
    drawDistributionCurve(canvas, in, d.cwp, colours::kPurple, CurveKind::Plain);
  }
  if (toggles.isActive(down, S::TotalDrag)) {
    drawDistributionCurve(canvas, in, d.cwg, colours::kPurple, CurveKind::Plain);
  }
  toggles.setEnabled(S::AxisDrag, toggles.isActive(down, S::InducedDrag) ||
                                      toggles.isActive(down, S::ProfileDrag) ||
                                      toggles.isActive(down, S::TotalDrag));

  const bool moment = down[S::PitchingMoments];
  if (moment) drawDistributionCurve(canvas, in, d.mue, colours::kAqua, CurveKind::Plain);
  toggles.setEnabled(S::AxisPitchingMoment, moment);

  const bool angle = down[S::InducedAngles];
  if (angle) drawDistributionCurve(canvas, in, d.ai, colours::kMaroon, CurveKind::Plain);
  toggles.setEnabled(S::AxisInducedAngle, angle);

  if (down[S::LocalCentresOfPressure]) drawLocalCentresOfPressure(canvas, in);

  const bool reynolds = down[S::Reynolds];
  if (reynolds) drawReynoldsPolyline(canvas, in, colours::kBlue);
  toggles.setEnabled(S::AxisReynolds, reynolds);
}

}  // namespace

void refreshWingDisplay(bool recompute, RedrawContext& context) {
  std::exception_ptr computationError;
  if (recompute) {
    context.profileDragValid = false;
    try {
      if (context.recompute) context.recompute();
    } catch (...) {
      computationError = std::current_exception();
    }
  }
  if (context.refreshReadout) context.refreshReadout();

  const DrawingInputs in = context.drawingInputs();
  Canvas& area = context.drawingArea;
  DisplayToggleState& toggles = context.toggles;
  const DisplaySwitches& down = in.wing.switches;

  clearImage(area, true);
  drawPlanformAndMarks(area, in, toggles);
  drawCurves(area, in, toggles, context.profileDragValid);
  drawMarkerBar(area, in, in.wing.barPosition);
  if (toggles.crossBarChecked()) drawCrossBar(area, in, in.crossBarY);

  clearAxisStrip(context.axisStrip);
  drawValueAxisMarker(context.axisStrip, in.valueAxisX);
  for (S axis : {S::AxisReynolds, S::AxisCirculation, S::AxisLiftCoefficient, S::AxisPitchingMoment,
                 S::AxisInducedAngle, S::AxisDrag}) {
    if (toggles.isActive(down, axis)) {
      drawValueAxis(area, in, toggles, in.valueAxisX, true);
      break;
    }
  }
  if (down[S::Stations]) drawVortexStations(area, in);

  if (computationError) std::rethrow_exception(computationError);
}

}  // namespace velarix

namespace velarix {

DrawingInputs drawingInputsFor(const TWing& wing, const WingResults& results, Real crossBarY,
                               int valueAxisX, const GroupColours& groupColours) {
  const TWingCoefficients& c = results.coefficients;
  return DrawingInputs{.wing = wing,
                       .distribution = results.distribution,
                       .mapping = results.mapping,
                       .xc = c.geometricNeutralPoint,
                       .xe = c.ellipticNeutralPoint,
                       .xn = c.aerodynamicNeutralPoint,
                       .xd = c.pressurePoint,
                       .rollingMoment = c.rollingMoment,
                       .yawingMoment = c.yawingMoment,
                       .crossBarY = crossBarY,
                       .valueAxisX = valueAxisX,
                       .groupColours = groupColours};
}

}  // namespace velarix
