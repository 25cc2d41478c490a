#pragma once

#include <QString>

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/block_evaluation.h"
#include "engine/rated_block.h"
#include "engine/reference_tables.h"
#include "tracks/track_conversion.h"

namespace passcat {

struct RunMessage {
    enum class Kind {
        BlockRejected, // one block was skipped; the run goes on
        MissingInput,  // the input file does not exist; nothing was written
        RunFailed,     // the run stopped; the previous result file is untouched
        TrackNotice,   // a track lost points or gave no block; the run goes on
        NoClimbs,      // a track rose nowhere by the minimum climb; not a fault, the status stays
    };
    Kind kind = Kind::RunFailed;
    QString text;               // exactly the text the user is shown
    int blockNumber = 0;        // BlockRejected: the block's number in the file, from 1
    qint64 titleLineNumber = 0; // BlockRejected: the line where the block starts
};

enum class RunOutcome {
    AllAccepted,  // every block is in the report
    SomeRejected, // the report holds the others
    Failed,       // no report was written (or the previous one was kept)
};

// Exit statuses of the programs, one for each outcome.
inline constexpr int kExitAllAccepted = 0;
inline constexpr int kExitSomeRejected = 1; // the report holds the other blocks
inline constexpr int kExitFailed = 2;       // bad arguments, or the run failed

int ExitStatusOf(RunOutcome outcome);

// One block of the input as the run found it.
struct RunBlock {
    std::uint64_t number = 0;        // among the input's blocks, from 1
    BlockSummary summary;            // accepted or rejected, always kept
    // Accepted, when the run was asked to keep rated blocks; apart, so that a run of
    // many blocks that keeps none pays only for its summaries.
    std::shared_ptr<const RatedBlock> rated;
};

// What a run found, for whoever shows it, rates a block again or writes it again.
struct RunResult {
    RunOutcome outcome = RunOutcome::Failed;
    int exitStatus = kExitFailed;
    std::vector<RunMessage> messages; // in the order they were shown
    // In file order; those of a failed run as far as it got. A deque: half a million
    // summaries grow without being moved, and with no second array at the peak.
    std::deque<RunBlock> blocks;
    // How the blocks were rated and written: a block rated again with these and
    // written with their labels and format gives the bytes of the report.
    EvaluationSettings evaluation;
    // What was rated: the input's path (empty for standard input) and the region.
    QString inputPath;
    int regionIndex = kDefaultRegionIndex;
    // With RunSettings::keepProfileText: every line the blocks were read from, each
    // followed by CR LF (for a track, its profile as --write-profile writes it).
    std::string profileText;
    // A GPS track's run: where block number k lies on its track, at k - 1.
    std::vector<tracks::TrackConversion::Place> trackPlaces;
    // A GPS track's run with terrain heights: the tiles the points needed, read and
    // found nowhere, by their usual names.
    struct TerrainTiles {
        std::set<std::string> used;
        std::set<std::string> missing;
    };
    std::optional<TerrainTiles> terrainTiles;
};

} // namespace passcat
