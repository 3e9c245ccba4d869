// The drawing surface the graphics layer paints on.
//
// A Canvas carries the drawing state of a classic 2-D device context (pen,
// brush, font, current pen position) and offers a few primitives that use
// it. The state lives here; a concrete canvas (the QImage canvas of the user
// interface, the recording canvas of the tests) implements the primitives
// and reads the state when it draws.
//
// Coordinates are integer pixels, x to the right, y downwards, (0, 0) the
// top-left pixel. Rectangles are given as left, top, right, bottom with the
// right and bottom edge excluded. Lines exclude their end point, so that the
// segments of a polyline drawn in inverting mode meet without a gap and
// without inverting the common pixel twice.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velarix {

struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const Colour&) const = default;
};

namespace colours {
inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kGrey{128, 128, 128};
inline constexpr Colour kRed{255, 0, 0};
inline constexpr Colour kGreen{0, 128, 0};
inline constexpr Colour kPurple{128, 0, 128};
inline constexpr Colour kAqua{0, 255, 255};
inline constexpr Colour kMaroon{128, 0, 0};
inline constexpr Colour kBlue{0, 0, 255};
inline constexpr Colour kCentresOfPressure{48, 64, 184};
// The button-face colour of the axis strip's background.
inline constexpr Colour kButtonFace{240, 240, 240};
}  // namespace colours

enum class PenStyle { Solid, Dash, Dot, DashDot };

// Copy paints the pen colour. NotXor sets every pixel to
// not(pen colour xor pixel colour), so the same figure drawn twice restores
// the background exactly.
enum class PenMode { Copy, NotXor };

// The pictures a canvas can draw (each shipped by the user interface).
enum class BitmapId { RollLeft, RollRight, YawLeft, YawRight };

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;   // excluded
  int bottom = 0;  // excluded
  bool operator==(const Rect&) const = default;
};

struct Pen {
  Colour colour = colours::kBlack;
  PenStyle style = PenStyle::Solid;
  int width = 1;
  PenMode mode = PenMode::Copy;
  bool operator==(const Pen&) const = default;
};

struct Font {
  Colour colour = colours::kBlack;
  int pointSize = 8;
  std::string name = "DejaVu Sans";
  bool operator==(const Font&) const = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual int width() const = 0;
  virtual int height() const = 0;

  // Pen, brush and font state.
  void setPenColor(Colour c) { pen_.colour = c; }
  void setPenStyle(PenStyle s) { pen_.style = s; }
  void setPenWidth(int w) { pen_.width = w; }
  void setPenMode(PenMode m) { pen_.mode = m; }
  void setBrushColor(Colour c) { brush_ = c; }
  void setFontColor(Colour c) { font_.colour = c; }
  void setFontSize(int points) { font_.pointSize = points; }
  void setFontName(std::string_view name) { font_.name = std::string(name); }
  const Pen& pen() const { return pen_; }
  Colour brushColor() const { return brush_; }
  const Font& font() const { return font_; }

  // Lines with the pen: moveTo sets the pen position, lineTo draws from it
  // to p (p excluded) and moves the position to p.
  void moveTo(int x, int y) { position_ = {x, y}; }
  void lineTo(int x, int y) {
    drawLine(position_, {x, y});
    position_ = {x, y};
  }
  Point penPosition() const { return position_; }

  // Fills the rectangle with the brush colour (the pen is not used).
  virtual void fillRect(const Rect& r) = 0;
  // A one-pixel border along the inside of the rectangle in the brush
  // colour (the pen is not used).
  virtual void frameRect(const Rect& r) = 0;
  // Ellipse inscribed in the box, filled with the brush, outlined with the pen.
  virtual void ellipse(const Rect& box) = 0;
  // Closed polygon, filled with the brush, outlined with the pen.
  virtual void polygon(const std::vector<Point>& corners) = 0;
  // Fills with the brush colour the 4-connected region around (x, y) whose
  // pixels are not of the border colour.
  virtual void floodFill(int x, int y, Colour border) = 0;
  // Text (UTF-8) in the font with its top-left corner at (x, y); the
  // background stays visible.
  virtual void textOut(int x, int y, std::string_view text) = 0;
  // A picture with its top-left corner at (x, y); its transparent pixels
  // leave the surface unchanged.
  virtual void drawBitmap(int x, int y, BitmapId bitmap) = 0;

 protected:
  // One line from `from` to `to` (end point excluded) with the pen.
  virtual void drawLine(Point from, Point to) = 0;

 private:
  Pen pen_;
  Colour brush_ = colours::kWhite;
  Font font_;
  Point position_;
};

}  // namespace velarix
