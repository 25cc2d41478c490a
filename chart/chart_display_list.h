#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace passcat {

// A chart as a list of shapes on a page, in the page's units (ten to a millimetre),
// y downwards; the back ends (the painter, the SVG writer) draw it item by item.

struct Point {
    double x = 0;
    double y = 0;
};

// Left, top, width and height; right and bottom are computed as the painter computes
// them, so that a shape lands on the same pixels whichever way it was placed.
struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double right() const { return x + width; }
    double bottom() const { return y + height; }
    Point centre() const { return {x + width / 2, y + height / 2}; }
};

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 255;
};

enum class LineCap { Square, Round };

// Joins are bevelled.
struct Stroke {
    Colour colour;
    double width = 1;
    LineCap cap = LineCap::Square;
};

struct Font {
    std::string family; // a sans-serif one
    double size = 0;    // the em, in page units
    int weight = 400;   // as in CSS
};

enum class TextAnchor { Start, Middle, End };

// One line of UTF-8 text on its baseline; at is where the anchor lies, and the line
// turns clockwise by rotation degrees about it.
struct Text {
    std::string text;
    Point at;
    Font font;
    TextAnchor anchor = TextAnchor::Start;
    double rotation = 0;
    Colour colour;
};

struct Line {
    Point from;
    Point to;
    Stroke stroke;
};

struct Polyline {
    std::vector<Point> points;
    Stroke stroke;
};

// Filled, even-odd, without an outline.
struct Polygon {
    std::vector<Point> points;
    Colour fill;
};

struct Rectangle {
    Rect rect;
    std::optional<Colour> fill;
    std::optional<Stroke> stroke;
};

struct Circle {
    Point centre;
    double radius = 0;
    std::optional<Colour> fill;
    std::optional<Stroke> stroke;
};

// The items up to the next Unclip are drawn only within rect. Not nested.
struct ClipTo {
    Rect rect;
};

struct Unclip {};

using DisplayItem = std::variant<Rectangle, Line, Polyline, Polygon, Circle, Text, ClipTo, Unclip>;

// Where the profile's values lie on the page: its frame and the ranges of its axes, so
// that a point on the page can be read back as a distance.
struct PlotFrame {
    Rect area;
    double xLow = 0, xHigh = 1; // km
    double yLow = 0, yHigh = 1; // m

    double pageX(double km) const { return area.x + Along(km, xLow, xHigh) * area.width; }
    double pageY(double m) const { return area.bottom() - Along(m, yLow, yHigh) * area.height; }
    // The distance shown at pageX, which may lie outside the axis.
    double kmAt(double pageX) const
    {
        return area.width > 0 ? xLow + (pageX - area.x) / area.width * (xHigh - xLow) : xLow;
    }

private:
    // Halves first, so that extreme ranges do not overflow.
    static double Along(double value, double low, double high)
    {
        const double span = high / 2 - low / 2;
        return span > 0 ? (value / 2 - low / 2) / span : 0;
    }
};

struct ChartDisplayList {
    double width = 0; // the page
    double height = 0;
    std::string title;       // of the document, in full
    std::string description; // of what it shows
    std::vector<DisplayItem> items; // in painting order
    PlotFrame plot;
};

inline constexpr double kPageUnitsPerMillimetre = 10;

} // namespace passcat
