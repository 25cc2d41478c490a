#include "cli/cli_runner.h"

#include "engine/reference_tables.h"

namespace passcat {
namespace {

// Shows the run's messages as lines of standard error; there is no pointer to turn busy.
class StreamRunObserver final : public RunObserver {
public:
    explicit StreamRunObserver(std::ostream& errors) : errors_(errors) {}

    void setBusy(bool) override {}

    void showMessage(const RunMessage& message) override
    {
        if (message.kind == RunMessage::Kind::BlockRejected)
            errors_ << "блок " << message.blockNumber << ", строка " << message.titleLineNumber << ": ";
        errors_ << message.text.toStdString() << std::endl;
    }

private:
    std::ostream& errors_;
};

} // namespace

int RunCliCommand(const CliCommand& command, std::ostream& output, std::ostream& errors,
                  const ChartWriter& writeCharts)
{
    switch (command.action) {
    case CliCommand::Action::Reject:
        errors << command.text.toStdString() << "\nсм. passcat-cli --help" << std::endl;
        return kExitFailed;
    case CliCommand::Action::ShowHelp:
    case CliCommand::Action::ShowVersion:
        output << command.text.toStdString() << (command.text.endsWith('\n') ? "" : "\n") << std::flush;
        return kExitAllAccepted;
    case CliCommand::Action::ListRegions:
        for (int index = 0; index < kRegionCount; ++index)
            output << index << '\t' << kRegionNames[static_cast<std::size_t>(index)] << '\n';
        output << std::flush;
        return kExitAllAccepted;
    case CliCommand::Action::Run:
        break;
    }
    StreamRunObserver observer(errors);
    ChartCollector charts(observer);
    RunObserver& shown = command.charts.wanted() ? static_cast<RunObserver&>(charts) : observer;
    const RunOutcome outcome = PerformCalculationRun(command.settings, command.format, shown);
    // The charts only once the report is safe.
    if (outcome != RunOutcome::Failed && command.charts.wanted()) {
        if (const auto fault = writeCharts(command.charts, charts.charts())) {
            errors << fault->toStdString() << std::endl;
            return kExitFailed;
        }
    }
    switch (outcome) {
    case RunOutcome::AllAccepted:
        return kExitAllAccepted;
    case RunOutcome::SomeRejected:
        return kExitSomeRejected;
    case RunOutcome::Failed:
        break;
    }
    return kExitFailed;
}

} // namespace passcat
