#pragma once

#include <QString>

#include "tracks/track_conversion.h"

namespace passcat {

// The values of a GPS track's settings as passcat-cli's options and the window's track
// settings take them. Each sets its value in profile when text is one, and returns why
// it is not otherwise (without the option's name and without "Ошибка: "), or an empty
// string.
QString ReadSmooth(const QString& text, tracks::ProfileOptions& profile);
QString ReadMinClimb(const QString& text, tracks::ProfileOptions& profile);
QString ReadSimplify(const QString& text, tracks::ProfileOptions& profile);
QString ReadSurface(const QString& text, tracks::ProfileOptions& profile);

} // namespace passcat
