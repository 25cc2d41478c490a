#pragma once

#include <QString>

#include <map>

#include "tracks/terrain_heights.h"

namespace passcat {

// The SRTM tiles of a folder, found by their names in the folder itself (not its
// subfolders) and mapped when a point first needs them.
class TileFolder final : public tracks::TileFiles {
public:
    // Lists the folder; false when it cannot be read, failure() saying so.
    bool list(const QString& folder);
    const QString& failure() const { return failure_; }

    tracks::TileFile open(tracks::TileCorner corner) override;

private:
    QString folder_;
    QString failure_;
    std::map<tracks::TileCorner, QString> names_;
};

} // namespace passcat
