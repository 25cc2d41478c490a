#include "run/block_chart.h"

#include "platform/input_text_detection.h"
#include "platform/text_encoding.h"

namespace passcat {

ProfileChart ChartOfBlock(const BlockFigures& figures, char decimalSeparator)
{
    InputTextDetector title;
    title.feed(figures.title);
    return {
        .title = title.verdict() == InputText::OtherBytes ? Cp1251ToUtf8(figures.title) : figures.title,
        .distances = figures.distances,
        .heights = figures.heights,
        .categories = figures.categories,
        .scores = figures.scores,
        .recommendedPoint = figures.recommendedPoint,
        .categoryText = figures.categoryText,
        .scoreText = figures.scoreText,
        .decimalSeparator = decimalSeparator,
    };
}

} // namespace passcat
