#include "gui/chart_view.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "chart/chart_font.h"
#include "chart/chart_painter.h"
#include "chart/chart_renderer.h"

namespace passcat {
namespace {

constexpr double kBandHeight = 14; // widget pixels
constexpr double kBandGap = 4;
// The band's caption, left of it under the height axis: a little smaller than the
// chart's tick labels (24 units of its page), in its font and ink.
constexpr double kCaptionSize = 20;
const QColor kCaptionInk(0x1A, 0x1A, 0x1A);

// Light to dark by rank among the block's coefficients, so that a harder surface looks heavier.
QColor SurfaceColour(std::size_t rank, std::size_t count)
{
    const double share = count > 1 ? static_cast<double>(rank) / static_cast<double>(count - 1) : 0;
    return QColor::fromHsvF(0.09f, static_cast<float>(0.15 + 0.6 * share), static_cast<float>(0.95 - 0.5 * share));
}

} // namespace

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

void ChartView::setSurfaces(std::vector<SurfaceStretch> stretches)
{
    stretches_ = std::move(stretches);
    surfaces_.clear();
    for (const SurfaceStretch& stretch : stretches_)
        surfaces_.push_back(stretch.surface);
    std::ranges::sort(surfaces_);
    surfaces_.erase(std::unique(surfaces_.begin(), surfaces_.end()), surfaces_.end());
    update();
}

void ChartView::setMarker(std::optional<Point> marker)
{
    marker_ = marker;
    update();
}

QRectF ChartView::target() const
{
    return {0, 0, static_cast<double>(width()), std::max(0.0, height() - kBandHeight - 2 * kBandGap)};
}

QRectF ChartView::bandOnWidget() const
{
    const QRectF frame = frameOnWidget();
    return {frame.left(), target().bottom() + kBandGap, frame.width(), kBandHeight};
}

QRectF ChartView::frameOnWidget() const
{
    const ChartPlacement placement = PlaceChart(*drawing_, target());
    const Rect& area = drawing_->plot.area;
    return {placement.targetAt({area.x, area.y}), placement.targetAt({area.right(), area.bottom()})};
}

double ChartView::xOf(double km) const
{
    return PlaceChart(*drawing_, target()).targetAt({drawing_->plot.pageX(km), 0}).x();
}

std::optional<double> ChartView::kmUnder(QPointF at) const
{
    if (!drawing_ || !(frameOnWidget().contains(at) || bandOnWidget().contains(at)))
        return std::nullopt;
    return drawing_->plot.kmAt(PlaceChart(*drawing_, target()).pageAt(at).x());
}

void ChartView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !stretchChosen_)
        return;
    dragFrom_ = kmUnder(event->position());
    dragTo_ = dragFrom_;
    update();
}

void ChartView::mouseMoveEvent(QMouseEvent* event)
{
    const std::optional<double> km = kmUnder(event->position());
    if (dragFrom_ && km) {
        dragTo_ = km;
        update();
    }
    if (pointerMoved_)
        pointerMoved_(km);
}

void ChartView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !dragFrom_)
        return;
    const double from = *dragFrom_, to = *dragTo_;
    dragFrom_.reset();
    dragTo_.reset();
    update();
    stretchChosen_(from, to);
}

void ChartView::leaveEvent(QEvent*)
{
    if (pointerMoved_)
        pointerMoved_(std::nullopt);
}

void ChartView::paintSurfaces(QPainter& painter) const
{
    const QRectF band = bandOnWidget();
    painter.setPen(Qt::NoPen);
    for (const SurfaceStretch& stretch : stretches_) {
        const auto rank = static_cast<std::size_t>(std::ranges::lower_bound(surfaces_, stretch.surface) - surfaces_.begin());
        const double left = xOf(std::min(stretch.fromKm, stretch.toKm));
        const double right = xOf(std::max(stretch.fromKm, stretch.toKm));
        painter.fillRect(QRectF(left, band.top(), right - left, band.height()), SurfaceColour(rank, surfaces_.size()));
    }
    painter.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(band);
    QFont font(ChartFontFamily());
    font.setPixelSize(std::max(8, static_cast<int>(std::lround(kCaptionSize * PlaceChart(*drawing_, target()).scale))));
    painter.setFont(font);
    painter.setPen(kCaptionInk);
    const QRectF caption(0, band.top() - kBandGap, band.left() - 2 * kBandGap, band.height() + 2 * kBandGap);
    painter.drawText(caption, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Покрытие"));
}

void ChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!drawing_)
        return;
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (target().size() * ratio).toSize();
    if (image_.size() != pixels)
        image_ = RenderChartImage(*drawing_, pixels, ratio);
    painter.drawImage(QPointF(0, 0), image_);
    if (!stretches_.empty())
        paintSurfaces(painter);
    const QRectF frame = frameOnWidget();
    if (dragFrom_) {
        const double left = xOf(std::min(*dragFrom_, *dragTo_));
        const double right = xOf(std::max(*dragFrom_, *dragTo_));
        const QRectF band = bandOnWidget();
        painter.fillRect(QRectF(left, frame.top(), std::max(right - left, 1.0), band.bottom() - frame.top()),
                         QColor(40, 110, 220, 60));
    }
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
