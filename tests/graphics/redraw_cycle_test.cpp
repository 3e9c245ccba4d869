#include "graphics/redraw_cycle.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "graphics/recording_canvas.h"
#include "support/example_wing.h"

namespace velarix {
namespace {

using S = DisplaySwitch;
using testing::RecordingCanvas;

// A main window in miniature: the wing, its results, the toggles and the
// two surfaces, with a computation that records its calls.
struct Window {
  TWing wing = testing::exampleWing();
  TSpanDistribution results = testing::exampleResults(wing, 15);
  DrawingMapping mapping;
  DisplayToggleState toggles;
  bool profileDragValid = false;
  RecordingCanvas area{kDrawingAreaWidth, kDrawingAreaHeight};
  RecordingCanvas strip{kAxisStripWidth, kAxisStripHeight};
  std::vector<std::string> calls;
  bool failComputation = false;

  Window() {
    computeDrawingScale(wing, kDrawingAreaWidth, kDrawingAreaHeight, mapping);
    wing.switches = DisplaySwitches{};
    wing.barPosition = 0.3L;
  }

  void refresh(bool recompute) {
    area.clear();
    strip.clear();
    RedrawContext context{.drawingArea = area,
                          .axisStrip = strip,
                          .toggles = toggles,
                          .profileDragValid = profileDragValid,
                          .recompute =
                              [this] {
                                calls.push_back("recompute");
                                toggles.enableComputedWingToggles();
                                if (failComputation)
                                  throw std::runtime_error("Division durch Null");
                              },
                          .refreshReadout = [this] { calls.push_back("readout"); },
                          .drawingInputs =
                              [this] {
                                calls.push_back("inputs");
                                return DrawingInputs{.wing = wing,
                                                     .distribution = results,
                                                     .mapping = mapping,
                                                     .xc = 0.1L,
                                                     .xe = 0.12L,
                                                     .xn = 0.15L,
                                                     .xd = 0.13L,
                                                     .rollingMoment = 0.01L,
                                                     .crossBarY = 120};
                              }};
    refreshWingDisplay(recompute, context);
  }

  // Recorded lines of the area drawn in a colour.
  int linesIn(Colour c) const {
    int n = 0;
    for (const auto& s : area.segments()) n += s.pen.colour == c ? 1 : 0;
    return n;
  }
  bool hasText(const std::string& t) const {
    for (const auto& l : area.lines()) {
      if (l.find("\"" + t + "\"") != std::string::npos) return true;
    }
    return false;
  }
};

TEST(RedrawCycle, ComputesThenReadsOutThenDraws) {
  Window w;
  w.refresh(true);
  EXPECT_EQ(w.calls, (std::vector<std::string>{"recompute", "readout", "inputs"}));
  w.calls.clear();
  w.refresh(false);
  EXPECT_EQ(w.calls, (std::vector<std::string>{"readout", "inputs"}));
  // The area starts with the framed clear, the strip with its fill and marker.
  EXPECT_EQ(w.area.lines()[0], "fillRect 1,1 879,310 brush #ffffff");
  EXPECT_EQ(w.area.lines()[1], "frameRect 0,0 880,311 brush #000000");
  EXPECT_EQ(w.strip.lines()[0], "fillRect 0,0 880,12 brush #f0f0f0");
  EXPECT_EQ(w.strip.lines().back(), "floodFill 5,6 border #000000 brush #000000");
}

TEST(RedrawCycle, AFailedComputationStillDrawsAndThenReports) {
  Window w;
  w.failComputation = true;
  w.profileDragValid = true;
  EXPECT_THROW(w.refresh(true), std::runtime_error);
  EXPECT_FALSE(w.profileDragValid);
  EXPECT_EQ(w.calls, (std::vector<std::string>{"recompute", "readout", "inputs"}));
  EXPECT_FALSE(w.area.lines().empty());
}

TEST(RedrawCycle, DragTogglesFollowTheProfileDragRun) {
  Window w;
  w.wing.switches[S::TotalDrag] = true;
  w.wing.switches[S::AxisDrag] = true;
  w.profileDragValid = true;
  w.refresh(true);  // a recompute invalidates the profile drag
  EXPECT_FALSE(w.toggles.enabled(S::ProfileDrag));
  EXPECT_FALSE(w.toggles.enabled(S::TotalDrag));
  EXPECT_FALSE(w.toggles.enabled(S::AxisDrag));
  EXPECT_TRUE(w.wing.switches[S::TotalDrag]) << "the down state is kept";
  EXPECT_EQ(w.linesIn(colours::kPurple), 0);

  // The profile-drag run sets the flag and redraws without recomputing.
  w.profileDragValid = true;
  w.refresh(false);
  EXPECT_TRUE(w.toggles.enabled(S::ProfileDrag));
  EXPECT_TRUE(w.toggles.enabled(S::TotalDrag));
  EXPECT_TRUE(w.toggles.enabled(S::AxisDrag));
  EXPECT_GT(w.linesIn(colours::kPurple), 0);
  EXPECT_TRUE(w.hasText("  cwg  "));
}

TEST(RedrawCycle, InducedDragAxisIsAvailableWithoutProfileDrag) {
  Window w;
  w.toggles.enableComputedWingToggles();
  w.wing.switches[S::InducedDrag] = true;
  w.wing.switches[S::AxisDrag] = true;
  w.refresh(true);
  EXPECT_TRUE(w.toggles.enabled(S::AxisDrag));
  EXPECT_TRUE(w.hasText("  cwi  "));
}

TEST(RedrawCycle, PlanformToggleUpDisablesAndHidesTheMarks) {
  Window w;
  for (S s : {S::Wing, S::XC, S::XE, S::XN, S::XD, S::RotationDirections}) {
    w.wing.switches[s] = true;
  }
  w.refresh(true);
  for (S s : {S::XC, S::XE, S::XN, S::XD, S::RotationDirections}) {
    EXPECT_TRUE(w.toggles.enabled(s));
  }
  EXPECT_EQ(w.area.linesStartingWith("ellipse").size(), 4u);
  EXPECT_EQ(w.area.linesStartingWith("bitmap").size(), 1u);
  EXPECT_EQ(w.area.linesStartingWith("polygon").size(), 4u);

  w.wing.switches[S::Wing] = false;
  w.refresh(false);
  for (S s : {S::XC, S::XE, S::XN, S::XD, S::RotationDirections}) {
    EXPECT_FALSE(w.toggles.enabled(s));
    EXPECT_TRUE(w.wing.switches[s]);
  }
  EXPECT_TRUE(w.area.linesStartingWith("ellipse").empty());
  EXPECT_TRUE(w.area.linesStartingWith("bitmap").empty());
  EXPECT_TRUE(w.area.linesStartingWith("polygon").empty());
}

TEST(RedrawCycle, CirculationToggleUpDisablesPrescriptionAndGammaAxis) {
  Window w;
  w.wing.switches[S::Circulation] = true;
  w.wing.switches[S::PrescribedCirculation] = true;
  w.wing.switches[S::AxisCirculation] = true;
  w.refresh(true);
  EXPECT_TRUE(w.toggles.enabled(S::PrescribedCirculation));
  EXPECT_TRUE(w.toggles.enabled(S::AxisCirculation));
  int dotted = 0;
  for (const auto& s : w.area.segments()) {
    dotted += (s.pen.colour == colours::kRed && s.pen.style == PenStyle::Dot) ? 1 : 0;
  }
  EXPECT_GT(dotted, 0) << "the prescription is drawn";
  EXPECT_TRUE(w.hasText(" gamma "));

  w.wing.switches[S::Circulation] = false;
  w.refresh(false);
  EXPECT_FALSE(w.toggles.enabled(S::PrescribedCirculation));
  EXPECT_FALSE(w.toggles.enabled(S::AxisCirculation));
  EXPECT_EQ(w.linesIn(colours::kRed), 0);
  EXPECT_FALSE(w.hasText(" gamma "));
}

TEST(RedrawCycle, OneValueAxisAtATime) {
  Window w;
  w.toggles.enableComputedWingToggles();
  w.wing.switches[S::LiftCoefficients] = true;
  w.wing.switches[S::PitchingMoments] = true;
  w.refresh(false);  // enables the ca and mü axes
  ASSERT_TRUE(w.toggles.press(w.wing.switches, S::AxisLiftCoefficient));
  w.refresh(false);
  EXPECT_TRUE(w.hasText("  ca   "));
  ASSERT_TRUE(w.toggles.press(w.wing.switches, S::AxisPitchingMoment));
  EXPECT_FALSE(w.wing.switches[S::AxisLiftCoefficient]);
  w.refresh(false);
  EXPECT_TRUE(w.hasText("  mü   "));
  EXPECT_FALSE(w.hasText("  ca   "));
  // Pressing the down axis again raises it: no axis at all.
  ASSERT_TRUE(w.toggles.press(w.wing.switches, S::AxisPitchingMoment));
  w.refresh(false);
  EXPECT_TRUE(w.area.linesStartingWith("text").empty());
}

TEST(DisplayToggles, PressRespectsGroupsAndDisabledToggles) {
  DisplayToggleState t;
  DisplaySwitches down;
  EXPECT_FALSE(t.press(down, S::InducedDrag)) << "disabled toggles ignore a click";
  EXPECT_FALSE(down[S::InducedDrag]);
  for (S s : {S::InducedDrag, S::ProfileDrag, S::TotalDrag, S::Circulation, S::LiftCoefficients}) {
    t.setEnabled(s, true);
  }
  EXPECT_TRUE(t.press(down, S::InducedDrag));
  EXPECT_TRUE(t.press(down, S::TotalDrag));
  EXPECT_FALSE(down[S::InducedDrag]);
  EXPECT_TRUE(down[S::TotalDrag]);
  // Independent toggles do not raise each other.
  EXPECT_TRUE(t.press(down, S::Circulation));
  EXPECT_TRUE(t.press(down, S::LiftCoefficients));
  EXPECT_TRUE(down[S::Circulation]);
  EXPECT_TRUE(down[S::TotalDrag]);
}

TEST(RedrawCycle, TwoRedrawsWithoutRecomputeAreIdentical) {
  Window w;
  for (int i = 0; i < kDisplaySwitchCount; ++i)
    w.wing.switches.down[static_cast<std::size_t>(i)] = true;
  w.wing.switches[S::ProfileDrag] = false;
  w.wing.switches[S::TotalDrag] = false;
  w.toggles.setCrossBarChecked(true);
  w.refresh(true);
  w.refresh(false);
  const std::string first = w.area.text() + w.strip.text();
  const auto enabled = w.toggles;
  w.refresh(false);
  EXPECT_EQ(w.area.text() + w.strip.text(), first);
  for (int i = 0; i < kDisplaySwitchCount; ++i) {
    const auto s = static_cast<S>(i);
    EXPECT_EQ(w.toggles.enabled(s), enabled.enabled(s)) << i;
  }
  // Every drawing was made: cross bar, marker bar, vortex stations.
  const std::string last = w.area.lines().back();
  EXPECT_NE(last.find("pen #ff0000 dot w1 copy"), std::string::npos) << last;
  EXPECT_EQ(w.linesIn(colours::kGrey), 2);
}

TEST(RedrawCycle, BeforeAnyWingNothingButTheClearedSurfaces) {
  Window w;
  w.wing = TWing{};
  w.results = TSpanDistribution{};
  w.wing.switches[S::Wing] = true;
  w.wing.switches[S::Circulation] = true;
  w.wing.switches[S::Stations] = true;
  w.refresh(false);
  EXPECT_EQ(w.area.lines().size(), 2u);
}

}  // namespace
}  // namespace velarix
