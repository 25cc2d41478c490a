// Tiles in ZIP archives, written here with libzip: a plain tile wins over an archive,
// a regional archive with its tiles in a folder, the first of two archives, an entry
// of the wrong size, and archives damaged in their directory or in a tile's bytes.
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <zip.h>

#include <string>
#include <utility>
#include <vector>

#include "run/tile_folder.h"
#include "tracks/terrain_tile.h"

namespace passcat {
namespace {

using Status = tracks::TileFile::Status;

// The bytes of a 1201 tile, every one of them `fill`, or `size` of them.
std::string TileBytes(char fill, std::size_t size = tracks::TerrainTile::SizeOf(1201)) { return std::string(size, fill); }

// An archive of those entries, stored rather than compressed when `stored`, so that a
// byte of the entry's data is a byte of the file.
void WriteArchive(const QString& path, const std::vector<std::pair<std::string, std::string>>& entries, bool stored = false)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, bytes] : entries) {
        const zip_int64_t index = name.ends_with('/') ? zip_dir_add(archive, name.c_str(), 0)
            : zip_file_add(archive, name.c_str(), zip_source_buffer(archive, bytes.data(), bytes.size(), 0), 0);
        ASSERT_GE(index, 0);
        if (stored)
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

struct Opened {
    Status status;
    std::string name;
    std::string reason;
    std::uint64_t size;
    char first; // the first byte of an opened tile
    friend bool operator==(const Opened&, const Opened&) = default;
};

std::ostream& operator<<(std::ostream& out, const Opened& o)
{
    return out << static_cast<int>(o.status) << " " << o.name << " (" << o.reason << ") " << o.size << " " << o.first;
}

Opened Open(TileFolder& folder, tracks::TileCorner corner)
{
    const tracks::TileFile file = folder.open(corner);
    const bool tile = file.status == Status::Opened && file.bytes.size() == tracks::TerrainTile::SizeOf(1201);
    return {file.status, file.name, file.reason, file.size, tile ? static_cast<char>(file.bytes[0]) : '-'};
}

TEST(TileArchives, TilesAsTheyAreDownloaded)
{
    QTemporaryDir dir;
    const QString d = dir.path() + "/";
    const std::string shown = d.toStdString();
    QFile plain(d + "N43E042.hgt");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.write(QByteArray::fromStdString(TileBytes('p')));
    plain.close();
    WriteArchive(d + "N43E042.hgt.zip", {{"N43E042.hgt", TileBytes('z')}});
    WriteArchive(d + "N44E042.SRTMGL1.hgt.zip", {{"N44E042.hgt", TileBytes('a')}, {"readme.txt", "SRTM"}});
    WriteArchive(d + "Caucasus.ZIP", {{"srtm/", ""}, {"srtm/n45e042.HGT", TileBytes('r')}, {"srtm/N45E043.hgt", TileBytes('s')},
                                    {"N44E042.hgt", TileBytes('b')}, {"N46E042.hgt", TileBytes('w', 1000)}});
    WriteArchive(d + "N47E042.hgt.zip", {{"N47E042.hgt", TileBytes('c')}}, true);
    QFile damaged(d + "N47E042.hgt.zip");
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    damaged.seek(1000); // within the stored tile
    damaged.write("!");
    damaged.close();
    WriteArchive(d + "N48E042.hgt.zip", {{"N48E042.hgt", TileBytes('d')}});
    ASSERT_TRUE(QFile::resize(d + "N48E042.hgt.zip", QFile(d + "N48E042.hgt.zip").size() / 2)); // no directory
    ASSERT_TRUE(QFile(d + "N49E042.hgt.zip").open(QIODevice::WriteOnly)); // empty: an archive of nothing

    TileFolder folder;
    ASSERT_TRUE(folder.list(dir.path()));
    const std::pair<tracks::TileCorner, Opened> cases[] = {
        {{43, 42}, {Status::Opened, shown + "N43E042.hgt", "", 0, 'p'}},
        // The first archive in name order that holds it, whatever their names.
        {{44, 42}, {Status::Opened, "N44E042.hgt из архива " + shown + "Caucasus.ZIP", "", 0, 'b'}},
        {{45, 42}, {Status::Opened, "srtm/n45e042.HGT из архива " + shown + "Caucasus.ZIP", "", 0, 'r'}},
        {{45, 43}, {Status::Opened, "srtm/N45E043.hgt из архива " + shown + "Caucasus.ZIP", "", 0, 's'}},
        {{46, 42}, {Status::WrongSize, "N46E042.hgt из архива " + shown + "Caucasus.ZIP", "", 1000, '-'}},
        {{47, 42}, {Status::Unreadable, "N47E042.hgt из архива " + shown + "N47E042.hgt.zip", "архив ZIP поврежден", 0, '-'}},
        {{48, 42}, {Status::Unreadable, shown + "N48E042.hgt.zip", "не архив ZIP или оборванный архив", 0, '-'}},
        // The archive cut off is named for another tile: it cannot hold this one.
        {{49, 42}, {Status::Missing, "", "", 0, '-'}},
    };
    for (const auto& [corner, expected] : cases)
        EXPECT_EQ(Open(folder, corner), expected) << corner.latitude;

    // An archive that cannot be read and is named for no tile may hold any missing one.
    ASSERT_TRUE(QFile::copy(d + "N48E042.hgt.zip", d + "region.zip"));
    TileFolder withRegion;
    ASSERT_TRUE(withRegion.list(dir.path()));
    EXPECT_EQ(Open(withRegion, {49, 42}),
              (Opened{Status::Unreadable, shown + "region.zip", "не архив ZIP или оборванный архив", 0, '-'}));
    EXPECT_EQ(Open(withRegion, {45, 43}).first, 's');
}

} // namespace
} // namespace passcat
