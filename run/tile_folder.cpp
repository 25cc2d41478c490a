#include "run/tile_folder.h"

#include <memory>

#include "platform/folder_entries.h"
#include "platform/mapped_file.h"
#include "platform/native_path.h"

namespace passcat {

bool TileFolder::list(const QString& folder)
{
    folder_ = folder;
    QStringList names;
    QString error;
    if (!ListFolder(folder, names, error)) {
        failure_ = QStringLiteral("Ошибка: не удалось открыть папку файлов высот %1 (%2); файлы не изменены")
                       .arg(DisplayPath(folder), error);
        return false;
    }
    for (const QString& name : names) {
        if (name.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
            archives_.add(name, path(name));
        const QByteArray bytes = name.toUtf8();
        const auto corner = tracks::ParseTileName(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!corner)
            continue;
        // Names that differ in case only: the first in byte order, whatever the listing's order.
        const auto [it, added] = names_.emplace(*corner, name);
        if (!added && name < it->second)
            it->second = name;
    }
    return true;
}

QString TileFolder::path(const QString& name) const
{
    const qsizetype separator = LastPathSeparator(folder_);
    return separator >= 0 && separator == folder_.size() - 1 ? folder_ + name : folder_ + u'/' + name;
}

tracks::TileFile TileFolder::open(tracks::TileCorner corner)
{
    tracks::TileFile file = find(corner);
    if (file.status == tracks::TileFile::Status::Missing)
        missing_.insert(tracks::TileFileName(corner));
    else if (file.status == tracks::TileFile::Status::Opened && tracks::TerrainTile::SideOf(file.bytes.size()))
        used_.insert(tracks::TileFileName(corner));
    return file;
}

tracks::TileFile TileFolder::find(tracks::TileCorner corner)
{
    const auto found = names_.find(corner);
    if (found == names_.end())
        return archives_.open(corner);
    const QString path = this->path(found->second);
    tracks::TileFile file;
    file.name = DisplayPath(path).toStdString();
    auto mapped = std::make_shared<MappedFile>();
    QString error;
    if (!mapped->open(path, error)) {
        file.status = tracks::TileFile::Status::Unreadable;
        file.reason = error.toStdString();
        return file;
    }
    file.status = tracks::TileFile::Status::Opened;
    file.bytes = mapped->bytes();
    file.owner = std::move(mapped);
    return file;
}

} // namespace passcat
