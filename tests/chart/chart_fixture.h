#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/block_evaluation.h"
#include "engine/text_lines.h"
#include "run/block_chart.h"

namespace passcat::testing {

// The classic example: region "Прочее", weighting by height, one block of four points.
inline constexpr std::string_view kWorkedExampleInput =
    "Пример 1\r\n3100\t0\t1.2\r\n3400\t3\t1.5\r\n3600\t4.5\t2\r\n3900\t6\t1\r\n@@@\r\n";

// The chart of the one block of input, from the engine's figures as a run hands them on.
inline ProfileChart ChartOfInput(std::string_view input, char separator = '.')
{
    EvaluationSettings settings;
    settings.tables = LoadReferenceTables(kDefaultRegionIndex);
    settings.format.decimalSeparator = separator;
    settings.keepFigures = true;
    TextLineSource source(input);
    TextLineSink sink;
    const BlockEvaluation evaluation = EvaluateObstacleBlock(source, sink, settings);
    if (!evaluation.figures)
        throw std::runtime_error("block rejected");
    return ChartOfBlock(*evaluation.figures, separator);
}

// A block of points points, 1 km apart, climbing with a dip every seven points.
inline std::string LongBlock(int points)
{
    std::string text = "Длинный\n";
    for (int i = 0; i < points; ++i)
        text += std::to_string(1000 + i / 10 + (i % 7) * 10) + '\t' + std::to_string(i) + "\t1.5\n";
    return text + "@@@\n";
}

} // namespace passcat::testing
