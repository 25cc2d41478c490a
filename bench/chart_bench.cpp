// Speed of drawing the chart of a block of 32767 points, the largest there is: the
// drawing model, its display list, the painting of the list into an image, and the
// whole SVG and PNG files from the model.
#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cmath>

#include "chart/chart_font.h"
#include "chart/chart_renderer.h"

namespace passcat {
namespace {

const ChartTexts kTexts{"Перевал с профилем из 32767 точек", "Категория сложности: 6", "Балл: 11.93708", '.'};

// A climb with ups and downs, every category in stretches of varying length.
RatedBlock LargestBlock()
{
    RatedBlock rated;
    for (int i = 0; i < 32767; ++i) {
        const double t = i / 32767.0;
        rated.block.distances.push_back(i * 0.0008);
        rated.block.heights.push_back(1500 + 2200 * t + 300 * std::sin(t * 25) + 120 * std::sin(t * 140) + (i % 13));
        if (i + 1 < 32767) {
            rated.ratings.recommendation.pointCategories.push_back(static_cast<std::int16_t>((i / 97 + i % 3) % 7));
            rated.ratings.scores.pointScores.push_back(static_cast<float>(1 + (i % 1000) / 100.0));
        }
    }
    rated.ratings.recommendation.recommendedPoint = 20000;
    return rated;
}

ChartModel LargestChart()
{
    return BuildChartModel(LargestBlock(), kTexts);
}

void BM_ChartModel(benchmark::State& state)
{
    const RatedBlock rated = LargestBlock();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildChartModel(rated, kTexts));
}
BENCHMARK(BM_ChartModel)->Unit(benchmark::kMillisecond);

void BM_ChartLayout(benchmark::State& state)
{
    const ChartModel model = LargestChart();
    for (auto _ : state)
        benchmark::DoNotOptimize(LayOutChart(model));
}
BENCHMARK(BM_ChartLayout)->Unit(benchmark::kMillisecond);

void BM_PaintImage(benchmark::State& state)
{
    const ChartDisplayList list = LayOutChart(LargestChart());
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderChartImage(list, kChartPage));
}
BENCHMARK(BM_PaintImage)->Unit(benchmark::kMillisecond);

void BM_ChartFile(benchmark::State& state)
{
    const ChartModel model = LargestChart();
    const auto format = static_cast<ChartFormat>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderChart(LayOutChart(model), format));
    state.SetLabel(format == ChartFormat::Png ? "png" : "svg");
}
BENCHMARK(BM_ChartFile)->Arg(static_cast<int>(ChartFormat::Svg))->Arg(static_cast<int>(ChartFormat::Png))->Unit(benchmark::kMillisecond);

} // namespace
} // namespace passcat

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (!passcat::LoadChartFont())
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
