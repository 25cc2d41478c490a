#include "engine/reference_tables.h"

#include <algorithm>

namespace passcat {
namespace {

constexpr std::array<std::array<float, 11>, kRegionCount> kAltitudeCoefRows = {{
    {1.0f, 1.0f, 1.1f, 1.2f, 1.3f, 1.4f, 1.5f, 1.8f, 1.8f, 1.8f, 1.8f},
    {1.0f, 1.1f, 1.2f, 1.3f, 1.4f, 1.6f, 1.8f, 1.8f, 1.8f, 1.8f, 1.8f},
    {1.0f, 1.2f, 1.4f, 1.6f, 1.6f, 1.6f, 1.6f, 1.6f, 1.6f, 1.6f, 1.6f},
    {1.0f, 1.0f, 1.0f, 1.1f, 1.2f, 1.3f, 1.4f, 1.6f, 1.8f, 2.0f, 2.4f},
    {1.0f, 1.0f, 1.0f, 1.1f, 1.2f, 1.3f, 1.4f, 1.6f, 1.8f, 2.0f, 2.4f},
    {1.0f, 1.0f, 1.0f, 1.1f, 1.2f, 1.3f, 1.4f, 1.6f, 1.8f, 2.0f, 2.4f},
}};

constexpr std::array<float, kRegionCount> kTopCategoryMinAltitude = {3000, 2500, 1200, 3700, 5000, 3700};
constexpr std::array<float, kRegionCount> kTopCategoryMinGain = {1400, 800, 500, 1500, 1500, 1500};

} // namespace

ReferenceTables LoadReferenceTables(int regionIndex)
{
    const auto region = static_cast<std::size_t>(std::clamp(regionIndex, 0, kRegionCount - 1));
    return ReferenceTables{
        .altitudeNodes = {0, 500, 1000, 1500, 2000, 2500, 3000, 3500, 4000, 4500, 5000},
        .altitudeCoefTable = kAltitudeCoefRows[region],
        .gainNodes = {200, 500, 800, 1100, 1300, 1400, 1500},
        .gainCoefTable = {1.0f, 1.1f, 1.2f, 1.4f, 1.6f, 1.8f, 2.1f},
        .gradeNodes = {4, 6, 9, 12, 14, 15},
        .steepnessCoefTable = {1.0f, 1.1f, 1.3f, 1.5f, 1.8f, 2.0f},
        .categoryThresholds = {1.2f, 1.6f, 2.6f, 4.0f, 6.0f, 8.1f},
        .topCategoryMinAltitude = kTopCategoryMinAltitude[region],
        .topCategoryMinGain = kTopCategoryMinGain[region],
    };
}

} // namespace passcat
