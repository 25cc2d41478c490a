// Speed of the results window where the user waits on it: the readout and marker
// following one pointer move over a block of 32767 points (the goal: within one screen
// frame, 16 ms), and one surface change of a 2000-point block, rated again with its
// chart and table refreshed (the goal: 50 ms). Each paints the widgets into a picture,
// as the offscreen platform would otherwise skip the painting.
#include <QApplication>
#include <QMouseEvent>
#include <QTableView>

#include <benchmark/benchmark.h>

#include <cmath>

#include "chart/chart_font.h"
#include "engine/block_evaluation.h"
#include "gui/chart_view.h"
#include "gui/file_dialog.h"
#include "gui/message_presenter.h"
#include "gui/results_window.h"
#include "gui/surface_prompt.h"

namespace passcat {
namespace {

// Nothing is asked but the surface, which alternates so that every change is one.
struct Answers final : FileDialog, MessagePresenter, SurfacePrompt {
    QString askOpenFileName(QWidget*, const QString&) override { return {}; }
    QString askSaveFileName(QWidget*, const QString&, const QString&, QString&) override { return {}; }
    QString askFolder(QWidget*, const QString&) override { return {}; }
    void present(QWidget*, const QString&, MessageIcon) override {}
    UnsavedMarks askUnsavedMarks(QWidget*, const QString&) override { return UnsavedMarks::Discard; }
    std::optional<double> askSurface(QWidget*, const QStringList&) override { return (flip = !flip) ? 2.5 : 1.2; }
    bool flip = false;
};

// A run of one accepted block of points points: a climb with ups and downs.
RunCharts RunOfOneBlock(int points)
{
    ObstacleBlock block;
    block.title = "Перевал";
    for (int i = 0; i < points; ++i) {
        const double t = i / static_cast<double>(points);
        block.distances.push_back(i * 0.0008);
        block.heights.push_back(1500 + 2200 * t + 300 * std::sin(t * 25) + 120 * std::sin(t * 140) + (i % 13));
        block.surfaceCoefs.push_back(1 + (i / 500) % 3 * 0.25);
    }
    auto run = std::make_shared<RunResult>();
    run->outcome = RunOutcome::AllAccepted;
    run->evaluation.tables = LoadReferenceTables(kDefaultRegionIndex);
    BlockRating rating = RateBlock(std::move(block), run->evaluation);
    run->blocks.push_back({1, rating.summary, std::make_shared<const RatedBlock>(std::move(*rating.rated))});
    return run;
}

struct OpenWindow {
    explicit OpenWindow(int points) : window(answers, answers, answers)
    {
        window.setRun(RunOfOneBlock(points), QStringLiteral("bench.txt"));
        window.resize(1000, 720);
        window.show();
        view = static_cast<ChartView*>(window.findChild<QWidget*>(QStringLiteral("ChartView")));
        view->grab(); // the chart's picture is made once, before the moves
    }
    void send(QEvent::Type type, double km)
    {
        const QPointF at(view->xOf(km), view->height() / 2.0);
        QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    }

    Answers answers;
    ResultsWindow window;
    ChartView* view = nullptr;
};

void BM_ReadoutOnPointerMove(benchmark::State& state)
{
    OpenWindow open(32767);
    double km = 0;
    for (auto _ : state) {
        km = std::fmod(km + 0.37, 26.0);
        const QPointF at(open.view->xOf(km), open.view->height() / 2.0);
        QMouseEvent move(QEvent::MouseMove, at, open.view->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(open.view, &move);
        benchmark::DoNotOptimize(open.view->grab());
    }
}
BENCHMARK(BM_ReadoutOnPointerMove)->Unit(benchmark::kMillisecond);

void BM_SurfaceChange(benchmark::State& state)
{
    OpenWindow open(2000);
    for (auto _ : state) {
        open.send(QEvent::MouseButtonPress, 0.3);
        open.send(QEvent::MouseMove, 0.9);
        open.send(QEvent::MouseButtonRelease, 0.9);
        benchmark::DoNotOptimize(open.view->grab());
        benchmark::DoNotOptimize(open.window.findChild<QTableView*>()->grab());
    }
}
BENCHMARK(BM_SurfaceChange)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace passcat

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (!passcat::LoadChartFont())
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
