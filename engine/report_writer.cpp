#include "engine/report_writer.h"

#include <charconv>
#include <string>
#include <string_view>

#include "engine/number_text.h"

namespace passcat {
namespace {

void AppendTabs(std::string& line, int count) { line.append(static_cast<std::size_t>(count), '\t'); }

// Room for a row built in place: the number texts, the TABs and the category.
constexpr std::size_t kRowRoom = 4 * (kNumberTextRoom + 3) + 6 * (kNumberTextRoom + 2) + 32;

// The row built in place: the number texts written one after the other into row, as
// AppendRow writes them; the end of the row, or null when a "0.000" value is too
// large for the short form.
char* PutRow(char (&row)[kRowRoom], const EvaluatedBlock& e, std::size_t i, char sep)
{
    const auto& h = e.block.heights;
    const std::size_t segments = e.series.deltaHeights.size();
    char* o = row;
    o = PutPlainDouble(o, e.block.distances[i], sep);
    *o++ = '\t';
    *o++ = '\t';
    *o++ = '\t';
    o = PutPlainDouble(o, e.series.deltaDistances[i], sep);
    *o++ = '\t';
    *o++ = '\t';
    o = PutPlainDouble(o, h[segments] - h[i], sep);
    *o++ = '\t';
    o = PutPlainDouble(o, e.series.deltaHeights[i], sep);
    for (const double value : {e.series.segmentGrades[i], e.series.remainingGrades[i],
                               static_cast<double>(e.scores.steepnessCoefs[i]),
                               static_cast<double>(e.scores.surfaceScores[i]),
                               static_cast<double>(e.scores.gainCoefs[i]),
                               static_cast<double>(e.scores.pointScores[i])}) {
        *o++ = '\t';
        *o++ = '\t';
        o = PutShortThreeDecimals(o, value, sep);
        if (!o)
            return nullptr;
    }
    *o++ = '\t';
    *o++ = '\t';
    return std::to_chars(o, row + sizeof row, e.recommendation.pointCategories[i]).ptr;
}

void AppendRow(std::string& line, const EvaluatedBlock& e, std::size_t i, char sep)
{

    const auto& h = e.block.heights;
    const std::size_t segments = e.series.deltaHeights.size();
    line.clear();
    AppendPlainDouble(line, e.block.distances[i], sep);
    AppendTabs(line, 3);
    AppendPlainDouble(line, e.series.deltaDistances[i], sep);
    AppendTabs(line, 2);
    AppendPlainDouble(line, h[segments] - h[i], sep);
    AppendTabs(line, 1);
    AppendPlainDouble(line, e.series.deltaHeights[i], sep);
    for (const double value : {e.series.segmentGrades[i], e.series.remainingGrades[i],
                               static_cast<double>(e.scores.steepnessCoefs[i]),
                               static_cast<double>(e.scores.surfaceScores[i]),
                               static_cast<double>(e.scores.gainCoefs[i]),
                               static_cast<double>(e.scores.pointScores[i])}) {
        AppendTabs(line, 2);
        AppendThreeDecimals(line, value, sep);
    }
    AppendTabs(line, 2);
    line += std::to_string(e.recommendation.pointCategories[i]);
}

} // namespace

void WriteBlockSection(LineSink& result, const EvaluatedBlock& e, const ReportLabels& labels, NumberFormat format)
{
    const char sep = format.decimalSeparator;
    result.writeLine(e.block.title);
    result.writeLine(labels.header);

    std::string line;
    char row[kRowRoom];
    for (std::size_t i = 0; i < e.series.deltaHeights.size(); ++i) {
        if (const char* end = PutRow(row, e, i, sep)) {
            result.writeLine(std::string_view(row, static_cast<std::size_t>(end - row)));
        } else {
            AppendRow(line, e, i, sep);
            result.writeLine(line);
        }
    }

    const std::size_t r = e.recommendation.recommendedPoint;
    result.writeLine(labels.recommended);

    line = labels.scorePrefix;
    AppendPlainSingle(line, e.scores.pointScores[r], sep);
    result.writeLine(line);

    line = labels.categoryPrefix + std::to_string(e.recommendation.pointCategories[r]);
    result.writeLine(line);

    line = labels.formulaPrefix;
    AppendPlainSingle(line, e.scores.altitudeCoef, sep);
    for (const float factor : {e.scores.steepnessCoefs[r], e.scores.gainCoefs[r], e.scores.surfaceScores[r]}) {
        line += '*';
        AppendPlainSingle(line, factor, sep);
    }
    result.writeLine(line);

    result.writeLine({});
    result.writeLine({});
}

} // namespace passcat
