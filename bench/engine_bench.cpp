// Speed of the engine's pieces: number texts both ways, the lookup, the surface scores
// and whole blocks, evaluated from text in memory into text in memory. Large blocks
// share their surface sums with the other hardware threads, as a run does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "engine/block_evaluation.h"
#include "engine/lookup.h"
#include "engine/number_formatting.h"
#include "engine/number_parsing.h"
#include "engine/surface_scores.h"
#include "engine/text_lines.h"

namespace passcat {
namespace {

// Runs the work on the calling thread and on as many helpers as asked for, up to one
// fewer than there are hardware threads.
class HardwareThreads final : public WorkSharing {
public:
    void share(unsigned helpers, const std::function<void()>& work) override
    {
        const unsigned available = std::max(std::thread::hardware_concurrency(), 1u) - 1;
        std::vector<std::jthread> threads;
        for (unsigned k = 0; k < std::min(helpers, available); ++k)
            threads.emplace_back(work);
        work();
    }
};

// Column texts as profile files hold them.
constexpr std::array<std::string_view, 12> kColumnTexts = {
    "2345,6", "12,345", "1,3", "3100", "0", "1.5", "-12,5", "1 234,5", "4.125", "1,2E3", "2", "x",
};

void BM_ParseNumberText(benchmark::State& state)
{
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseNumberText(kColumnTexts[k]));
        k = k + 1 == kColumnTexts.size() ? 0 : k + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ParseNumberText);

// Values like those of the report's rows: distances, differences, grades, scores.
std::vector<double> RowValues()
{
    std::mt19937_64 random(7);
    std::uniform_int_distribution<int> metres(0, 40000);
    std::uniform_real_distribution<double> grade(-30.0, 60.0);
    std::vector<double> values;
    for (int k = 0; k < 1024; ++k) {
        const double a = metres(random) / 1000.0;
        const double b = metres(random) / 1000.0;
        values.push_back(k % 4 == 0 ? a : k % 4 == 1 ? a - b : k % 4 == 2 ? grade(random) : static_cast<float>(a / 7));
    }
    return values;
}

template <typename Append>
void AppendNumbers(benchmark::State& state, Append append)
{
    const std::vector<double> values = RowValues();
    std::string line;
    std::size_t k = 0;
    for (auto _ : state) {
        if (line.size() > 4096)
            line.clear();
        append(line, values[k]);
        k = (k + 1) & 1023;
    }
    benchmark::DoNotOptimize(line.data());
    state.SetItemsProcessed(state.iterations());
}

void BM_PutPlainDouble(benchmark::State& state)
{
    AppendNumbers(state, [](std::string& line, double value) { AppendNumberText(line, PutPlainDouble, value, ','); });
}
BENCHMARK(BM_PutPlainDouble);

void BM_PutPlainSingle(benchmark::State& state)
{
    AppendNumbers(state, [](std::string& line, double value) {
        AppendNumberText(line, PutPlainSingle, static_cast<float>(value), ',');
    });
}
BENCHMARK(BM_PutPlainSingle);

void BM_PutThreeDecimals(benchmark::State& state)
{
    AppendNumbers(state, [](std::string& line, double value) { AppendNumberText(line, PutThreeDecimals, value, ','); });
}
BENCHMARK(BM_PutThreeDecimals);

void BM_LookupCoefficient(benchmark::State& state)
{
    const ReferenceTables tables = LoadReferenceTables(5);
    const std::vector<double> values = RowValues();
    std::size_t k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LookupCoefficient(tables.gradeNodes, tables.steepnessCoefTable, values[k]));
        k = (k + 1) & 1023;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LookupCoefficient);

// One block of the given number of points that passes every check.
std::string BlockText(std::int64_t points)
{
    std::mt19937_64 random(static_cast<std::uint64_t>(points));
    std::uniform_int_distribution<int> rise(1, 1500);
    std::uniform_int_distribution<int> advance(10, 800);
    std::uniform_int_distribution<int> coef(10, 20);
    std::string text = "Перевал\r\n";
    long long height = 20000; // tenths of a metre
    long long distance = 0;   // metres
    for (std::int64_t i = 0; i < points; ++i) {
        std::string metres = std::to_string(1000 + distance % 1000); // zero-padded to three digits
        text += std::to_string(height / 10) + ',' + std::to_string(height % 10) + '\t' + std::to_string(distance / 1000)
            + ',' + metres.substr(1) + '\t' + std::to_string(coef(random) / 10.0).substr(0, 3) + "\r\n";
        height += rise(random);
        distance += advance(random);
    }
    return text + "@@@\r\n";
}

// Range 0: points; range 1: 1 weights by length, 0 by height.
void BM_EvaluateObstacleBlock(benchmark::State& state)
{
    const std::string text = BlockText(state.range(0));
    HardwareThreads threads;
    EvaluationSettings settings;
    settings.tables = LoadReferenceTables(5);
    settings.weighting = state.range(1) != 0 ? SurfaceWeighting::ByLength : SurfaceWeighting::ByHeight;
    settings.sharing = &threads;
    bool rejected = false;
    std::size_t bytes = 0;
    for (auto _ : state) {
        TextLineSource source(text);
        TextLineSink sink;
        rejected = rejected || EvaluateObstacleBlock(source, sink, settings).outcome != BlockOutcome::Accepted;
        bytes = sink.text().size();
        benchmark::DoNotOptimize(sink.text().data());
    }
    if (rejected)
        state.SkipWithError("the block was rejected");
    state.counters["report_bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EvaluateObstacleBlock)
    ->ArgNames({"points", "byLength"})
    ->ArgsProduct({{20, 1000}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EvaluateObstacleBlock)
    ->ArgNames({"points", "byLength"})
    ->ArgsProduct({{32767}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The surface scores alone, with the fastest kernel, on the hardware threads.
void BM_ComputeSurfaceScores(benchmark::State& state)
{
    const std::size_t points = static_cast<std::size_t>(state.range(0));
    std::vector<double> values{0}, deltas, coefs;
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> step(0.01, 0.8);
    for (std::size_t i = 1; i < points; ++i) {
        values.push_back(values.back() + step(random));
        deltas.push_back(values[i] - values[i - 1]);
    }
    for (std::size_t i = 0; i < points; ++i)
        coefs.push_back(1.0 + static_cast<double>(i % 11) / 10);
    HardwareThreads threads;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeSurfaceScores(values, deltas, coefs, &threads).data());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(points) * static_cast<std::int64_t>(points)
                            / 2);
}
BENCHMARK(BM_ComputeSurfaceScores)->Arg(1000)->Arg(32767)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace passcat

BENCHMARK_MAIN();
