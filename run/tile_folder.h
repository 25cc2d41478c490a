#pragma once

#include <QString>

#include <map>
#include <set>
#include <string>

#include "run/tile_archives.h"
#include "tracks/terrain_heights.h"

namespace passcat {

// The SRTM tiles of a folder, found by their names in the folder itself (not its
// subfolders) and mapped when a point first needs them; a tile that is no file of its
// own is looked for in the folder's ZIP archives.
class TileFolder final : public tracks::TileFiles {
public:
    // Lists the folder; false when it cannot be read, failure() saying so.
    bool list(const QString& folder);
    const QString& failure() const { return failure_; }

    tracks::TileFile open(tracks::TileCorner corner) override;

    // The tiles the points needed so far, by their usual names ("N43E042.hgt"): those
    // read, and those found nowhere. A file there that is no tile is in neither.
    const std::set<std::string>& used() const { return used_; }
    const std::set<std::string>& missing() const { return missing_; }

private:
    QString path(const QString& name) const;
    tracks::TileFile find(tracks::TileCorner corner);

    QString folder_;
    QString failure_;
    std::map<tracks::TileCorner, QString> names_;
    TileArchives archives_;
    std::set<std::string> used_;
    std::set<std::string> missing_;
};

} // namespace passcat
