#include "chart/chart_svg_writer.h"

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace passcat {
namespace {

// After the list's own family, for viewers that do not have it.
constexpr std::string_view kFallbackFamilies = ", 'Liberation Sans', Arial, Helvetica, sans-serif";

// The replacement character, for what XML 1.0 does not allow in a document.
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

class SvgWriter {
public:
    std::string write(const ChartDisplayList& list)
    {
        out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"";
        attribute("width", list.width / kPageUnitsPerMillimetre, "mm");
        attribute("height", list.height / kPageUnitsPerMillimetre, "mm");
        out_ += " viewBox=\"0 0 ";
        number(list.width);
        out_ += ' ';
        number(list.height);
        out_ += "\">\n<title>";
        escaped(list.title);
        out_ += "</title>\n<desc>";
        escaped(list.description);
        out_ += "</desc>\n";
        for (const DisplayItem& item : list.items) {
            std::visit([this](const auto& shape) { add(shape); }, item);
            out_ += '\n';
        }
        out_ += "</svg>\n";
        return std::move(out_);
    }

private:
    void add(const Rectangle& shape)
    {
        out_ += "<rect";
        rect(shape.rect);
        paint(shape.fill, shape.stroke);
        out_ += "/>";
    }

    void add(const Line& shape)
    {
        out_ += "<line";
        point("x1", "y1", shape.from);
        point("x2", "y2", shape.to);
        stroke(shape.stroke);
        out_ += "/>";
    }

    void add(const Polyline& shape)
    {
        out_ += "<polyline";
        points(shape.points);
        paint(std::nullopt, shape.stroke);
        out_ += "/>";
    }

    void add(const Polygon& shape)
    {
        out_ += "<polygon";
        points(shape.points);
        paint(shape.fill, std::nullopt);
        out_ += " fill-rule=\"evenodd\"/>";
    }

    void add(const Circle& shape)
    {
        out_ += "<circle";
        point("cx", "cy", shape.centre);
        attribute("r", shape.radius);
        paint(shape.fill, shape.stroke);
        out_ += "/>";
    }

    void add(const Text& shape)
    {
        out_ += "<text";
        point("x", "y", shape.at);
        if (shape.rotation != 0) {
            out_ += " transform=\"rotate(";
            number(shape.rotation);
            out_ += ' ';
            number(shape.at.x);
            out_ += ' ';
            number(shape.at.y);
            out_ += ")\"";
        }
        out_ += " font-family=\"'";
        escaped(shape.font.family);
        out_ += '\'';
        out_ += kFallbackFamilies;
        out_ += '"';
        attribute("font-size", shape.font.size);
        attribute("font-weight", shape.font.weight);
        if (shape.anchor != TextAnchor::Start)
            out_ += shape.anchor == TextAnchor::Middle ? " text-anchor=\"middle\"" : " text-anchor=\"end\"";
        colour("fill", shape.colour);
        out_ += '>';
        escaped(shape.text);
        out_ += "</text>";
    }

    void add(const ClipTo& shape)
    {
        const std::string id = "clip" + std::to_string(++clips_);
        out_ += "<clipPath id=\"" + id + "\"><rect";
        rect(shape.rect);
        out_ += "/></clipPath>\n<g clip-path=\"url(#" + id + ")\">";
    }

    void add(const Unclip&) { out_ += "</g>"; }

    void point(std::string_view xName, std::string_view yName, const Point& point)
    {
        attribute(xName, point.x);
        attribute(yName, point.y);
    }

    void rect(const Rect& rect)
    {
        point("x", "y", {rect.x, rect.y});
        attribute("width", rect.width);
        attribute("height", rect.height);
    }

    void points(const std::vector<Point>& points)
    {
        out_ += " points=\"";
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (i != 0)
                out_ += ' ';
            number(points[i].x);
            out_ += ',';
            number(points[i].y);
        }
        out_ += '"';
    }

    void paint(const std::optional<Colour>& fill, const std::optional<Stroke>& outline)
    {
        if (fill)
            colour("fill", *fill);
        else
            out_ += " fill=\"none\"";
        if (outline)
            stroke(*outline);
    }

    void stroke(const Stroke& stroke)
    {
        colour("stroke", stroke.colour);
        attribute("stroke-width", stroke.width);
        out_ += stroke.cap == LineCap::Round ? " stroke-linecap=\"round\"" : " stroke-linecap=\"square\"";
        out_ += " stroke-linejoin=\"bevel\"";
    }

    void colour(std::string_view name, const Colour& colour)
    {
        constexpr char kDigits[] = "0123456789abcdef";
        out_ += ' ';
        out_ += name;
        out_ += "=\"#";
        for (const std::uint8_t channel : {colour.red, colour.green, colour.blue}) {
            out_ += kDigits[channel >> 4];
            out_ += kDigits[channel & 0xF];
        }
        out_ += '"';
        if (colour.alpha != 255) {
            out_ += ' ';
            out_ += name;
            out_ += "-opacity=\"";
            number(colour.alpha / 255.0, 3);
            out_ += '"';
        }
    }

    template <typename Number>
    void attribute(std::string_view name, Number value, std::string_view unit = {})
    {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
        if constexpr (std::is_integral_v<Number>)
            out_ += std::to_string(value);
        else
            number(value);
        out_ += unit;
        out_ += "\"";
    }

    // Rounded to decimals places, written without trailing zeros, '.' whatever the
    // locale: a hundredth of a unit is a thousandth of a millimetre.
    void number(double value, int decimals = 2)
    {
        char text[400]; // room for the largest double written in full
        const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
        std::string_view shown(text, static_cast<std::size_t>(written.ptr - text));
        if (shown.find('.') != std::string_view::npos) {
            shown.remove_suffix(shown.size() - 1 - shown.find_last_not_of('0'));
            if (shown.back() == '.')
                shown.remove_suffix(1);
        }
        out_ += shown == "-0" ? "0" : shown;
    }

    // Markup characters as references; control characters XML does not allow, and
    // U+FFFE and U+FFFF, as the replacement character. text is UTF-8.
    void escaped(std::string_view text)
    {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '&')
                out_ += "&amp;";
            else if (c == '<')
                out_ += "&lt;";
            else if (c == '>')
                out_ += "&gt;";
            else if (c == '"')
                out_ += "&quot;";
            else if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                out_ += kReplacement;
            else if (text.substr(i, 3) == "\xEF\xBF\xBE" || text.substr(i, 3) == "\xEF\xBF\xBF") {
                out_ += kReplacement;
                i += 2;
            } else
                out_ += c;
        }
    }

    std::string out_;
    int clips_ = 0;
};

} // namespace

std::string WriteChartSvg(const ChartDisplayList& list)
{
    return SvgWriter().write(list);
}

} // namespace passcat
