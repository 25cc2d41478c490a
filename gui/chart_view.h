#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>

#include "chart/chart_display_list.h"

namespace passcat {

// One chart scaled to the widget, drawn anew for its size in device pixels, so that
// it stays sharp on a high-density screen; the pointer is read back as a distance along
// the profile, and a marker drawn over the chart shows where. objectName "ChartView".
class ChartView final : public QWidget {
public:
    // The distance in km under the pointer, or none once it left the profile's frame.
    using PointerMoved = std::function<void(std::optional<double> km)>;

    explicit ChartView(QWidget* parent);

    void setDrawing(std::optional<ChartDisplayList> drawing);
    const std::optional<ChartDisplayList>& drawing() const { return drawing_; }
    void onPointerMoved(PointerMoved handler) { pointerMoved_ = std::move(handler); }
    // A point of the profile (km, m) to mark, or none.
    void setMarker(std::optional<Point> marker);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QRectF target() const { return {QPointF(0, 0), QSizeF(size())}; }

    std::optional<ChartDisplayList> drawing_;
    QImage image_;
    PointerMoved pointerMoved_;
    std::optional<Point> marker_;
};

} // namespace passcat
