#include "run/track_input.h"

#include <QFile>
#include <QFileInfo>

#include <new>
#include <optional>

#include "platform/file_identity.h"
#include "platform/regular_file.h"
#include "platform/safe_result_file.h"
#include "platform/text_encoding.h"
#include "run/helper_threads.h"
#include "tracks/track_formats.h"

namespace passcat {
namespace {

class FileByteSource final : public tracks::ByteSource {
public:
    explicit FileByteSource(QFile& file) : file_(file) {}
    std::ptrdiff_t read(char* buffer, std::size_t size) override
    {
        return static_cast<std::ptrdiff_t>(file_.read(buffer, static_cast<qint64>(size)));
    }

private:
    QFile& file_;
};

std::string Utf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// The file's name without its last extension, for tracks that have no name; a line
// end in it would break the profile's lines.
std::string DefaultTrackName(const QString& path)
{
    QString name = QFileInfo(path).completeBaseName();
    name.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return Utf8(name);
}

bool SamePath(const QString& first, const QString& second)
{
    return SameExistingFile(first, second) || QFileInfo(first).absoluteFilePath() == QFileInfo(second).absoluteFilePath();
}

} // namespace

bool TrackInput::read(const RunInput& input, const QString& resultPath, ReportEncoding encoding, TileFolder* tiles)
{
    profilePath_ = input.track.writeProfilePath;
    if (!profilePath_.isEmpty() && (SamePath(profilePath_, input.path) || SamePath(profilePath_, resultPath))) {
        failure_ = QStringLiteral("Ошибка: файл профиля %1 совпадает с файлом данных или файлом результата; файлы не изменены")
                       .arg(profilePath_);
        return false;
    }
    QFile file(input.path);
    QString openError;
    if (!OpenRegularFileForReading(file, openError)) {
        failure_ = QStringLiteral("Ошибка: не удалось открыть файл %1 (%2)").arg(input.path, openError);
        return false;
    }
    FileByteSource source(file);
    HelperThreads helpers;
    std::optional<tracks::TerrainModel> terrain;
    if (tiles)
        terrain.emplace(*tiles);
    tracks::TrackConversion conversion;
    try {
        conversion = tracks::ConvertTracks(*input.trackFormat, source, Utf8(input.path), DefaultTrackName(input.path),
                                           input.track.profile, &helpers, terrain ? &*terrain : nullptr);
    } catch (const std::bad_alloc&) {
        failure_ = QStringLiteral("Ошибка: не хватило памяти, чтобы прочитать трек %1; файлы не изменены")
                       .arg(input.path);
        return false;
    }
    if (conversion.status == tracks::TrackConversion::Status::Refused) {
        failure_ = conversion.readFailed
                       ? QStringLiteral("Ошибка: не удалось прочитать файл %1 (%2); файлы не изменены")
                             .arg(input.path, file.errorString())
                       : QString::fromStdString(conversion.refusal);
        return false;
    }
    for (const std::string& notice : conversion.notices)
        notices_.append(QString::fromStdString(notice));
    for (const std::string& notice : conversion.withoutClimbs)
        withoutClimbs_.append(QString::fromStdString(notice));
    places_ = std::move(conversion.places);
    profile_ = encoding == ReportEncoding::Cp1251 ? Utf8ToCp1251(conversion.profile) : std::move(conversion.profile);
    lines_ = TextLineSource(profile_);
    InputTextDetector detector;
    detector.feed(profile_);
    inputText_ = detector.verdict();
    return true;
}

bool TrackInput::saveProfile()
{
    if (profilePath_.isEmpty())
        return true;
    SafeResultFile file(profilePath_);
    if (file.open()) {
        file.writeText(profile_);
        if (file.commit())
            return true;
    }
    failure_ = QStringLiteral("Ошибка: не удалось записать файл профиля %1 (%2); прежний файл не изменен")
                   .arg(profilePath_, file.errorString());
    return false;
}

} // namespace passcat
