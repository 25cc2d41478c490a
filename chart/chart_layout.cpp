#include "chart/chart_layout.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "chart/chart_mark_box.h"
#include "chart/chart_profile_shapes.h"

namespace passcat {
namespace {

// Sizes in the page's units.
constexpr double kMargin = 40;
constexpr double kGap = 14;
constexpr double kTitleSize = 40;
constexpr double kTextSize = 24;
constexpr double kAxisTitleSize = 26;
constexpr double kSwatchWidth = 34;
constexpr double kSwatchHeight = 24;
constexpr double kLegendPitch = 40;
constexpr double kMarkRadius = 10;
constexpr double kBoxPadding = 12;

constexpr Colour kInk{0x1A, 0x1A, 0x1A};
constexpr Colour kFrame{0x40, 0x40, 0x40};
constexpr Colour kGrid{0xDD, 0xDD, 0xDD};
constexpr Colour kWhite{0xFF, 0xFF, 0xFF};
constexpr Colour kBlack{0, 0, 0};

Colour ColourOf(int category)
{
    const Rgb colour = CategoryColour(category);
    return {colour.red, colour.green, colour.blue};
}

constexpr Stroke Thin(Colour colour)
{
    return {colour, 1.5};
}

// Every how many'th tick is labelled, so that neighbouring labels keep apart.
std::size_t LabelEvery(double tickSpacing, double labelExtent)
{
    std::size_t every = 1;
    while (static_cast<double>(every) * tickSpacing < labelExtent + kGap && every < 1000)
        ++every;
    return every;
}

class ChartLayout {
public:
    ChartLayout(const ChartModel& model, const ChartTextMetrics& metrics)
        : m_(model), metrics_(metrics), title_(FontOf(kTitleSize)), text_(FontOf(kTextSize)),
          axisTitle_(FontOf(kAxisTitleSize))
    {
        std::vector<std::string> legendLabels;
        for (const LegendEntry& entry : m_.legend)
            legendLabels.push_back(entry.label);
        const double page = kChartPageWidth;
        const double legendWidth = kSwatchWidth + kGap + widest(legendLabels);
        legendLeft_ = page - kMargin - legendWidth;
        const double top = kMargin + height(title_) + 2 * kGap;
        const double left = kMargin + height(axisTitle_) + kGap + widest(m_.yAxis.tickLabels) + kGap;
        const double right = m_.legend.empty() ? page - kMargin : legendLeft_ - 3 * kGap;
        const double bottom = kChartPageHeight - kMargin - height(axisTitle_) - kGap - height(text_) - kGap;
        plot_ = Rect{left, top, right - left, bottom - top};
        frame_ = {plot_, m_.xAxis.low, m_.xAxis.high, m_.yAxis.low, m_.yAxis.high};
        page_.reserve(m_.xs.size());
        for (std::size_t i = 0; i < m_.xs.size(); ++i)
            page_.push_back({x(m_.xs[i]), y(m_.ys[i])});
    }

    ChartDisplayList layOut() &&
    {
        list_.width = kChartPageWidth;
        list_.height = kChartPageHeight;
        list_.title = m_.title;
        list_.description = "Профиль препятствия";
        list_.plot = frame_;
        list_.items.push_back(Rectangle{{0, 0, list_.width, list_.height}, kWhite, std::nullopt});
        addTitles();
        addGridAndLabels();
        list_.items.push_back(ClipTo{plot_});
        addFills();
        addProfile();
        list_.items.push_back(Unclip{});
        list_.items.push_back(Rectangle{plot_, std::nullopt, Thin(kFrame)});
        addLegend();
        addMark();
        return std::move(list_);
    }

private:
    static Font FontOf(double size) { return {kChartFontFamily, size}; }

    double width(const std::string& text, const Font& font) const { return metrics_.width(text, font); }
    double height(const Font& font) const { return metrics_.ascent(font) + metrics_.descent(font); }
    double widest(const std::vector<std::string>& texts, const Font& font) const
    {
        double widest = 0;
        for (const std::string& text : texts)
            widest = std::max(widest, width(text, font));
        return widest;
    }
    double widest(const std::vector<std::string>& texts) const { return widest(texts, text_); }

    // Cut at the end, with an ellipsis, where it is wider than limit.
    void addText(std::string text, Point at, const Font& font, TextAnchor anchor = TextAnchor::Start,
                 double rotation = 0)
    {
        list_.items.push_back(Text{std::move(text), at, font, anchor, rotation, kInk});
    }

    void addLine(Point from, Point to, Colour colour) { list_.items.push_back(Line{from, to, Thin(colour)}); }

    double x(double value) const { return frame_.pageX(value); }
    double y(double value) const { return frame_.pageY(value); }

    void addTitles()
    {
        addText(metrics_.shortened(m_.title, title_, kChartPageWidth - 2 * kMargin), {kMargin, kMargin + metrics_.ascent(title_)},
                title_);
        addText("Расстояние, км", {plot_.centre().x, kChartPageHeight - kMargin - 6}, axisTitle_, TextAnchor::Middle);
        addText("Высота, м", {kMargin + metrics_.ascent(axisTitle_), plot_.centre().y}, axisTitle_, TextAnchor::Middle,
                -90);
    }

    void addGridAndLabels()
    {
        const auto& xTicks = m_.xAxis.ticks;
        const std::size_t xEvery =
            xTicks.size() > 1
                ? LabelEvery(plot_.width / static_cast<double>(xTicks.size() - 1), widest(m_.xAxis.tickLabels))
                : 1;
        for (std::size_t k = 0; k < xTicks.size(); ++k) {
            const double at = x(xTicks[k]);
            addLine({at, plot_.y}, {at, plot_.bottom()}, kGrid);
            addLine({at, plot_.bottom()}, {at, plot_.bottom() + 8}, kFrame);
            if (k % xEvery == 0) {
                addText(m_.xAxis.tickLabels[k], {at, plot_.bottom() + kGap + metrics_.ascent(text_)}, text_,
                        TextAnchor::Middle);
            }
        }
        const auto& yTicks = m_.yAxis.ticks;
        const std::size_t yEvery =
            yTicks.size() > 1 ? LabelEvery(plot_.height / static_cast<double>(yTicks.size() - 1), height(text_)) : 1;
        for (std::size_t k = 0; k < yTicks.size(); ++k) {
            const double at = y(yTicks[k]);
            addLine({plot_.x, at}, {plot_.right(), at}, kGrid);
            addLine({plot_.x - 8, at}, {plot_.x, at}, kFrame);
            if (k % yEvery == 0) {
                addText(m_.yAxis.tickLabels[k], {plot_.x - kGap, at + metrics_.ascent(text_) / 2 - 2}, text_,
                        TextAnchor::End);
            }
        }
    }

    // An area reaches half a unit into the next one, so that neighbours meet without
    // a light seam.
    void addFills()
    {
        for (const ChartFill& fill : DrawnFills(m_.fills, page_)) {
            Polygon area{DrawnPoints(page_, fill.first, fill.last), ColourOf(fill.category)};
            const double right = page_[fill.last].x + (fill.last + 1 < page_.size() ? 0.5 : 0);
            area.points.push_back({right, page_[fill.last].y});
            area.points.push_back({right, plot_.bottom()});
            area.points.push_back({page_[fill.first].x, plot_.bottom()});
            list_.items.push_back(std::move(area));
        }
    }

    void addProfile()
    {
        if (!page_.empty())
            list_.items.push_back(Polyline{DrawnPoints(page_, 0, page_.size() - 1), {kInk, 3, LineCap::Round}});
    }

    void addLegend()
    {
        for (std::size_t k = 0; k < m_.legend.size(); ++k) {
            const double top = plot_.y + static_cast<double>(k) * kLegendPitch;
            list_.items.push_back(Rectangle{{legendLeft_, top, kSwatchWidth, kSwatchHeight},
                                            ColourOf(m_.legend[k].category), Thin(kFrame)});
            const double baseline = top + kSwatchHeight / 2 + metrics_.ascent(text_) / 2 - 2;
            addText(m_.legend[k].label, {legendLeft_ + kSwatchWidth + kGap, baseline}, text_);
        }
    }

    // The recommended point, and beside it its category and score in a box placed
    // where it hides the least of the profile.
    void addMark()
    {
        if (!m_.mark)
            return;
        const Point at{x(m_.mark->x), y(m_.mark->y)};
        const std::vector<std::string> lines = {"Рекомендуемая точка", m_.mark->categoryText, m_.mark->scoreText};
        const double lineHeight = height(text_) + 4;
        const double boxWidth = widest(lines) + 2 * kBoxPadding;
        const double boxHeight = 3 * lineHeight + 2 * kBoxPadding - 4;
        const Rect box = PlaceMarkBox(page_, plot_, at, boxWidth, boxHeight, 2 * kMarkRadius + kGap, kGap);

        const Point corner{std::clamp(at.x, box.x, box.right()), std::clamp(at.y, box.y, box.bottom())};
        addLine(at, corner, kFrame);
        list_.items.push_back(Rectangle{box, Colour{0xFF, 0xFF, 0xFF, 235}, Thin(kFrame)});
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const double baseline = box.y + kBoxPadding + metrics_.ascent(text_) + static_cast<double>(k) * lineHeight;
            addText(lines[k], {box.x + kBoxPadding, baseline}, text_);
        }
        list_.items.push_back(Circle{at, kMarkRadius, kWhite, Stroke{kBlack, 3}});
        list_.items.push_back(Circle{at, kMarkRadius / 2, ColourOf(m_.mark->category), std::nullopt});
    }

    const ChartModel& m_;
    const ChartTextMetrics& metrics_;
    Font title_;
    Font text_;
    Font axisTitle_;
    double legendLeft_ = 0;
    Rect plot_;
    PlotFrame frame_;
    std::vector<Point> page_; // the profile's points on the page
    ChartDisplayList list_;
};

} // namespace

ChartDisplayList LayOutChart(const ChartModel& model, const ChartTextMetrics& metrics)
{
    return ChartLayout(model, metrics).layOut();
}

} // namespace passcat
