#include "cli/track_options.h"

#include <optional>

#include "tracks/track_texts.h"

namespace passcat {
namespace {

const QString kSmooth = QStringLiteral("smooth");
const QString kMinClimb = QStringLiteral("min-climb");
const QString kSimplify = QStringLiteral("simplify");
const QString kSurface = QStringLiteral("surface");
const QString kWholeTracks = QStringLiteral("whole-tracks");
const QString kWriteProfile = QStringLiteral("write-profile");

std::optional<double> Metres(const QString& text) { return tracks::ParseDecimal(text.toStdString()); }

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
    };
}

QString ReadTrackOptions(const QCommandLineParser& parser, TrackSettings& settings)
{
    tracks::ProfileOptions& profile = settings.profile;
    if (parser.isSet(kSmooth)) {
        bool isNumber = false;
        const int window = parser.value(kSmooth).toInt(&isNumber);
        if (!isNumber || window < 1 || window % 2 == 0)
            return QStringLiteral("--smooth: нужно нечетное целое число не меньше 1, задано: ") + parser.value(kSmooth);
        profile.smooth = window;
    }
    if (parser.isSet(kMinClimb)) {
        const std::optional<double> metres = Metres(parser.value(kMinClimb));
        if (!metres || *metres <= 0)
            return QStringLiteral("--min-climb: нужно число метров больше 0 (с точкой), задано: ") +
                   parser.value(kMinClimb);
        profile.minClimb = *metres;
    }
    if (parser.isSet(kSimplify)) {
        const std::optional<double> metres = Metres(parser.value(kSimplify));
        if (!metres || *metres < 0)
            return QStringLiteral("--simplify: нужно число метров не меньше 0 (с точкой), задано: ") +
                   parser.value(kSimplify);
        profile.simplify = *metres;
    }
    if (parser.isSet(kSurface)) {
        const QString surface = parser.value(kSurface);
        if (surface.isEmpty() || surface.contains(QLatin1Char('\t')) || surface.contains(QLatin1Char('\n')) ||
            surface.contains(QLatin1Char('\r')))
            return QStringLiteral("--surface: нужен непустой текст без табуляций и переводов строки");
        profile.surface = surface.toStdString();
    }
    profile.wholeTracks = parser.isSet(kWholeTracks);
    if (parser.isSet(kWriteProfile)) {
        settings.writeProfilePath = parser.value(kWriteProfile);
        if (settings.writeProfilePath.isEmpty())
            return QStringLiteral("--write-profile: не задано имя файла");
    }
    return {};
}

} // namespace passcat
