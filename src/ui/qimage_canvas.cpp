#include "ui/qimage_canvas.h"

#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QString>
#include <array>
#include <vector>

// Q_INIT_RESOURCE must be used outside a namespace; calling it pulls the
// resources of this static library into every program that draws.
static void initialiseCanvasResources() { Q_INIT_RESOURCE(rotation_pictures); }

namespace velarix {

namespace {

QColor toQColor(Colour c) { return QColor(c.red, c.green, c.blue); }

QRgb toRgb(Colour c) { return qRgb(c.red, c.green, c.blue); }

QPen toQPen(const Pen& pen) {
  QPen q(toQColor(pen.colour));
  q.setWidth(pen.width <= 1 ? 0 : pen.width);  // 0 = cosmetic one pixel
  q.setCosmetic(true);
  q.setCapStyle(Qt::FlatCap);
  q.setJoinStyle(Qt::MiterJoin);
  switch (pen.style) {
    case PenStyle::Solid:
      q.setStyle(Qt::SolidLine);
      break;
    case PenStyle::Dash:
      q.setDashPattern({6, 3});
      break;
    case PenStyle::Dot:
      q.setDashPattern({1, 2});
      break;
    case PenStyle::DashDot:
      q.setDashPattern({6, 3, 1, 3});
      break;
  }
  return q;
}

QPainter::CompositionMode compositionOf(PenMode mode) {
  return mode == PenMode::NotXor ? QPainter::RasterOp_NotSourceXorDestination
                                 : QPainter::CompositionMode_SourceOver;
}

}  // namespace

QImageCanvas::QImageCanvas(int width, int height) : image_(width, height, QImage::Format_RGB32) {
  image_.fill(Qt::white);
}

void QImageCanvas::preparePainter(QPainter& painter, bool withBrush) const {
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setCompositionMode(compositionOf(pen().mode));
  painter.setPen(toQPen(pen()));
  painter.setBrush(withBrush ? QBrush(toQColor(brushColor())) : QBrush(Qt::NoBrush));
}

void QImageCanvas::drawLine(Point from, Point to) {
  if (from == to) return;
  QPainter painter(&image_);
  preparePainter(painter, false);
  painter.drawLine(from.x, from.y, to.x, to.y);
}

void QImageCanvas::fillRect(const Rect& r) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  QPainter painter(&image_);
  painter.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top),
                   toQColor(brushColor()));
}

void QImageCanvas::frameRect(const Rect& r) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  QPainter painter(&image_);
  const QColor c = toQColor(brushColor());
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  painter.fillRect(QRect(r.left, r.top, w, 1), c);
  painter.fillRect(QRect(r.left, r.bottom - 1, w, 1), c);
  painter.fillRect(QRect(r.left, r.top, 1, h), c);
  painter.fillRect(QRect(r.right - 1, r.top, 1, h), c);
}

void QImageCanvas::ellipse(const Rect& box) {
  if (box.right - box.left < 2 || box.bottom - box.top < 2) return;
  QPainter painter(&image_);
  preparePainter(painter, true);
  painter.drawEllipse(QRect(box.left, box.top, box.right - box.left - 1, box.bottom - box.top - 1));
}

void QImageCanvas::polygon(const std::vector<Point>& corners) {
  if (corners.empty()) return;
  QPolygon q;
  for (const Point& p : corners) q << QPoint(p.x, p.y);
  QPainter painter(&image_);
  preparePainter(painter, true);
  painter.drawPolygon(q);
}

void QImageCanvas::floodFill(int x, int y, Colour border) {
  const int w = image_.width();
  const int h = image_.height();
  const QRgb stop = toRgb(border);
  const QRgb fill = toRgb(brushColor());
  auto pixel = [&](int px, int py) { return image_.pixel(px, py) & 0xFFFFFFu; };
  if (x < 0 || y < 0 || x >= w || y >= h || pixel(x, y) == (stop & 0xFFFFFFu)) return;
  std::vector<bool> seen(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), false);
  std::vector<QPoint> stack{QPoint(x, y)};
  while (!stack.empty()) {
    const QPoint p = stack.back();
    stack.pop_back();
    if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h) continue;
    const std::size_t index = static_cast<std::size_t>(p.y()) * w + p.x();
    if (seen[index] || pixel(p.x(), p.y()) == (stop & 0xFFFFFFu)) continue;
    seen[index] = true;
    image_.setPixel(p.x(), p.y(), fill);
    stack.push_back({p.x() + 1, p.y()});
    stack.push_back({p.x() - 1, p.y()});
    stack.push_back({p.x(), p.y() + 1});
    stack.push_back({p.x(), p.y() - 1});
  }
}

void QImageCanvas::textOut(int x, int y, std::string_view text) {
  QPainter painter(&image_);
  QFont qfont(QString::fromStdString(font().name));
  qfont.setPointSize(font().pointSize);
  painter.setFont(qfont);
  painter.setPen(toQColor(font().colour));
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  painter.drawText(QRect(x, y, 10000, 1000), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, s);
}

void QImageCanvas::drawBitmap(int x, int y, BitmapId bitmap) {
  QPainter painter(&image_);
  painter.drawImage(x, y, rotationPicture(bitmap));
}

const QImage& rotationPicture(BitmapId bitmap) {
  static const std::array<QImage, 4> pictures = [] {
    initialiseCanvasResources();
    return std::array<QImage, 4>{
        QImage(":/velarix/roll_left.png").convertToFormat(QImage::Format_ARGB32_Premultiplied),
        QImage(":/velarix/roll_right.png").convertToFormat(QImage::Format_ARGB32_Premultiplied),
        QImage(":/velarix/yaw_left.png").convertToFormat(QImage::Format_ARGB32_Premultiplied),
        QImage(":/velarix/yaw_right.png").convertToFormat(QImage::Format_ARGB32_Premultiplied)};
  }();
  return pictures[static_cast<std::size_t>(bitmap)];
}

}  // namespace velarix
