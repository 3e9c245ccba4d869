#include "graphics/planform_drawing.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "wing/cell_number.h"

namespace velarix {

namespace {

// Station count usable for drawing, or 0 when there is nothing to draw.
int drawableStations(const TSpanDistribution& d) {
  const int m = d.stationCount;
  return (m >= 1 && m <= kMaxStations) ? m : 0;
}

// eta_k = cos(k*pi/(m+1)) for k = 0..m+1: 1 at the right tip, -1 at the left.
Real relativeStation(int k, int m) { return std::cos(k * kPi / (m + 1)); }

// Column of a curve point at relative span position eta:
// round(eta*halfSpan*drawScale + W div 2).
int curveColumn(const Canvas& canvas, const DrawingInputs& in, Real eta) {
  return toPixel(eta * in.wing.halfSpan * in.mapping.drawScale + canvas.width() / 2);
}

void line(Canvas& canvas, Point from, Point to) {
  canvas.moveTo(from.x, from.y);
  canvas.lineTo(to.x, to.y);
}

Point planformPoint(const DrawingMapping& mapping, Real y, Real x) {
  return {planformColumn(mapping, y), planformRow(mapping, x)};
}

struct KinkOutline {
  Real y = 0;
  Real x = 0;
  Real chord = 0;
};

std::optional<KinkOutline> readKink(const TWing& wing, int row) {
  KinkOutline k;
  const CellTable& t = wing.kinkTable;
  if (tryParseCellNumber(t.cell(kColKinkY, row), k.y) &&
      tryParseCellNumber(t.cell(kColKinkX, row), k.x) &&
      tryParseCellNumber(t.cell(kColKinkChord, row), k.chord)) {
    return k;
  }
  return std::nullopt;
}

struct FlapOutline {
  Real chordLeftPercent = 0;
  Real chordRightPercent = 0;
  int group = 0;
};

std::optional<FlapOutline> readFlap(const TWing& wing, int row) {
  FlapOutline f;
  Real group = 0;
  const CellTable& t = wing.flapTable;
  if (tryParseCellNumber(t.cell(kColFlapChordLeft, row), f.chordLeftPercent) &&
      tryParseCellNumber(t.cell(kColFlapChordRight, row), f.chordRightPercent) &&
      tryParseCellNumber(t.cell(kColFlapGroup, row), group)) {
    f.group = (group >= 0 && group < kFlapGroupCount) ? static_cast<int>(group) : -1;
    return f;
  }
  return std::nullopt;
}

bool allFinite(const Distribution& values, int first, int last) {
  for (int k = first; k <= last; ++k) {
    if (!std::isfinite(values[static_cast<std::size_t>(k)])) return false;
  }
  return true;
}

// Vertical scale of a curve: w = (H - 2*margin)/(|vmin| + |vmax|) and the
// zero line row y0 = round((H - margin) - |vmin|*w). Without a usable scale
// (all values 0) the zero line lies at H - margin.
struct CurveScale {
  bool valid = false;
  Real pixelsPerUnit = 0;
  int zeroRow = 0;
};

CurveScale curveScale(int height, Real vmin, Real vmax) {
  CurveScale s;
  s.zeroRow = height - kCurveMargin;
  const Real range = std::fabs(vmin) + std::fabs(vmax);
  if (!(range > 0)) return s;
  const Real w = (height - 2 * kCurveMargin) / range;
  if (!std::isfinite(w)) return s;
  s.valid = true;
  s.pixelsPerUnit = w;
  s.zeroRow = toPixel((height - kCurveMargin) - std::fabs(vmin) * w);
  return s;
}

void drawZeroLine(Canvas& canvas, int row) {
  canvas.setPenStyle(PenStyle::DashDot);
  line(canvas, {0, row}, {canvas.width(), row});
}

struct Sample {
  Real eta = 0;
  Real value = 0;
};

// Uniform Catmull-Rom spline through P_0..P_(m+1), P_-1 = P_0 and
// P_(m+2) = P_(m+1), sampled at nsub parameter steps t = i/nsub (i < nsub)
// on each of the m+1 intervals:
//   Q(t) = 0.5*(2*P_k + (P_k+1 - P_k-1)*t + (2*P_k-1 - 5*P_k + 4*P_k+1 - P_k+2)*t^2
//               + (3*P_k - P_k-1 - 3*P_k+1 + P_k+2)*t^3)
std::vector<Sample> splineSamples(const std::vector<Sample>& points, int nsub) {
  const int last = static_cast<int>(points.size()) - 1;
  auto at = [&](int k) { return points[static_cast<std::size_t>(std::clamp(k, 0, last))]; };
  std::vector<Sample> samples;
  samples.reserve(static_cast<std::size_t>(last * nsub));
  for (int k = 0; k < last; ++k) {
    const Sample p0 = at(k - 1), p1 = at(k), p2 = at(k + 1), p3 = at(k + 2);
    auto q = [](Real a, Real b, Real c, Real d, Real t) {
      return 0.5L * (2 * b + (c - a) * t + (2 * a - 5 * b + 4 * c - d) * t * t +
                     (3 * b - a - 3 * c + d) * t * t * t);
    };
    for (int i = 0; i < nsub; ++i) {
      const Real t = static_cast<Real>(i) / nsub;
      samples.push_back(
          {q(p0.eta, p1.eta, p2.eta, p3.eta, t), q(p0.value, p1.value, p2.value, p3.value, t)});
    }
  }
  return samples;
}

Colour axisColour(ValueAxis axis) {
  switch (axis) {
    case ValueAxis::Reynolds:
      return colours::kBlue;
    case ValueAxis::Circulation:
      return colours::kRed;
    case ValueAxis::LiftCoefficient:
      return colours::kGreen;
    case ValueAxis::PitchingMoment:
      return colours::kAqua;
    case ValueAxis::InducedAngle:
      return colours::kMaroon;
    default:
      return colours::kPurple;
  }
}

const char* axisName(ValueAxis axis) {
  switch (axis) {
    case ValueAxis::Reynolds:
      return "RE-Zahl";
    case ValueAxis::Circulation:
      return " gamma ";
    case ValueAxis::LiftCoefficient:
      return "  ca   ";
    case ValueAxis::PitchingMoment:
      return "  mü   ";
    case ValueAxis::InducedAngle:
      return "  ai   ";
    case ValueAxis::InducedDrag:
      return "  cwi  ";
    case ValueAxis::ProfileDrag:
      return "  cwp  ";
    default:
      return "  cwg  ";
  }
}

const Distribution& axisValues(const TSpanDistribution& d, ValueAxis axis) {
  switch (axis) {
    case ValueAxis::Reynolds:
      return d.re;
    case ValueAxis::Circulation:
      return d.gamma;
    case ValueAxis::LiftCoefficient:
      return d.ca;
    case ValueAxis::PitchingMoment:
      return d.mue;
    case ValueAxis::InducedAngle:
      return d.ai;
    case ValueAxis::InducedDrag:
      return d.cwi;
    case ValueAxis::ProfileDrag:
      return d.cwp;
    default:
      return d.cwg;
  }
}

// Coefficient rounded to 5 decimals, as the icons decide on it.
Real roundedTo5(Real v) { return std::nearbyint(v * 100000) * 0.00001L; }

}  // namespace

GroupColours defaultGroupColours() {
  GroupColours c;
  c.fill(colours::kWhite);
  return c;
}

int toPixel(Real value) {
  if (std::isnan(value)) return 0;
  if (value >= kPixelLimit) return kPixelLimit;
  if (value <= -kPixelLimit) return -kPixelLimit;
  return static_cast<int>(std::nearbyint(value));
}

int planformColumn(const DrawingMapping& mapping, Real y) {
  return toPixel(static_cast<Real>(toPixel(y * mapping.drawScale)) + mapping.drawOriginX);
}

int planformRow(const DrawingMapping& mapping, Real x) {
  return toPixel(static_cast<Real>(toPixel(x * mapping.drawScale)) + mapping.drawOriginY);
}

void clearImage(Canvas& canvas, bool frame) {
  const int w = canvas.width();
  const int h = canvas.height();
  canvas.setBrushColor(colours::kWhite);
  canvas.fillRect({1, 1, w - 1, h - 1});
  if (frame) {
    canvas.setBrushColor(colours::kBlack);
    canvas.frameRect({0, 0, w, h});
  }
  canvas.setBrushColor(colours::kWhite);
}

void clearAxisStrip(Canvas& strip) {
  strip.setBrushColor(colours::kButtonFace);
  strip.fillRect({0, 0, strip.width(), strip.height()});
}

void drawPlanform(Canvas& canvas, const DrawingInputs& in) {
  const TWing& wing = in.wing;
  if (!wing.wingPresent) return;
  const Colour savedBrush = canvas.brushColor();
  const DrawingMapping& map = in.mapping;
  canvas.setPenColor(colours::kBlack);
  canvas.setPenMode(PenMode::Copy);
  canvas.setPenWidth(1);

  const int n = wing.kinkCount();
  std::vector<std::optional<KinkOutline>> kinks(static_cast<std::size_t>(std::max(n + 1, 1)));
  for (int r = 1; r <= n; ++r) kinks[static_cast<std::size_t>(r)] = readKink(wing, r);
  auto kinkAt = [&](int r) { return kinks[static_cast<std::size_t>(r)]; };

  auto chordLine = [&](const KinkOutline& k, PenStyle style) {
    canvas.setPenStyle(style);
    line(canvas, planformPoint(map, k.y, k.x), planformPoint(map, k.y, k.x + k.chord));
  };

  for (int i = 1; i < n; ++i) {
    const auto a = kinkAt(i);
    const auto b = kinkAt(i + 1);
    if (!a || !b) continue;
    chordLine(*a, a->y == 0 ? PenStyle::DashDot : PenStyle::Solid);
    canvas.setPenStyle(PenStyle::Solid);
    line(canvas, planformPoint(map, a->y, a->x), planformPoint(map, b->y, b->x));
    canvas.setPenStyle(PenStyle::Dot);
    line(canvas, planformPoint(map, a->y, a->x + 0.25L * a->chord),
         planformPoint(map, b->y, b->x + 0.25L * b->chord));
    canvas.setPenStyle(PenStyle::Solid);
    line(canvas, planformPoint(map, a->y, a->x + a->chord),
         planformPoint(map, b->y, b->x + b->chord));
  }
  if (n >= 1) {
    if (const auto last = kinkAt(n)) chordLine(*last, PenStyle::Solid);
  }

  // Flap row i lies on the kink segment i; the flap rows' own span fields
  // are not used for drawing.
  canvas.setPenStyle(PenStyle::Solid);
  const int flaps = std::min(n - 1, wing.flapCount());
  for (int i = 1; i <= flaps; ++i) {
    const auto a = kinkAt(i);
    const auto b = kinkAt(i + 1);
    const auto f = readFlap(wing, i);
    if (!a || !b || !f) continue;
    if (!(f->chordLeftPercent > 0 || f->chordRightPercent > 0)) continue;
    canvas.setBrushColor(f->group >= 0 ? in.groupColours[static_cast<std::size_t>(f->group)]
                                       : colours::kWhite);
    const Real trailingA = a->x + a->chord;
    const Real trailingB = b->x + b->chord;
    canvas.polygon({planformPoint(map, a->y, trailingA - a->chord * f->chordLeftPercent * 0.01L),
                    planformPoint(map, b->y, trailingB - b->chord * f->chordRightPercent * 0.01L),
                    planformPoint(map, b->y, trailingB), planformPoint(map, a->y, trailingA)});
  }
  canvas.setBrushColor(savedBrush);
}

void drawNeutralPointMark(Canvas& canvas, const DrawingInputs& in, NeutralPoint point) {
  canvas.setPenColor(colours::kBlack);
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setPenMode(PenMode::Copy);
  canvas.setBrushColor(colours::kWhite);

  Real own = 0;
  Real partner = 0;
  int side = 1;
  const char* text = "";
  switch (point) {
    case NeutralPoint::XC:
      own = in.xc;
      partner = in.xe;
      text = "XC";
      break;
    case NeutralPoint::XE:
      own = in.xe;
      partner = in.xc;
      text = "XE";
      break;
    case NeutralPoint::XN:
      own = in.xn;
      partner = in.xd;
      side = -1;
      text = "XN";
      break;
    case NeutralPoint::XD:
      own = in.xd;
      partner = in.xn;
      side = -1;
      text = "XD";
      break;
  }
  const int cx = in.mapping.drawOriginX;
  const int cy = planformRow(in.mapping, own);
  canvas.ellipse({cx - 5, cy - 5, cx + 5, cy + 5});
  line(canvas, {cx - 8, cy}, {cx + 8, cy});
  const bool up = partner >= own;
  const int leaderEndY = up ? cy - 20 : cy + 20;
  line(canvas, {cx + 5 * side, cy}, {cx + 20 * side, leaderEndY});
  canvas.textOut(cx + 22 * side, up ? cy - 25 : cy + 20, text);
}

void drawRotationIcons(Canvas& canvas, const DrawingInputs& in) {
  const int x = canvas.width() / 2;
  const int y = canvas.height() / 2;
  auto place = [&](BitmapId id, int px, int w, int h) {
    canvas.drawBitmap(px - w + 5, y - h + 5, id);
  };
  const Real roll = roundedTo5(in.rollingMoment);
  if (roll < 0) place(BitmapId::RollLeft, x, kRollPictureWidth, kRollPictureHeight);
  if (roll > 0) place(BitmapId::RollRight, x, kRollPictureWidth, kRollPictureHeight);
  const Real yaw = roundedTo5(in.yawingMoment);
  if (yaw < 0) place(BitmapId::YawLeft, x - 100, kYawPictureWidth, kYawPictureHeight);
  if (yaw > 0) place(BitmapId::YawRight, x + 130, kYawPictureWidth, kYawPictureHeight);
}

std::optional<Distribution> computeGammaPrescription(const TWing& wing,
                                                     const TSpanDistribution& distribution) {
  const int m = drawableStations(distribution);
  Real exponent = 0;
  if (m == 0 || !tryParseCellNumber(wing.gammaExponent, exponent) || !(exponent > 0)) {
    return std::nullopt;
  }
  const int centre = (m + 1) / 2;
  const Real gammaCentre = distribution.gamma[static_cast<std::size_t>(centre)];
  Distribution p{};
  for (int i = 1; i <= centre; ++i) {
    const Real value = std::pow(std::sin(i * kPi / (m + 1)), exponent) * gammaCentre;
    p[static_cast<std::size_t>(i)] = value;
    p[static_cast<std::size_t>(m + 1 - i)] = value;
  }
  return p;
}

void drawDistributionCurve(Canvas& canvas, const DrawingInputs& in, const Distribution& values,
                           Colour colour, CurveKind kind) {
  const int m = drawableStations(in.distribution);
  if (m == 0 || !allFinite(values, 1, m)) return;
  const bool prescription = kind == CurveKind::Prescription;
  if (prescription && !allFinite(in.distribution.gamma, 1, m)) return;

  std::vector<Sample> points(static_cast<std::size_t>(m + 2));
  for (int k = 0; k <= m + 1; ++k) {
    const bool tip = k == 0 || k == m + 1;
    points[static_cast<std::size_t>(k)] = {relativeStation(k, m),
                                           tip ? 0 : values[static_cast<std::size_t>(k)]};
  }
  const int nsub = prescription ? kMaxStations / m : (kMaxStations / m) * 3;
  const std::vector<Sample> samples = splineSamples(points, nsub);

  Real vmax = 0;
  Real vmin = 0;
  for (const Sample& s : samples) {
    vmax = std::max(vmax, s.value);
    vmin = std::min(vmin, s.value);
  }
  if (prescription) {
    for (int k = 1; k <= m; ++k) {
      vmax = std::max(vmax, in.distribution.gamma[static_cast<std::size_t>(k)]);
      vmin = std::min(vmin, in.distribution.gamma[static_cast<std::size_t>(k)]);
    }
  }
  const CurveScale scale = curveScale(canvas.height(), vmin, vmax);

  const Pen saved = canvas.pen();
  canvas.setPenMode(PenMode::NotXor);
  canvas.setPenColor(colour);
  canvas.setPenWidth(1);
  canvas.setPenStyle(prescription ? PenStyle::Dot : PenStyle::Solid);
  if (scale.valid) {
    bool first = true;
    for (const Sample& s : samples) {
      const int px = curveColumn(canvas, in, s.eta);
      const int py = toPixel(scale.zeroRow - s.value * scale.pixelsPerUnit);
      if (first) {
        canvas.moveTo(px, py);
        first = false;
      } else {
        canvas.lineTo(px, py);
      }
    }
  }
  if (!prescription) drawZeroLine(canvas, scale.zeroRow);
  canvas.setPenColor(saved.colour);
  canvas.setPenStyle(saved.style);
  canvas.setBrushColor(colours::kWhite);
  canvas.setPenMode(PenMode::Copy);
}

void drawReynoldsPolyline(Canvas& canvas, const DrawingInputs& in, Colour colour) {
  const int m = drawableStations(in.distribution);
  const Distribution& re = in.distribution.re;
  if (m == 0 || !allFinite(re, 0, m + 1)) return;
  Real vmax = 0;
  Real vmin = 0;
  for (int k = 0; k <= m + 1; ++k) {
    vmax = std::max(vmax, re[static_cast<std::size_t>(k)]);
    vmin = std::min(vmin, re[static_cast<std::size_t>(k)]);
  }
  const CurveScale scale = curveScale(canvas.height(), vmin, vmax);

  const Pen saved = canvas.pen();
  canvas.setPenMode(PenMode::NotXor);
  canvas.setPenColor(colour);
  canvas.setPenWidth(1);
  canvas.setPenStyle(PenStyle::Solid);
  if (scale.valid) {
    for (int k = 0; k <= m + 1; ++k) {
      const int px = curveColumn(canvas, in, relativeStation(k, m));
      const int py = toPixel(scale.zeroRow - re[static_cast<std::size_t>(k)] * scale.pixelsPerUnit);
      if (k == 0) {
        canvas.moveTo(px, py);
      } else {
        canvas.lineTo(px, py);
      }
    }
  }
  drawZeroLine(canvas, scale.zeroRow);
  canvas.setPenColor(saved.colour);
  canvas.setPenStyle(saved.style);
  canvas.setBrushColor(colours::kWhite);
  canvas.setPenMode(PenMode::Copy);
}

void drawLocalCentresOfPressure(Canvas& canvas, const DrawingInputs& in) {
  const int m = drawableStations(in.distribution);
  const Distribution& eta = in.distribution.eta;
  const Distribution& xd = in.distribution.xd;
  const Pen saved = canvas.pen();
  canvas.setPenColor(colours::kCentresOfPressure);
  canvas.setPenStyle(PenStyle::Dot);
  canvas.setPenMode(PenMode::Copy);
  for (int k = 1; k < m; ++k) {
    const auto a = static_cast<std::size_t>(k);
    const auto b = static_cast<std::size_t>(k + 1);
    if (!std::isfinite(xd[a]) || !std::isfinite(xd[b])) continue;
    line(canvas, planformPoint(in.mapping, eta[a], xd[a]),
         planformPoint(in.mapping, eta[b], xd[b]));
  }
  canvas.setPenStyle(saved.style);
  canvas.setPenColor(saved.colour);
  canvas.setPenMode(saved.mode);
}

void drawMarkerBar(Canvas& canvas, const DrawingInputs& in, Real barPosition) {
  if (!in.wing.wingPresent) return;
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setPenColor(colours::kGrey);
  canvas.setPenMode(PenMode::NotXor);
  const int column = planformColumn(in.mapping, barPosition);
  line(canvas, {column, 0}, {column, canvas.height()});
  canvas.setPenMode(PenMode::Copy);
}

void drawCrossBar(Canvas& canvas, const DrawingInputs& in, Real row) {
  if (!in.wing.wingPresent) return;
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setPenColor(colours::kGrey);
  canvas.setPenMode(PenMode::NotXor);
  const int y = toPixel(row);
  line(canvas, {0, y}, {canvas.width(), y});
  canvas.setPenMode(PenMode::Copy);
}

void drawValueAxisMarker(Canvas& strip, int x) {
  const int h = strip.height();
  const Pen saved = strip.pen();
  const Colour savedBrush = strip.brushColor();
  strip.setPenStyle(PenStyle::Solid);
  strip.setPenColor(colours::kBlack);
  strip.setPenMode(PenMode::Copy);
  strip.setBrushColor(colours::kBlack);
  strip.moveTo(x, 2);
  strip.lineTo(x - 2, h - 3);
  strip.lineTo(x + 2, h - 3);
  strip.lineTo(x, 2);
  strip.floodFill(x, h / 2, colours::kBlack);
  strip.setPenStyle(saved.style);
  strip.setPenColor(saved.colour);
  strip.setPenMode(saved.mode);
  strip.setBrushColor(savedBrush);
}

void drawValueAxis(Canvas& canvas, const DrawingInputs& in, const DisplayToggleState& toggles,
                   int x, bool labels) {
  const auto axis = chosenValueAxis(in.wing.switches, toggles);
  if (!axis) return;
  const int m = drawableStations(in.distribution);
  const Distribution& values = axisValues(in.distribution, *axis);
  const bool reynolds = *axis == ValueAxis::Reynolds;
  const int first = reynolds ? 0 : 1;
  const int last = m == 0 ? first - 1 : (reynolds ? m + 1 : m);
  Real vmax = 0;
  Real vmin = 0;
  for (int k = first; k <= last; ++k) {
    Real v = values[static_cast<std::size_t>(k)];
    if (*axis == ValueAxis::InducedAngle) v = radToDeg(v);
    if (!std::isfinite(v)) continue;
    vmax = std::max(vmax, v);
    vmin = std::min(vmin, v);
  }
  const int h = canvas.height();
  const int d = h - 2 * kCurveMargin;
  const Real perPixel = d > 0 ? (std::fabs(vmax) + std::fabs(vmin)) / d : 0;

  const Colour savedColour = canvas.pen().colour;
  canvas.setPenMode(PenMode::NotXor);
  canvas.setPenStyle(PenStyle::Solid);
  canvas.setPenColor(axisColour(*axis));
  line(canvas, {x, kCurveMargin - 5}, {x, h - kCurveMargin + 5});
  canvas.setFontColor(colours::kBlack);
  for (int i = 0; i <= 10; ++i) {
    const int row = kCurveMargin + (d * i) / 10;
    line(canvas, {x - 5, row}, {x + 5, row});
    const Real value = vmax - (i * (d / 10)) * perPixel;
    const Real shown = vmax >= 1000 ? roundToDecimals(value, 1) : roundToDecimals(value, 5);
    if (labels) canvas.textOut(x + 5, row, formatCellNumber(shown));
  }
  if (labels) canvas.textOut(x, 2, axisName(*axis));
  canvas.setPenColor(savedColour);
  canvas.setPenMode(PenMode::Copy);
}

void drawVortexStations(Canvas& canvas, const DrawingInputs& in) {
  const int m = drawableStations(in.distribution);
  const Pen saved = canvas.pen();
  canvas.setPenColor(colours::kRed);
  canvas.setPenMode(PenMode::Copy);
  canvas.setPenStyle(PenStyle::Dot);
  for (int k = 1; k <= m; ++k) {
    const int column = planformColumn(in.mapping, in.distribution.eta[static_cast<std::size_t>(k)]);
    line(canvas, {column, 0}, {column, canvas.height()});
  }
  canvas.setPenStyle(saved.style);
  canvas.setPenColor(saved.colour);
}

}  // namespace velarix
