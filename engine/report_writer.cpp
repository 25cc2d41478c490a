#include "engine/report_writer.h"

#include <charconv>
#include <string>
#include <string_view>

#include "engine/number_formatting.h"

namespace passcat {
namespace {

// Room for a row: ten number texts, the TABs and the category.
constexpr std::size_t kRowRoom = 10 * (kNumberTextRoom + 3) + 32;

char* PutTabs(char* out, int count)
{
    for (int k = 0; k < count; ++k)
        *out++ = '\t';
    return out;
}

// The row of point i: distance, segment length, height still to gain, height change,
// the grades, the four coefficients and the category, in their columns.
std::string_view PutRow(char (&row)[kRowRoom], const ObstacleBlock& block, const PointRatings& e, std::size_t i,
                        char sep)
{
    const auto& h = block.heights;
    const std::size_t segments = e.series.deltaHeights.size();
    char* o = PutPlainDouble(row, block.distances[i], sep);
    o = PutPlainDouble(PutTabs(o, 3), e.series.deltaDistances[i], sep);
    o = PutPlainDouble(PutTabs(o, 2), h[segments] - h[i], sep);
    o = PutPlainDouble(PutTabs(o, 1), e.series.deltaHeights[i], sep);
    for (const double value : {e.series.segmentGrades[i], e.series.remainingGrades[i],
                               static_cast<double>(e.scores.steepnessCoefs[i]),
                               static_cast<double>(e.scores.surfaceScores[i]),
                               static_cast<double>(e.scores.gainCoefs[i]),
                               static_cast<double>(e.scores.pointScores[i])})
        o = PutThreeDecimals(PutTabs(o, 2), value, sep);
    o = std::to_chars(PutTabs(o, 2), row + kRowRoom, e.recommendation.pointCategories[i]).ptr;
    return {row, static_cast<std::size_t>(o - row)};
}

} // namespace

void WriteBlockSection(LineSink& result, const ObstacleBlock& block, const PointRatings& e, const ReportLabels& labels,
                       NumberFormat format)
{
    const char sep = format.decimalSeparator;
    result.writeLine(block.title);
    result.writeLine(labels.header);

    char row[kRowRoom];
    for (std::size_t i = 0; i < e.series.deltaHeights.size(); ++i)
        result.writeLine(PutRow(row, block, e, i, sep));

    const std::size_t r = e.recommendation.recommendedPoint;
    result.writeLine(labels.recommended);

    std::string line = labels.scorePrefix;
    AppendNumberText(line, PutPlainSingle, e.scores.pointScores[r], sep);
    result.writeLine(line);

    line = labels.categoryPrefix + std::to_string(e.recommendation.pointCategories[r]);
    result.writeLine(line);

    line = labels.formulaPrefix;
    AppendNumberText(line, PutPlainSingle, e.scores.altitudeCoef, sep);
    for (const float factor : {e.scores.steepnessCoefs[r], e.scores.gainCoefs[r], e.scores.surfaceScores[r]}) {
        line += '*';
        AppendNumberText(line, PutPlainSingle, factor, sep);
    }
    result.writeLine(line);

    result.writeLine({});
    result.writeLine({});
}

} // namespace passcat
