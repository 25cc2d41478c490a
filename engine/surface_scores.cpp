#include "engine/surface_scores.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <cstddef>

#if defined(__GNUC__)
// GCC's and clang's vector extensions: one loop for every register width.
#define PASSCAT_VECTOR_KERNELS 1
#endif
#if defined(PASSCAT_VECTOR_KERNELS) && defined(__x86_64__)
// Wider kernels are compiled for their instruction sets only and chosen at run time,
// so the program itself keeps running on every x86-64 processor.
#define PASSCAT_WIDE_KERNELS 1
#endif

namespace passcat {
namespace {

struct Block {
    const double* values;
    const double* deltas;
    const double* coefs;
    std::size_t segments;
    float* scores;
};

// The rule as it stands: for each point its own ascending single-precision sum.
void ReferenceSums(const Block& b)
{
    for (std::size_t i = 0; i < b.segments; ++i) {
        const double span = b.values[b.segments] - b.values[i];
        float sum = 0;
        for (std::size_t j = i; j < b.segments; ++j)
            sum = static_cast<float>(static_cast<double>(sum) + b.deltas[j] / span * b.coefs[j]);
        b.scores[i] = sum;
    }
}

#if defined(PASSCAT_VECTOR_KERNELS)

// Registers side by side in a group: four keep the divider busy while each sum
// waits for its previous rounding (more measured no faster).
constexpr std::size_t kRegisters = 4;

// The register types of each width (the attribute takes no template argument).
template <std::size_t Width>
struct LaneTypes;
template <>
struct LaneTypes<2> {
    typedef double Doubles __attribute__((vector_size(16)));
    typedef float Floats __attribute__((vector_size(8)));
};
template <>
struct LaneTypes<4> {
    typedef double Doubles __attribute__((vector_size(32)));
    typedef float Floats __attribute__((vector_size(16)));
};
template <>
struct LaneTypes<8> {
    typedef double Doubles __attribute__((vector_size(64)));
    typedef float Floats __attribute__((vector_size(32)));
};

// A group of Width * kRegisters consecutive points from first, one point per lane:
// lane k holds point first + k, its span and its running sum. For every j each lane
// does, for its own point, sum = float(double(sum) + deltas[j] / span * coefs[j]),
// exactly the steps of the reference. A lane starts at its own j = first + k:
// before that its term is +0.0, and +0.0 + +0.0 leaves the fresh sum +0.0. Lanes past
// the last point compute with a span of 1 and are not stored. Inlined into each
// kernel below, so that it is compiled for that kernel's instruction set.
template <std::size_t Width>
[[gnu::always_inline]] inline void SumGroup(const Block& b, std::size_t first)
{
    using Doubles = typename LaneTypes<Width>::Doubles;
    using Floats = typename LaneTypes<Width>::Floats;
    constexpr std::size_t kLanes = Width * kRegisters;
    const double end = b.values[b.segments];
    Doubles span[kRegisters];
    Doubles sum[kRegisters];
    Doubles lane[kRegisters];
    for (std::size_t v = 0; v < kRegisters; ++v) {
        sum[v] = Doubles{};
        for (std::size_t k = 0; k < Width; ++k) {
            const std::size_t point = first + v * Width + k;
            span[v][k] = point < b.segments ? end - b.values[point] : 1.0;
            lane[v][k] = static_cast<double>(v * Width + k);
        }
    }
    const std::size_t rampEnd = std::min(first + kLanes - 1, b.segments);
    std::size_t j = first;
    for (; j < rampEnd; ++j) {
        const Doubles reached = Doubles{} + static_cast<double>(j - first);
        for (std::size_t v = 0; v < kRegisters; ++v) {
            const Doubles term = lane[v] <= reached ? b.deltas[j] / span[v] * b.coefs[j] : Doubles{};
            sum[v] = __builtin_convertvector(__builtin_convertvector(sum[v] + term, Floats), Doubles);
        }
    }
    for (; j < b.segments; ++j) {
        for (std::size_t v = 0; v < kRegisters; ++v) {
            const Doubles term = b.deltas[j] / span[v] * b.coefs[j];
            sum[v] = __builtin_convertvector(__builtin_convertvector(sum[v] + term, Floats), Doubles);
        }
    }
    for (std::size_t v = 0; v < kRegisters; ++v) {
        for (std::size_t k = 0; k < Width; ++k) {
            const std::size_t point = first + v * Width + k;
            if (point < b.segments)
                b.scores[point] = static_cast<float>(sum[v][k]);
        }
    }
}

void SumGroupBaseline(const Block& b, std::size_t first) { SumGroup<2>(b, first); }

#endif

#if defined(PASSCAT_WIDE_KERNELS)
__attribute__((target("avx"))) void SumGroupAvx(const Block& b, std::size_t first) { SumGroup<4>(b, first); }
__attribute__((target("avx512f"))) void SumGroupAvx512(const Block& b, std::size_t first) { SumGroup<8>(b, first); }
#endif

using GroupKernel = void (*)(const Block& b, std::size_t first);

struct GroupKernelInfo {
    GroupKernel sum;
    std::size_t points;
};

GroupKernelInfo InfoOf(SurfaceKernel kernel)
{
    switch (kernel) {
#if defined(PASSCAT_WIDE_KERNELS)
    case SurfaceKernel::Avx512:
        return {SumGroupAvx512, 8 * kRegisters};
    case SurfaceKernel::Avx:
        return {SumGroupAvx, 4 * kRegisters};
#endif
#if defined(PASSCAT_VECTOR_KERNELS)
    case SurfaceKernel::Baseline:
        return {SumGroupBaseline, 2 * kRegisters};
#endif
    default:
        return {nullptr, 0};
    }
}

SurfaceKernel FastestSurfaceKernel()
{
    static const SurfaceKernel fastest = [] {
        for (const SurfaceKernel kernel : {SurfaceKernel::Avx512, SurfaceKernel::Avx, SurfaceKernel::Baseline}) {
            if (SurfaceKernelAvailable(kernel))
                return kernel;
        }
        return SurfaceKernel::Reference;
    }();
    return fastest;
}

// Below this many segments one thread does the whole block: the work grows with the
// square of the count, and waking a thread costs about as much as a block this size.
constexpr std::size_t kSegmentsPerExtraThread = 1500;

// The widest registers pay off once a group of points has a long way to sum.
constexpr std::size_t kShortBlockSegments = 128;

} // namespace

bool SurfaceKernelAvailable(SurfaceKernel kernel)
{
    switch (kernel) {
    case SurfaceKernel::Reference:
        return true;
    case SurfaceKernel::Baseline:
#if defined(PASSCAT_VECTOR_KERNELS)
        return true;
#else
        return false;
#endif
    case SurfaceKernel::Avx:
#if defined(PASSCAT_WIDE_KERNELS)
        return __builtin_cpu_supports("avx");
#else
        return false;
#endif
    case SurfaceKernel::Avx512:
#if defined(PASSCAT_WIDE_KERNELS)
        return __builtin_cpu_supports("avx512f");
#else
        return false;
#endif
    }
    return false;
}

void ComputeSurfaceScoresWith(SurfaceKernel kernel, WorkSharing* sharing, std::span<const double> values,
                              std::span<const double> deltas, std::span<const double> surfaceCoefs,
                              std::span<float> scores)
{
    const std::size_t segments = deltas.size();
    assert(values.size() == segments + 1 && surfaceCoefs.size() >= segments && scores.size() == segments);
    const Block block{values.data(), deltas.data(), surfaceCoefs.data(), segments, scores.data()};
    const GroupKernelInfo info = SurfaceKernelAvailable(kernel) ? InfoOf(kernel) : GroupKernelInfo{};
    if (info.sum == nullptr) {
        ReferenceSums(block);
        return;
    }
    const std::size_t groups = (segments + info.points - 1) / info.points;
    // The groups are handed out one by one, the longest sums first, so that the
    // threads finish together.
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t g; (g = next.fetch_add(1, std::memory_order_relaxed)) < groups;)
            info.sum(block, g * info.points);
    };
    const std::size_t helpers = std::min(segments / kSegmentsPerExtraThread, groups - (groups != 0 ? 1 : 0));
    if (sharing != nullptr && helpers != 0)
        sharing->share(static_cast<unsigned>(std::min<std::size_t>(helpers, 1024)), work);
    else
        work();
}

std::vector<float> ComputeSurfaceScores(std::span<const double> values, std::span<const double> deltas,
                                        std::span<const double> surfaceCoefs, WorkSharing* sharing)
{
    std::vector<float> scores(deltas.size());
    SurfaceKernel kernel = FastestSurfaceKernel();
    if (deltas.size() < kShortBlockSegments && SurfaceKernelAvailable(SurfaceKernel::Baseline))
        kernel = SurfaceKernel::Baseline;
    ComputeSurfaceScoresWith(kernel, sharing, values, deltas, surfaceCoefs, scores);
    return scores;
}

} // namespace passcat
