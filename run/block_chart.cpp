#include "run/block_chart.h"

#include "engine/number_formatting.h"
#include "engine/report_labels.h"
#include "platform/input_text_detection.h"
#include "platform/text_encoding.h"

namespace passcat {

std::string TitleInUtf8(const std::string& title)
{
    InputTextDetector detector;
    detector.feed(title);
    return detector.verdict() == InputText::OtherBytes ? Cp1251ToUtf8(title) : title;
}

ChartModel ChartOfRatedBlock(const RatedBlock& rated, char decimalSeparator)
{
    const Recommendation& recommendation = rated.ratings.recommendation;
    const std::size_t r = recommendation.recommendedPoint;
    const ReportLabels labels = ReportLabels::Utf8();
    ChartTexts texts{
        .title = TitleInUtf8(rated.block.title),
        .categoryText = labels.categoryPrefix + std::to_string(recommendation.pointCategories[r]),
        .scoreText = labels.scorePrefix,
        .decimalSeparator = decimalSeparator,
    };
    AppendNumberText(texts.scoreText, PutPlainSingle, rated.ratings.scores.pointScores[r], decimalSeparator);
    return BuildChartModel(rated, texts);
}

} // namespace passcat
