#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace passcat {

// One evaluated obstacle as its chart shows it.
struct ProfileChart {
    std::string title;                    // UTF-8
    std::vector<double> distances;        // km along the route, every point
    std::vector<double> heights;          // m, every point
    std::vector<std::int16_t> categories; // 0 to 6, one per segment (point i to i + 1)
    std::vector<float> scores;            // one per segment
    std::size_t recommendedPoint = 0;
    std::string categoryText;             // "Категория сложности: 5", as the report writes it
    std::string scoreText;                // "Балл: 7.274667", as the report writes it
    char decimalSeparator = '.';          // for the axes' numbers, as in the report
};

} // namespace passcat
