#pragma once

#include <cstdint>
#include <string>

#include "engine/block_reader.h"
#include "engine/line_io.h"
#include "engine/reference_tables.h"
#include "engine/report_labels.h"

namespace passcat {

struct BlockRejection {
    std::string message;          // UTF-8, begins with "Ошибка: "
    std::uint64_t titleLineNumber; // where the block starts in the input
};

// Told of every block that is read but not evaluated.
class RejectionSink {
public:
    virtual ~RejectionSink() = default;
    virtual void blockRejected(const BlockRejection& rejection) = 0;
};

struct EvaluationSettings {
    ReferenceTables tables;
    bool interpolationByLength = false; // weight surface coefficients by length, else by height
    ReportLabels labels = ReportLabels::Utf8();
    NumberFormat format;
};

enum class BlockOutcome { Accepted, Rejected, NoBlock };

// Checks and evaluates a block already read, writing its section or reporting why not.
BlockOutcome EvaluateBlock(const BlockReadResult& read, LineSink& result, const EvaluationSettings& settings,
                           RejectionSink& rejections);

// Reads exactly one block, through its end line, and evaluates it. NoBlock when only
// blank lines were left.
BlockOutcome EvaluateObstacleBlock(LineSource& input, LineSink& result, const EvaluationSettings& settings,
                                   RejectionSink& rejections);

} // namespace passcat
