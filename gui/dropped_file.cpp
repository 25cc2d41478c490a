#include "gui/dropped_file.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <algorithm>

namespace passcat {

bool CarriesLocalFiles(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    return std::ranges::any_of(urls, [](const QUrl& url) { return url.isLocalFile(); });
}

DroppedFile FirstDroppedFile(const QMimeData& data)
{
    QString firstFolder;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (!QFileInfo(path).isDir())
            return {path, {}};
        if (firstFolder.isEmpty())
            firstFolder = path;
    }
    return {{}, QStringLiteral("Ошибка: %1 — папка; перетащите файл исходных данных или трек")
                    .arg(QDir::toNativeSeparators(firstFolder))};
}

} // namespace passcat
