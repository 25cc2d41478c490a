#include "gui/chart_view.h"

#include <QPainter>

#include "chart/chart_renderer.h"

namespace passcat {

ChartView::ChartView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ChartView"));
    setMinimumSize(kChartPage / 4);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ChartView::setDrawing(std::optional<ChartDisplayList> drawing)
{
    drawing_ = std::move(drawing);
    image_ = QImage();
    update();
}

void ChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!drawing_)
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (image_.size() != pixels)
        image_ = RenderChartImage(*drawing_, pixels, ratio);
    painter.drawImage(QPointF(0, 0), image_);
}

} // namespace passcat
