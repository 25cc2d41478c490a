#include "run/run_input.h"

#include <QFileInfo>

#include "tracks/track_reader.h"

namespace passcat {

RunInput RunInput::FromPath(const QString& path, TrackSettings track)
{
    const QByteArray name = QFileInfo(path).fileName().toUtf8();
    const auto format = tracks::TrackFormatOfName(std::string_view(name.constData(), static_cast<std::size_t>(name.size())));
    if (!format)
        return {Kind::ProfileFile, path, {}, {}};
    return {Kind::TrackFile, path, *format, std::move(track)};
}

RunInput RunInput::FromStandardInput()
{
    return {Kind::StandardInput, {}, {}, {}};
}

} // namespace passcat
