// A canvas that writes one text line per primitive, with the pen, brush or
// font state the primitive uses, so that drawings can be compared as text.
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "graphics/canvas.h"

namespace velarix::testing {

inline std::string colourText(Colour c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c.red, c.green, c.blue);
  return buffer;
}

inline const char* styleText(PenStyle s) {
  switch (s) {
    case PenStyle::Solid:
      return "solid";
    case PenStyle::Dash:
      return "dash";
    case PenStyle::Dot:
      return "dot";
    case PenStyle::DashDot:
      return "dashdot";
  }
  return "?";
}

inline std::string penText(const Pen& p) {
  return colourText(p.colour) + " " + styleText(p.style) + " w" + std::to_string(p.width) +
         (p.mode == PenMode::NotXor ? " notxor" : " copy");
}

inline std::string pointText(Point p) { return std::to_string(p.x) + "," + std::to_string(p.y); }

class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas(int w, int h) : width_(w), height_(h) {}

  int width() const override { return width_; }
  int height() const override { return height_; }

  void fillRect(const Rect& r) override {
    add("fillRect " + rectText(r) + " brush " + colourText(brushColor()));
  }
  void frameRect(const Rect& r) override {
    add("frameRect " + rectText(r) + " brush " + colourText(brushColor()));
  }
  void ellipse(const Rect& box) override {
    add("ellipse " + rectText(box) + " pen " + penText(pen()) + " brush " +
        colourText(brushColor()));
  }
  void polygon(const std::vector<Point>& corners) override {
    std::string s = "polygon";
    for (const Point& p : corners) s += " " + pointText(p);
    add(s + " pen " + penText(pen()) + " brush " + colourText(brushColor()));
  }
  void floodFill(int x, int y, Colour border) override {
    add("floodFill " + pointText({x, y}) + " border " + colourText(border) + " brush " +
        colourText(brushColor()));
  }
  void textOut(int x, int y, std::string_view text) override {
    add("text " + pointText({x, y}) + " \"" + std::string(text) + "\" " +
        colourText(font().colour));
  }
  void drawBitmap(int x, int y, BitmapId bitmap) override {
    static const char* names[] = {"rollLeft", "rollRight", "yawLeft", "yawRight"};
    add("bitmap " + pointText({x, y}) + " " + names[static_cast<int>(bitmap)]);
  }

  const std::vector<std::string>& lines() const { return lines_; }
  std::string text() const {
    std::string all;
    for (const std::string& l : lines_) all += l + "\n";
    return all;
  }
  void clear() {
    lines_.clear();
    segments_.clear();
  }

  // The recorded lines that start with `prefix`.
  std::vector<std::string> linesStartingWith(const std::string& prefix) const {
    std::vector<std::string> out;
    for (const std::string& l : lines_) {
      if (l.rfind(prefix, 0) == 0) out.push_back(l);
    }
    return out;
  }

  // Every line segment with its pen.
  struct Segment {
    Point from;
    Point to;
    Pen pen;
  };
  const std::vector<Segment>& segments() const { return segments_; }

 protected:
  void drawLine(Point from, Point to) override {
    segments_.push_back({from, to, pen()});
    add("line " + pointText(from) + " " + pointText(to) + " pen " + penText(pen()));
  }

 private:
  static std::string rectText(const Rect& r) {
    return pointText({r.left, r.top}) + " " + pointText({r.right, r.bottom});
  }
  void add(std::string line) { lines_.push_back(std::move(line)); }

  int width_;
  int height_;
  std::vector<std::string> lines_;
  std::vector<Segment> segments_;
};

}  // namespace velarix::testing
