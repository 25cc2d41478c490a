#include "gui/main_form.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <string_view>

#include "engine/reference_tables.h"
#include "gui/busy_cursor.h"
#include "gui/dropped_file.h"
#include "platform/decimal_separator.h"
#include "gui/file_dialog.h"
#include "gui/message_presenter.h"
#include "gui/results_window.h"
#include "gui/track_settings_panel.h"
#include <algorithm>
#include <utility>
#include "run/calculation_run.h"
#include "run/result_path.h"
#include "tracks/track_formats.h"

namespace passcat {
namespace {

constexpr QSize kClientSize(542, 125);
constexpr qreal kSmallestPointSize = 6.0;

template <typename Control>
Control* Place(Control* control, const char* objectName, const QRect& geometry)
{
    control->setObjectName(QString::fromLatin1(objectName));
    control->setGeometry(geometry);
    return control;
}

// The browse dialog's filters: profile files, then every track format.
QString OpenFilters()
{
    QStringList patterns;
    for (const tracks::TrackFormat& format : tracks::TrackFormats()) {
        const std::string_view extension = format.extension;
        patterns << QStringLiteral("*.") + QString::fromUtf8(extension.data(), static_cast<qsizetype>(extension.size()));
    }
    return QStringLiteral("Text Files (*.txt);;Треки GPS (%1)").arg(patterns.join(u' '));
}

QLabel* PlaceLabel(QWidget* form, const char* caption, const char* objectName, const QRect& geometry)
{
    return Place(new QLabel(QString::fromUtf8(caption), form), objectName, geometry);
}

QPushButton* PlaceButton(QWidget* form, const char* caption, const char* objectName, const QRect& geometry)
{
    auto* button = Place(new QPushButton(QString::fromUtf8(caption), form), objectName, geometry);
    // Enter in a text box must not start a run or a browse.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

// The controls keep their fixed sizes, so the font gives way instead: it shrinks
// until every caption fits (the desktop's usual font is wider than the layout was
// drawn for).
void FitFontToCaptions(QWidget& form)
{
    const auto captions = form.findChildren<QWidget*>();
    const auto allFit = [&captions] {
        for (const QWidget* control : captions) {
            const bool hasCaption = qobject_cast<const QLabel*>(control) || qobject_cast<const QRadioButton*>(control);
            if (hasCaption && control->sizeHint().width() > control->width())
                return false;
        }
        return true;
    };
    QFont font = form.font();
    while (!allFit() && font.pointSizeF() - 0.5 >= kSmallestPointSize) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        form.setFont(font);
    }
}

// Shows a run in the window: the wait cursor while it works, a message box for each
// message. Whatever the run leaves, the cursor is normal again when the presenter goes.
class FormRunPresenter final : public RunPresenter {
public:
    FormRunPresenter(QWidget& form, MessagePresenter& messages, BusyCursor& busyCursor)
        : form_(form), messages_(messages), busyCursor_(busyCursor)
    {
    }
    FormRunPresenter(const FormRunPresenter&) = delete;
    FormRunPresenter& operator=(const FormRunPresenter&) = delete;
    ~FormRunPresenter() override { busyCursor_.restore(); }

    void setBusy(bool busy) override
    {
        if (busy)
            busyCursor_.show();
        else
            busyCursor_.restore();
    }

    // A rejected block or track is a plain notice; a run that could not read or write
    // is an error. Tracks without climbs are kept for one box at the end: a file of
    // many tracks would otherwise ask for a click on each.
    void showMessage(const RunMessage& message) override
    {
        if (message.kind == RunMessage::Kind::NoClimbs) {
            withoutClimbs_ << message.text;
            return;
        }
        const bool notice = message.kind == RunMessage::Kind::BlockRejected || message.kind == RunMessage::Kind::TrackNotice;
        messages_.present(&form_, message.text, notice ? MessageIcon::None : MessageIcon::Critical);
    }

    // Once the run is over.
    void showTracksWithoutClimbs()
    {
        if (!withoutClimbs_.isEmpty())
            messages_.present(&form_, withoutClimbs_.join(u'\n'), MessageIcon::Information);
    }

private:
    QWidget& form_;
    MessagePresenter& messages_;
    BusyCursor& busyCursor_;
    QStringList withoutClimbs_;
};

} // namespace

MainForm::MainForm(FileDialog& fileDialog, MessagePresenter& messages, BusyCursor& busyCursor,
                   SurfacePrompt& surfacePrompt, QWidget* parent)
    : QWidget(parent), fileDialog_(fileDialog), messages_(messages), busyCursor_(busyCursor), surfacePrompt_(surfacePrompt),
      trackSettings_(TrackSettingsPanel::Remembered())
{
    setObjectName(QStringLiteral("MainForm"));
    // "Рассчет": the caption as users have always seen it.
    setWindowTitle(QStringLiteral("Рассчет категории трудности горного препятствия"));
    setFixedSize(kClientSize);

    PlaceLabel(this, "Файл исходных данных", "Label1", {6, 12, 123, 21});
    Text1 = Place(new QLineEdit(this), "Text1", {136, 8, 363, 25});
    Command1 = PlaceButton(this, "...", "Command1", {504, 8, 33, 27});
    PlaceLabel(this, "Файл результата", "Label2", {6, 40, 123, 21});
    Text2 = Place(new QLineEdit(this), "Text2", {136, 38, 401, 25});
    PlaceLabel(this, "Район похода", "Label3_0", {6, 68, 123, 21});
    Combo1 = Place(new QComboBox(this), "Combo1", {136, 68, 401, 21});
    PlaceLabel(this, "Тип интерполяции ", "Label3_1", {6, 98, 123, 21});
    Option1 = Place(new QRadioButton(QStringLiteral("Высота"), this), "Option1", {136, 98, 75, 21});
    Option2 = Place(new QRadioButton(QStringLiteral("Длина"), this), "Option2", {218, 98, 75, 21});
    Command2 = PlaceButton(this, "Рассчитать", "Command2", {384, 94, 155, 27});
    // In the free room between "Длина" and "Рассчитать".
    CommandProfile = PlaceButton(this, "Результаты", "CommandProfile", {298, 94, 80, 27});
    CommandProfile->setEnabled(false);

    for (const std::string_view region : kRegionNames)
        Combo1->addItem(QString::fromUtf8(region.data(), static_cast<qsizetype>(region.size())));

    auto* weighting = new QButtonGroup(this);
    weighting->addButton(Option1);
    weighting->addButton(Option2);
    Option1->setChecked(true);

    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Text2);
    setTabOrder(Text2, Command2);
    setTabOrder(Command2, Combo1);
    setTabOrder(Combo1, Option1);
    setTabOrder(Option1, Option2);
    setTabOrder(Option2, CommandProfile);
    Text1->setFocus();

    FitFontToCaptions(*this);

    setAcceptDrops(true);
    Text1->installEventFilter(this);
    Text2->installEventFilter(this);

    connect(Command1, &QPushButton::clicked, this, &MainForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MainForm::Command2_Click);
    connect(CommandProfile, &QPushButton::clicked, this, &MainForm::CommandProfile_Click);
    Form_Load();
}

void MainForm::Form_Load()
{
    Combo1->setCurrentIndex(kDefaultRegionIndex);
}

void MainForm::Command1_Click()
{
    // Only a chosen file changes the boxes: a cancelled dialog leaves what the user typed.
    const QString chosen = fileDialog_.askOpenFileName(this, OpenFilters());
    if (!chosen.isEmpty())
        openInput(chosen);
}

void MainForm::openInput(const QString& path)
{
    Text1->setText(QDir::toNativeSeparators(path));
    Text2->setText(QDir::toNativeSeparators(DefaultResultPath(path)));
}

void MainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (CarriesLocalFiles(*event->mimeData()))
        event->acceptProposedAction();
}

void MainForm::dropEvent(QDropEvent* event)
{
    if (!CarriesLocalFiles(*event->mimeData()))
        return;
    event->acceptProposedAction();
    const DroppedFile dropped = FirstDroppedFile(*event->mimeData());
    if (dropped.path.isEmpty())
        messages_.present(this, dropped.refusal, MessageIcon::Critical);
    else
        openInput(dropped.path);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        if (!CarriesLocalFiles(*static_cast<QDropEvent*>(event)->mimeData()))
            break;
        static_cast<QDropEvent*>(event)->acceptProposedAction();
        return true;
    case QEvent::Drop:
        if (!CarriesLocalFiles(*static_cast<QDropEvent*>(event)->mimeData()))
            break;
        dropEvent(static_cast<QDropEvent*>(event));
        return true;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void MainForm::closeEvent(QCloseEvent* event)
{
    if (resultsWindow_ && !resultsWindow_->mayDropMarks())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

void MainForm::Command2_Click()
{
    // A run replaces the results, and the surfaces marked in them.
    if (resultsWindow_ && !resultsWindow_->mayDropMarks())
        return;
    const RunSettings settings{
        .resultPath = Text2->text(),
        .regionIndex = Combo1->currentIndex(),
        .weighting = Option2->isChecked() ? SurfaceWeighting::ByLength : SurfaceWeighting::ByHeight,
        .keepRatedBlocks = true,
        .keepProfileText = true,
    };
    const ReportFormat format{
        .decimalSeparator = SystemDecimalSeparator(),
        .encoding = ReportEncoding::Auto,
    };
    // The run keeps the event loop out until it ends, except inside its modal boxes,
    // so no setting can change while it works.
    FormRunPresenter presenter(*this, messages_, busyCursor_);
    const QString input = Text1->text();
    lastInput_ = RunInput::FromPath(input, trackSettings_);
    lastSettings_ = settings;
    lastFormat_ = format;
    auto run = std::make_shared<RunResult>(PerformCalculationRun(lastInput_, settings, format, presenter));
    presenter.showTracksWithoutClimbs();
    const bool anyRated = std::ranges::any_of(run->blocks, [](const RunBlock& block) { return block.rated != nullptr; });
    keepResults(run->outcome != RunOutcome::Failed && anyRated ? std::move(run) : nullptr, QFileInfo(input).fileName());
}

void MainForm::CommandProfile_Click()
{
    if (results_)
        showResults();
}

// The results window opens after every run that evaluated a block, and goes after one
// that evaluated none.
void MainForm::keepResults(RunCharts run, const QString& inputName)
{
    results_ = std::move(run);
    CommandProfile->setEnabled(results_ != nullptr);
    if (!results_) {
        if (resultsWindow_)
            resultsWindow_->hide();
        return;
    }
    if (!resultsWindow_) {
        resultsWindow_ = new ResultsWindow(fileDialog_, messages_, surfacePrompt_, this);
        resultsWindow_->trackSettings().onChanged([this](const TrackSettings& settings) { rerunTrack(settings); });
    }
    resultsWindow_->setRun(results_, inputName);
    resultsWindow_->trackSettings().setVisible(lastInput_.kind == RunInput::Kind::TrackFile);
    resultsWindow_->trackSettings().setSettings(trackSettings_);
    showResults();
}

// A track setting changed in the results window: the last run's track runs again as it
// ran, with the new settings; a failed run leaves the results and the settings as they were.
void MainForm::rerunTrack(const TrackSettings& settings)
{
    const TrackSettings previous = std::exchange(trackSettings_, settings);
    lastInput_.track = settings;
    FormRunPresenter presenter(*resultsWindow_, messages_, busyCursor_);
    auto run = std::make_shared<RunResult>(PerformCalculationRun(lastInput_, lastSettings_, lastFormat_, presenter));
    presenter.showTracksWithoutClimbs();
    if (run->outcome == RunOutcome::Failed) {
        trackSettings_ = lastInput_.track = previous;
        resultsWindow_->trackSettings().setSettings(previous);
        return;
    }
    results_ = run;
    resultsWindow_->rerun(std::move(run), QFileInfo(lastInput_.path).fileName());
}

void MainForm::showResults()
{
    resultsWindow_->show();
    resultsWindow_->raise();
    resultsWindow_->activateWindow();
}

} // namespace passcat
