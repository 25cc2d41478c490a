#include "document/summary_table.h"

#include "engine/number_formatting.h"
#include "run/block_chart.h"

namespace passcat {

SummaryRow SummaryRowOf(const RunBlock& block, const EvaluationSettings& evaluation)
{
    const char sep = evaluation.format.decimalSeparator;
    const BlockSummary& s = block.summary;
    std::vector<std::string> cells{std::to_string(block.number), TitleInUtf8(s.title)};
    if (s.rejection) {
        cells.push_back(*s.rejection);
        return {true, std::move(cells)};
    }
    // The report's own texts: %.15G for lengths and heights, %.7G for the score.
    for (const double value : {s.length, s.startHeight, s.endHeight, s.climb})
        cells.push_back(NumberText(PutPlainDouble, value, sep));
    cells.push_back(std::to_string(s.category));
    cells.push_back(NumberText(PutPlainSingle, s.score, sep));
    cells.push_back(std::to_string(s.recommendedPoint + 1));
    cells.push_back(NumberText(PutPlainDouble, s.recommendedDistance, sep));
    cells.emplace_back(SurfaceWeightingName(evaluation.weighting));
    return {false, std::move(cells)};
}

std::vector<SummaryRow> SummaryRowsOfRun(const RunResult& run)
{
    std::vector<SummaryRow> rows;
    rows.reserve(run.blocks.size());
    for (const RunBlock& block : run.blocks)
        rows.push_back(SummaryRowOf(block, run.evaluation));
    return rows;
}

} // namespace passcat
