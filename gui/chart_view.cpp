#include "gui/chart_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "chart/chart_painter.h"
#include "chart/chart_renderer.h"

namespace passcat {

ChartView::ChartView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ChartView"));
    setMinimumSize(kChartPage / 4);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
}

void ChartView::setDrawing(std::optional<ChartDisplayList> drawing)
{
    drawing_ = std::move(drawing);
    image_ = QImage();
    marker_.reset();
    update();
}

void ChartView::setMarker(std::optional<Point> marker)
{
    marker_ = marker;
    update();
}

void ChartView::mouseMoveEvent(QMouseEvent* event)
{
    if (!drawing_ || !pointerMoved_)
        return;
    const QPointF page = PlaceChart(*drawing_, target()).pageAt(event->position());
    const Rect& area = drawing_->plot.area;
    const bool inside = page.x() >= area.x && page.x() <= area.right() && page.y() >= area.y && page.y() <= area.bottom();
    pointerMoved_(inside ? std::optional(drawing_->plot.kmAt(page.x())) : std::nullopt);
}

void ChartView::leaveEvent(QEvent*)
{
    if (pointerMoved_)
        pointerMoved_(std::nullopt);
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
    if (!marker_)
        return;
    const PlotFrame& plot = drawing_->plot;
    const QPointF at = PlaceChart(*drawing_, target()).targetAt({plot.pageX(marker_->x), plot.pageY(marker_->y)});
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawLine(QPointF(at.x(), at.y() - 12), QPointF(at.x(), at.y() + 12));
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, 5, 5);
}

} // namespace passcat
