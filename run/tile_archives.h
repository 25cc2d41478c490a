#pragma once

#include <QString>

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/zip_archive.h"
#include "tracks/terrain_heights.h"

namespace passcat {

// The SRTM tiles in the ZIP archives of the folder of tiles, as they are downloaded
// ("N43E042.hgt.zip", "N43E042.SRTMGL1.hgt.zip", regional archives): an entry named as
// a tile, in any folder of the archive and in any case, is that tile. The archives are
// read when a tile is first looked for in them; a tile is decompressed into memory
// when a point first needs it.
class TileArchives {
public:
    // A *.zip file of the folder: its name there, and its path.
    void add(const QString& name, const QString& path);

    // The tile from the first archive in name order that holds it (the first entry in
    // byte order within one). Held by none: an archive that could not be read and may
    // hold it (one named for this tile, or for none) is reported as the tile's file
    // unreadable, the first in name order; without one the tile is missing.
    tracks::TileFile open(tracks::TileCorner corner);

private:
    struct Archive {
        QString path;
        std::optional<tracks::TileCorner> named; // the tile its name begins with, if any
        ZipArchive zip;
        bool readable = false;
        QString failure; // not readable: why
    };
    struct Entry {
        std::size_t archive;
        std::size_t entry;
    };

    void read();

    std::vector<std::unique_ptr<Archive>> archives_;
    std::map<tracks::TileCorner, Entry> tiles_;
    bool read_ = false;
};

} // namespace passcat
