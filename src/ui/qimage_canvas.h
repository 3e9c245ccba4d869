// The graphics layer's Canvas on a QImage, painted with QPainter.
//
// The inverting pen mode is the raster operation NotSourceXorDestination,
// which needs aliased drawing on an RGB32 image. Lines use a flat cap, so
// that their end pixel is left out as the Canvas contract requires. Text
// needs a QGuiApplication (for the font database).
#pragma once

#include <QImage>

#include "graphics/canvas.h"

class QPainter;

namespace velarix {

class QImageCanvas : public Canvas {
 public:
  // A white image of the given size.
  QImageCanvas(int width, int height);

  const QImage& image() const { return image_; }
  QImage& image() { return image_; }

  int width() const override { return image_.width(); }
  int height() const override { return image_.height(); }

  void fillRect(const Rect& r) override;
  void frameRect(const Rect& r) override;
  void ellipse(const Rect& box) override;
  void polygon(const std::vector<Point>& corners) override;
  void floodFill(int x, int y, Colour border) override;
  void textOut(int x, int y, std::string_view text) override;
  void drawBitmap(int x, int y, BitmapId bitmap) override;

 protected:
  void drawLine(Point from, Point to) override;

 private:
  // A painter on the image with the pen, the brush and the pen mode set.
  void preparePainter(QPainter& painter, bool withBrush) const;

  QImage image_;
};

// The rotation-direction picture (with transparency) from the resources.
const QImage& rotationPicture(BitmapId bitmap);

}  // namespace velarix
