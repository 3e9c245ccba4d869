#include "graphics/airfoil_preview.h"

#include "graphics/planform_drawing.h"

namespace velarix {

void drawAirfoilPreview(Canvas& canvas, const std::vector<TCoord>& points) {
  clearImage(canvas, true);
  if (points.size() <= 2) return;
  const int middle = canvas.height() / 2;
  const Real scale = canvas.width() - 20;
  auto column = [&](const TCoord& p) { return toPixel(scale * p.X + 10); };
  auto row = [&](const TCoord& p) { return middle - toPixel(scale * p.Y); };
  canvas.setPenColor(colours::kBlack);
  canvas.setPenMode(PenMode::Copy);
  canvas.setPenStyle(PenStyle::Solid);
  canvas.moveTo(column(points.front()), row(points.front()));
  for (std::size_t i = 1; i < points.size(); ++i) canvas.lineTo(column(points[i]), row(points[i]));
  canvas.setPenStyle(PenStyle::Dash);
  canvas.moveTo(column(points.front()), middle);
  canvas.lineTo(10, middle);
  canvas.setPenStyle(PenStyle::Solid);
}

}  // namespace velarix
