#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

#include "chart/chart_display_list.h"
#include "chart/surface_stretches.h"

namespace passcat {

// One chart scaled to the widget, drawn anew for its size in device pixels, so that
// it stays sharp on a high-density screen. Under it, as wide as the profile's frame, a
// band with the surface of every stretch, captioned "Покрытие"; over it, a marker at the point the pointer
// reads and the stretch being dragged across. objectName "ChartView".
class ChartView final : public QWidget {
public:
    // The distance in km under the pointer, or none once it left the profile's frame.
    using PointerMoved = std::function<void(std::optional<double> km)>;
    // A stretch dragged across, in km in either order; a click gives one distance twice.
    using StretchChosen = std::function<void(double fromKm, double toKm)>;

    explicit ChartView(QWidget* parent);

    void setDrawing(std::optional<ChartDisplayList> drawing);
    const std::optional<ChartDisplayList>& drawing() const { return drawing_; }
    void setSurfaces(std::vector<SurfaceStretch> stretches);
    void onPointerMoved(PointerMoved handler) { pointerMoved_ = std::move(handler); }
    void onStretchChosen(StretchChosen handler) { stretchChosen_ = std::move(handler); }
    // A point of the profile (km, m) to mark, or none.
    void setMarker(std::optional<Point> marker);

    // Where a distance lies across the widget, and what lies under a widget point
    // within the frame; for the tests, which drag as a user would.
    double xOf(double km) const;
    std::optional<double> kmUnder(QPointF at) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // The chart's part of the widget; the band lies under it.
    QRectF target() const;
    QRectF frameOnWidget() const;
    QRectF bandOnWidget() const;
    void paintSurfaces(QPainter& painter) const;

    std::optional<ChartDisplayList> drawing_;
    QImage image_;
    std::vector<SurfaceStretch> stretches_;
    std::vector<double> surfaces_; // the distinct ones, ascending, for their colours
    PointerMoved pointerMoved_;
    StretchChosen stretchChosen_;
    std::optional<Point> marker_;
    std::optional<double> dragFrom_, dragTo_;
};

} // namespace passcat
