#include "run/run_input.h"

#include <QFileInfo>

#include "tracks/track_formats.h"

namespace passcat {

RunInput RunInput::FromPath(const QString& path, TrackSettings track)
{
    const QByteArray name = QFileInfo(path).fileName().toUtf8();
    const tracks::TrackFormat* format =
        tracks::TrackFormatOfName(std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
    if (!format)
        return {Kind::ProfileFile, path, nullptr, {}};
    return {Kind::TrackFile, path, format, std::move(track)};
}

RunInput RunInput::FromStandardInput()
{
    return {Kind::StandardInput, {}, nullptr, {}};
}

} // namespace passcat
