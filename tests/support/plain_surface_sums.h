#pragma once

#include <vector>

// The surface score as the rule states it, one point after the other: for each point
// its own ascending single-precision sum. The yardstick of the tests and benchmarks.
namespace passcat::testing {

inline std::vector<float> PlainAscendingSums(const std::vector<double>& values, const std::vector<double>& deltas,
                                             const std::vector<double>& coefs)
{
    const std::size_t segments = deltas.size();
    std::vector<float> scores(segments);
    for (std::size_t i = 0; i < segments; ++i) {
        const double span = values[segments] - values[i];
        float sum = 0;
        for (std::size_t j = i; j < segments; ++j)
            sum = static_cast<float>(static_cast<double>(sum) + deltas[j] / span * coefs[j]);
        scores[i] = sum;
    }
    return scores;
}

} // namespace passcat::testing
