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

// A climb with ups and downs, every category in stretches of varying length.
ProfileChart LargestChart()
{
    ProfileChart chart;
    chart.title = "Перевал с профилем из 32767 точек";
    for (int i = 0; i < 32767; ++i) {
        const double t = i / 32767.0;
        chart.distances.push_back(i * 0.0008);
        chart.heights.push_back(1500 + 2200 * t + 300 * std::sin(t * 25) + 120 * std::sin(t * 140) + (i % 13));
        if (i + 1 < 32767) {
            chart.categories.push_back(static_cast<std::int16_t>((i / 97 + i % 3) % 7));
            chart.scores.push_back(static_cast<float>(1 + (i % 1000) / 100.0));
        }
    }
    chart.recommendedPoint = 20000;
    chart.categoryText = "Категория сложности: 6";
    chart.scoreText = "Балл: 11.93708";
    return chart;
}

void BM_ChartModel(benchmark::State& state)
{
    const ProfileChart chart = LargestChart();
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildChartModel(chart));
}
BENCHMARK(BM_ChartModel)->Unit(benchmark::kMillisecond);

void BM_ChartLayout(benchmark::State& state)
{
    const ChartModel model = BuildChartModel(LargestChart());
    for (auto _ : state)
        benchmark::DoNotOptimize(LayOutChart(model));
}
BENCHMARK(BM_ChartLayout)->Unit(benchmark::kMillisecond);

void BM_PaintImage(benchmark::State& state)
{
    const ChartDisplayList list = LayOutChart(BuildChartModel(LargestChart()));
    for (auto _ : state)
        benchmark::DoNotOptimize(RenderChartImage(list, kChartPage));
}
BENCHMARK(BM_PaintImage)->Unit(benchmark::kMillisecond);

void BM_ChartFile(benchmark::State& state)
{
    const ChartModel model = BuildChartModel(LargestChart());
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
