#include "cli/cli_runner.h"

#include <cerrno>

#include "document/output_file.h"
#include "document/output_target.h"
#include "document/summary_csv.h"
#include "engine/reference_tables.h"
#include "platform/system_error_text.h"
#include "run/block_chart.h"

namespace passcat {
namespace {

// Every message of the program is one line of standard error that begins so.
void Say(std::ostream& errors, const QString& text)
{
    errors << "passcat-cli: " << text.toStdString() << std::endl;
}

// Shows the run's messages as lines of standard error; there is no pointer to turn busy.
class StreamRunPresenter final : public RunPresenter {
public:
    explicit StreamRunPresenter(std::ostream& errors) : errors_(errors) {}

    void setBusy(bool) override {}

    void showMessage(const RunMessage& message) override
    {
        if (message.kind != RunMessage::Kind::BlockRejected) {
            Say(errors_, message.text);
            return;
        }
        Say(errors_, QStringLiteral("блок %1, строка %2: %3")
                         .arg(message.blockNumber)
                         .arg(message.titleLineNumber)
                         .arg(message.text));
    }

private:
    std::ostream& errors_;
};

// A listing that did not reach its reader (a full disk, a closed pipe) is a failure,
// as with the GNU tools.
int Written(std::ostream& output, std::ostream& errors)
{
    if (output.flush())
        return kExitAllAccepted;
    const int errorNumber = errno;
    Say(errors,
        QStringLiteral("Ошибка: не удалось записать в стандартный вывод (%1)").arg(SystemErrorText(errorNumber)));
    return kExitFailed;
}

} // namespace

int RunCliCommand(const CliCommand& command, std::ostream& output, std::ostream& errors,
                  const ChartWriter& writeCharts, const DocumentWriter& writeDocument)
{
    switch (command.action) {
    case CliCommand::Action::Reject:
        Say(errors, command.text);
        Say(errors, QStringLiteral("подробнее: passcat-cli --help"));
        return kExitFailed;
    case CliCommand::Action::ShowHelp:
    case CliCommand::Action::ShowVersion:
        output << command.text.toStdString() << (command.text.endsWith('\n') ? "" : "\n");
        return Written(output, errors);
    case CliCommand::Action::ListRegions:
        for (int index = 0; index < kRegionCount; ++index)
            output << index << '\t' << kRegionNames[static_cast<std::size_t>(index)] << '\n';
        return Written(output, errors);
    case CliCommand::Action::Run:
        break;
    }
    StreamRunPresenter presenter(errors);
    RunSettings settings = command.settings;
    settings.keepRatedBlocks = command.charts.wanted() || command.documents.wantsDocument();
    const RunResult run = PerformCalculationRun(command.input, settings, command.format, presenter);
    if (run.outcome == RunOutcome::Failed)
        return run.exitStatus;
    // The other outputs only once the report is safe, each on its own: one that fails
    // is told, and the rest are still written.
    int status = run.exitStatus;
    const auto fail = [&](const QString& message) {
        Say(errors, message);
        status = kExitFailed;
    };
    if (command.charts.wanted()) {
        if (const auto fault = writeCharts(command.charts, run, ChartOfRatedBlock))
            fail(*fault);
    }
    const DocumentRequest& documents = command.documents;
    if (!documents.wantsSummary() && !documents.wantsDocument())
        return status;
    TripReport report{.inputName = InputNameForHeading(command.input.path),
                      .regionIndex = settings.regionIndex,
                      .date = DocumentDate(),
                      .rows = SummaryRowsOfRun(run),
                      .run = &run,
                      .chartOf = ChartOfRatedBlock};
    std::vector<WrittenOutput> written;
    const auto writeOutput = [&](const QString& what, const QString& path, const QString& name, const auto& write) {
        if (const auto conflict = OutputTargetConflict(path, command.input, settings, written))
            return fail(OutputFailure(what, path, *conflict));
        if (const auto fault = write())
            return fail(*fault);
        written.push_back({path, name});
    };
    if (documents.wantsSummary()) {
        writeOutput(QStringLiteral("таблицу"), documents.summaryPath, QStringLiteral("с таблицей"), [&] {
            return WriteOutputFile(QStringLiteral("таблицу"), documents.summaryPath, SummaryCsv(report.rows));
        });
    }
    if (documents.wantsDocument()) {
        writeOutput(QStringLiteral("документ"), documents.documentPath, QStringLiteral("с документом"), [&] {
            return writeDocument(documents.documentPath, documents.documentFormat, report);
        });
    }
    return status;
}

} // namespace passcat
