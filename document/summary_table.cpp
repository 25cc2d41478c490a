#include "document/summary_table.h"

#include "engine/number_formatting.h"
#include "run/block_chart.h"

namespace passcat {

namespace {

template <typename Value>
std::string NumberText(char* (*put)(char*, Value, char), Value value, char decimalSeparator)
{
    std::string text;
    AppendNumberText(text, put, value, decimalSeparator);
    return text;
}

} // namespace

std::vector<SummaryRow> SummaryRowsOfRun(const RunResult& run)
{
    const char sep = run.evaluation.format.decimalSeparator;
    const std::string weighting(SurfaceWeightingName(run.evaluation.weighting));
    std::vector<SummaryRow> rows;
    rows.reserve(run.blocks.size());
    for (const RunBlock& block : run.blocks) {
        const BlockSummary& s = block.summary;
        std::vector<std::string> cells{std::to_string(block.number), TitleInUtf8(s.title)};
        if (s.rejection) {
            cells.push_back(*s.rejection);
            rows.push_back({true, std::move(cells)});
            continue;
        }
        // The report's own texts: %.15G for lengths and heights, %.7G for the score.
        for (const double value : {s.length, s.startHeight, s.endHeight, s.climb})
            cells.push_back(NumberText(PutPlainDouble, value, sep));
        cells.push_back(std::to_string(s.category));
        cells.push_back(NumberText(PutPlainSingle, s.score, sep));
        cells.push_back(std::to_string(s.recommendedPoint + 1));
        cells.push_back(NumberText(PutPlainDouble, s.recommendedDistance, sep));
        cells.push_back(weighting);
        rows.push_back({false, std::move(cells)});
    }
    return rows;
}

} // namespace passcat
