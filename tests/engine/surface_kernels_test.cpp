// Every vector kernel against the reference kernel, bit for bit, on one thread and
// with the groups handed out to several real threads at once.
#include "engine/surface_scores.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "tests/support/thread_sharing.h"

namespace {

using namespace passcat;
using passcat::testing::ThreadSharing;

// Values that rise and fall, an end above all of them, coefficients now and then of
// any size and sign, so that the sums cancel and round every way.
void ExpectKernelsExact(std::mt19937_64& random, std::size_t points)
{
    std::uniform_real_distribution<double> step(-60.0, 150.0), coef(0.5, 3.0), wild(-1e6, 1e6);
    std::vector<double> values(points), deltas(points - 1), coefs(points);
    for (std::size_t i = 0; i < points; ++i) {
        values[i] = i == 0 ? 1000 : values[i - 1] + (random() % 4 ? step(random) : std::round(step(random)));
        coefs[i] = random() % 50 ? coef(random) : wild(random);
    }
    values.back() = *std::max_element(values.begin(), values.end()) + 1 + coef(random);
    std::transform(values.begin() + 1, values.end(), values.begin(), deltas.begin(), std::minus<>());
    std::vector<float> expected(points - 1);
    ComputeSurfaceScoresWith(SurfaceKernel::Reference, nullptr, values, deltas, coefs, expected);
    const auto same = [&](const std::vector<float>& scores) {
        return std::memcmp(scores.data(), expected.data(), expected.size() * sizeof(float)) == 0;
    };
    EXPECT_TRUE(same(ComputeSurfaceScores(values, deltas, coefs))) << points << " points";
    for (const SurfaceKernel kernel : {SurfaceKernel::Baseline, SurfaceKernel::Avx, SurfaceKernel::Avx512}) {
        ThreadSharing threads;
        for (WorkSharing* sharing : std::initializer_list<WorkSharing*>{nullptr, &threads}) {
            std::vector<float> scores(points - 1, -1.0f);
            ComputeSurfaceScoresWith(kernel, sharing, values, deltas, coefs, scores);
            EXPECT_TRUE(same(scores)) << "kernel " << static_cast<int>(kernel) << ", " << points << " points"
                                      << (sharing ? ", on threads" : "");
        }
        EXPECT_TRUE(points < 3000 || threads.shared || !SurfaceKernelAvailable(kernel)) << "a large block not shared";
    }
}

TEST(SurfaceKernels, SameBitsAsTheReference)
{
    std::mt19937_64 random(20261207);
    for (std::size_t k = 0; k < 6 * 40; ++k) // every size from 2 to 41 points, six times
        ExpectKernelsExact(random, 2 + k % 40);
    // Around and past the groups of 8, 16 and 32 points, and blocks shared between threads.
    for (const std::size_t points : {49, 63, 64, 65, 66, 97, 127, 129, 1502, 3001, 4097})
        ExpectKernelsExact(random, points);
}

} // namespace
