#include "document/trip_report.h"

#include <QDateTime>
#include <QFileInfo>
#include <QTimeZone>

#include "platform/native_path.h"

namespace passcat {

QDate DocumentDate()
{
    bool valid = false;
    const qint64 epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&valid);
    if (valid)
        return QDateTime::fromSecsSinceEpoch(epoch, QTimeZone::utc()).date();
    return QDate::currentDate();
}

QString InputNameForHeading(const QString& path)
{
    return path.isEmpty() ? QStringLiteral("стандартный ввод") : DisplayPath(QFileInfo(path).fileName());
}

} // namespace passcat
