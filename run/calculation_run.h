#pragma once

#include <QString>

#include "engine/reference_tables.h"
#include "engine/surface_weighting.h"
#include "run/run_input.h"
#include "run/run_result.h"

namespace passcat {

// The settings of one run, as the window holds them when the run starts.
struct RunSettings {
    QString resultPath;
    // The command line's "-o -": standard output in place of resultPath.
    bool resultIsStandardOutput = false;
    int regionIndex = kDefaultRegionIndex;
    SurfaceWeighting weighting = SurfaceWeighting::ByHeight;
    // Every accepted block's rated points kept in the result (the window, charts,
    // documents); without it the memory of a run stays bounded by its largest block.
    bool keepRatedBlocks = false;
    // The lines the blocks were read from kept in the result, so that the window can
    // write the profile again with the surfaces the user changed.
    bool keepProfileText = false;
};

enum class ReportEncoding {
    Auto,   // as the input suggests: UTF-8 input gives UTF-8, other non-ASCII input Windows-1251
    Cp1251, // Windows-1251, the classic report
    Utf8,
};

// How the report is written, from the user's system rather than from the window.
struct ReportFormat {
    char decimalSeparator = '.';
    ReportEncoding encoding = ReportEncoding::Auto;
};

// How a run shows itself while it goes: the window with message boxes and the wait
// cursor, the command line with standard error.
class RunPresenter {
public:
    virtual ~RunPresenter() = default;
    virtual void setBusy(bool busy) = 0;
    // Returns once the user has seen the message.
    virtual void showMessage(const RunMessage& message) = 0;
};

// One calculation run over a whole input: the report written, every message shown
// as it comes and kept in the result.
RunResult PerformCalculationRun(const RunInput& input, const RunSettings& settings, const ReportFormat& format,
                                RunPresenter& presenter);

} // namespace passcat
