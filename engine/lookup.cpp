#include "engine/lookup.h"

#include <cassert>

namespace passcat {

float InterpolateLinear(float node1, float coef1, float node2, float coef2, float x)
{
    // Each step is computed in double from the stored singles and stored as single
    // again: the last bit of a coefficient depends on it.
    const auto slope = static_cast<float>((static_cast<double>(coef1) - coef2) / (static_cast<double>(node1) - node2));
    const auto intercept = static_cast<float>(coef1 - static_cast<double>(slope) * node1);
    return static_cast<float>(static_cast<double>(slope) * x + intercept);
}

float LookupCoefficient(std::span<const float> nodes, std::span<const float> coefs, double x)
{
    assert(!nodes.empty() && nodes.size() == coefs.size());
    std::size_t k = 0;
    while (k < nodes.size() && !(static_cast<double>(nodes[k]) > x))
        ++k;
    if (k == 0)
        return coefs.front();
    if (k == nodes.size())
        return coefs.back();
    if (x == static_cast<double>(nodes[k - 1]))
        return coefs[k - 1];
    return InterpolateLinear(nodes[k - 1], coefs[k - 1], nodes[k], coefs[k], static_cast<float>(x));
}

std::int16_t CategoryFromScore(const ReferenceTables& tables, float score, float altitude, float gain)
{
    std::int16_t candidate = 0;
    for (std::int16_t i = 6; i >= 1; --i) {
        if (score > tables.categoryThresholds[static_cast<std::size_t>(i - 1)]) {
            candidate = i;
            break;
        }
    }
    if (candidate < 6)
        return candidate;
    const bool highEnough = tables.topCategoryMinAltitude <= altitude && tables.topCategoryMinGain <= gain;
    return highEnough ? std::int16_t{6} : std::int16_t{5};
}

} // namespace passcat
