#include "engine/segment_series.h"

#include <cmath>

#include "engine/messages.h"

namespace passcat {
namespace {

std::optional<std::size_t> FirstPointWithInfiniteValue(const ObstacleBlock& block)
{
    for (std::size_t i = 0; i < block.heights.size(); ++i) {
        if (!std::isfinite(block.heights[i]) || !std::isfinite(block.distances[i])
            || !std::isfinite(block.surfaceCoefs[i]))
            return i;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> CheckProfile(const ObstacleBlock& block, SurfaceWeighting weighting,
                                        std::uint64_t titleLineNumber)
{
    const auto& h = block.heights;
    const auto& d = block.distances;
    if (block.pointCount() < 2)
        return std::string(messages::kTooFewPoints);
    if (h.back() <= h.front())
        return std::string(messages::kEndNotHigher);
    if (d.back() <= d.front())
        return std::string(messages::kEndNotFarther);
    if (block.pointCount() > kMaxPointsPerBlock)
        return messages::TooManyPoints(block.pointCount());
    if (const auto point = FirstPointWithInfiniteValue(block))
        return messages::NumberTooLarge(*point, titleLineNumber);

    const std::size_t last = h.size() - 1;
    for (std::size_t i = 0; i + 1 < last; ++i) {
        if (d[i + 1] == d[i])
            return messages::SameDistanceAsNext(i, titleLineNumber);
    }
    for (std::size_t i = 0; i < last; ++i) {
        if (d[i] == d[last])
            return messages::SameDistanceAsEnd(i, titleLineNumber);
    }
    if (weighting == SurfaceWeighting::ByHeight) {
        for (std::size_t i = 0; i < last; ++i) {
            if (h[i] == h[last])
                return messages::SameHeightAsEnd(i, titleLineNumber);
        }
    }
    return std::nullopt;
}

SegmentSeries DeriveSegmentSeries(const ObstacleBlock& block)
{
    const auto& h = block.heights;
    const auto& d = block.distances;
    const std::size_t segments = h.size() - 1;
    SegmentSeries s;
    s.deltaDistances.reserve(segments);
    s.deltaHeights.reserve(segments);
    s.segmentGrades.reserve(segments);
    s.remainingGrades.reserve(segments);
    for (std::size_t i = 0; i < segments; ++i) {
        s.deltaDistances.push_back(d[i + 1] - d[i]);
        s.deltaHeights.push_back(h[i + 1] - h[i]);
    }
    for (std::size_t i = 0; i < segments; ++i) {
        const double metres = s.deltaDistances[i] * 1000;
        s.segmentGrades.push_back(s.deltaHeights[i] / metres * 100);
    }
    for (std::size_t i = 0; i < segments; ++i) {
        const double gain = h[segments] - h[i];
        const double length = d[segments] - d[i];
        s.remainingGrades.push_back(gain / (length * 1000) * 100);
    }
    return s;
}

} // namespace passcat
