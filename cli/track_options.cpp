#include "cli/track_options.h"

#include <optional>
#include <utility>

#include "cli/cli_option_group.h"
#include "run/track_values.h"

namespace passcat {
namespace {

const QString kSmooth = QStringLiteral("smooth");
const QString kMinClimb = QStringLiteral("min-climb");
const QString kSimplify = QStringLiteral("simplify");
const QString kSurface = QStringLiteral("surface");
const QString kWholeTracks = QStringLiteral("whole-tracks");
const QString kWriteProfile = QStringLiteral("write-profile");
const QString kDem = QStringLiteral("dem");
const QString kDemMode = QStringLiteral("dem-mode");

} // namespace

QList<QCommandLineOption> TrackCommandLineOptions()
{
    const tracks::ProfileOptions defaults;
    return {
        {kSmooth,
         QStringLiteral("окно медианы высот, нечетное число точек; 1 - без сглаживания; по умолчанию %1")
             .arg(defaults.smooth),
         QStringLiteral("N")},
        {kMinClimb, QStringLiteral("наименьший подъем (и спуск между подъемами), м; по умолчанию %1")
                        .arg(defaults.minClimb),
         QStringLiteral("M")},
        {kSimplify,
         QStringLiteral("допуск упрощения профиля (Дуглас-Пекер), м; 0 - все точки; по умолчанию %1")
             .arg(defaults.simplify),
         QStringLiteral("T")},
        {kSurface,
         QStringLiteral("коэффициент покрытия каждой точки; по умолчанию %1")
             .arg(QString::fromStdString(defaults.surface)),
         QStringLiteral("C")},
        {kWholeTracks, QStringLiteral("каждый трек целиком - один подъем, без поиска подъемов")},
        {kWriteProfile,
         QStringLiteral("записать профиль подъемов в ФАЙЛ, файл исходных данных, чтобы править покрытия и считать снова"),
         QStringLiteral("ФАЙЛ")},
        {kDem,
         QStringLiteral("папка файлов высот SRTM (N43E042.hgt, ...): высоты точек по рельефу, см. --dem-mode"),
         QStringLiteral("ПАПКА")},
        {kDemMode,
         QStringLiteral("fill - высоты рельефа только точкам без высоты, replace - всем точкам вместо их высот; "
                        "по умолчанию fill"),
         QStringLiteral("РЕЖИМ")},
    };
}

QString ReadTrackOptions(const QCommandLineParser& parser, TrackSettings& settings)
{
    tracks::ProfileOptions& profile = settings.profile;
    const std::pair<const QString&, QString (*)(const QString&, tracks::ProfileOptions&)> values[] = {
        {kSmooth, ReadSmooth}, {kMinClimb, ReadMinClimb}, {kSimplify, ReadSimplify}, {kSurface, ReadSurface}};
    for (const auto& [name, read] : values) {
        if (!parser.isSet(name))
            continue;
        if (const QString refusal = read(parser.value(name), profile); !refusal.isEmpty())
            return QStringLiteral("--%1: %2").arg(name, refusal);
    }
    profile.wholeTracks = parser.isSet(kWholeTracks);
    if (parser.isSet(kWriteProfile)) {
        settings.writeProfilePath = parser.value(kWriteProfile);
        if (settings.writeProfilePath.isEmpty())
            return QStringLiteral("--write-profile: не задано имя файла");
    }
    if (parser.isSet(kDem)) {
        settings.terrainFolder = parser.value(kDem);
        if (settings.terrainFolder.isEmpty())
            return QStringLiteral("--dem: не задана папка файлов высот");
    }
    const auto modes = {
        CliChoice<tracks::TerrainMode>{{"fill"}, tracks::TerrainMode::Fill},
        CliChoice<tracks::TerrainMode>{{"replace"}, tracks::TerrainMode::Replace},
    };
    if (parser.isSet(kDemMode)) {
        const auto chosen = MatchCliChoice(parser.value(kDemMode), modes);
        if (!chosen)
            return CliChoiceRefusal("--dem-mode: режим должен быть", parser.value(kDemMode), modes);
        profile.terrainMode = *chosen;
    }
    return {};
}

QString TerrainFilesHelp()
{
    return QStringLiteral(
        "\n"
        "Файлы высот (--dem):\n"
        "  Плитки SRTM, каждая на градус широты и долготы, с именем по юго-западному\n"
        "  углу: N43E042.hgt, s13w072.HGT (в любом регистре); 1201 x 1201 (3\") или\n"
        "  3601 x 3601 (1\") высот в метрах. Ищутся только в самой ПАПКЕ, не в ее\n"
        "  подпапках. Их раздают NASA и USGS (SRTMGL1 и SRTMGL3 на\n"
        "  earthexplorer.usgs.gov) и viewfinderpanoramas.org. Архивы ZIP читаются\n"
        "  как скачаны (N43E042.hgt.zip, N43E042.SRTMGL1.hgt.zip, региональные):\n"
        "  в них плитки ищутся по имени в любой папке архива; файл .hgt важнее\n"
        "  архива, из двух архивов берется первый по имени.\n");
}

} // namespace passcat
