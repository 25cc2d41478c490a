#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include "chart/chart_renderer.h"
#include "tests/chart/chart_fixture.h"

namespace passcat {
namespace {

QByteArray ReadGolden(const char* name)
{
    QFile file(QStringLiteral(PASSCAT_CHART_DATA_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(ChartRender, WorkedExampleSvgIsTheGoldenOneEveryTime)
{
    const ChartModel model = (testing::ChartOfInput(testing::kWorkedExampleInput));
    const QByteArray svg = RenderChart(model, ChartFormat::Svg);
    EXPECT_TRUE(svg == ReadGolden("worked_example.svg")) << "compare with tests/data/chart/worked_example.svg";
    EXPECT_TRUE(svg.contains("width=\"160mm\" height=\"90mm\""));
    EXPECT_EQ(RenderChart(model, ChartFormat::Svg), svg);
}

TEST(ChartRender, LargestBlockInBothFormats)
{
    const ChartModel model = (testing::ChartOfInput(testing::LongBlock(32767)));
    EXPECT_TRUE(RenderChart(model, ChartFormat::Svg).startsWith("<?xml"));
    const QImage png = QImage::fromData(RenderChart(model, ChartFormat::Png), "PNG");
    EXPECT_EQ(png.size(), QSize(1600, 900));
}

} // namespace
} // namespace passcat
