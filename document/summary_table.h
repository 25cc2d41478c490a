#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "run/run_result.h"

namespace passcat {

// The columns of the summary table, in order.
enum SummaryColumn : std::size_t {
    kSummaryNumber,
    kSummaryTitle,
    kSummaryLength,
    kSummaryStartHeight,
    kSummaryEndHeight,
    kSummaryClimb,
    kSummaryCategory,
    kSummaryScore,
    kSummaryRecommendedPoint,
    kSummaryRecommendedDistance,
    kSummaryWeighting,
    kSummaryColumnCount,
};

// The column headings (UTF-8).
inline constexpr std::array<std::string_view, kSummaryColumnCount> kSummaryHeader = {
    "№",
    "Название",
    "Длина, км",
    "Высота начала, м",
    "Высота конца, м",
    "Набор высоты, м",
    "Категория",
    "Балл",
    "Рекомендуемая точка",
    "Километраж рекомендуемой точки, км",
    "Взвешивание покрытия",
};

// One block of the input as the table shows it, in UTF-8: an accepted block with a
// cell for every column; a rejected one with its number, its title and the run's
// message for it.
struct SummaryRow {
    bool rejected = false;
    std::vector<std::string> cells;
};

// The row of one block of a run rated and written with evaluation.
SummaryRow SummaryRowOf(const RunBlock& block, const EvaluationSettings& evaluation);

// A row a block of the run, in input order; the numbers as the report writes them,
// with its decimal separator.
std::vector<SummaryRow> SummaryRowsOfRun(const RunResult& run);

} // namespace passcat
