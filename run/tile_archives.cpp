#include "run/tile_archives.h"

#include <algorithm>
#include <string_view>

#include "platform/native_path.h"

namespace passcat {
namespace {

// The tile a name "N43E042.<anything>" begins with.
std::optional<tracks::TileCorner> NamedTile(const QString& name)
{
    const QByteArray stem = name.section(u'.', 0, 0).toUtf8() + ".hgt";
    return tracks::ParseTileName(std::string_view(stem.constData(), static_cast<std::size_t>(stem.size())));
}

// The tile an entry's name gives after its last folder, if any.
std::optional<tracks::TileCorner> EntryTile(std::string_view name)
{
    const std::size_t separator = name.find_last_of("/\\");
    return tracks::ParseTileName(separator == std::string_view::npos ? name : name.substr(separator + 1));
}

} // namespace

void TileArchives::add(const QString& name, const QString& path)
{
    auto archive = std::make_unique<Archive>();
    archive->path = path;
    archive->named = NamedTile(name);
    archives_.push_back(std::move(archive));
}

void TileArchives::read()
{
    std::sort(archives_.begin(), archives_.end(), [](const auto& a, const auto& b) { return a->path < b->path; });
    for (std::size_t k = 0; k < archives_.size(); ++k) {
        Archive& archive = *archives_[k];
        archive.readable = archive.zip.open(archive.path, archive.failure);
        if (!archive.readable)
            continue;
        const auto& entries = archive.zip.entries();
        for (std::size_t e = 0; e < entries.size(); ++e) {
            const auto corner = EntryTile(entries[e].name);
            if (!corner)
                continue;
            const auto [it, added] = tiles_.emplace(*corner, Entry{k, e});
            if (!added && it->second.archive == k && entries[e].name < entries[it->second.entry].name)
                it->second.entry = e;
        }
    }
}

tracks::TileFile TileArchives::open(tracks::TileCorner corner)
{
    if (!read_) {
        read();
        read_ = true;
    }
    tracks::TileFile file;
    const auto held = tiles_.find(corner);
    if (held == tiles_.end()) {
        for (const auto& archive : archives_) {
            if (!archive->readable && (!archive->named || *archive->named == corner)) {
                file.status = tracks::TileFile::Status::Unreadable;
                file.name = DisplayPath(archive->path).toStdString();
                file.reason = archive->failure.toStdString();
                break;
            }
        }
        return file;
    }
    Archive& archive = *archives_[held->second.archive];
    const ZipArchive::Entry& entry = archive.zip.entries()[held->second.entry];
    file.name = entry.name + " из архива " + DisplayPath(archive.path).toStdString();
    // Only bytes of a tile's size are decompressed.
    if (!tracks::TerrainTile::SideOf(entry.size)) {
        file.status = tracks::TileFile::Status::WrongSize;
        file.size = entry.size;
        return file;
    }
    auto bytes = std::make_shared<std::vector<std::byte>>();
    QString error;
    if (!archive.zip.read(held->second.entry, *bytes, error)) {
        file.status = tracks::TileFile::Status::Unreadable;
        file.reason = error.toStdString();
        return file;
    }
    file.status = tracks::TileFile::Status::Opened;
    file.bytes = *bytes;
    file.owner = std::move(bytes);
    return file;
}

} // namespace passcat
