#include "chart/chart_model.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace passcat {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();

// Viridis in seven steps, from its light end to its dark one.
constexpr std::array<Rgb, kChartCategoryCount> kCategoryColours = {{
    {0xFD, 0xE7, 0x25},
    {0x90, 0xD7, 0x43},
    {0x35, 0xB7, 0x79},
    {0x21, 0x91, 0x8C},
    {0x31, 0x68, 0x8E},
    {0x44, 0x39, 0x83},
    {0x44, 0x01, 0x54},
}};

int ClampedCategory(int category)
{
    return std::clamp(category, 0, kChartCategoryCount - 1);
}

// A difference of extreme values can overflow; the chart then shows the largest one.
double Finite(double value)
{
    return std::clamp(value, -kLargest, kLargest);
}

std::string TickLabel(double value, int decimals, int significantDigits, bool fixed, char decimalSeparator)
{
    char text[64];
    value += 0.0; // no "-0"
    const auto written = fixed ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals)
                               : std::to_chars(text, text + sizeof text, value, std::chars_format::general,
                                               significantDigits);
    std::string label(text, written.ptr);
    std::replace(label.begin(), label.end(), '.', decimalSeparator);
    return label;
}

// Ten to the power, correctly rounded on every system (a C library's pow need not be:
// an axis must tick alike everywhere).
double PowerOfTen(int exponent)
{
    char text[16];
    text[0] = '1';
    text[1] = 'e';
    const char* end = std::to_chars(text + 2, text + sizeof text, exponent).ptr;
    double value = 0;
    std::from_chars(text, end, value);
    return value;
}

} // namespace

Rgb CategoryColour(int category)
{
    return kCategoryColours[static_cast<std::size_t>(ClampedCategory(category))];
}

ChartAxis RoundAxis(double low, double high, int maxIntervals, AxisEnds ends, char decimalSeparator)
{
    ChartAxis axis;
    if (high < low)
        std::swap(low, high);
    if (low == high) {
        const double pad = low != 0 ? std::abs(low) / 10 : 1;
        low = Finite(low - pad);
        high = Finite(high + pad);
    }
    maxIntervals = std::max(maxIntervals, 1);
    // Halves first: the span of two extreme values may not fit into a double.
    const double least = (high / 2 - low / 2) * (2.0 / maxIntervals);
    // The smallest step of 1, 2 or 5 times a power of ten that needs no more intervals.
    int exponent = 0;
    double multiple = 1;
    double step = 0;
    double first = 0;
    double last = 0;
    if (least > 0 && std::isfinite(least)) {
        const int smallest = static_cast<int>(std::floor(std::log10(least)));
        for (int k = 0; k < 6 && !(step > 0); ++k) {
            exponent = smallest + k / 3;
            multiple = std::array{1.0, 2.0, 5.0}[static_cast<std::size_t>(k % 3)];
            const double candidate = multiple * PowerOfTen(exponent);
            first = std::floor(low / candidate);
            last = std::ceil(high / candidate);
            if (last - first <= maxIntervals)
                step = candidate;
        }
    }
    if (!(step > 0) || !std::isfinite(step)) {
        axis.low = low; // no round step fits (a span near the smallest doubles)
        axis.high = high;
        axis.ticks = {low, high};
        exponent = 0;
    } else {
        // Below 1 the step is a whole multiple divided by a power of ten, which rounds
        // more closely than a multiple of the inexact step.
        const bool divide = exponent < 0 && exponent >= -22;
        for (int k = 0; k <= static_cast<int>(last - first); ++k) {
            const double index = first + k;
            const double tick = Finite(divide ? index * multiple / PowerOfTen(-exponent) : index * step);
            if (ends == AxisEnds::AtTicks || (tick >= low && tick <= high))
                axis.ticks.push_back(tick);
        }
        axis.low = ends == AxisEnds::AtTicks ? axis.ticks.front() : low;
        axis.high = ends == AxisEnds::AtTicks ? axis.ticks.back() : high;
    }
    const double largest = std::max(std::abs(axis.low), std::abs(axis.high));
    const int decimals = std::max(0, -exponent);
    const bool fixed = decimals <= 9 && largest < 1e12;
    const int magnitude = largest > 0 ? static_cast<int>(std::floor(std::log10(largest))) : 0;
    const int digits = std::clamp(magnitude - exponent + 1, 1, 17);
    for (const double tick : axis.ticks)
        axis.tickLabels.push_back(TickLabel(tick, decimals, digits, fixed, decimalSeparator));
    return axis;
}

ChartModel BuildChartModel(const RatedBlock& rated, const ChartTexts& texts)
{
    const ObstacleBlock& block = rated.block;
    const Recommendation& recommendation = rated.ratings.recommendation;
    ChartModel model;
    model.title = texts.title;
    const std::size_t points = std::min(block.distances.size(), block.heights.size());
    model.ys.assign(block.heights.begin(), block.heights.begin() + static_cast<std::ptrdiff_t>(points));
    model.xs.reserve(points);
    for (std::size_t i = 0; i < points; ++i)
        model.xs.push_back(Finite(block.distances[i] - block.distances[0]));

    const auto [xLow, xHigh] = points != 0 ? std::minmax_element(model.xs.begin(), model.xs.end())
                                           : std::pair{model.xs.end(), model.xs.end()};
    const auto [yLow, yHigh] = points != 0 ? std::minmax_element(model.ys.begin(), model.ys.end())
                                           : std::pair{model.ys.end(), model.ys.end()};
    const char separator = texts.decimalSeparator;
    // The distance axis spans the profile exactly; the height axis is widened to
    // round values, so that the areas stand on a labelled line.
    model.xAxis = RoundAxis(points != 0 ? *xLow : 0, points != 0 ? *xHigh : 1, kXTickIntervals, AxisEnds::AtData,
                            separator);
    // A little room above and below, so that the line never runs along the frame.
    const double yPad = points != 0 ? (*yHigh / 2 - *yLow / 2) / 16 : 0;
    model.yAxis = RoundAxis(points != 0 ? Finite(*yLow - yPad) : 0, points != 0 ? Finite(*yHigh + yPad) : 1,
                            kYTickIntervals, AxisEnds::AtTicks, separator);

    const std::size_t segments = std::min(points != 0 ? points - 1 : 0, recommendation.pointCategories.size());
    std::array<bool, kChartCategoryCount> present{};
    for (std::size_t i = 0; i < segments; ++i) {
        const int category = ClampedCategory(recommendation.pointCategories[i]);
        present[static_cast<std::size_t>(category)] = true;
        if (model.fills.empty() || model.fills.back().category != category)
            model.fills.push_back({i, i + 1, category});
        else
            model.fills.back().last = i + 1;
    }
    for (int category = 0; category < kChartCategoryCount; ++category) {
        if (present[static_cast<std::size_t>(category)])
            model.legend.push_back({category, "Категория " + std::to_string(category)});
    }

    const std::size_t r = recommendation.recommendedPoint;
    if (r < segments) {
        model.mark = ChartMark{model.xs[r], model.ys[r], ClampedCategory(recommendation.pointCategories[r]),
                               texts.categoryText, texts.scoreText};
    }
    return model;
}

} // namespace passcat
