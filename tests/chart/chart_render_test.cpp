#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>

#include "chart/chart_font.h"
#include "chart/chart_renderer.h"
#include "chart/chart_svg_writer.h"
#include "tests/chart/chart_fixture.h"

namespace passcat {
namespace {

QByteArray ReadGolden(const char* name)
{
    QFile file(QStringLiteral(PASSCAT_CHART_DATA_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct SvgTexts {
    QString title;
    QStringList texts; // of the <text> elements, in order
};

// The texts of a document that must be well-formed XML.
SvgTexts ReadSvg(const QByteArray& svg)
{
    SvgTexts read;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("title"))
            read.title = xml.readElementText();
        else if (xml.name() == QLatin1String("text"))
            read.texts.append(xml.readElementText());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return read;
}

TEST(ChartRender, WorkedExampleSvgIsTheGoldenOneEveryTime)
{
    const ChartDisplayList list = LayOutChart(testing::ChartOfInput(testing::kWorkedExampleInput));
    const QByteArray svg = RenderChart(list, ChartFormat::Svg);
    EXPECT_TRUE(svg == ReadGolden("worked_example.svg")) << "compare with tests/data/chart/worked_example.svg";
    EXPECT_TRUE(svg.contains("width=\"160mm\" height=\"90mm\" viewBox=\"0 0 1600 900\""));
    EXPECT_EQ(RenderChart(LayOutChart(testing::ChartOfInput(testing::kWorkedExampleInput)),
                          ChartFormat::Svg),
              svg);
}

// Every text of the chart is a <text> a search finds, whatever the title holds.
TEST(ChartRender, SvgHoldsTheTextsAsText)
{
    struct Case {
        char separator;
        std::string title;
        QString written; // as <title> and <text> read it back
    };
    const Case cases[] = {
        {'.', "Пример 1", "Пример 1"},
        {',', "Перевал <Южный> & \"Северный\"", "Перевал <Южный> & \"Северный\""},
        {'.', "Tab\tand \x01 bell", "Tab\tand \uFFFD bell"},
    };
    for (const Case& c : cases) {
        ChartModel model = testing::ChartOfInput(testing::kWorkedExampleInput, c.separator);
        model.title = c.title;
        const SvgTexts svg = ReadSvg(RenderChart(LayOutChart(model), ChartFormat::Svg));
        EXPECT_EQ(svg.title, c.written);
        QStringList expected = {c.written, "Расстояние, км", "Высота, м", "Рекомендуемая точка",
                                QString::fromStdString(model.mark->categoryText),
                                QString::fromStdString(model.mark->scoreText)};
        for (const ChartAxis* axis : {&model.xAxis, &model.yAxis}) {
            for (const std::string& label : axis->tickLabels)
                expected.append(QString::fromStdString(label));
        }
        for (const LegendEntry& entry : model.legend)
            expected.append(QString::fromStdString(entry.label));
        for (const QString& text : expected)
            EXPECT_TRUE(svg.texts.contains(text)) << text.toStdString() << " in " << c.title;
        EXPECT_EQ(svg.texts.size(), expected.size()) << c.title;
    }
}

// A title too wide is cut where measuring each shorter line with "…" would cut it,
// kerning against the ellipsis included, and a huge one is cut as quickly.
TEST(ChartRender, TitleCutWhereMeasuringWouldCutIt)
{
    const ChartFonts fonts;
    const Font font{.family = "DejaVu Sans", .size = 40};
    const auto measuredCut = [&](const std::string& text, double limit) {
        std::string shown = text;
        for (std::size_t end = text.size(); fonts.width(shown, font) > limit && end > 0;) {
            do
                --end;
            while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80);
            shown = text.substr(0, end) + "…";
        }
        return shown;
    };
    for (const std::string title : {"AVAWAYATAVTo LTYVAV", "Перевал Южный — Северный", "ab😀cd😀ef"}) {
        const double whole = fonts.width(title, font);
        for (double limit = 0; limit < whole + 20; limit += 7.25)
            EXPECT_EQ(fonts.shortened(title, font, limit), measuredCut(title, limit)) << title << " in " << limit;
    }
    std::string huge;
    while (huge.size() < (std::size_t{1} << 20))
        huge += "Перевал Южный AV ";
    EXPECT_EQ(fonts.shortened(huge, font, 1500), measuredCut(huge.substr(0, 400), 1500));
}

// The pixels the painting gave before the chart became a display list.
TEST(ChartRender, PngPixelsAsTheyWere)
{
    struct Case {
        std::string input;
        char separator;
        const char* sha256; // of the decoded PNG in QImage::Format_RGB32
    };
    const Case cases[] = {
        {std::string(testing::kWorkedExampleInput), '.',
         "ad56b05f4aa64692684c9c0fbf6b81b95bef9856d9c45d0983e06ebba55702a6"},
        {std::string(testing::kWorkedExampleInput), ',',
         "eb9de697cd1b09e25f56e0e6420e91c6c5d8af02237e18fccf8973359b02720f"},
        {testing::LongBlock(32767), '.', "d84b534ef25701e3b523efd0275a2294e314b7c8b192ac5b78ccdabe649e6188"},
    };
    for (const Case& c : cases) {
        const ChartDisplayList list = LayOutChart(testing::ChartOfInput(c.input, c.separator));
        const QImage png = QImage::fromData(RenderChart(list, ChartFormat::Png), "PNG").convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(png.size(), QSize(1600, 900));
        const QByteArray pixels(reinterpret_cast<const char*>(png.constBits()), png.sizeInBytes());
        EXPECT_EQ(QCryptographicHash::hash(pixels, QCryptographicHash::Sha256).toHex().toStdString(), c.sha256)
            << c.input.substr(0, c.input.find('\n'));
    }
}

// Numbers in '.' and at most two decimals, markup escaped, turned texts about their anchor.
TEST(ChartRender, SvgWriterShapes)
{
    ChartDisplayList list{100, 50, "a<b", "", {}, {}};
    list.items = {
        ClipTo{{0.125, -0.001, 99.999, 1e-9}},
        Polygon{{{1.0 / 3, 2}, {-0.004, 1234.5}}, {1, 2, 255}},
        Unclip{},
        Text{"x&y", {10, 20}, {"Sans", 12, 700}, TextAnchor::End, -90, {0, 0, 0, 128}},
        Circle{{5, 5}, 2.5, std::nullopt, Stroke{{255, 255, 255}, 3, LineCap::Round}},
    };
    const std::string svg = WriteChartSvg(list);
    const char* expected[] = {
        " width=\"10mm\" height=\"5mm\" viewBox=\"0 0 100 50\">\n<title>a&lt;b</title>\n<desc></desc>\n",
        "<clipPath id=\"clip1\"><rect x=\"0.12\" y=\"0\" width=\"100\" height=\"0\"/></clipPath>\n"
        "<g clip-path=\"url(#clip1)\">\n<polygon points=\"0.33,2 0,1234.5\" fill=\"#0102ff\" fill-rule=\"evenodd\"/>\n"
        "</g>\n",
        "<text x=\"10\" y=\"20\" transform=\"rotate(-90 10 20)\" font-family=\"'Sans', 'Liberation Sans', Arial, "
        "Helvetica, sans-serif\" font-size=\"12\" font-weight=\"700\" text-anchor=\"end\" fill=\"#000000\" "
        "fill-opacity=\"0.502\">x&amp;y</text>\n",
        "<circle cx=\"5\" cy=\"5\" r=\"2.5\" fill=\"none\" stroke=\"#ffffff\" stroke-width=\"3\" "
        "stroke-linecap=\"round\" stroke-linejoin=\"bevel\"/>\n</svg>\n",
    };
    for (const char* part : expected)
        EXPECT_NE(svg.find(part), std::string::npos) << part << "\nin\n" << svg;
}

} // namespace
} // namespace passcat
