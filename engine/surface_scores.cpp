#include "engine/surface_scores.h"

#include <algorithm>
#include <atomic>
#include <cassert>
#include <thread>
#include <vector>

#if defined(__x86_64__) || defined(_M_X64)
#define PASSCAT_X86_64 1
#include <immintrin.h>
#endif

#if defined(PASSCAT_X86_64) && defined(__GNUC__)
// Wider kernels are compiled for their instruction sets only and chosen at run time,
// so the program itself keeps running on every x86-64 processor.
#define PASSCAT_WIDE_KERNELS 1
#endif

namespace passcat {
namespace {

// Every kernel computes a group of consecutive points, one point per lane: lane k
// holds point i0 + k, its span values.back() - values[i0 + k] and its running sum.
// For every j the lanes do, each for its own point,
//     sum = float(double(sum) + deltas[j] / span * surfaceCoefs[j])
// exactly the steps of the plain loop. A lane starts at its own j = i0 + k: before
// that its term is masked to +0.0, and +0.0 + +0.0 leaves the fresh accumulator +0.0.
// Lanes past the last point compute with a span of 1 and are not stored.
struct Block {
    const double* values;
    const double* deltas;
    const double* coefs;
    std::size_t segments;
    float* scores;
};

using GroupKernel = void (*)(const Block& block, std::size_t first);

// Registers side by side in a group, per kernel: four keep the divider busy while
// each sum waits for its previous rounding (more measured no faster).
constexpr std::size_t kSse2Vectors = 4;
constexpr std::size_t kAvxVectors = 4;
constexpr std::size_t kAvx512Vectors = 4;

// Spans of the lanes of a group; lanes without a point get 1.
template <std::size_t Lanes>
void GroupSpans(const Block& b, std::size_t first, double* spans)
{
    const double end = b.values[b.segments];
    for (std::size_t k = 0; k < Lanes; ++k)
        spans[k] = first + k < b.segments ? end - b.values[first + k] : 1.0;
}

template <std::size_t Lanes>
void StoreGroup(const Block& b, std::size_t first, const float* sums)
{
    const std::size_t count = std::min(Lanes, b.segments - first);
    std::copy(sums, sums + count, b.scores + first);
}

// Plain C++: eight independent accumulators, which compilers may vectorize.
void GroupPortable(const Block& b, std::size_t first)
{
    constexpr std::size_t kLanes = 8;
    double spans[kLanes];
    GroupSpans<kLanes>(b, first, spans);
    float sums[kLanes] = {};
    for (std::size_t j = first; j < b.segments; ++j) {
        const double delta = b.deltas[j];
        const double coef = b.coefs[j];
        // Lanes whose point lies beyond j have not started yet.
        const std::size_t started = std::min(kLanes, j - first + 1);
        for (std::size_t k = 0; k < started; ++k)
            sums[k] = static_cast<float>(sums[k] + delta / spans[k] * coef);
    }
    StoreGroup<kLanes>(b, first, sums);
}

#if defined(PASSCAT_X86_64)

// SSE2, the x86-64 baseline: registers of two points.
void GroupSse2(const Block& b, std::size_t first)
{
    constexpr std::size_t kVectors = kSse2Vectors;
    constexpr std::size_t kLanes = 2 * kVectors;
    alignas(16) double spans[kLanes];
    GroupSpans<kLanes>(b, first, spans);
    __m128d span[kVectors];
    __m128d sum[kVectors];
    __m128d lane[kVectors];
    for (std::size_t v = 0; v < kVectors; ++v) {
        span[v] = _mm_load_pd(spans + 2 * v);
        sum[v] = _mm_setzero_pd();
        lane[v] = _mm_set_pd(static_cast<double>(2 * v + 1), static_cast<double>(2 * v));
    }
    const std::size_t rampEnd = std::min(first + kLanes - 1, b.segments);
    std::size_t j = first;
    for (; j < rampEnd; ++j) {
        const __m128d delta = _mm_set1_pd(b.deltas[j]);
        const __m128d coef = _mm_set1_pd(b.coefs[j]);
        const __m128d reached = _mm_set1_pd(static_cast<double>(j - first));
        for (std::size_t v = 0; v < kVectors; ++v) {
            const __m128d term = _mm_and_pd(_mm_mul_pd(_mm_div_pd(delta, span[v]), coef), _mm_cmple_pd(lane[v], reached));
            sum[v] = _mm_cvtps_pd(_mm_cvtpd_ps(_mm_add_pd(sum[v], term)));
        }
    }
    for (; j < b.segments; ++j) {
        const __m128d delta = _mm_set1_pd(b.deltas[j]);
        const __m128d coef = _mm_set1_pd(b.coefs[j]);
        for (std::size_t v = 0; v < kVectors; ++v)
            sum[v] = _mm_cvtps_pd(_mm_cvtpd_ps(_mm_add_pd(sum[v], _mm_mul_pd(_mm_div_pd(delta, span[v]), coef))));
    }
    alignas(16) float sums[kLanes + 2];
    for (std::size_t v = 0; v < kVectors; ++v)
        _mm_storel_pi(reinterpret_cast<__m64*>(sums + 2 * v), _mm_cvtpd_ps(sum[v]));
    StoreGroup<kLanes>(b, first, sums);
}

#endif

#if defined(PASSCAT_WIDE_KERNELS)

// AVX: registers of four points.
__attribute__((target("avx"))) void GroupAvx(const Block& b, std::size_t first)
{
    constexpr std::size_t kVectors = kAvxVectors;
    constexpr std::size_t kLanes = 4 * kVectors;
    alignas(32) double spans[kLanes];
    GroupSpans<kLanes>(b, first, spans);
    __m256d span[kVectors];
    __m256d sum[kVectors];
    __m256d lane[kVectors];
    for (std::size_t v = 0; v < kVectors; ++v) {
        span[v] = _mm256_load_pd(spans + 4 * v);
        sum[v] = _mm256_setzero_pd();
        const auto base = static_cast<double>(4 * v);
        lane[v] = _mm256_set_pd(base + 3, base + 2, base + 1, base);
    }
    const std::size_t rampEnd = std::min(first + kLanes - 1, b.segments);
    std::size_t j = first;
    for (; j < rampEnd; ++j) {
        const __m256d delta = _mm256_broadcast_sd(b.deltas + j);
        const __m256d coef = _mm256_broadcast_sd(b.coefs + j);
        const __m256d reached = _mm256_set1_pd(static_cast<double>(j - first));
        for (std::size_t v = 0; v < kVectors; ++v) {
            const __m256d active = _mm256_cmp_pd(lane[v], reached, _CMP_LE_OQ);
            const __m256d term = _mm256_and_pd(_mm256_mul_pd(_mm256_div_pd(delta, span[v]), coef), active);
            sum[v] = _mm256_cvtps_pd(_mm256_cvtpd_ps(_mm256_add_pd(sum[v], term)));
        }
    }
    for (; j < b.segments; ++j) {
        const __m256d delta = _mm256_broadcast_sd(b.deltas + j);
        const __m256d coef = _mm256_broadcast_sd(b.coefs + j);
        for (std::size_t v = 0; v < kVectors; ++v)
            sum[v] = _mm256_cvtps_pd(
                _mm256_cvtpd_ps(_mm256_add_pd(sum[v], _mm256_mul_pd(_mm256_div_pd(delta, span[v]), coef))));
    }
    alignas(16) float sums[kLanes];
    for (std::size_t v = 0; v < kVectors; ++v)
        _mm_store_ps(sums + 4 * v, _mm256_cvtpd_ps(sum[v]));
    StoreGroup<kLanes>(b, first, sums);
}

// AVX-512: registers of eight points.
__attribute__((target("avx512f"))) void GroupAvx512(const Block& b, std::size_t first)
{
    constexpr std::size_t kVectors = kAvx512Vectors;
    constexpr std::size_t kLanes = 8 * kVectors;
    // The masked conversions, with every lane selected, are the plain ones.
    constexpr __mmask8 kAll = 0xFF;
    alignas(64) double spans[kLanes];
    GroupSpans<kLanes>(b, first, spans);
    __m512d span[kVectors];
    __m512d sum[kVectors];
    for (std::size_t v = 0; v < kVectors; ++v) {
        span[v] = _mm512_load_pd(spans + 8 * v);
        sum[v] = _mm512_setzero_pd();
    }
    const std::size_t rampEnd = std::min(first + kLanes - 1, b.segments);
    std::size_t j = first;
    for (; j < rampEnd; ++j) {
        const __m512d delta = _mm512_set1_pd(b.deltas[j]);
        const __m512d coef = _mm512_set1_pd(b.coefs[j]);
        // Lanes 0 to j - first have started.
        const std::size_t started = j - first + 1;
        for (std::size_t v = 0; v < kVectors; ++v) {
            const std::size_t own = std::min<std::size_t>(8, started > 8 * v ? started - 8 * v : 0);
            const auto active = static_cast<__mmask8>((1u << own) - 1);
            const __m512d term = _mm512_maskz_mul_pd(active, _mm512_div_pd(delta, span[v]), coef);
            sum[v] = _mm512_maskz_cvtps_pd(kAll, _mm512_maskz_cvtpd_ps(kAll, _mm512_add_pd(sum[v], term)));
        }
    }
    for (; j < b.segments; ++j) {
        const __m512d delta = _mm512_set1_pd(b.deltas[j]);
        const __m512d coef = _mm512_set1_pd(b.coefs[j]);
        for (std::size_t v = 0; v < kVectors; ++v)
            sum[v] = _mm512_maskz_cvtps_pd(kAll, 
                _mm512_maskz_cvtpd_ps(kAll, _mm512_add_pd(sum[v], _mm512_mul_pd(_mm512_div_pd(delta, span[v]), coef))));
    }
    alignas(32) float sums[kLanes];
    for (std::size_t v = 0; v < kVectors; ++v)
        _mm256_store_ps(sums + 8 * v, _mm512_maskz_cvtpd_ps(kAll, sum[v]));
    StoreGroup<kLanes>(b, first, sums);
}

#endif

struct KernelInfo {
    GroupKernel group;
    std::size_t lanes;
};

KernelInfo InfoOf(SurfaceKernel kernel)
{
    switch (kernel) {
#if defined(PASSCAT_WIDE_KERNELS)
    case SurfaceKernel::Avx512:
        return {GroupAvx512, 8 * kAvx512Vectors};
    case SurfaceKernel::Avx:
        return {GroupAvx, 4 * kAvxVectors};
#endif
#if defined(PASSCAT_X86_64)
    case SurfaceKernel::Sse2:
        return {GroupSse2, 2 * kSse2Vectors};
#endif
    default:
        return {GroupPortable, 8};
    }
}

unsigned MachineThreads()
{
    static const unsigned count = std::max(1u, std::thread::hardware_concurrency());
    return count;
}

// Below this many segments one thread does the whole block: the work grows with the
// square of the count, and starting a thread costs about as much as a block this size.
constexpr std::size_t kSegmentsPerExtraThread = 1500;

} // namespace

bool SurfaceKernelAvailable(SurfaceKernel kernel)
{
    switch (kernel) {
    case SurfaceKernel::Portable:
        return true;
    case SurfaceKernel::Sse2:
#if defined(PASSCAT_X86_64)
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

SurfaceKernel FastestSurfaceKernel()
{
    static const SurfaceKernel fastest = [] {
        for (const SurfaceKernel kernel : {SurfaceKernel::Avx512, SurfaceKernel::Avx, SurfaceKernel::Sse2}) {
            if (SurfaceKernelAvailable(kernel))
                return kernel;
        }
        return SurfaceKernel::Portable;
    }();
    return fastest;
}

void ComputeSurfaceScoresWith(SurfaceKernel kernel, unsigned threads, std::span<const double> values,
                              std::span<const double> deltas, std::span<const double> surfaceCoefs,
                              std::span<float> scores)
{
    const std::size_t segments = deltas.size();
    assert(values.size() == segments + 1 && surfaceCoefs.size() >= segments && scores.size() == segments);
    if (segments == 0)
        return;
    if (!SurfaceKernelAvailable(kernel))
        kernel = SurfaceKernel::Portable;
    const KernelInfo info = InfoOf(kernel);
    const Block block{values.data(), deltas.data(), surfaceCoefs.data(), segments, scores.data()};
    const std::size_t groups = (segments + info.lanes - 1) / info.lanes;

    std::size_t wanted = segments / kSegmentsPerExtraThread + 1;
    if (wanted > 1)
        wanted = std::min<std::size_t>({wanted, groups, threads != 0 ? threads : MachineThreads()});
    if (wanted <= 1) {
        for (std::size_t g = 0; g < groups; ++g)
            info.group(block, g * info.lanes);
        return;
    }

    // The groups are handed out one by one, the longest sums first, so that the
    // threads finish together.
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t g; (g = next.fetch_add(1, std::memory_order_relaxed)) < groups;)
            info.group(block, g * info.lanes);
    };
    std::vector<std::thread> helpers;
    helpers.reserve(wanted - 1);
    try {
        while (helpers.size() + 1 < wanted)
            helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // No more threads to be had: the ones started and this one do the work.
    }
    work();
    for (std::thread& helper : helpers)
        helper.join();
}

} // namespace passcat
