#include "run/track_values.h"

#include <optional>

#include "tracks/track_texts.h"

namespace passcat {
namespace {

std::optional<double> Metres(const QString& text) { return tracks::ParseDecimal(text.toStdString()); }

} // namespace

QString ReadSmooth(const QString& text, tracks::ProfileOptions& profile)
{
    bool isNumber = false;
    const int window = text.toInt(&isNumber);
    if (!isNumber || window < 1 || window % 2 == 0)
        return QStringLiteral("нужно нечетное целое число не меньше 1, задано: ") + text;
    profile.smooth = window;
    return {};
}

QString ReadMinClimb(const QString& text, tracks::ProfileOptions& profile)
{
    const std::optional<double> metres = Metres(text);
    if (!metres || *metres <= 0)
        return QStringLiteral("нужно число метров больше 0 (с точкой), задано: ") + text;
    profile.minClimb = *metres;
    return {};
}

QString ReadSimplify(const QString& text, tracks::ProfileOptions& profile)
{
    const std::optional<double> metres = Metres(text);
    if (!metres || *metres < 0)
        return QStringLiteral("нужно число метров не меньше 0 (с точкой), задано: ") + text;
    profile.simplify = *metres;
    return {};
}

QString ReadSurface(const QString& text, tracks::ProfileOptions& profile)
{
    if (text.isEmpty() || text.contains(QLatin1Char('\t')) || text.contains(QLatin1Char('\n')) ||
        text.contains(QLatin1Char('\r')))
        return QStringLiteral("нужен непустой текст без табуляций и переводов строки");
    profile.surface = text.toStdString();
    return {};
}

} // namespace passcat
