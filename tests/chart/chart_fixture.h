#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "engine/block_evaluation.h"
#include "engine/text_lines.h"
#include "run/block_chart.h"

namespace passcat::testing {

// The classic example: region "Прочее", weighting by height, one block of four points.
inline constexpr std::string_view kWorkedExampleInput =
    "Пример 1\r\n3100\t0\t1.2\r\n3400\t3\t1.5\r\n3600\t4.5\t2\r\n3900\t6\t1\r\n@@@\r\n";

// The one block of input as a run keeps it.
inline RatedBlock RatedBlockOfInput(std::string_view input)
{
    EvaluationSettings settings;
    settings.tables = LoadReferenceTables(kDefaultRegionIndex);
    settings.keepRatedBlocks = true;
    TextLineSource source(input);
    TextLineSink sink;
    BlockEvaluation evaluation = EvaluateObstacleBlock(source, sink, settings);
    if (!evaluation.rated)
        throw std::runtime_error("block rejected");
    return std::move(*evaluation.rated);
}

inline ChartModel ChartOfInput(std::string_view input, char separator = '.')
{
    return ChartOfRatedBlock(RatedBlockOfInput(input), separator);
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
