#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/block_evaluation.h"
#include "engine/text_lines.h"

namespace passcat::testing {

class CollectedRejections final : public RejectionSink {
public:
    void blockRejected(const BlockRejection& rejection) override { all.push_back(rejection); }
    std::vector<BlockRejection> all;
};

struct EvaluatedInput {
    std::string report;
    std::vector<BlockRejection> rejections;
    int calls = 0;
};

// Evaluates every block of an input text as a run does, into a report in memory.
inline EvaluatedInput EvaluateText(std::string_view input, const EvaluationSettings& settings)
{
    TextLineSource source(input);
    TextLineSink sink;
    CollectedRejections rejections;
    EvaluatedInput result;
    while (!source.atEnd()) {
        EvaluateObstacleBlock(source, sink, settings, rejections);
        ++result.calls;
    }
    result.report = sink.takeText();
    result.rejections = std::move(rejections.all);
    return result;
}

inline EvaluationSettings SettingsFor(int region, bool byLength, char separator = '.')
{
    EvaluationSettings settings;
    settings.tables = LoadReferenceTables(region);
    settings.interpolationByLength = byLength;
    settings.format.decimalSeparator = separator;
    return settings;
}

} // namespace passcat::testing
