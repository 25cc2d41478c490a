#include "gui/chart_window.h"

#include <QDir>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <optional>
#include <string_view>

#include "chart/chart_renderer.h"
#include "run/block_chart.h"
#include "gui/file_dialog.h"
#include "gui/message_presenter.h"
#include "platform/safe_result_file.h"

namespace passcat {

// One chart scaled to the widget, drawn anew for its size in device pixels, so that
// it stays sharp on a high-density screen.
class ChartView final : public QWidget {
public:
    explicit ChartView(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("ChartView"));
        setMinimumSize(kChartPage / 4);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

    void setDrawing(std::optional<ChartDisplayList> drawing)
    {
        drawing_ = std::move(drawing);
        image_ = QImage();
        update();
    }

    const std::optional<ChartDisplayList>& drawing() const { return drawing_; }

protected:
    void paintEvent(QPaintEvent*) override
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

private:
    std::optional<ChartDisplayList> drawing_;
    QImage image_;
};

namespace {

const QString kSvgFilter = QStringLiteral("Рисунок SVG (*.svg)");
const QString kPngFilter = QStringLiteral("Рисунок PNG (*.png)");

// The format the name asks for by its suffix, else the one of the chosen filter.
ChartFormat FormatFor(const QString& path, const QString& filter)
{
    if (path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        return ChartFormat::Png;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return ChartFormat::Svg;
    return filter == kPngFilter ? ChartFormat::Png : ChartFormat::Svg;
}

// The reason a chart file could not be written, if it could not.
std::optional<QString> WriteChartFile(const QString& path, const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("не удалось построить изображение");
    SafeResultFile file(path);
    if (!file.open())
        return file.errorString();
    file.writeText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace

ChartWindow::ChartWindow(FileDialog& fileDialog, MessagePresenter& messages, QWidget* parent)
    : QWidget(parent, Qt::Window), fileDialog_(fileDialog), messages_(messages)
{
    setObjectName(QStringLiteral("ChartWindow"));
    setWindowTitle(QStringLiteral("Профили препятствий"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ChartList"));
    list_->setMaximumWidth(280);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // long titles end in "..."
    view_ = new ChartView(this);
    save_ = new QPushButton(QStringLiteral("Сохранить..."), this);
    save_->setObjectName(QStringLiteral("ChartSave"));
    save_->setAutoDefault(false);

    auto* side = new QVBoxLayout;
    side->addWidget(list_);
    side->addWidget(save_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side);
    layout->addWidget(view_, 1);
    resize(1100, 520);

    connect(list_, &QListWidget::currentRowChanged, this, &ChartWindow::showSelected);
    connect(save_, &QPushButton::clicked, this, &ChartWindow::save);
}

void ChartWindow::setCharts(RunCharts charts)
{
    charts_ = std::move(charts);
    const QSignalBlocker quiet(list_);
    list_->clear();
    rated_.clear();
    for (const RunBlock& block : charts_->blocks) {
        if (!block.rated)
            continue;
        rated_.push_back(&block);
        auto* item = new QListWidgetItem(QString::fromStdString(TitleInUtf8(block.summary.title)), list_);
        item->setToolTip(item->text());
    }
    list_->setCurrentRow(0);
    showSelected();
}

const RunBlock* ChartWindow::selected() const
{
    const int row = list_->currentRow();
    return row >= 0 && static_cast<std::size_t>(row) < rated_.size() ? rated_[static_cast<std::size_t>(row)] : nullptr;
}

ChartModel ChartWindow::chartOf(const RunBlock& block) const
{
    return ChartOfRatedBlock(*block.rated, charts_->evaluation.format.decimalSeparator);
}

void ChartWindow::showSelected()
{
    const RunBlock* block = selected();
    view_->setDrawing(block ? std::optional(LayOutChart(chartOf(*block))) : std::nullopt);
    save_->setEnabled(block != nullptr);
}

void ChartWindow::save()
{
    const RunBlock* block = selected();
    if (!block)
        return;
    QString filter = kSvgFilter;
    const QString suggested = QString::fromStdString(ChartFileName(block->number, ChartFormat::Svg));
    const QString path = fileDialog_.askSaveFileName(this, suggested, kSvgFilter + ";;" + kPngFilter, filter);
    if (path.isEmpty())
        return;
    const QByteArray bytes = RenderChart(*view_->drawing(), FormatFor(path, filter));
    if (const auto failure = WriteChartFile(path, bytes)) {
        messages_.present(this,
                          QStringLiteral("Ошибка: не удалось записать файл %1 (%2)")
                              .arg(QDir::toNativeSeparators(path), *failure),
                          MessageIcon::Critical);
    }
}

} // namespace passcat
