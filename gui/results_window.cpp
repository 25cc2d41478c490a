#include "gui/results_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

#include "chart/chart_readout.h"
#include "chart/chart_renderer.h"
#include "chart/surface_stretches.h"
#include "gui/carried_marks.h"
#include "gui/chart_saving.h"
#include "gui/message_presenter.h"
#include "gui/chart_view.h"
#include "gui/number_text.h"
#include "gui/program_settings.h"
#include "gui/results_summary.h"
#include "gui/surface_change.h"
#include "gui/surface_prompt.h"
#include "gui/table_text.h"
#include "gui/track_settings_panel.h"
#include "run/block_chart.h"

namespace passcat {
namespace {

const QString kGeometryKey = QStringLiteral("results/geometry");
const QString kSplitterKey = QStringLiteral("results/splitter");

// The readout as one line, its numbers as the report writes them.
QString ReadoutText(const ChartReadout& readout, char separator)
{
    return QStringLiteral("%1 км · высота %2 м · уклон %3 % · покрытие %4 · балл %5 · категория %6")
        .arg(ShownNumber(PutThreeDecimals, readout.km, separator), QString::number(std::lround(readout.height)),
             ShownNumber(PutThreeDecimals, readout.grade, separator), ShownNumber(PutPlainDouble, readout.surface, separator),
             ShownNumber(PutThreeDecimals, static_cast<double>(readout.score), separator), QString::number(readout.category));
}

QPushButton* Button(const char* caption, const char* objectName, QWidget* parent)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

} // namespace

ResultsWindow::ResultsWindow(FileDialog& fileDialog, MessagePresenter& messages, SurfacePrompt& surfacePrompt,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), fileDialog_(fileDialog), messages_(messages), surfacePrompt_(surfacePrompt),
      saving_(*this, fileDialog, messages, run_, changes_)
{
    setObjectName(QStringLiteral("ResultsWindow"));
    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("ResultsTable"));
    table_->setModel(&model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("ResultsSummary"));
    summary_->setTextFormat(Qt::PlainText);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* copy = Button("Копировать таблицу", "ResultsCopy", this);
    save_ = Button("Сохранить график...", "ChartSave", this);
    chart_ = new ChartView(nullptr);
    readout_ = new QLabel;
    readout_->setObjectName(QStringLiteral("ChartReadout"));
    readout_->setTextFormat(Qt::PlainText);

    auto* blocks = new QWidget;
    auto* blocksLayout = new QVBoxLayout(blocks);
    blocksLayout->setContentsMargins(0, 0, 0, 0);
    blocksLayout->addWidget(table_);
    blocksLayout->addWidget(summary_);
    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->setObjectName(QStringLiteral("ResultsSplitter"));
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(blocks);
    auto* chartSide = new QWidget;
    auto* chartLayout = new QVBoxLayout(chartSide);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    chartLayout->addWidget(chart_, 1);
    chartLayout->addWidget(readout_);
    splitter_->addWidget(chartSide);
    splitter_->setStretchFactor(1, 1);
    QAction* undo = changes_.createUndoAction(this, QStringLiteral("Отменить"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = changes_.createRedoAction(this, QStringLiteral("Повторить"));
    // Ctrl+Y wherever the platform's redo is another key, and only once where it is not.
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (const QKeySequence ctrlY(Qt::CTRL | Qt::Key_Y); !redoKeys.contains(ctrlY))
        redoKeys.prepend(ctrlY);
    redo->setShortcuts(redoKeys);
    addActions({undo, redo});
    auto* buttons = new QHBoxLayout;
    for (auto [action, name] : {std::pair{undo, "ResultsUndo"}, {redo, "ResultsRedo"}}) {
        auto* button = new QToolButton;
        button->setObjectName(QString::fromLatin1(name));
        button->setDefaultAction(action);
        buttons->addWidget(button);
    }
    buttons->addWidget(copy);
    buttons->addStretch();
    buttons->addWidget(saving_.makeButton());
    buttons->addWidget(save_);
    trackSettings_ = new TrackSettingsPanel(fileDialog_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(trackSettings_);
    layout->addWidget(splitter_, 1);
    layout->addLayout(buttons);

    resize(1000, 720);
    splitter_->setSizes({260, 440});
    const QSettings settings = ProgramSettings();
    restoreGeometry(settings.value(kGeometryKey).toByteArray());
    splitter_->restoreState(settings.value(kSplitterKey).toByteArray());

    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &ResultsWindow::showSelected);
    chart_->onPointerMoved([this](std::optional<double> km) { showReadout(km); });
    chart_->onStretchChosen([this](double fromKm, double toKm) { chooseSurface(fromKm, toKm); });
    connect(copy, &QPushButton::clicked, this, &ResultsWindow::copyTable);
    connect(save_, &QPushButton::clicked, this, &ResultsWindow::saveChart);
}

// A window closed with the program is never hidden first.
ResultsWindow::~ResultsWindow()
{
    rememberLayout();
}

void ResultsWindow::setRun(RunCharts run, const QString& inputName)
{
    changes_.clear();
    original_ = std::move(run);
    run_ = std::make_shared<RunResult>(*original_);
    setWindowTitle(QStringLiteral("Результаты: ") + inputName);
    model_.setRun(run_, original_);
    table_->clearSpans();
    int first = -1;
    for (int row = 0; row < model_.rowCount(); ++row) {
        if (model_.blockAt(row)->rated == nullptr)
            table_->setSpan(row, BlockTableModel::kMessageColumn, 1,
                            BlockTableModel::ColumnCount - BlockTableModel::kMessageColumn);
        else if (first < 0)
            first = row;
    }
    fitColumns();
    summary_->setText(ResultsSummary(*run_));
    table_->setCurrentIndex(model_.index(first, 0));
    showSelected();
    trackSettings_->showTiles(*run_);
    trackSettings_->showMessage({});
}

// The steps before the re-run are forgotten: it wrote the report anew, which undoing
// them could not take back. Carrying the marks over is the first step after it.
void ResultsWindow::rerun(RunCharts run, const QString& inputName)
{
    const RunCharts marked = run_, original = original_;
    setRun(std::move(run), inputName);
    const QString carried = CarrySurfaceMarks(*marked, *original, *run_, changes_,
                                              [this](int at, const RunBlock& record) { putBlock(at, record); });
    trackSettings_->showMessage(QStringLiteral("Трек рассчитан заново с этими настройками, отчёт записан заново; "
                                               "отменить можно только шаги после этого.") +
                                (carried.isEmpty() ? QString() : u'\n' + carried));
}

void ResultsWindow::hideEvent(QHideEvent* event)
{
    rememberLayout();
    QWidget::hideEvent(event);
}

void ResultsWindow::closeEvent(QCloseEvent* event)
{
    if (mayDropMarks())
        QWidget::closeEvent(event);
    else
        event->ignore();
}

const RunBlock* ResultsWindow::selected() const
{
    return model_.blockAt(table_->currentIndex().row());
}

void ResultsWindow::showSelected()
{
    const RunBlock* block = selected();
    if (block && block->rated) {
        chart_->setDrawing(LayOutChart(ChartOfRatedBlock(*block->rated, run_->evaluation.format.decimalSeparator)));
        chart_->setSurfaces(SurfaceStretches(*block->rated));
    } else {
        chart_->setDrawing(std::nullopt);
        chart_->setSurfaces({});
    }
    save_->setEnabled(chart_->drawing().has_value());
    showReadout(std::nullopt);
}

void ResultsWindow::showReadout(std::optional<double> km)
{
    const RunBlock* block = selected();
    if (!km || !block || !block->rated) {
        readout_->setText(QStringLiteral("Наведите указатель на профиль"));
        chart_->setMarker(std::nullopt);
        return;
    }
    const ChartReadout readout = ReadoutAt(*block->rated, *km);
    readout_->setText(ReadoutText(readout, run_->evaluation.format.decimalSeparator));
    chart_->setMarker(Point{readout.km, readout.height});
}

// The segments the stretch touches get the coefficient the user gives.
void ResultsWindow::chooseSurface(double fromKm, double toKm)
{
    const RunBlock* block = selected();
    if (!block || !block->rated)
        return;
    const std::size_t first = ReadoutAt(*block->rated, std::min(fromKm, toKm)).segment;
    const std::size_t last = ReadoutAt(*block->rated, std::max(fromKm, toKm)).segment;
    QStringList used;
    for (const SurfaceStretch& stretch : SurfaceStretches(*block->rated)) {
        const QString text = ShownNumber(PutPlainDouble, stretch.surface, run_->evaluation.format.decimalSeparator);
        if (!used.contains(text))
            used << text;
    }
    const std::optional<double> surface = surfacePrompt_.askSurface(this, used);
    if (!surface)
        return;
    std::optional<RunBlock> changed = WithSurface(*block, first, last, *surface, run_->evaluation);
    if (!changed) {
        messages_.present(this, QStringLiteral("Ошибка: с таким покрытием блок не рассчитывается; покрытие не изменено"),
                          MessageIcon::Critical);
        return;
    }
    const int row = table_->currentIndex().row();
    changes_.push(new SurfaceChange(row, *block, std::move(*changed),
                                    [this](int at, const RunBlock& record) { putBlock(at, record); }));
}

// A change done or undone: the row, the summary, and the chart when it shows that block.
void ResultsWindow::putBlock(int row, const RunBlock& block)
{
    run_->blocks[static_cast<std::size_t>(row)] = block;
    model_.blockChanged(row);
    fitColumns();
    summary_->setText(ResultsSummary(*run_));
    if (table_->currentIndex().row() == row)
        showSelected();
    else
        table_->selectRow(row);
}

// The figures whole, the title taking the room that is left.
void ResultsWindow::fitColumns()
{
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setSectionResizeMode(BlockTableModel::Title, QHeaderView::Stretch);
}

void ResultsWindow::copyTable()
{
    QApplication::clipboard()->setText(TableAsTabSeparated(model_));
}

void ResultsWindow::saveChart()
{
    if (const RunBlock* block = selected(); block && chart_->drawing())
        SaveChart(this, fileDialog_, messages_, *chart_->drawing(), block->number);
}

void ResultsWindow::rememberLayout() const
{
    QSettings settings = ProgramSettings();
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kSplitterKey, splitter_->saveState());
}

} // namespace passcat
