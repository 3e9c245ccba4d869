// Draws the four rotation-direction pictures of the main window and saves
// them as PNG files with a transparent background:
//   roll_left.png, roll_right.png  136 x 46, the wing seen from behind
//   yaw_left.png,  yaw_right.png    56 x 56, the wing seen from above
// Each right-hand picture is the mirror image of the left-hand one (the
// roll pictures about the centre of their drawing, see roll()).
// Usage: velarix_make_rotation_pictures <output directory>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTransform>
#include <cmath>
#include <cstdio>

namespace {

const QColor kWingColour(30, 30, 30);
const QColor kArrowColour(200, 40, 0);

QImage transparentImage(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// A filled arrow head at `tip`, pointing in direction `angle` (radians).
void arrowHead(QPainter& p, QPointF tip, double angle, double length, double halfWidth) {
  const QPointF back(tip.x() - length * std::cos(angle), tip.y() - length * std::sin(angle));
  const QPointF normal(-std::sin(angle) * halfWidth, std::cos(angle) * halfWidth);
  QPainterPath head;
  head.moveTo(tip);
  head.lineTo(back + normal);
  head.lineTo(back - normal);
  head.closeSubpath();
  p.fillPath(head, kArrowColour);
}

// Rear view, banked to the left (left wing down), with an arc arrow that
// turns the same way; mirrored about its own centre for the right roll.
// The main window places the yaw-left picture over the left 36 columns of
// either roll picture, so the drawing keeps to the columns right of them
// (centre at column 92).
QImage roll(bool left) {
  QImage image = transparentImage(136, 46);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(92, 30);
  p.scale(left ? 1 : -1, 1);
  p.save();
  p.rotate(-8);  // left wing (image left) down
  p.setPen(QPen(kWingColour, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(-40, 0), QPointF(40, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(kWingColour);
  p.drawEllipse(QPointF(0, 1), 6, 4);  // centre body
  p.drawRect(QRectF(-41, -7, 2, 7));   // winglets
  p.drawRect(QRectF(39, -7, 2, 7));
  p.restore();
  // Arc above the wing from the right over to the left and down.
  p.setPen(QPen(kArrowColour, 2.5, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(Qt::NoBrush);
  const QRectF circle(-36, -24, 72, 52);
  p.drawArc(circle, 25 * 16, 125 * 16);
  const double end = 150.0 * M_PI / 180.0;
  const QPointF tip(circle.center().x() + 36 * std::cos(end),
                    circle.center().y() - 26 * std::sin(end));
  arrowHead(p, tip + QPointF(-2, 5), 105.0 * M_PI / 180.0, 10, 5);
  return image;
}

// Top view of a swept flying wing, nose up, with an arc arrow around the
// nose turning it to the left.
QImage yawLeft() {
  QImage image = transparentImage(56, 56);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath wing;
  wing.moveTo(28, 22);
  wing.lineTo(50, 36);
  wing.lineTo(50, 41);
  wing.lineTo(28, 33);
  wing.lineTo(6, 41);
  wing.lineTo(6, 36);
  wing.closeSubpath();
  p.fillPath(wing, kWingColour);
  p.setPen(QPen(kArrowColour, 2.5, Qt::SolidLine, Qt::FlatCap));
  p.setBrush(Qt::NoBrush);
  const QRectF circle(8, 6, 40, 40);
  p.drawArc(circle, 20 * 16, 115 * 16);
  const double end = 135.0 * M_PI / 180.0;
  const QPointF tip(28 + 20 * std::cos(end), 26 - 20 * std::sin(end));
  arrowHead(p, tip + QPointF(-3, 3), 135.0 * M_PI / 180.0, 9, 5);
  return image;
}

bool save(const QImage& image, const QString& dir, const char* name) {
  const QString path = dir + "/" + name;
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output directory>\n", argv[0]);
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  const QImage yaw = yawLeft();
  const bool ok = save(roll(true), dir, "roll_left.png") &&
                  save(roll(false), dir, "roll_right.png") && save(yaw, dir, "yaw_left.png") &&
                  save(yaw.mirrored(true, false), dir, "yaw_right.png");
  return ok ? 0 : 1;
}
