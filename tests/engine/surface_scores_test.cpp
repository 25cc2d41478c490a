// Every surface kernel, on one thread and on several, against the plain loop: for each
// point its own ascending single-precision sum, bit for bit, under both weightings.
#include "engine/surface_scores.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/point_scores.h"
#include "engine/segment_series.h"
#include "tests/support/plain_surface_sums.h"

namespace passcat {
namespace {

using testing::PlainAscendingSums;

// A random block that passes the checks: distances rise; heights mostly rise but also
// fall, so that height weights are negative at times; coefficients of any sign and
// size now and then, so that sums cancel and round in every way.
ObstacleBlock RandomBlock(std::mt19937_64& random, std::size_t points)
{
    std::uniform_real_distribution<double> advance(0.001, 1.5);
    std::uniform_real_distribution<double> rise(-60.0, 150.0);
    std::uniform_real_distribution<double> coef(0.5, 3.0);
    std::uniform_real_distribution<double> wild(-1e6, 1e6);
    ObstacleBlock block{std::string(1, 't'), {}, {}, {}, 0};
    double height = 1000 + static_cast<double>(random() % 3000);
    double distance = static_cast<double>(random() % 10);
    for (std::size_t i = 0; i < points; ++i) {
        block.heights.push_back(height);
        block.distances.push_back(distance);
        block.surfaceCoefs.push_back(random() % 50 == 0 ? wild(random) : coef(random));
        height += random() % 4 == 0 ? std::round(rise(random)) : rise(random);
        distance += random() % 3 == 0 ? std::round(advance(random) * 1000) / 1000 : advance(random);
    }
    // The end lies above every other point, so no height span is zero.
    block.heights.back() = *std::max_element(block.heights.begin(), block.heights.end()) + 1 + coef(random);
    return block;
}

std::vector<SurfaceKernel> AvailableKernels()
{
    std::vector<SurfaceKernel> kernels;
    for (const SurfaceKernel kernel :
         {SurfaceKernel::Portable, SurfaceKernel::Sse2, SurfaceKernel::Avx, SurfaceKernel::Avx512}) {
        if (SurfaceKernelAvailable(kernel))
            kernels.push_back(kernel);
    }
    return kernels;
}

std::string Describe(SurfaceKernel kernel, unsigned threads, bool byLength, std::size_t points)
{
    std::ostringstream text;
    text << "kernel " << static_cast<int>(kernel) << ", " << threads << " threads, "
         << (byLength ? "by length" : "by height") << ", " << points << " points";
    return text.str();
}

void ExpectAllKernelsExact(const ObstacleBlock& block, const std::vector<unsigned>& threadCounts)
{
    ASSERT_FALSE(CheckProfile(block, false).has_value());
    const SegmentSeries series = DeriveSegmentSeries(block);
    for (const bool byLength : {false, true}) {
        const std::vector<double>& values = byLength ? block.distances : block.heights;
        const std::vector<double>& deltas = byLength ? series.deltaDistances : series.deltaHeights;
        const std::vector<float> expected = PlainAscendingSums(values, deltas, block.surfaceCoefs);
        for (const SurfaceKernel kernel : AvailableKernels()) {
            for (const unsigned threads : threadCounts) {
                std::vector<float> scores(deltas.size(), -1.0f);
                ComputeSurfaceScoresWith(kernel, threads, values, deltas, block.surfaceCoefs, scores);
                for (std::size_t i = 0; i < expected.size(); ++i) {
                    ASSERT_EQ(std::bit_cast<std::uint32_t>(scores[i]), std::bit_cast<std::uint32_t>(expected[i]))
                        << Describe(kernel, threads, byLength, block.heights.size()) << ", point " << i;
                }
            }
        }
        // And the entry the engine uses.
        const std::vector<float> scores = ComputeSurfaceScores(values, deltas, block.surfaceCoefs);
        ASSERT_EQ(scores.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            ASSERT_EQ(std::bit_cast<std::uint32_t>(scores[i]), std::bit_cast<std::uint32_t>(expected[i])) << i;
    }
}

TEST(SurfaceScores, AllKernelsAreExactOnSmallBlocks)
{
    std::mt19937_64 random(20261206);
    // Every size from 2 to 41 points, around all the group widths, several times.
    for (int round = 0; round < 12; ++round) {
        for (std::size_t points = 2; points <= 41; ++points)
            ExpectAllKernelsExact(RandomBlock(random, points), {1, 2, 3});
    }
}

TEST(SurfaceScores, AllKernelsAreExactAroundGroupWidths)
{
    std::mt19937_64 random(7);
    for (const std::size_t width : {4, 8, 16, 32, 64}) {
        for (const std::size_t points : {width - 1, width, width + 1, width + 2, 3 * width + 1})
            ExpectAllKernelsExact(RandomBlock(random, points), {1, 2});
    }
}

TEST(SurfaceScores, AllKernelsAreExactOnLargeBlocksOnSeveralThreads)
{
    std::mt19937_64 random(11);
    // Sizes above the point where the work is shared between threads.
    for (const std::size_t points : {1499, 1501, 1502, 2000, 3001, 3333, 4097})
        ExpectAllKernelsExact(RandomBlock(random, points), {0, 1, 2, 3, 5});
}

} // namespace
} // namespace passcat
