#pragma once

#include <QString>
#include <QStringList>

#include "cli/chart_options.h"
#include "cli/document_options.h"
#include "run/calculation_run.h"

namespace passcat {

// What the command line asks for.
struct CliCommand {
    enum class Action {
        Run,
        ListRegions,
        ShowHelp,
        ShowVersion,
        Reject, // bad arguments: text says why
    };
    Action action = Action::Run;
    RunInput input;
    RunSettings settings;
    ReportFormat format;
    ChartRequest charts;
    DocumentRequest documents;
    QString text; // ShowHelp: the help; ShowVersion: the version line; Reject: the message
};

// Reads the arguments (the program's name first). localeDecimalSeparator is the
// default for --decimal-separator.
CliCommand ParseCliArguments(const QStringList& arguments, char localeDecimalSeparator);

} // namespace passcat
