#pragma once

#include <cstdint>
#include <string>

namespace passcat {

enum class ChartFormat { Svg, Png };

// The file name suffix of the format: "svg" or "png".
constexpr const char* ChartFileSuffix(ChartFormat format)
{
    return format == ChartFormat::Png ? "png" : "svg";
}

// The file of a block's chart: its number with at least three digits ("007.svg").
inline std::string ChartFileName(std::uint64_t blockNumber, ChartFormat format)
{
    const std::string digits = std::to_string(blockNumber);
    return std::string(digits.size() < 3 ? 3 - digits.size() : 0, '0') + digits + '.' + ChartFileSuffix(format);
}

} // namespace passcat
