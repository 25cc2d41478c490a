#pragma once

#include <QString>

#include <map>

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

private:
    QString path(const QString& name) const;

    QString folder_;
    QString failure_;
    std::map<tracks::TileCorner, QString> names_;
    TileArchives archives_;
};

} // namespace passcat
