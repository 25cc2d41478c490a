#include "gui/main_form.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "engine/reference_tables.h"
#include "gui/busy_cursor.h"
#include "platform/decimal_separator.h"
#include "gui/file_dialog.h"
#include "gui/message_presenter.h"
#include <algorithm>
#include "run/calculation_run.h"
#include "run/result_path.h"

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

    void showMessage(const RunMessage& message) override
    {
        // A rejected block or track is a plain notice; a run that could not read or write is an error.
        const bool notice = message.kind == RunMessage::Kind::BlockRejected || message.kind == RunMessage::Kind::TrackNotice;
        const auto icon = notice ? MessageIcon::None : MessageIcon::Critical;
        messages_.present(&form_, message.text, icon);
    }

private:
    QWidget& form_;
    MessagePresenter& messages_;
    BusyCursor& busyCursor_;
};

} // namespace

MainForm::MainForm(FileDialog& fileDialog, MessagePresenter& messages, BusyCursor& busyCursor, QWidget* parent)
    : QWidget(parent), fileDialog_(fileDialog), messages_(messages), busyCursor_(busyCursor)
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
    CommandProfile = PlaceButton(this, "Профиль", "CommandProfile", {298, 94, 80, 27});
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
    const QString chosen = fileDialog_.askOpenFileName(this, QStringLiteral("Text Files (*.txt);;Треки GPS (*.gpx *.kml *.tcx *.plt)"));
    if (chosen.isEmpty())
        return;
    Text1->setText(QDir::toNativeSeparators(chosen));
    Text2->setText(QDir::toNativeSeparators(DefaultResultPath(chosen)));
}

void MainForm::Command2_Click()
{
    const RunSettings settings{
        .resultPath = Text2->text(),
        .regionIndex = Combo1->currentIndex(),
        .weighting = Option2->isChecked() ? SurfaceWeighting::ByLength : SurfaceWeighting::ByHeight,
        .keepRatedBlocks = true,
    };
    const ReportFormat format{
        .decimalSeparator = SystemDecimalSeparator(),
        .encoding = ReportEncoding::Auto,
    };
    // The run keeps the event loop out until it ends, except inside its modal boxes,
    // so no setting can change while it works.
    FormRunPresenter presenter(*this, messages_, busyCursor_);
    auto run = std::make_shared<RunResult>(PerformCalculationRun(RunInput::FromPath(Text1->text()), settings, format, presenter));
    const bool anyRated = std::ranges::any_of(run->blocks, [](const RunBlock& block) { return block.rated != nullptr; });
    keepCharts(run->outcome != RunOutcome::Failed && anyRated ? std::move(run) : nullptr);
}

void MainForm::CommandProfile_Click()
{
    if (!charts_)
        return;
    if (!chartWindow_) {
        chartWindow_ = new ChartWindow(fileDialog_, messages_, this);
        chartWindow_->setCharts(charts_);
    }
    chartWindow_->show();
    chartWindow_->raise();
    chartWindow_->activateWindow();
}

// An open chart window follows the runs; it closes after one without charts.
void MainForm::keepCharts(RunCharts charts)
{
    charts_ = std::move(charts);
    CommandProfile->setEnabled(charts_ != nullptr);
    if (chartWindow_ && !charts_)
        chartWindow_->hide();
    else if (chartWindow_)
        chartWindow_->setCharts(charts_);
}

} // namespace passcat
