#pragma once

#include <QImage>
#include <QWidget>

#include <optional>

#include "chart/chart_display_list.h"

namespace passcat {

// One chart scaled to the widget, drawn anew for its size in device pixels, so that
// it stays sharp on a high-density screen. objectName "ChartView".
class ChartView final : public QWidget {
public:
    explicit ChartView(QWidget* parent);

    void setDrawing(std::optional<ChartDisplayList> drawing);
    const std::optional<ChartDisplayList>& drawing() const { return drawing_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<ChartDisplayList> drawing_;
    QImage image_;
};

} // namespace passcat
