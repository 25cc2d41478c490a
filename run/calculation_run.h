#pragma once

#include <QString>

#include "chart/profile_chart.h"
#include "engine/reference_tables.h"
#include "engine/surface_weighting.h"
#include "run/track_settings.h"

namespace passcat {

// The four settings of one run, as the window holds them when the run starts.
struct RunSettings {
    QString inputPath;
    QString resultPath;
    int regionIndex = kDefaultRegionIndex;
    SurfaceWeighting weighting = SurfaceWeighting::ByHeight;
    // The command line's "-": standard input in place of inputPath, standard output
    // in place of resultPath.
    bool inputIsStandardInput = false;
    bool resultIsStandardOutput = false;
    TrackSettings tracks{}; // for an input that is a GPS track
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

struct RunMessage {
    enum class Kind {
        BlockRejected, // one block was skipped; the run goes on
        MissingInput,  // the input file does not exist; nothing was written
        RunFailed,     // the run stopped; the previous result file is untouched
        TrackNotice,   // a track lost points or gave no block; the run goes on
    };
    Kind kind = Kind::RunFailed;
    QString text;             // exactly the text the user is shown
    int blockNumber = 0;      // BlockRejected: the block's number in the file, from 1
    qint64 titleLineNumber = 0; // BlockRejected: the line where the block starts
};

// How a run shows itself: the window with message boxes and the wait cursor, the
// command line with standard error.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void setBusy(bool busy) = 0;
    // Returns once the user has seen the message.
    virtual void showMessage(const RunMessage& message) = 0;
    // The input file was found and is about to be opened. Nothing to show; tests
    // change the file here, as another program could.
    virtual void inputFound() {}
    // True: every accepted block is handed to chartReady as the run goes, before the
    // report is complete; a run that fails afterwards keeps its report unwritten.
    virtual bool wantsCharts() const { return false; }
    virtual void chartReady(int /*blockNumber*/, ProfileChart /*chart*/) {}
};

enum class RunOutcome {
    AllAccepted,  // every block is in the report
    SomeRejected, // the report holds the others
    Failed,       // no report was written (or the previous one was kept)
};

// One calculation run over a whole input file.
RunOutcome PerformCalculationRun(const RunSettings& settings, const ReportFormat& format, RunObserver& observer);

} // namespace passcat
