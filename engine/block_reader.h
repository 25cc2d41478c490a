#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/line_io.h"
#include "engine/obstacle_block.h"

namespace passcat {

struct BlockReadResult {
    enum class Status {
        Complete,      // a block through its end line
        Malformed,     // consumed through its end line (or the end), but unusable: see fault
        TrailingBlank, // only blank lines were left in the input: no block at all
    };
    Status status = Status::Complete;
    ObstacleBlock block;
    std::uint64_t titleLineNumber = 0;
    std::string fault; // the message for a malformed block
};

// Reads one block: the title line, the data lines, and the end line "@@@", which is
// consumed. Called only when the input is not at its end. A malformed block is
// still consumed whole, so the next call starts at the next block.
BlockReadResult ReadObstacleBlock(LineSource& input);

// The same, into a result given: its earlier contents are replaced, but its buffers
// are kept, so that reading into the same result again allocates nothing once they
// are large enough.
void ReadObstacleBlock(LineSource& input, BlockReadResult& result);

} // namespace passcat
