#include "chart/chart_renderer.h"

#include <QBuffer>
#include <QPainter>

#include "chart/chart_font.h"
#include "chart/chart_painter.h"
#include "chart/chart_svg_writer.h"

namespace passcat {

ChartDisplayList LayOutChart(const ChartModel& model)
{
    return LayOutChart(model, ChartFonts());
}

QImage RenderChartImage(const ChartDisplayList& list, QSize pixels, qreal devicePixelRatio)
{
    QImage image(pixels, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    PaintChartImage(image, list, ChartFonts());
    return image;
}

void PaintChartImage(QImage& image, const ChartDisplayList& list, const ChartFonts& fonts)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintChart(painter, list, QRectF(QPointF(0, 0), image.deviceIndependentSize()), TextPainting::Outlines, fonts);
}

QByteArray RenderChart(const ChartDisplayList& list, ChartFormat format)
{
    if (format == ChartFormat::Svg)
        return QByteArray::fromStdString(WriteChartSvg(list));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!RenderChartImage(list, kChartPage).save(&buffer, "PNG"))
        return {};
    return buffer.data();
}

} // namespace passcat
