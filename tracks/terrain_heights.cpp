#include "tracks/terrain_heights.h"

#include <algorithm>
#include <cmath>

#include "tracks/track_messages.h"

namespace passcat::tracks {

std::shared_ptr<const TerrainModel::Tile> TerrainModel::tile(TileCorner corner)
{
    const std::lock_guard lock(mutex_);
    Slot& slot = slots_[corner];
    slot.lastUse = ++uses_;
    if (slot.tile)
        return slot.tile;
    auto tile = std::make_shared<Tile>();
    TileFile file = files_.open(corner);
    if (file.status == TileFile::Status::Unreadable) {
        tile->fault = messages::UnreadableTile(file.name, file.reason);
    } else if (file.status == TileFile::Status::Opened) {
        tile->grid = TerrainTile::FromBytes(file.bytes);
        if (tile->grid)
            tile->owner = std::move(file.owner);
        else
            tile->fault = messages::NotATile(file.name, file.bytes.size());
    } else if (file.status == TileFile::Status::WrongSize) {
        tile->fault = messages::NotATile(file.name, file.size);
    }
    slot.tile = tile;
    // The open tile used longest ago is let go; a thread that still reads it keeps it.
    const auto isOpen = [](const auto& entry) { return entry.second.tile && entry.second.tile->grid; };
    if (tile->grid && static_cast<std::size_t>(std::count_if(slots_.begin(), slots_.end(), isOpen)) > kKeptTiles) {
        auto oldest = slots_.end();
        for (auto it = slots_.begin(); it != slots_.end(); ++it) {
            if (isOpen(*it) && (oldest == slots_.end() || it->second.lastUse < oldest->second.lastUse))
                oldest = it;
        }
        slots_.erase(oldest);
    }
    return tile;
}

double TerrainSampler::height(double latitude, double longitude, TerrainGaps& gaps)
{
    if (longitude == 180)
        longitude = -180;
    // floor(-0.0) is -0.0, which is 0 here: -0.0 belongs to N00 and E000.
    const TileCorner corner{static_cast<int>(std::floor(latitude)), static_cast<int>(std::floor(longitude))};
    if (corner != corner_) {
        tile_ = model_.tile(corner);
        corner_ = corner;
    }
    if (tile_->grid)
        return tile_->grid->height(latitude, longitude);
    if (tile_->fault.empty())
        gaps.missing.insert(TileFileName(corner));
    else if (std::find(gaps.faults.begin(), gaps.faults.end(), tile_->fault) == gaps.faults.end())
        gaps.faults.push_back(tile_->fault);
    return kNoElevation;
}

void TerrainSampler::apply(Track& track, TerrainMode mode, TerrainGaps& gaps)
{
    for (std::size_t k = 0; k < track.size(); ++k) {
        if (mode == TerrainMode::Replace || !HasElevation(track.elevations[k]))
            track.elevations[k] = height(track.latitudes[k], track.longitudes[k], gaps);
    }
}

} // namespace passcat::tracks
