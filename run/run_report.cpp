#include "run/run_report.h"

#include "engine/report_writer.h"
#include "engine/text_lines.h"

namespace passcat {

std::string ReportOfRun(const RunResult& run)
{
    TextLineSink report;
    for (const RunBlock& block : run.blocks) {
        if (block.rated)
            WriteBlockSection(report, block.rated->block, block.rated->ratings, run.evaluation.labels,
                              run.evaluation.format);
    }
    return report.takeText();
}

} // namespace passcat
