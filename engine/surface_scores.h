#pragma once

#include <cstddef>
#include <span>

namespace passcat {

// The ways the surface scores can be computed. All of them give the same bits: each
// point's score is its own ascending single-precision sum, and the kernels only work
// on several points side by side (one point per lane) so that the divisions of
// neighbouring points overlap.
enum class SurfaceKernel {
    Portable, // plain C++, independent accumulators
    Sse2,     // x86-64 baseline: two points per register
    Avx,      // four points per register, on processors that have it
    Avx512,   // eight points per register, on processors that have it
};

// The fastest kernel this processor runs.
SurfaceKernel FastestSurfaceKernel();

bool SurfaceKernelAvailable(SurfaceKernel kernel);

// The work of ComputeSurfaceScores (see point_scores.h), one score per element of
// deltas into scores, with the chosen kernel on up to `threads` threads (0: as many
// as the machine has; small blocks use one).
void ComputeSurfaceScoresWith(SurfaceKernel kernel, unsigned threads, std::span<const double> values,
                              std::span<const double> deltas, std::span<const double> surfaceCoefs,
                              std::span<float> scores);

} // namespace passcat
