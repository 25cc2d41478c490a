#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "tracks/terrain_tile.h"
#include "tracks/tile_names.h"
#include "tracks/track_data.h"

namespace passcat::tracks {

enum class TerrainMode {
    Fill,    // points without an elevation take the terrain's height
    Replace, // every point takes the terrain's height, or none
};

// A tile's file as the folder of tiles gives it.
struct TileFile {
    enum class Status { Missing, Unreadable, WrongSize, Opened };
    Status status = Status::Missing;
    std::string name;                 // all but Missing: the file as messages show it (UTF-8)
    std::string reason;               // Unreadable: why
    std::uint64_t size = 0;           // WrongSize: its size, no tile's (its bytes are not read)
    std::span<const std::byte> bytes; // Opened: its bytes, valid while owner lives
    std::shared_ptr<const void> owner;
};

// Where the tiles come from: run/ maps the files of a folder. Called by one thread at
// a time.
class TileFiles {
public:
    virtual ~TileFiles() = default;
    virtual TileFile open(TileCorner corner) = 0;
};

// The terrain of a run, shared by the threads that process its tracks: a tile is
// opened when a point first needs it, and only the few used last stay open.
class TerrainModel {
public:
    // Open tiles kept beyond those in use: a track at a corner of four tiles goes
    // back and forth between them.
    static constexpr std::size_t kKeptTiles = 4;

    struct Tile {
        std::optional<TerrainTile> grid; // nothing: the tile is missing, or fault says why it is none
        std::string fault;               // the message for a file there that is no tile
        std::shared_ptr<const void> owner;
    };

    explicit TerrainModel(TileFiles& files) : files_(files) {}

    std::shared_ptr<const Tile> tile(TileCorner corner);

private:
    struct Slot {
        std::shared_ptr<const Tile> tile;
        std::uint64_t lastUse = 0;
    };

    TileFiles& files_;
    std::mutex mutex_;
    std::map<TileCorner, Slot> slots_; // open tiles, and missing and faulty ones for good
    std::uint64_t uses_ = 0;
};

// What the terrain could not give one track.
struct TerrainGaps {
    std::set<std::string> missing;   // the file names of the missing tiles needed, in byte order
    std::vector<std::string> faults; // the messages of files that are no tiles, as first met
};

// One thread's way into the model: it keeps the tile of the last point at hand.
class TerrainSampler {
public:
    explicit TerrainSampler(TerrainModel& model) : model_(model) {}

    // Gives the track's points their terrain heights as mode says.
    void apply(Track& track, TerrainMode mode, TerrainGaps& gaps);

    // The terrain's height at a point; kNoElevation where there is none, noted in gaps
    // unless a void is why.
    double height(double latitude, double longitude, TerrainGaps& gaps);

private:
    TerrainModel& model_;
    std::optional<TileCorner> corner_;
    std::shared_ptr<const TerrainModel::Tile> tile_;
};

} // namespace passcat::tracks
