#include "gui/results_saving.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QUndoStack>

#include <array>

#include "document/chart_files.h"
#include "document/document_file.h"
#include "document/output_file.h"
#include "document/summary_csv.h"
#include "gui/busy_cursor.h"
#include "gui/file_dialog.h"
#include "gui/message_presenter.h"
#include "platform/file_identity.h"
#include "run/block_chart.h"
#include "run/profile_with_surfaces.h"
#include "run/result_path.h"
#include "run/run_input.h"
#include "run/run_report.h"

namespace passcat {
namespace {

const QString kTextFilter = QStringLiteral("Текстовые файлы (*.txt)");
const QString kTableFilter = QStringLiteral("Таблица CSV (*.csv)");

struct DocumentFilter {
    const char* filter;
    DocumentFormat format;
};
constexpr std::array kDocumentFilters = {
    DocumentFilter{"Документ PDF (*.pdf)", DocumentFormat::Pdf},
    DocumentFilter{"Документ OpenDocument (*.odt)", DocumentFormat::Odt},
    DocumentFilter{"Страница HTML (*.html)", DocumentFormat::Html},
};

// The format the name asks for by its extension, else the one of the chosen filter.
DocumentFormat DocumentFormatFor(const QString& path, const QString& filter)
{
    if (const auto format = DocumentFormatOfPath(path))
        return *format;
    for (const DocumentFilter& known : kDocumentFilters) {
        if (filter == QString::fromUtf8(known.filter))
            return known.format;
    }
    return DocumentFormat::Pdf;
}

// What write returns, the wait cursor shown while it works (documents and charts may
// take seconds).
template <typename Write>
std::optional<QString> WhileBusy(const Write& write)
{
    WaitCursor busy;
    busy.show();
    return write();
}

} // namespace

ResultsSaving::ResultsSaving(QWidget& window, FileDialog& fileDialog, MessagePresenter& messages,
                             const std::shared_ptr<RunResult>& run, QUndoStack& marks)
    : window_(window), fileDialog_(fileDialog), messages_(messages), run_(run), marks_(marks)
{
}

QPushButton* ResultsSaving::makeButton()
{
    auto* button = new QPushButton(QStringLiteral("Сохранить"));
    button->setObjectName(QStringLiteral("ResultsSave"));
    button->setAutoDefault(false);
    auto* menu = new QMenu(button);
    const auto add = [this, menu](const char* caption, const char* name, auto save) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        QObject::connect(action, &QAction::triggered, &window_, save);
    };
    add("Сохранить профиль...", "SaveProfile", [this] { saveProfile(); });
    add("Сохранить отчёт...", "SaveReport", [this] { saveReport(); });
    add("Сохранить таблицу...", "SaveTable", [this] { saveTable(); });
    add("Сохранить документ...", "SaveDocument", [this] { saveDocument(); });
    menu->addSeparator();
    add("Сохранить все графики (SVG)...", "SaveChartsSvg", [this] { saveCharts(ChartFormat::Svg); });
    add("Сохранить все графики (PNG)...", "SaveChartsPng", [this] { saveCharts(ChartFormat::Png); });
    button->setMenu(menu);
    return button;
}

bool ResultsSaving::mayDropMarks()
{
    if (marks_.isClean())
        return true;
    switch (messages_.askUnsavedMarks(
        &window_, QStringLiteral("Отмеченные покрытия не сохранены. Сохранить профиль с ними?"))) {
    case UnsavedMarks::Save:
        return saveProfile();
    case UnsavedMarks::Discard:
        marks_.setClean();
        return true;
    case UnsavedMarks::Cancel:
        break;
    }
    return false;
}

// A track's profile is named as the track; a profile file's keeps its name apart.
bool ResultsSaving::saveProfile()
{
    const QString what = QStringLiteral("профиль");
    const bool track = RunInput::FromPath(run_->inputPath).kind == RunInput::Kind::TrackFile;
    QString filter = kTextFilter;
    const QString suggested = besideInput(track ? QStringLiteral(".txt") : QStringLiteral("-покрытие.txt"));
    const QString path = askTarget(what, suggested, kTextFilter, filter);
    if (path.isEmpty() || !written(WriteOutputFile(what, path, ProfileWithSurfaces(*run_))))
        return false;
    marks_.setClean();
    return true;
}

void ResultsSaving::saveReport()
{
    const QString what = QStringLiteral("отчет");
    QString filter = kTextFilter;
    const QString path = askTarget(what, DefaultResultPath(run_->inputPath), kTextFilter, filter);
    if (!path.isEmpty())
        written(WriteOutputFile(what, path, ReportOfRun(*run_)));
}

void ResultsSaving::saveTable()
{
    const QString what = QStringLiteral("таблицу");
    QString filter = kTableFilter;
    const QString path = askTarget(what, besideInput(QStringLiteral(".csv")), kTableFilter, filter);
    if (!path.isEmpty())
        written(WriteOutputFile(what, path, SummaryCsv(SummaryRowsOfRun(*run_))));
}

void ResultsSaving::saveDocument()
{
    QStringList filters;
    for (const DocumentFilter& known : kDocumentFilters)
        filters << QString::fromUtf8(known.filter);
    QString filter = filters.first();
    const QString suggested = besideInput(QStringLiteral(".pdf"));
    const QString path = askTarget(QStringLiteral("документ"), suggested, filters.join(QStringLiteral(";;")), filter);
    if (path.isEmpty())
        return;
    const TripReport report{.inputName = InputNameForHeading(run_->inputPath),
                            .regionIndex = run_->regionIndex,
                            .date = DocumentDate(),
                            .rows = SummaryRowsOfRun(*run_),
                            .run = run_.get(),
                            .chartOf = ChartOfRatedBlock};
    written(WhileBusy([&] { return WriteTripDocument(path, DocumentFormatFor(path, filter), report); }));
}

// Into a folder chosen, which must still be there.
void ResultsSaving::saveCharts(ChartFormat format)
{
    const QString folder = QDir::toNativeSeparators(fileDialog_.askFolder(&window_, QFileInfo(run_->inputPath).path()));
    if (folder.isEmpty())
        return;
    if (!QFileInfo(folder).isDir())
        written(OutputFailure(QStringLiteral("графики в папку"), folder, QStringLiteral("папки нет")));
    else
        written(WhileBusy([&] { return WriteChartFiles(folder, format, *run_, ChartOfRatedBlock); }));
}

QString ResultsSaving::askTarget(const QString& what, const QString& suggested, const QString& filters, QString& filter)
{
    const QString path = QDir::toNativeSeparators(fileDialog_.askSaveFileName(&window_, suggested, filters, filter));
    if (!path.isEmpty() && SameExistingFile(run_->inputPath, path)) {
        written(OutputFailure(what, path, QStringLiteral("совпадает с файлом данных")));
        return {};
    }
    return path;
}

QString ResultsSaving::besideInput(const QString& extension) const
{
    const QFileInfo input(run_->inputPath);
    return QDir::toNativeSeparators(input.dir().filePath(input.completeBaseName() + extension));
}

bool ResultsSaving::written(const std::optional<QString>& failure)
{
    if (failure)
        messages_.present(&window_, *failure, MessageIcon::Critical);
    return !failure;
}

} // namespace passcat
