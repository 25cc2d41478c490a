#pragma once

#include <array>
#include <string_view>

namespace passcat {

inline constexpr int kRegionCount = 6;
inline constexpr int kDefaultRegionIndex = 5; // "Прочее"

// The regions of the trip, in the order of their indices (UTF-8). "Каваказ" keeps
// the spelling users know from earlier versions.
inline constexpr std::array<std::string_view, kRegionCount> kRegionNames = {
    "Каваказ, Альпы",
    "Сибирь, Сев. Урал",
    "Заполярье",
    "Памир, Тянь-Шань, Каракорум",
    "Гималаи, Анды",
    "Прочее",
};

// The fixed tables of the rating method for one region, single precision as stored.
struct ReferenceTables {
    std::array<float, 11> altitudeNodes;     // metres above sea level
    std::array<float, 11> altitudeCoefTable; // Кв, the region's row
    std::array<float, 7> gainNodes;          // metres of height gain
    std::array<float, 7> gainCoefTable;      // Кнв
    std::array<float, 6> gradeNodes;         // percent
    std::array<float, 6> steepnessCoefTable; // Ккр
    std::array<float, 6> categoryThresholds; // lower score bounds of categories 1 to 6
    float topCategoryMinAltitude;            // the region's minima for category 6
    float topCategoryMinGain;
};

// The tables for regionIndex, 0 to 5 (an index outside is held to the nearest).
ReferenceTables LoadReferenceTables(int regionIndex);

} // namespace passcat
