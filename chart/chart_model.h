#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/rated_block.h"

namespace passcat {

inline constexpr int kChartCategoryCount = 7;

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The fill of a category (out-of-range ones as the nearest): light for 0, dark for 6,
// in steps that stay apart for colour-blind readers too.
Rgb CategoryColour(int category);

struct ChartAxis {
    double low = 0; // the range drawn
    double high = 1;
    std::vector<double> ticks;           // round values from low to high
    std::vector<std::string> tickLabels; // as written, with the chart's decimal separator
};

// The area under consecutive segments of one category: points first to last.
struct ChartFill {
    std::size_t first = 0;
    std::size_t last = 0;
    int category = 0;
};

struct LegendEntry {
    int category = 0;
    std::string label; // "Категория 3"
};

struct ChartMark {
    double x = 0; // km from the first point
    double y = 0; // m
    int category = 0;
    std::string categoryText;
    std::string scoreText;
};

// What a chart draws, in the units of its axes; painting only maps it to the page.
struct ChartModel {
    std::string title;
    std::vector<double> xs; // km from the first point
    std::vector<double> ys; // m
    ChartAxis xAxis;
    ChartAxis yAxis;
    std::vector<ChartFill> fills;     // in order, together under every segment
    std::vector<LegendEntry> legend;  // the categories that occur, ascending
    std::optional<ChartMark> mark;    // the recommended point
};

// At most this many intervals between the ticks of an axis.
inline constexpr int kXTickIntervals = 10;
inline constexpr int kYTickIntervals = 10;

// The texts a chart shows beside its points, as the report writes them.
struct ChartTexts {
    std::string title;        // UTF-8
    std::string categoryText; // "Категория сложности: 5"
    std::string scoreText;    // "Балл: 7.274667"
    char decimalSeparator = '.'; // for the axes' numbers
};

ChartModel BuildChartModel(const RatedBlock& rated, const ChartTexts& texts);

enum class AxisEnds {
    AtData,  // the axis spans low to high, the ticks lie within
    AtTicks, // the axis spans from the last tick not above low to the first not below high
};

// Ticks 1, 2 or 5 times a power of ten apart, as close as maxIntervals allows.
ChartAxis RoundAxis(double low, double high, int maxIntervals, AxisEnds ends, char decimalSeparator);

} // namespace passcat
