#pragma once

#include <span>
#include <vector>

#include "engine/work_sharing.h"

namespace passcat {

// The surface score of every point i: the single-precision sum, ascending over j
// from i, of (deltas[j] / (values.back() - values[i])) * surfaceCoefs[j], rounded
// after each addition. values has one element more than deltas.

// The ways to compute it. All give the same bits: the reference kernel is the rule
// itself, one point after the other; the vector kernels keep each point's sum in
// its own lane, several points side by side, so that their divisions overlap.
enum class SurfaceKernel {
    Reference,
    Baseline, // registers of two points (SSE2 on x86-64)
    Avx,      // four points, on processors that have it
    Avx512,   // eight points, on processors that have it
};

bool SurfaceKernelAvailable(SurfaceKernel kernel);

// One score per element of deltas into scores, with the given kernel (Reference
// where it is not available); large blocks ask `sharing` for helper threads.
void ComputeSurfaceScoresWith(SurfaceKernel kernel, WorkSharing* sharing, std::span<const double> values,
                              std::span<const double> deltas, std::span<const double> surfaceCoefs,
                              std::span<float> scores);

// The same with the fastest kernel for a block of this size.
std::vector<float> ComputeSurfaceScores(std::span<const double> values, std::span<const double> deltas,
                                        std::span<const double> surfaceCoefs, WorkSharing* sharing = nullptr);

} // namespace passcat
